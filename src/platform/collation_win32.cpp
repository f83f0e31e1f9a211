// Collation on Windows: the user's locale through LCMapStringA.
#include <windows.h>

#include <cctype>
#include <string>

#include "platform/collation.h"
#include "platform/text_encoding.h"

namespace tvz::platform {

namespace {

constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

std::string WithoutClosingNul(std::string key, int n) {
  key.resize(n > 0 ? static_cast<std::size_t>(n) - 1 : 0);
  return key;
}

}  // namespace

std::string CollationKey(std::string_view cp1252) {
  const std::string s(cp1252);
  int n = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return s;
  std::string key(static_cast<std::size_t>(n), '\0');
  n = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, s.data(), static_cast<int>(s.size()), key.data(), n);
  return WithoutClosingNul(std::move(key), n);
}

std::string CollationLanguage() {
  // An alternate sort ("es-ES_tradnl", with ch and ll as letters of their
  // own) is named whole: it is no language's usual collation.
  wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
  if (GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) > 0) {
    const std::wstring name(locale);
    if (name.find(L'_') != std::wstring::npos) return std::string(name.begin(), name.end());
  }
  char name[16] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, name, sizeof name) <= 0) return "";
  std::string language(name);
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return language == "iv" ? "" : language;  // the invariant locale
}

std::string CollationKeyIn(std::string_view locale, std::string_view cp1252) {
  // "es_ES" -> L"es-ES"; "" -> the invariant locale.
  std::wstring name;
  for (char c : locale) name.push_back(c == '_' ? L'-' : static_cast<wchar_t>(c));
  std::wstring text;
  for (unsigned char b : cp1252) text.push_back(static_cast<wchar_t>(UnicodeFromCp1252(b)));
  const wchar_t* locale_name = name.empty() ? LOCALE_NAME_INVARIANT : name.c_str();
  const int size = static_cast<int>(text.size());
  int n = LCMapStringEx(locale_name, kFlags, text.data(), size, nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) return std::string(cp1252);
  // With LCMAP_SORTKEY the output is bytes, its size counted in bytes.
  std::string key(static_cast<std::size_t>(n), '\0');
  n = LCMapStringEx(locale_name, kFlags, text.data(), size, reinterpret_cast<LPWSTR>(key.data()), n,
                    nullptr, nullptr, 0);
  return WithoutClosingNul(std::move(key), n);
}

}  // namespace tvz::platform
