#include "tables/dbf_table.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/errors.h"
#include "core/number_text.h"
#include "tables/dbf_table_impl.h"

namespace tvz {

using dbf::FieldLayout;
using dbf::Value;

namespace {

bool IsNumberType(char type) { return type == dbf::kTypeNumeric || type == dbf::kTypeFloat; }
bool IsStringType(char type) { return type == dbf::kTypeCharacter || type == dbf::kTypeVarchar; }

std::string TypeText(const FieldLayout& f) {
  std::string s(1, f.type);
  s += "(" + std::to_string(f.length);
  if (f.decimals > 0) s += "," + std::to_string(f.decimals);
  return s + ")";
}

[[noreturn]] void Refuse(const std::string& field, const char* what) {
  throw RunError("No se puede leer el campo '" + field + "' como " + what);
}
[[noreturn]] void RefuseWrite(const std::string& field, const char* what) {
  throw RunError("No se puede escribir " + std::string(what) + " en el campo '" + field + "'");
}

}  // namespace

void Field::Stale() const {
  table_->RequireOpen();
  throw RunError("El campo ya no es de la tabla " + table_->TableName +
                 ": la tabla se ha cerrado desde que se obtuvo");
}

Value Field::Decoded() const {
  Layout();
  return dbf::Decode(table_->impl_->layout, static_cast<std::size_t>(index_),
                     table_->impl_->Current());
}

const std::string& Field::FieldName() const { return Layout().name; }
char Field::StoredType() const { return Layout().type; }
int Field::Size() const { return static_cast<int>(Layout().length); }
int Field::Decimals() const { return Layout().decimals; }

std::string Field::AsString() const { return std::string(Text()); }

std::string_view Field::Text() const {
  if (const auto text = TextInPlace()) return *text;
  return table_->impl_->texts[static_cast<std::size_t>(index_)] = dbf::TextOf(Decoded());
}

std::optional<std::string_view> Field::TextInPlace() const {
  Layout();
  const DbfTable::Impl& impl = *table_->impl_;
  return dbf::TextInPlace(impl.layout, static_cast<std::size_t>(index_), impl.Current());
}

std::int32_t Field::AsInteger() const {
  const Value v = Decoded();
  constexpr auto lo = std::numeric_limits<std::int32_t>::min();
  constexpr auto hi = std::numeric_limits<std::int32_t>::max();
  switch (v.type) {
    case Value::Type::kNull: {
      // Blank and the NULL mark are 0; a value the store cannot read is no
      // integer.
      const FieldLayout& f = Layout();
      if (!dbf::Readable(table_->impl_->layout, f)) Refuse(f.name, "entero");
      return 0;
    }
    case Value::Type::kString: return StrToInt(v.text);
    case Value::Type::kBadNumber: ThrowNotInteger(v.text);
    case Value::Type::kInteger:
      if (v.integer < lo || v.integer > hi) ThrowNotInteger(dbf::TextOf(v));
      return static_cast<std::int32_t>(v.integer);
    case Value::Type::kFloat: {
      const double r = std::nearbyint(v.number);  // halves to even
      if (!(r >= lo && r <= hi)) ThrowNotInteger(dbf::TextOf(v));
      return static_cast<std::int32_t>(r);
    }
    default: Refuse(Layout().name, "entero");
  }
}

double Field::AsFloat() const {
  const Value v = Decoded();
  switch (v.type) {
    case Value::Type::kNull: return 0;
    case Value::Type::kString: return StrToFloat(v.text);
    case Value::Type::kBadNumber: ThrowNotFloat(v.text);
    case Value::Type::kInteger: return static_cast<double>(v.integer);
    case Value::Type::kFloat: return v.number;
    case Value::Type::kDate:
    case Value::Type::kDateTime: return dbf::DateTimeNumber(v);
    default: Refuse(Layout().name, "n\xFA" "mero");
  }
}

bool Field::AsBoolean() const {
  const Value v = Decoded();
  switch (v.type) {
    case Value::Type::kNull: return false;
    case Value::Type::kBoolean: return v.flag;
    case Value::Type::kString:
      if (v.text.empty()) return false;
      switch (v.text[0]) {
        case 'T': case 't': case 'Y': case 'y': return true;
        case 'F': case 'f': case 'N': case 'n': return false;
        default: break;
      }
      [[fallthrough]];
    default: Refuse(Layout().name, "valor l\xF3" "gico");
  }
}

std::string Field::NullMark() const {
  return dbf::NullMark(Layout(), table_->impl_->Current());
}

bool Field::IsNull() const {
  const Value v = Decoded();
  return v.type == Value::Type::kNull || (v.type == Value::Type::kString && v.text.empty());
}

char* Field::Writable(const FieldLayout& f) {
  DbfTable::Impl& impl = *table_->impl_;
  if (impl.state != DbfTable::Impl::State::kAppend && impl.state != DbfTable::Impl::State::kEdit) {
    throw RunError("La fuente de datos no est\xE1" " en modo de edici\xF3" "n o inserci\xF3" "n");
  }
  impl.modified = true;
  dbf::SetNullFlag(impl.layout, f, impl.buffer, false);
  return impl.buffer.data() + f.offset;
}

void Field::StoreInteger(const FieldLayout& f, std::int64_t value) {
  char* out = Writable(f);
  if (!dbf::EncodeInteger(f, value, out)) Overflow(std::to_string(value));
}

void Field::StoreFloat(const FieldLayout& f, double value) {
  char* out = Writable(f);
  if (!dbf::EncodeFloat(f, value, out)) Overflow(dbf::FormatGeneral(value));
}

void Field::StoreString(const FieldLayout& f, std::string_view value) {
  char* out = Writable(f);
  DbfTable::Impl& impl = *table_->impl_;
  const std::size_t used = dbf::EncodeString(f, impl.layout.code_page, value, out);
  dbf::SetVarLength(impl.layout, f, used, impl.buffer);
}

void Field::Overflow(const std::string& value_text) const {
  const FieldLayout& f = Layout();
  throw RunError("El valor " + value_text + " no cabe en el campo '" + f.name + "' (" +
                 TypeText(f) + ") de la tabla " + table_->TableName);
}

void Field::SetAsString(std::string_view value) {
  const FieldLayout& f = Layout();
  if (IsStringType(f.type)) return StoreString(f, value);
  const bool blank = std::all_of(value.begin(), value.end(), [](char c) { return c == ' '; });
  if (IsNumberType(f.type)) {
    if (blank) return dbf::EncodeBlank(f, Writable(f));
    if (f.decimals == 0) return StoreInteger(f, StrToInt(value));
    return StoreFloat(f, StrToFloat(value));
  }
  if (f.type == dbf::kTypeLogical) {
    if (blank) return dbf::EncodeBlank(f, Writable(f));
    switch (value[0]) {
      case 'T': case 't': case 'Y': case 'y': case 'V': case 'v':
        return dbf::EncodeBoolean(f, true, Writable(f));
      case 'F': case 'f': case 'N': case 'n':
        return dbf::EncodeBoolean(f, false, Writable(f));
      default:
        throw RunError("'" + std::string(value) + "' no es un valor l\xF3" "gico v\xE1" "lido");
    }
  }
  RefuseWrite(f.name, "un texto");
}

void Field::SetAsInteger(std::int32_t value) {
  const FieldLayout& f = Layout();
  if (IsNumberType(f.type)) return StoreInteger(f, value);
  if (IsStringType(f.type)) return StoreString(f, std::to_string(value));
  RefuseWrite(f.name, "un entero");
}

void Field::SetAsFloat(double value) {
  const FieldLayout& f = Layout();
  if (IsNumberType(f.type)) return StoreFloat(f, value);
  if (IsStringType(f.type)) return StoreString(f, dbf::FormatGeneral(value));
  RefuseWrite(f.name, "un n\xFA" "mero");
}

double Field::StoredFloat(double value) const {
  const FieldLayout& f = Layout();
  if (!IsNumberType(f.type)) Refuse(f.name, "n\xFA" "mero");
  std::string stored(f.length, ' ');
  if (!dbf::EncodeFloat(f, value, stored.data())) Overflow(dbf::FormatGeneral(value));
  const Value v = dbf::DecodeNumberText(stored);
  if (v.type == Value::Type::kInteger) return static_cast<double>(v.integer);
  return v.type == Value::Type::kFloat ? v.number : 0;
}

void Field::SetAsBoolean(bool value) {
  const FieldLayout& f = Layout();
  if (f.type == dbf::kTypeLogical) return dbf::EncodeBoolean(f, value, Writable(f));
  if (IsStringType(f.type)) return StoreString(f, value ? "T" : "F");
  RefuseWrite(f.name, "un valor l\xF3" "gico");
}

}  // namespace tvz
