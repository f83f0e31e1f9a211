#include "tables/dbf_values.h"

#include <algorithm>

#include "tables/dbf_format.h"
#include "tables/dbf_values_impl.h"

namespace tvz::dbf {

using detail::AllZero;
using detail::FlagBitSet;
using detail::Float;
using detail::Integer;
using detail::Null;
using detail::Trim;

namespace {

bool NullFlagSet(const TableLayout& t, const FieldLayout& f, std::string_view record) {
  return FlagBitSet(t, f.null_bit, record);
}

}  // namespace

std::string_view StoredText(const TableLayout& t, std::size_t index, std::string_view record) {
  const FieldLayout& f = t.fields[index];
  std::string_view s = record.substr(f.offset, f.length);
  if (f.varlength_bit >= 0) {
    // Shorter than the field: its length is in the last byte.
    if (FlagBitSet(t, f.varlength_bit, record)) {
      s = s.substr(0, std::min<std::size_t>(GetU8(s.data() + s.size() - 1), s.size() - 1));
    }
    return s;
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

namespace {

// Text that std::to_string gives back unchanged when it is read as an
// integer: "0", or an optional minus and 1 to 18 digits, the first not 0.
bool IsPlainInteger(std::string_view s) {
  if (s == "0") return true;
  if (!s.empty() && s.front() == '-') s.remove_prefix(1);
  if (s.empty() || s.size() > 18 || s.front() == '0') return false;
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<std::string_view> TextInPlace(const TableLayout& t, std::size_t index,
                                            std::string_view record) {
  const FieldLayout& f = t.fields[index];
  switch (f.type) {
    case kTypeCharacter:
    case kTypeVarchar: {
      if (NullFlagSet(t, f, record)) return std::string_view();
      const std::string_view stored = StoredText(t, index, record);
      if (!SameInCp1252(stored, t.code_page)) return std::nullopt;
      return stored;
    }
    case kTypeNumeric:
    case kTypeFloat: {
      if (NullFlagSet(t, f, record)) return std::string_view();
      const std::string_view stored = Trim(record.substr(f.offset, f.length));
      if (!IsPlainInteger(stored)) return std::nullopt;
      return stored;
    }
    default:
      return std::nullopt;
  }
}

std::string KeyText(const TableLayout& t, std::size_t index, std::string_view record) {
  if (const auto text = TextInPlace(t, index, record)) return std::string(*text);
  return TextOf(Decode(t, index, record));
}

Value Decode(const TableLayout& t, std::size_t index, std::string_view record) {
  const FieldLayout& f = t.fields[index];
  const std::string_view raw = record.substr(f.offset, f.length);
  if (NullFlagSet(t, f, record)) return Null();
  const bool level7 = t.family == Family::kLevel7;
  switch (f.type) {
    case kTypeCharacter:
    case kTypeVarchar: {
      Value r;
      r.type = Value::Type::kString;
      r.text = ToCp1252(StoredText(t, index, record), t.code_page);
      return r;
    }
    case kTypeNumeric:
    case kTypeFloat:
      return DecodeNumberText(raw);
    case kTypeLogical: {
      Value r;
      switch (raw[0]) {
        case 'T': case 't': case 'Y': case 'y': r.flag = true; break;
        case 'F': case 'f': case 'N': case 'n': r.flag = false; break;
        default: return Null();
      }
      r.type = Value::Type::kBoolean;
      return r;
    }
    case kTypeDate:
      return detail::DecodeDate(raw);
    case kTypeInteger:
    case kTypeAutoIncrement:
      if (level7) {
        const std::uint32_t u = GetU32BE(raw.data());
        if (u == 0) return Null();
        return Integer(static_cast<std::int32_t>(u ^ 0x80000000u));
      }
      return Integer(static_cast<std::int32_t>(GetU32LE(raw.data())));
    case kTypeDouble:
      if (level7) {
        if (AllZero(raw)) return Null();
        std::uint64_t u = GetU64BE(raw.data());
        u = (u >> 63) ? u ^ (std::uint64_t{1} << 63) : ~u;
        return Float(DoubleFromBits(u));
      }
      return Float(DoubleFromBits(GetU64LE(raw.data())));
    case kTypeBinary:
      if (t.family != Family::kVisualFoxPro) return Null();  // a dBase memo
      return Float(DoubleFromBits(GetU64LE(raw.data())));
    case kTypeCurrency:
      return Float(static_cast<double>(static_cast<std::int64_t>(GetU64LE(raw.data()))) / 10000.0);
    case kTypeDateTime:
      if (AllZero(raw)) return Null();
      return detail::DecodeJulianPair(raw);
    case kTypeTimestamp:
      return detail::DecodeLevel7Timestamp(raw);
    default:  // memo, general, picture, blob, _NullFlags, unknown
      return Null();
  }
}

bool Readable(const TableLayout& t, const FieldLayout& f) {
  switch (f.type) {
    case kTypeCharacter: case kTypeVarchar: case kTypeNumeric: case kTypeFloat:
    case kTypeLogical: case kTypeDate: case kTypeInteger: case kTypeAutoIncrement:
    case kTypeDouble: case kTypeCurrency: case kTypeDateTime: case kTypeTimestamp:
      return true;
    case kTypeBinary:
      return t.family == Family::kVisualFoxPro;  // dBase: a memo
    default:
      return false;
  }
}

std::string TextOf(const Value& v) {
  switch (v.type) {
    case Value::Type::kNull: return "";
    case Value::Type::kString:
    case Value::Type::kBadNumber: return v.text;
    case Value::Type::kInteger: return std::to_string(v.integer);
    case Value::Type::kFloat: return FormatGeneral(v.number);
    case Value::Type::kBoolean: return v.flag ? "Verdadero" : "Falso";
    case Value::Type::kDate:
    case Value::Type::kDateTime: return detail::DateText(v);
  }
  return "";
}

}  // namespace tvz::dbf
