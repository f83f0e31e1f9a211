#pragma once
// The window program's parameters, read from the Windows command line.
#include <string>
#include <vector>

namespace tvz::ui {

// The parameters after the program name, as cp1252 texts.
std::vector<std::string> CommandLineParameters();

}  // namespace tvz::ui
