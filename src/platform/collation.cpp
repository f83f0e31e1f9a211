#include "platform/collation.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#endif

namespace tvz::platform {

#ifdef _WIN32

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

#else

namespace {

// cp1252 0x80..0x9F; bytes the code page leaves undefined map to the C1
// control of the same number, as Windows does.
constexpr UChar kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::vector<UChar> ToUtf16(std::string_view cp1252) {
  std::vector<UChar> out;
  out.reserve(cp1252.size());
  for (unsigned char b : cp1252) out.push_back(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b);
  return out;
}

// The user's locale as the C library sees it: LC_ALL, then LC_COLLATE, then
// LANG; "es_ES.UTF-8@euro" -> "es_ES"; C and POSIX -> the root collation.
std::string UserCollationLocale() {
  for (const char* var : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* v = std::getenv(var);
    if (!v || !*v) continue;
    std::string name(v);
    name = name.substr(0, name.find_first_of(".@"));
    if (name == "C" || name == "POSIX") return "";
    return name;
  }
  return "";
}

struct CollatorDeleter {
  void operator()(UCollator* c) const { ucol_close(c); }
};

UCollator* Collator() {
  static std::unique_ptr<UCollator, CollatorDeleter> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* c = ucol_open(UserCollationLocale().c_str(), &status);
    if (U_FAILURE(status)) {
      status = U_ZERO_ERROR;
      c = ucol_open("", &status);
    }
    if (U_FAILURE(status)) throw std::runtime_error("ICU collation is not available");
    // Secondary strength: letter case is ignored, accents are not.
    ucol_setStrength(c, UCOL_SECONDARY);
    ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return std::unique_ptr<UCollator, CollatorDeleter>(c);
  }();
  return collator.get();
}

}  // namespace

std::string CollationKey(std::string_view cp1252) {
  const std::vector<UChar> text = ToUtf16(cp1252);
  std::string key(text.size() * 4 + 16, '\0');
  for (;;) {
    int32_t n = ucol_getSortKey(Collator(), text.data(), static_cast<int32_t>(text.size()),
                                reinterpret_cast<uint8_t*>(key.data()),
                                static_cast<int32_t>(key.size()));
    if (n <= static_cast<int32_t>(key.size())) {
      key.resize(n > 0 ? static_cast<std::size_t>(n) - 1 : 0);  // without the closing NUL
      return key;
    }
    key.resize(static_cast<std::size_t>(n));
  }
}

#endif

int CompareNoCase(std::string_view a, std::string_view b) {
  return CollationKey(a).compare(CollationKey(b));
}

}  // namespace tvz::platform
