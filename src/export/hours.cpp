#include "export/hours.h"

#include <cmath>

#include "core/errors.h"
#include "core/number_text.h"

namespace tvz {

namespace {
constexpr double kMaxHours = 2147483648.0;  // 2^31: the whole part must fit 32 bits
}

double HoursFromText(std::string_view column) {
  std::string text(column.empty() ? std::string_view("1") : column);
  for (char& ch : text)
    if (ch == ',') ch = '.';
  const double hours = StrToFloat(text);
  if (hours >= kMaxHours)
    throw RunError("Horas semanales fuera de rango: '" + text + "'");
  return hours;
}

std::string SessionString(double hours) {
  const double whole = std::floor(hours);
  const auto n = static_cast<long long>(whole);
  std::string s = n <= 13 ? std::string(static_cast<std::size_t>(n < 0 ? 0 : n), '1')
                          : std::to_string(n - 13) + std::string(13, '1');
  if (hours > whole) s += '\xBD';  // the half mark
  return s;
}

}  // namespace tvz
