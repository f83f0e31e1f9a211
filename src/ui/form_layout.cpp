#include "ui/form_layout.h"

#include "ui/control_ids.h"

namespace tvz::ui {

namespace {

constexpr int kTopBandHeight = 101;
constexpr int kExportPanelWidth = 289;
constexpr int kFolderPanelHeight = 169;

constexpr ControlPlace kControls[] = {
    {IDC_BEXPORTAR, Panel::kExport, {88, 72, 89, 25}},
    {IDC_BIMPORTAR, Panel::kImport, {96, 72, 89, 25}},
    {IDC_DIRECTORIOS, Panel::kFolder, {8, 34, 287, 106}},
    {IDC_UNIDADES, Panel::kFolder, {8, 142, 137, 19}},
    {IDC_BUTTON1, Panel::kFolder, {220, 142, 75, 21}},
    {IDC_BCLOSE, Panel::kFolder, {385, 105, 89, 25}},
};

constexpr LabelPlace kLabels[] = {
    {IDC_TITULO_EXPORTAR, Panel::kExport, {24, 24, 265, 57}, TextStyle::kTitle,
     "Transformar datos desde ZARP hacia Vardelin "},
    {IDC_TITULO_IMPORTAR, Panel::kImport, {8, 24, 305, 57}, TextStyle::kTitle,
     "Transformar datos desde Vardelin hacia ZARP"},
    {IDC_CARPETA_TEXTO, Panel::kFolder, {9, 5, 0, 0}, TextStyle::kCaption,
     "Carpeta en la que se encuentran los Ficheros TXT de ZARP"},
    {IDC_RUTA_TEXTO, Panel::kFolder, {9, 19, 0, 0}, TextStyle::kCaption, "Ruta Actual:"},
    {IDC_VERSION, Panel::kFolder, {368, 142, 0, 0}, TextStyle::kEmphasis, "TransVardelinZARP para RD40 V-1.0"},
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

std::span<const ControlPlace> ControlPlaces() { return kControls; }

Box OnForm(Panel panel, const Box& box, TopPanels shown) {
  const Box p = PanelBox(panel, shown);
  return {p.left + box.left, p.top + box.top, box.width, box.height};
}

Box ControlBox(const ControlPlace& place, TopPanels shown) {
  return OnForm(place.panel, place.box, shown);
}

std::span<const LabelPlace> LabelPlaces() { return kLabels; }

constexpr LabelPlace kCurrentPath = {IDC_RUTA, Panel::kFolder, {70, 20, 287, 0},
                                     TextStyle::kEmphasis, ""};

LabelPlace CurrentPathPlace() {
  // As wide as Directorios, the list it follows.
  return kCurrentPath;
}

const LabelPlace* LabelOf(int id) {
  if (id == kCurrentPath.id) return &kCurrentPath;
  for (const LabelPlace& label : kLabels)
    if (label.id == id) return &label;
  return nullptr;
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
