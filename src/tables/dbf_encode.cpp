// Writing fields of the kinds this program writes (C, L; numbers are in
// dbf_numbers.cpp), and the Visual FoxPro flag bits of a record.
#include <algorithm>

#include "tables/code_pages.h"
#include "tables/dbf_format.h"
#include "tables/dbf_values_impl.h"

namespace tvz::dbf {

namespace detail {

bool FlagBitSet(const TableLayout& t, int bit, std::string_view record) {
  if (bit < 0 || t.null_flags_field < 0) return false;
  const FieldLayout& flags = t.fields[static_cast<std::size_t>(t.null_flags_field)];
  const auto byte = static_cast<std::size_t>(bit / 8);
  if (byte >= flags.length) return false;
  return (GetU8(record.data() + flags.offset + byte) >> (bit % 8)) & 1;
}

void SetFlagBit(const TableLayout& t, int bit, std::string& record, bool on) {
  if (bit < 0 || t.null_flags_field < 0) return;
  const FieldLayout& flags = t.fields[static_cast<std::size_t>(t.null_flags_field)];
  const auto byte = static_cast<std::size_t>(bit / 8);
  if (byte >= flags.length) return;
  char& b = record[flags.offset + byte];
  const auto mask = static_cast<char>(1 << (bit % 8));
  b = static_cast<char>(on ? (b | mask) : (b & ~mask));
}

}  // namespace detail

void EncodeBlank(const FieldLayout& f, char* out) { std::fill(out, out + f.length, ' '); }

std::size_t EncodeString(const FieldLayout& f, CodePage cp, std::string_view cp1252, char* out) {
  cp1252 = cp1252.substr(0, f.length);
  // A loop, not find(): a call of memchr costs more than these few bytes.
  cp1252 = cp1252.substr(0, static_cast<std::size_t>(std::find(cp1252.begin(), cp1252.end(), '\0') -
                                                     cp1252.begin()));
  if (SameInCp1252(cp1252, cp)) {  // the usual case: copied as it is
    std::fill(std::copy(cp1252.begin(), cp1252.end(), out), out + f.length, ' ');
    return cp1252.size();
  }
  std::string stored = FromCp1252(cp1252, cp);
  if (stored.size() > f.length) stored.resize(f.length);
  std::fill(std::copy(stored.begin(), stored.end(), out), out + f.length, ' ');
  return stored.size();
}

void EncodeBoolean(const FieldLayout& f, bool v, char* out) {
  EncodeBlank(f, out);
  out[0] = v ? 'T' : 'F';
}

void SetNullFlag(const TableLayout& t, const FieldLayout& f, std::string& record, bool null) {
  detail::SetFlagBit(t, f.null_bit, record, null);
}

void SetVarLength(const TableLayout& t, const FieldLayout& f, std::size_t used,
                  std::string& record) {
  if (f.varlength_bit < 0 || t.null_flags_field < 0) return;
  const bool shorter = used < f.length;
  detail::SetFlagBit(t, f.varlength_bit, record, shorter);
  if (shorter) record[f.offset + f.length - 1] = static_cast<char>(used);
}

std::string BlankRecord(const TableLayout& t) {
  std::string r(t.record_length, '\0');
  r[0] = kRecordLive;
  for (const FieldLayout& f : t.fields) {
    switch (f.type) {
      case kTypeCharacter: case kTypeVarchar: case kTypeNumeric: case kTypeFloat:
      case kTypeLogical: case kTypeDate: case kTypeMemo: case kTypeGeneral: case kTypePicture:
        EncodeBlank(f, r.data() + f.offset);
        break;
      default:
        break;  // binary: zero
    }
  }
  for (const FieldLayout& f : t.fields) {
    SetVarLength(t, f, 0, r);  // an empty Varchar
    SetNullFlag(t, f, r, true);
  }
  return r;
}

}  // namespace tvz::dbf
