#pragma once
// The command line of the window program, as plain texts. With exactly two
// parameters the window is embedded in the host program's window:
//   transVardelZarp.exe MODE HOSTWINDOW
// MODE "exportar" or "importar" in any letter case offers only that
// conversion, any other text both; HOSTWINDOW is the host window's handle in
// hexadecimal digits without prefix.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_layout.h"

namespace tvz::ui {

struct EmbedRequest {
  std::intptr_t host = 0;  // the host window's handle
  TopPanels panels = TopPanels::kBoth;
};

// nullopt unless there are exactly two parameters. The handle is read as the
// integer text "$" + parameter 2: RunError "'$...' no es un valor entero
// válido" when it is not one.
std::optional<EmbedRequest> ReadEmbedRequest(const std::vector<std::string>& parameters);

// The panels that mode shows.
TopPanels PanelsForMode(const std::string& mode);

}  // namespace tvz::ui
