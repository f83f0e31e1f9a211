#pragma once
// The fast path of the code lists' comparison. Codes are compared by the
// user's locale-aware collation with letter case ignored (platform/
// collation.h), which costs a sort key per code. Under the collations of the
// languages in kAsciiFoldLanguages, two codes made only of the characters
// IsAsciiFoldable accepts compare equal exactly when they are equal after
// ASCII case folding, and the fold is all a code list needs of such a code.
// ascii_fold_key_test.cpp proves it against each of those collations (ICU on
// Linux, LCMapString on Windows): over every string of up to two of those
// characters and a large random sample of longer ones. A character or a
// language outside the proof goes through the collation key.
#include <array>
#include <string>
#include <string_view>

namespace tvz {

// The languages the proof covers; "" is the root collation (the C locale).
inline constexpr std::array<std::string_view, 6> kAsciiFoldLanguages = {"", "en", "es",
                                                                         "ca", "gl", "eu"};

// True when the user's collation is of a language the proof covers (asked of
// the system once).
bool AsciiFoldingIsCollationEquality();

// True when every byte of `code` is a character the proof covers: printable
// ASCII, 0x20 to 0x7E.
bool IsAsciiFoldable(std::string_view code);

// The code with its ASCII letters in upper case.
std::string AsciiFolded(std::string_view code);

}  // namespace tvz
