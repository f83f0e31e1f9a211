#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "core/errors.h"

namespace tvz {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

DecimalForm DecimalFormOf(std::string_view s) {
  std::size_t i = 0, digits = 0;
  bool whole = true;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    whole = false;
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return DecimalForm::kNotDecimal;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    whole = false;
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exp_digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++exp_digits;
    if (exp_digits == 0) return DecimalForm::kNotDecimal;
  }
  if (i != s.size()) return DecimalForm::kNotDecimal;
  return whole ? DecimalForm::kWhole : DecimalForm::kFraction;
}

std::optional<std::int32_t> ParseInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = hex ? HexDigit(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (d < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
    if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull)) return std::nullopt;
  }
  if (hex) {
    const auto bits = static_cast<std::uint32_t>(value);
    const auto v = static_cast<std::int32_t>(bits);
    return negative ? static_cast<std::int32_t>(0u - bits) : v;
  }
  if (!negative && value > 0x7FFFFFFFull) return std::nullopt;
  return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value))
                  : static_cast<std::int32_t>(value);
}

std::optional<double> ParseFloat(std::string_view text) {
  if (DecimalFormOf(text) == DecimalForm::kNotDecimal) return std::nullopt;
  const bool negative = text.front() == '-';
  const std::string_view number = text.front() == '+' || negative ? text.substr(1) : text;

  // from_chars takes neither a leading '+' nor "5." the same way everywhere:
  // hand it a normalised copy.
  std::string normal(number);
  bool negative_exponent = false;
  const auto exponent = std::find_if(normal.begin(), normal.end(), [](char c) { return c == 'e' || c == 'E'; });
  if (auto e = static_cast<std::size_t>(exponent - normal.begin()); e != normal.size()) {
    negative_exponent = normal[e + 1] == '-';
    if (normal[e + 1] == '+') normal.erase(e + 1, 1);
    if (e > 0 && normal[e - 1] == '.') normal.insert(e, "0");
  } else if (normal.back() == '.') {
    normal += '0';
  }
  if (normal.front() == '.') normal.insert(0, "0");
  double value = 0;
  auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (ec == std::errc::result_out_of_range) {
    if (!negative_exponent) return std::nullopt;  // too large for a double
    value = 0;                                    // too small: zero
  } else if (ec != std::errc() || ptr != normal.data() + normal.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::int32_t StrToInt(std::string_view text) {
  if (const auto v = ParseInt(text)) return *v;
  ThrowNotInteger(text);
}

double StrToFloat(std::string_view text) {
  if (const auto v = ParseFloat(text)) return *v;
  ThrowNotFloat(text);
}

}  // namespace tvz
