#pragma once
// What the parts of the field value code share (dbf_values.cpp, the
// readers and writers of numbers, dates and flags); not for other users.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "tables/dbf_values.h"

namespace tvz::dbf::detail {

// Blanks and NULs removed at both ends.
inline std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\0'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

inline bool AllZero(std::string_view raw) {
  return std::all_of(raw.begin(), raw.end(), [](char c) { return c == '\0'; });
}

inline Value Null() { return Value{}; }

inline Value Integer(std::int64_t v) {
  Value r;
  r.type = Value::Type::kInteger;
  r.integer = v;
  return r;
}

inline Value Float(double v) {
  Value r;
  r.type = Value::Type::kFloat;
  r.number = v;
  return r;
}

// Dates (dbf_dates.cpp). D: yyyymmdd; T: Julian day and milliseconds;
// @: the level-7 timestamp. kNull where the bytes are no date of years 1 to
// 9999.
Value DecodeDate(std::string_view raw);
Value DecodeJulianPair(std::string_view raw);
Value DecodeLevel7Timestamp(std::string_view raw);
// "dd/mm/yyyy", and " hh:nn:ss" for a date-time not at midnight.
std::string DateText(const Value& v);

// A bit of the Visual FoxPro _NullFlags field of `record` (dbf_flags.cpp);
// false (nothing set) without such a field or bit.
bool FlagBitSet(const TableLayout& t, int bit, std::string_view record);
void SetFlagBit(const TableLayout& t, int bit, std::string& record, bool on);

}  // namespace tvz::dbf::detail
