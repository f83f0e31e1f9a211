#include "app/win_command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "ui/wide_text.h"

namespace tvz::ui {

std::vector<std::string> CommandLineParameters() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> parameters;
  for (int i = 1; argv != nullptr && i < count; ++i) parameters.push_back(Cp1252(argv[i]));
  LocalFree(argv);
  return parameters;
}

}  // namespace tvz::ui
