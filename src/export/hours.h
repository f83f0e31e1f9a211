#pragma once
// Weekly hours of a subject and the session string the timetabling program
// reads them as.
#include <string>
#include <string_view>

namespace tvz {

// The hours column as a number: empty means 1, a comma is a decimal point.
// Not a number: RunError "'%s' no es un valor punto flotante válido" (with
// the commas already replaced). Hours whose whole part does not fit a 32-bit
// integer: RunError naming the text (no school has them; the table must not
// get a value its readers overflow on).
double HoursFromText(std::string_view column);

// n = whole part of h (h >= 1): n ones up to 13; from 14 on, the number n-13
// followed by thirteen ones; then the half mark (0xBD) when h has a fraction.
std::string SessionString(double hours);

}  // namespace tvz
