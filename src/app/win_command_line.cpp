#include "app/win_command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "records/conversions.h"
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

TopPanels PanelsForMode(const std::string& mode) {
  std::string lower = mode;
  for (char& ch : lower)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  if (lower == "importar") return TopPanels::ImportOnly;
  if (lower == "exportar") return TopPanels::ExportOnly;
  return TopPanels::Both;
}

std::optional<EmbedRequest> ReadEmbedRequest(const std::vector<std::string>& parameters) {
  if (parameters.size() != 2) return std::nullopt;
  EmbedRequest request;
  // Window handles carry 32 significant bits and are sign-extended on 64-bit
  // Windows, as the 32-bit integer read here is.
  request.host = static_cast<std::intptr_t>(StrToInt("$" + parameters[1]));
  request.panels = PanelsForMode(parameters[0]);
  return request;
}

}  // namespace tvz::ui
