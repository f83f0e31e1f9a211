#pragma once
// Program texts are cp1252 bytes; the window speaks UTF-16 to the system.
#include <string>
#include <string_view>

namespace tvz::ui {

std::wstring Wide(std::string_view cp1252);
// Characters that cp1252 lacks become '?'.
std::string Cp1252(std::wstring_view wide);

}  // namespace tvz::ui
