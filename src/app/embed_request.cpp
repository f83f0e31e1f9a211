#include "app/embed_request.h"

#include "core/number_text.h"

namespace tvz::ui {

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
