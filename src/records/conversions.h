#pragma once
// Texts read as numbers, with the rules the users' files were always read by.
#include <cstdint>
#include <string_view>

namespace tvz {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$" or "0x"; nothing may follow. Otherwise (the empty text
// included) RunError "'%s' no es un valor entero válido".
std::int32_t StrToInt(std::string_view text);

// An optional sign, digits with at most one point, and an optional exponent
// (E or e, optional sign, digits). The point is the decimal separator
// whatever the user's regional settings. Otherwise RunError
// "'%s' no es un valor punto flotante válido".
double StrToFloat(std::string_view text);

}  // namespace tvz
