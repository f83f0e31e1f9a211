#pragma once
// The locale-aware comparison that ignores letter case (user's default
// locale): ICU collation at secondary strength on Linux (locale from LC_ALL,
// LC_COLLATE, LANG; punctuation not ignorable), LCMapStringA with
// NORM_IGNORECASE on Windows (collation_posix.cpp, collation_win32.cpp).
// Two strings are equal exactly when their keys are equal, and keys compare
// (bytewise) in the order of the comparison.
#include <string>
#include <string_view>

namespace tvz::platform {

// Sort key of a cp1252 string.
std::string CollationKey(std::string_view cp1252);

// The language of the user's collation, as an ISO 639 code in lower case
// ("es", "ca", "en"); "" for the root collation (the C locale). An alternate
// sort of a language (Windows' "es-ES_tradnl") is given by its whole name.
std::string CollationLanguage();

// Sort key of a cp1252 string by the collation of a named locale ("es_ES",
// "ca_ES", ""), the same comparison otherwise: for the tests that compare the
// code lists' fast path with every collation it is used for.
std::string CollationKeyIn(std::string_view locale, std::string_view cp1252);

}  // namespace tvz::platform
