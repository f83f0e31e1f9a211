// Collation on Windows: the user's locale through LCMapStringA.
#include <windows.h>

#include "platform/collation.h"

namespace tvz::platform {

std::string CollationKey(std::string_view cp1252) {
  const std::string s(cp1252);
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  int n = LCMapStringA(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return s;
  std::string key(static_cast<std::size_t>(n), '\0');
  n = LCMapStringA(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), key.data(), n);
  key.resize(n > 0 ? static_cast<std::size_t>(n) - 1 : 0);  // without the closing NUL
  return key;
}

}  // namespace tvz::platform
