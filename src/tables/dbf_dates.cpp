// Dates and times of the stored types: days since 1970-01-01 in the
// proleptic Gregorian calendar (chrono's system days), years 1 to 9999.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "tables/dbf_format.h"
#include "tables/dbf_values_impl.h"

namespace tvz::dbf {

namespace detail {

namespace {

namespace chr = std::chrono;

constexpr std::int64_t DayNumber(chr::year_month_day date) {
  return chr::sys_days{date}.time_since_epoch().count();
}
constexpr std::int64_t kFirstDay = DayNumber(chr::year{1} / chr::January / 1);
constexpr std::int64_t kLastDay = DayNumber(chr::year{9999} / chr::December / 31);

constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kJulianDay1970 = 2440588;  // Julian day number of 1970-01-01
constexpr std::int64_t kOrdinal1970 = 1 - kFirstDay;  // day 1 = 0001-01-01
constexpr std::int64_t kDays1899To1970 = -DayNumber(chr::year{1899} / chr::December / 30);
static_assert(kOrdinal1970 == 719163 && kDays1899To1970 == 25569);

bool InYearRange(std::int64_t days) {
  return days >= kFirstDay && days <= kLastDay;
}

Value DateTime(std::int64_t days, std::int64_t ms) {
  Value r;
  r.type = Value::Type::kDateTime;
  r.days = days;
  r.ms = ms;
  return r;
}

std::string TwoDigits(std::int64_t v) {
  return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

}  // namespace

Value DecodeDate(std::string_view raw) {
  if (raw.size() != 8 || !std::all_of(raw.begin(), raw.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return Null();
  auto num = [&](std::size_t pos, std::size_t n) {
    int v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) v = v * 10 + (raw[i] - '0');
    return v;
  };
  const chr::year_month_day date{chr::year{num(0, 4)}, chr::month{static_cast<unsigned>(num(4, 2))},
                                 chr::day{static_cast<unsigned>(num(6, 2))}};
  if (date.year() < chr::year{1} || !date.ok()) return Null();  // year 0, month 13, 31 April
  Value r;
  r.type = Value::Type::kDate;
  r.days = DayNumber(date);
  return r;
}

// Julian day number and milliseconds, both int32 LE.
Value DecodeJulianPair(std::string_view raw) {
  const auto jdn = static_cast<std::int32_t>(GetU32LE(raw.data()));
  const auto ms = static_cast<std::int32_t>(GetU32LE(raw.data() + 4));
  if (jdn <= 0 || ms < 0 || ms >= kMsPerDay) return Null();
  const std::int64_t days = jdn - kJulianDay1970;
  if (!InYearRange(days)) return Null();
  return DateTime(days, ms);
}

// Level 7: a big-endian double of milliseconds from 0001-01-01 (day 1), its
// sign bit set by some writers; older files hold a Julian day pair instead.
Value DecodeLevel7Timestamp(std::string_view raw) {
  if (AllZero(raw)) return Null();
  std::uint64_t bits = GetU64BE(raw.data()) & ~(std::uint64_t{1} << 63);
  const double ms = DoubleFromBits(bits);
  if (std::isfinite(ms) && ms >= kMsPerDay) {
    const double ordinal = std::floor(ms / static_cast<double>(kMsPerDay));
    if (ordinal < 4000000) {
      const auto days = static_cast<std::int64_t>(ordinal) - kOrdinal1970;
      if (InYearRange(days)) {
        const auto in_day = static_cast<std::int64_t>(std::llround(ms - ordinal * kMsPerDay));
        return DateTime(days, std::clamp<std::int64_t>(in_day, 0, kMsPerDay - 1));
      }
    }
  }
  return DecodeJulianPair(raw);
}

std::string DateText(const Value& v) {
  const chr::year_month_day c{chr::sys_days{chr::days{v.days}}};
  std::string out = TwoDigits(static_cast<unsigned>(c.day())) + "/" +
                    TwoDigits(static_cast<unsigned>(c.month())) + "/" +
                    std::to_string(static_cast<int>(c.year()));
  if (v.type == Value::Type::kDateTime && v.ms != 0) {
    const std::int64_t s = v.ms / 1000;
    out += " " + TwoDigits(s / 3600) + ":" + TwoDigits(s / 60 % 60) + ":" + TwoDigits(s % 60);
  }
  return out;
}

}  // namespace detail

double DateTimeNumber(const Value& v) {
  return static_cast<double>(v.days + detail::kDays1899To1970) +
         static_cast<double>(v.ms) / static_cast<double>(detail::kMsPerDay);
}

}  // namespace tvz::dbf
