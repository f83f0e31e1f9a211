// Numbers as N and F fields hold them: decimal text, right-justified.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number_text.h"
#include "tables/dbf_format.h"
#include "tables/dbf_values_impl.h"

namespace tvz::dbf {

using detail::Float;
using detail::Integer;
using detail::Null;
using detail::Trim;

namespace {

Value BadNumber(std::string_view text) {
  Value r;
  r.type = Value::Type::kBadNumber;
  r.text = std::string(text);
  return r;
}

void RightJustify(const FieldLayout& f, const std::string& s, char* out) {
  std::fill(out, out + f.length, ' ');
  std::copy(s.begin(), s.end(), out + (f.length - s.size()));
}

}  // namespace

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

std::string NullMark(const FieldLayout& f, std::string_view record) {
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

}  // namespace tvz::dbf
