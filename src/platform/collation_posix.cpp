// Collation on Linux: ICU.
#include "platform/collation.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
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
using CollatorPtr = std::unique_ptr<UCollator, CollatorDeleter>;

CollatorPtr OpenCollator(const std::string& locale) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* c = ucol_open(locale.c_str(), &status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    c = ucol_open("", &status);
  }
  if (U_FAILURE(status)) throw std::runtime_error("ICU collation is not available");
  // Secondary strength: letter case is ignored, accents are not.
  ucol_setStrength(c, UCOL_SECONDARY);
  ucol_setAttribute(c, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
  return CollatorPtr(c);
}

UCollator* Collator() {
  static const CollatorPtr collator = OpenCollator(UserCollationLocale());
  return collator.get();
}

std::string KeyOf(const UCollator* collator, std::string_view cp1252) {
  const std::vector<UChar> text = ToUtf16(cp1252);
  std::string key(text.size() * 4 + 16, '\0');
  for (;;) {
    int32_t n = ucol_getSortKey(collator, text.data(), static_cast<int32_t>(text.size()),
                                reinterpret_cast<uint8_t*>(key.data()),
                                static_cast<int32_t>(key.size()));
    if (n <= static_cast<int32_t>(key.size())) {
      key.resize(n > 0 ? static_cast<std::size_t>(n) - 1 : 0);  // without the closing NUL
      return key;
    }
    key.resize(static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string CollationKey(std::string_view cp1252) { return KeyOf(Collator(), cp1252); }

std::string CollationLanguage() {
  UErrorCode status = U_ZERO_ERROR;
  const char* actual = ucol_getLocaleByType(Collator(), ULOC_ACTUAL_LOCALE, &status);
  if (U_FAILURE(status) || !actual) return "";
  char language[ULOC_LANG_CAPACITY] = {};
  uloc_getLanguage(actual, language, sizeof language, &status);
  if (U_FAILURE(status)) return "";
  const std::string name(language);
  return name == "root" ? "" : name;
}

std::string CollationKeyIn(std::string_view locale, std::string_view cp1252) {
  static std::mutex mutex;
  static std::map<std::string, CollatorPtr, std::less<>> collators;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = collators.find(locale);
  if (it == collators.end()) {
    it = collators.emplace(std::string(locale), OpenCollator(std::string(locale))).first;
  }
  return KeyOf(it->second.get(), cp1252);
}

}  // namespace tvz::platform
