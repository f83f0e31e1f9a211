#include "tables/dbf_layout.h"

#include <algorithm>

#include "core/ascii.h"
#include "core/errors.h"
#include "tables/dbf_format.h"
#include "tables/dbf_texts.h"

namespace tvz::dbf {

namespace {

[[noreturn]] void Damaged(const std::string& label, const std::string& what) {
  throw DamagedError(label, what);
}

bool IsFoxPro(std::uint8_t version) {
  switch (version) {
    case kVersionVisualFoxPro: case kVersionVisualFoxProAutoInc:
    case kVersionVisualFoxProVarchar: case kVersionFoxPro2Memo: case kVersionFoxBase:
      return true;
    default:
      return false;
  }
}

Family FamilyOf(std::uint8_t version, const std::string& label) {
  switch (version) {
    case kVersionDbase3: case kVersionDbase3Memo: case kVersionDbase4Memo:
    case kVersionDbase4Sql: case kVersionDbase4SqlSystem: case kVersionDbase4SqlMemo:
    case kVersionDbase4WithSql: case kVersionDbase4MemoAlt: case kVersionFoxPro2Memo:
    case kVersionFoxBase:
      return Family::kDbase;
    case kVersionVisualFoxPro: case kVersionVisualFoxProAutoInc:
    case kVersionVisualFoxProVarchar:
      return Family::kVisualFoxPro;
    case kVersionLevel7: case kVersionLevel7Memo:
      return Family::kLevel7;
    case kVersionDbase2:
      throw TableError(label, "tiene el formato de dBase II, que no se puede leer");
    default: {
      static const char hex[] = "0123456789ABCDEF";
      std::string v = "0x";
      v += hex[version >> 4];
      v += hex[version & 15];
      throw TableError(label, "no tiene un formato dBase conocido (versi\xF3" "n " + v + ")");
    }
  }
}

// Text up to the first NUL, without trailing blanks.
std::string NameFrom(std::string_view bytes) {
  bytes = bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
  while (!bytes.empty() && bytes.back() == ' ') bytes.remove_suffix(1);
  return std::string(bytes);
}

// The width a binary type needs, or 0 for types of any width.
std::size_t RequiredLength(char type, Family family) {
  switch (type) {
    case kTypeInteger: case kTypeAutoIncrement: return 4;
    case kTypeDouble: case kTypeCurrency: case kTypeDateTime: case kTypeTimestamp: return 8;
    case kTypeBinary: return family == Family::kVisualFoxPro ? 8 : 0;  // dBase: a memo
    default: return 0;
  }
}

FieldLayout ReadDescriptor(std::string_view d, const TableLayout& t) {
  FieldLayout f;
  if (t.family == Family::kLevel7) {
    f.name = NameFrom(d.substr(kLevel7FieldOffName, kLevel7FieldNameSize));
    f.type = d[kLevel7FieldOffType];
    f.length = GetU8(d.data() + kLevel7FieldOffLength);
    f.decimals = GetU8(d.data() + kLevel7FieldOffDecimals);
  } else {
    f.name = NameFrom(d.substr(kFieldOffName, kFieldNameSize));
    f.type = d[kFieldOffType];
    f.length = GetU8(d.data() + kFieldOffLength);
    f.decimals = GetU8(d.data() + kFieldOffDecimals);
    if (IsFoxPro(t.version) && f.type == kTypeCharacter) {
      // FoxPro keeps the high byte of long character fields in the decimals.
      f.length += static_cast<std::size_t>(f.decimals) * 256;
      f.decimals = 0;
    }
    if (t.family == Family::kVisualFoxPro) f.flags = GetU8(d.data() + kFieldOffVfpFlags);
  }
  return f;
}

void AssignNullBits(TableLayout& t) {
  for (std::size_t i = 0; i < t.fields.size(); ++i) {
    if (t.fields[i].type == kTypeNullFlags && ascii::EqualsNoCase(t.fields[i].name, "_NullFlags")) {
      t.null_flags_field = static_cast<int>(i);
    }
  }
  if (t.null_flags_field < 0) return;
  // Bits in field order: the length bit of a Varchar or Varbinary field,
  // then a nullable field's null bit.
  int bit = 0;
  for (FieldLayout& f : t.fields) {
    if (f.hidden) continue;
    if (f.type == kTypeVarchar || f.type == kTypeVarbinary) f.varlength_bit = bit++;
    if (f.flags & kVfpFlagNullable) f.null_bit = bit++;
  }
  const FieldLayout& flags = t.fields[static_cast<std::size_t>(t.null_flags_field)];
  if (static_cast<std::size_t>(bit) > flags.length * 8) {
    for (FieldLayout& f : t.fields) f.null_bit = f.varlength_bit = -1;  // not a map we understand
  }
}

}  // namespace

TableLayout ReadLayout(std::string_view file, const std::string& label) {
  if (file.size() < kHeaderSize) Damaged(label, "el archivo es m\xE1" "s corto que la cabecera");
  TableLayout t;
  t.version = GetU8(file.data() + kOffVersion);
  t.family = FamilyOf(t.version, label);
  const bool level7 = t.family == Family::kLevel7;
  const std::size_t main_size = level7 ? kLevel7HeaderSize : kHeaderSize;
  const std::size_t descriptor_size = level7 ? kLevel7FieldSize : kFieldSize;
  if (file.size() < main_size) Damaged(label, "el archivo es m\xE1" "s corto que la cabecera");

  ReadCursor main(file, kOffRecordCount);
  t.declared_records = main.U32LE();
  t.header_length = main.U16LE();
  t.record_length = main.U16LE();
  t.code_page = CodePageFromLanguageDriver(GetU8(file.data() + kOffLanguageDriver));
  if (level7) {
    std::string driver = NameFrom(file.substr(kOffLevel7DriverName, kLevel7DriverNameSize));
    if (!driver.empty()) t.code_page = CodePageFromDriverName(driver);
  }
  if (t.header_length > file.size()) {
    Damaged(label, "la longitud de la cabecera (" + std::to_string(t.header_length) +
                       ") pasa del final del archivo");
  }
  if (t.header_length < main_size) {
    Damaged(label, "la longitud de la cabecera (" + std::to_string(t.header_length) +
                       ") no es v\xE1" "lida");
  }
  if (t.record_length == 0) Damaged(label, "la longitud de los registros es 0");

  // Descriptors run up to 0x0D, or fill the header exactly.
  ReadCursor header(file.substr(0, t.header_length), main_size);
  std::size_t offset = 1;
  while (header.remaining() > 0 && header.Peek() != static_cast<std::uint8_t>(kHeaderTerminator)) {
    if (!header.Has(descriptor_size)) {
      Damaged(label, "la lista de campos pasa del final de la cabecera");
    }
    FieldLayout f = ReadDescriptor(header.Bytes(descriptor_size), t);
    const std::size_t required = RequiredLength(f.type, t.family);
    if (f.length == 0 || (required != 0 && f.length != required)) {
      Damaged(label, "el campo '" + f.name + "' tiene una longitud no v\xE1" "lida (" +
                         std::to_string(f.length) + ")");
    }
    f.offset = offset;
    offset += f.length;
    if (offset > t.record_length) {
      Damaged(label, "el campo '" + f.name + "' pasa del final del registro");
    }
    f.hidden = f.type == kTypeNullFlags || (f.flags & kVfpFlagHidden) != 0 ||
               ascii::EqualsNoCase(f.name, "_DBASELOCK");
    t.fields.push_back(std::move(f));
  }
  if (std::none_of(t.fields.begin(), t.fields.end(), [](const FieldLayout& f) { return !f.hidden; })) {
    Damaged(label, "no tiene campos");
  }
  if (t.family == Family::kVisualFoxPro) AssignNullBits(t);

  // Bytes after the last counted record are ignored; fewer whole records
  // than the header counts is damage, never a shorter table.
  const std::size_t whole = (file.size() - t.header_length) / t.record_length;
  if (whole < t.declared_records) throw ShortTableError(label, t.declared_records, whole);
  return t;
}

TableLayout ReadCheckedLayout(std::string_view file, const std::string& label) {
  TableLayout t = ReadLayout(file, label);
  for (std::size_t i = 0; i < t.declared_records; ++i) {
    if (file[t.header_length + i * t.record_length] == kEndOfFile)
      throw ShortTableError(label, t.declared_records, i, true);
  }
  return t;
}

TableLayout NewLayout(std::vector<FieldLayout> fields) {
  TableLayout t;
  t.version = kVersionDbase3;
  t.family = Family::kDbase;
  t.code_page = CodePage::kAnsi1252;
  std::size_t offset = 1;
  for (FieldLayout& f : fields) {
    f.offset = offset;
    offset += f.length;
  }
  t.fields = std::move(fields);
  t.record_length = offset;
  t.header_length = kHeaderSize + kFieldSize * t.fields.size() + 1;
  return t;
}

void WriteHeader(const TableLayout& t, std::uint32_t records, const platform::LocalTime& date,
                 char* out) {
  std::fill(out, out + t.header_length, '\0');
  out[kOffVersion] = static_cast<char>(t.version);
  out[kOffUpdateYear] = static_cast<char>(std::clamp(date.year - 1900, 0, 255));
  out[kOffUpdateMonth] = static_cast<char>(date.month);
  out[kOffUpdateDay] = static_cast<char>(date.day);
  PutU32LE(out + kOffRecordCount, records);
  PutU16LE(out + kOffHeaderLength, static_cast<std::uint16_t>(t.header_length));
  PutU16LE(out + kOffRecordLength, static_cast<std::uint16_t>(t.record_length));
  out[kOffIndexFlag] = 0;  // no production index
  out[kOffLanguageDriver] = static_cast<char>(kLanguageDriverAnsi);
  char* d = out + kHeaderSize;
  for (const FieldLayout& f : t.fields) {
    std::copy_n(f.name.data(), std::min(f.name.size(), kFieldNameSize - 1), d + kFieldOffName);
    d[kFieldOffType] = f.type;
    d[kFieldOffLength] = static_cast<char>(f.length);
    d[kFieldOffDecimals] = static_cast<char>(f.decimals);
    d += kFieldSize;
  }
  *d = kHeaderTerminator;
}

}  // namespace tvz::dbf
