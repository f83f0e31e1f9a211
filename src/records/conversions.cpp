#include "records/conversions.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/errors.h"

namespace tvz {

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::int32_t StrToInt(std::string_view text) {
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
  if (i >= text.size()) ThrowNotInteger(text);
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) ThrowNotInteger(text);
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
    // Hexadecimal takes the full 32 bits ($FFFFFFFF is -1); decimal must fit.
    if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull)) ThrowNotInteger(text);
  }
  if (hex) {
    const auto bits = static_cast<std::uint32_t>(value);
    const auto v = static_cast<std::int32_t>(bits);
    return negative ? static_cast<std::int32_t>(0u - bits) : v;
  }
  if (!negative && value > 0x7FFFFFFFull) ThrowNotInteger(text);
  return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value))
                  : static_cast<std::int32_t>(value);
}

double StrToFloat(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t number_start = i;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) ThrowNotFloat(text);
  bool negative_exponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative_exponent = text[i++] == '-';
    std::size_t exp_digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exp_digits;
    if (exp_digits == 0) ThrowNotFloat(text);
  }
  if (i != text.size()) ThrowNotFloat(text);

  // from_chars takes neither a leading '+' nor "5." the same way everywhere:
  // hand it a normalised copy.
  std::string normal(text.substr(number_start));
  if (auto e = normal.find_first_of("eE"); e != std::string::npos) {
    if (e > 0 && normal[e - 1] == '.') normal.insert(e, "0");
    if (e + 1 < normal.size() && normal[e + 1] == '+') normal.erase(e + 1, 1);
  } else if (!normal.empty() && normal.back() == '.') {
    normal += '0';
  }
  if (normal.front() == '.') normal.insert(0, "0");
  double value = 0;
  auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (ec == std::errc::result_out_of_range) {
    if (!negative_exponent) ThrowNotFloat(text);  // too large for a double
    value = 0;                                   // too small: zero
  } else if (ec != std::errc() || ptr != normal.data() + normal.size()) {
    ThrowNotFloat(text);
  }
  return negative ? -value : value;
}

}  // namespace tvz
