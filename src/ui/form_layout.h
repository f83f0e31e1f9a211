#pragma once
// The main window's geometry at 96 DPI: the three gradient panels, where
// every control and every painted text sits, and the panels' colours. The
// window scales all of it with its DPI (ScaleToDpi).
#include <span>

namespace tvz::ui {

// The top band holds the export panel (left) and the import panel (right);
// embedded with one mode, only that panel shows, across the whole band.
enum class TopPanels { kBoth, kExportOnly, kImportOnly };
enum class Panel { kExport, kImport, kFolder };

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Box&) const = default;
};

inline constexpr int kClientWidth = 599;
inline constexpr int kClientHeight = 270;

bool PanelShown(Panel panel, TopPanels shown);
// The panel in client coordinates; meaningful only when it is shown.
Box PanelBox(Panel panel, TopPanels shown);

struct Rgb {
  unsigned char r, g, b;
};
// Top, middle and bottom colour of the panel's vertical gradient.
struct PanelGradient {
  Rgb start, middle, end;
};
PanelGradient GradientOf(Panel panel);

enum class TextStyle {
  kTitle,     // Arial 12 point bold, black, wrapped in its box
  kCaption,   // the form's font, blue
  kEmphasis,  // the form's font, bold, red
};

// What a control is; its window class and styles follow from it.
enum class ControlKind {
  kButton,         // a push button with the text as its caption
  kDirectoryList,  // Directorios
  kDriveBox,       // Unidades, with its dropped list
  kText,           // a text on its panel, in its TextStyle
  kPathText,       // the current path: shortened in the middle when too long
  kHiddenLabel,    // a name for assistive technology: no size, never seen
};

// One control of the form.
struct FormControl {
  int id;
  ControlKind kind;
  Panel panel;
  // Relative to the panel. A text with a width (height) of 0: one line, as
  // wide (high) as its text.
  Box box;
  const char* text;  // cp1252: the caption, the text, or the name
  TextStyle style = TextStyle::kCaption;  // texts only
};

bool IsText(ControlKind kind);

// Every control, in tab order, which is also the z-order: every text comes
// right before the control it names, so that assistive technology finds it
// as its label (Directorios: the caption above it; Unidades: a hidden label
// of its own).
std::span<const FormControl> FormControls();
// The control `id`; null for an id that is none of the form's.
const FormControl* ControlOf(int id);
// The control's box in client coordinates.
Box ControlBox(const FormControl& control, TopPanels shown);

// Client coordinates of a panel-relative box.
Box OnForm(Panel panel, const Box& box, TopPanels shown);

int ScaleToDpi(int value, unsigned dpi);
Box ScaleToDpi(const Box& box, unsigned dpi);

}  // namespace tvz::ui
