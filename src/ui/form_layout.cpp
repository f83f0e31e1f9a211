#include "ui/form_layout.h"

#include "ui/control_ids.h"

namespace tvz::ui {

namespace {

constexpr int kTopBandHeight = 101;
constexpr int kExportPanelWidth = 289;
constexpr int kFolderPanelHeight = 169;

using enum ControlKind;

constexpr FormControl kControls[] = {
    {IDC_TITULO_EXPORTAR, kText, Panel::kExport, {24, 24, 265, 57},
     "Transformar datos desde ZARP hacia Vardelin ", TextStyle::kTitle},
    {IDC_BEXPORTAR, kButton, Panel::kExport, {88, 72, 89, 25}, "Aceptar"},
    {IDC_TITULO_IMPORTAR, kText, Panel::kImport, {8, 24, 305, 57},
     "Transformar datos desde Vardelin hacia ZARP", TextStyle::kTitle},
    {IDC_BIMPORTAR, kButton, Panel::kImport, {96, 72, 89, 25}, "Aceptar"},
    {IDC_RUTA_TEXTO, kText, Panel::kFolder, {9, 19, 0, 0}, "Ruta Actual:"},
    // As wide as Directorios, the list it follows.
    {IDC_RUTA, kPathText, Panel::kFolder, {70, 20, 287, 0}, "", TextStyle::kEmphasis},
    {IDC_CARPETA_TEXTO, kText, Panel::kFolder, {9, 5, 0, 0},
     "Carpeta en la que se encuentran los Ficheros TXT de ZARP"},
    {IDC_DIRECTORIOS, kDirectoryList, Panel::kFolder, {8, 34, 287, 106}, "Directorios"},
    {IDC_UNIDADES_TEXTO, kHiddenLabel, Panel::kFolder, {}, "Unidades"},
    {IDC_UNIDADES, kDriveBox, Panel::kFolder, {8, 142, 137, 19}, ""},
    {IDC_BUTTON1, kButton, Panel::kFolder, {220, 142, 75, 21}, "F1 AYUDA"},
    {IDC_BCLOSE, kButton, Panel::kFolder, {385, 105, 89, 25}, "&Salir"},
    {IDC_VERSION, kText, Panel::kFolder, {368, 142, 0, 0}, "TransVardelinZARP para RD40 V-1.0",
     TextStyle::kEmphasis},
};

}  // namespace

bool PanelShown(Panel panel, TopPanels shown) {
  switch (panel) {
    case Panel::kExport: return shown != TopPanels::kImportOnly;
    case Panel::kImport: return shown != TopPanels::kExportOnly;
    case Panel::kFolder: return true;
  }
  return false;
}

Box PanelBox(Panel panel, TopPanels shown) {
  switch (panel) {
    case Panel::kExport:
      if (shown == TopPanels::kExportOnly) return {0, 0, kClientWidth, kTopBandHeight};
      return {0, 0, kExportPanelWidth, kTopBandHeight};
    case Panel::kImport:
      if (shown == TopPanels::kImportOnly) return {0, 0, kClientWidth, kTopBandHeight};
      return {kExportPanelWidth, 0, kClientWidth - kExportPanelWidth, kTopBandHeight};
    case Panel::kFolder:
      return {0, kClientHeight - kFolderPanelHeight, kClientWidth, kFolderPanelHeight};
  }
  return {};
}

PanelGradient GradientOf(Panel panel) {
  if (panel == Panel::kFolder) return {{194, 205, 254}, {207, 242, 254}, {204, 216, 230}};
  return {{249, 211, 125}, {255, 255, 255}, {255, 238, 221}};
}

bool IsText(ControlKind kind) {
  return kind == kText || kind == kPathText || kind == kHiddenLabel;
}

std::span<const FormControl> FormControls() { return kControls; }

const FormControl* ControlOf(int id) {
  for (const FormControl& control : kControls)
    if (control.id == id) return &control;
  return nullptr;
}

Box OnForm(Panel panel, const Box& box, TopPanels shown) {
  const Box p = PanelBox(panel, shown);
  return {p.left + box.left, p.top + box.top, box.width, box.height};
}

Box ControlBox(const FormControl& control, TopPanels shown) {
  return OnForm(control.panel, control.box, shown);
}

int ScaleToDpi(int value, unsigned dpi) {
  // Rounds half away from zero, as MulDiv does.
  const long long scaled = static_cast<long long>(value) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

Box ScaleToDpi(const Box& box, unsigned dpi) {
  // Scale the edges, so that neighbouring boxes stay neighbours.
  const int left = ScaleToDpi(box.left, dpi);
  const int top = ScaleToDpi(box.top, dpi);
  return {left, top, ScaleToDpi(box.right(), dpi) - left, ScaleToDpi(box.bottom(), dpi) - top};
}

}  // namespace tvz::ui
