// Collation on Linux: ICU.
#include "platform/collation.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include "platform/text_encoding.h"

namespace tvz::platform {

namespace {

std::vector<UChar> ToUtf16(std::string_view cp1252) {
  std::vector<UChar> out;
  out.reserve(cp1252.size());
  for (unsigned char b : cp1252) out.push_back(UnicodeFromCp1252(b));
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

}  // namespace tvz::platform
