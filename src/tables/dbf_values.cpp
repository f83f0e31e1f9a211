#include "tables/dbf_values.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>

#include "core/errors.h"
#include "core/number_text.h"
#include "tables/dbf_format.h"

namespace tvz::dbf {

namespace {

namespace chr = std::chrono;

// Dates are days since 1970-01-01 in the proleptic Gregorian calendar, the
// days of chrono's system clock; the store reads years 1 to 9999.
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

std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\0'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool AllZero(std::string_view raw) {
  return std::all_of(raw.begin(), raw.end(), [](char c) { return c == '\0'; });
}

Value Null() { return Value{}; }

Value Integer(std::int64_t v) {
  Value r;
  r.type = Value::Type::kInteger;
  r.integer = v;
  return r;
}

Value Float(double v) {
  Value r;
  r.type = Value::Type::kFloat;
  r.number = v;
  return r;
}

Value BadNumber(std::string_view text) {
  Value r;
  r.type = Value::Type::kBadNumber;
  r.text = std::string(text);
  return r;
}

Value DateTime(std::int64_t days, std::int64_t ms) {
  Value r;
  r.type = Value::Type::kDateTime;
  r.days = days;
  r.ms = ms;
  return r;
}

Value DecodeNumberText(std::string_view raw) {
  const std::string_view s = Trim(raw);
  if (s.empty() || std::all_of(s.begin(), s.end(), [](char c) { return c == '*'; })) return Null();
  const DecimalForm form = DecimalFormOf(s);
  if (form == DecimalForm::kNotDecimal) return BadNumber(s);
  if (form == DecimalForm::kWhole) {
    const std::string_view unsigned_part = s.front() == '+' ? s.substr(1) : s;
    std::int64_t v = 0;
    const char* last = unsigned_part.data() + unsigned_part.size();
    if (std::from_chars(unsigned_part.data(), last, v).ec == std::errc()) return Integer(v);
  }
  if (const auto v = ParseFloat(s)) return Float(*v);
  return BadNumber(s);  // beyond the range of a double
}

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

bool NullFlagSet(const TableLayout& t, const FieldLayout& f, std::string_view record) {
  return FlagBitSet(t, f.null_bit, record);
}

void RightJustify(const FieldLayout& f, const std::string& s, char* out) {
  std::fill(out, out + f.length, ' ');
  std::copy(s.begin(), s.end(), out + (f.length - s.size()));
}

std::string TwoDigits(std::int64_t v) {
  return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
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
      return DecodeDate(raw);
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
      return DecodeJulianPair(raw);
    case kTypeTimestamp:
      return DecodeLevel7Timestamp(raw);
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

std::string OverflowMark(const FieldLayout& f, std::string_view record) {
  if (f.type != kTypeNumeric && f.type != kTypeFloat) return "";
  const std::string_view s = Trim(record.substr(f.offset, f.length));
  if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return c == '*'; })) return "";
  return std::string(s);
}

std::string FormatGeneral(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";
  char buf[64];
  // "-d.ddddddddddddddde+XX", whatever the C locale's decimal point.
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  const bool negative = s.front() == '-';
  if (negative) s.remove_prefix(1);
  const std::size_t e = s.find('e');
  std::string digits;
  digits += s[0];
  digits.append(s.substr(2, e - 2));
  int exponent = 0;
  std::string_view exp_text = s.substr(e + 1);
  if (!exp_text.empty() && exp_text.front() == '+') exp_text.remove_prefix(1);
  std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return out;
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
    case Value::Type::kDateTime: {
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
  }
  return "";
}

double DateTimeNumber(const Value& v) {
  return static_cast<double>(v.days + kDays1899To1970) +
         static_cast<double>(v.ms) / static_cast<double>(kMsPerDay);
}

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

bool EncodeInteger(const FieldLayout& f, std::int64_t v, char* out) {
  std::string s = std::to_string(v);
  if (f.decimals > 0) s += "." + std::string(static_cast<std::size_t>(f.decimals), '0');
  if (s.size() > f.length) return false;
  RightJustify(f, s, out);
  return true;
}

bool EncodeFloat(const FieldLayout& f, double v, char* out) {
  if (!std::isfinite(v)) return false;
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, f.decimals);
  if (res.ec != std::errc()) return false;
  std::string s(buf, res.ptr);
  if (s.front() == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  if (s.size() > f.length) return false;
  RightJustify(f, s, out);
  return true;
}

void EncodeBoolean(const FieldLayout& f, bool v, char* out) {
  EncodeBlank(f, out);
  out[0] = v ? 'T' : 'F';
}

void SetNullFlag(const TableLayout& t, const FieldLayout& f, std::string& record, bool null) {
  SetFlagBit(t, f.null_bit, record, null);
}

void SetVarLength(const TableLayout& t, const FieldLayout& f, std::size_t used,
                  std::string& record) {
  if (f.varlength_bit < 0 || t.null_flags_field < 0) return;
  const bool shorter = used < f.length;
  SetFlagBit(t, f.varlength_bit, record, shorter);
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
