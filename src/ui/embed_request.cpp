#include "ui/embed_request.h"

#include "core/ascii.h"
#include "core/number_text.h"

namespace tvz::ui {

TopPanels PanelsForMode(const std::string& mode) {
  if (ascii::EqualsNoCase(mode, "importar")) return TopPanels::kImportOnly;
  if (ascii::EqualsNoCase(mode, "exportar")) return TopPanels::kExportOnly;
  return TopPanels::kBoth;
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
