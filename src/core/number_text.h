#pragma once
// Texts read as numbers, with the rules the users' files were always read by.
// The Parse functions answer nothing for a text the rules do not accept; the
// StrTo functions throw the user's message instead.
#include <cstdint>
#include <optional>
#include <string_view>

namespace tvz {

// The decimal grammar: an optional sign, digits with at most one point (at
// least one digit in all), and an optional exponent (E or e, optional sign,
// digits); nothing before or after. kWhole when it has neither point nor
// exponent.
enum class DecimalForm { kNotDecimal, kWhole, kFraction };
DecimalForm DecimalFormOf(std::string_view text);

// Leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$" or "0x"; nothing may follow. Decimal values fit 32 bits;
// hexadecimal ones take all 32 ($FFFFFFFF is -1).
std::optional<std::int32_t> ParseInt(std::string_view text);

// A decimal text; the point is the decimal separator whatever the user's
// regional settings. Too large for a double: nothing; too small: zero.
std::optional<double> ParseFloat(std::string_view text);

// ParseInt, or RunError "'%s' no es un valor entero válido" (the empty text
// included).
std::int32_t StrToInt(std::string_view text);

// ParseFloat, or RunError "'%s' no es un valor punto flotante válido".
double StrToFloat(std::string_view text);

}  // namespace tvz
