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

// A control: its panel and its box relative to that panel.
struct ControlPlace {
  int id;
  Panel panel;
  Box box;
};
// Every control, in tab order.
std::span<const ControlPlace> ControlPlaces();
// The control's box in client coordinates.
Box ControlBox(const ControlPlace& place, TopPanels shown);

enum class TextStyle {
  kTitle,     // Arial 12 point bold, black, wrapped in its box
  kCaption,   // the form's font, blue
  kEmphasis,  // the form's font, bold, red
};
// A text on its panel (a static control that shows the panel through). A
// width of 0: one line, as wide as the text.
struct LabelPlace {
  int id;
  Panel panel;
  Box box;
  TextStyle style;
  const char* text;  // cp1252
};
std::span<const LabelPlace> LabelPlaces();
// Where the current path goes (TextStyle::kEmphasis): at most as wide as the
// directory list; a longer path is shortened in the middle.
LabelPlace CurrentPathPlace();
// The text of that control id (one of LabelPlaces() or the current path);
// null for any other.
const LabelPlace* LabelOf(int id);

// Client coordinates of a panel-relative box.
Box OnForm(Panel panel, const Box& box, TopPanels shown);

int ScaleToDpi(int value, unsigned dpi);
Box ScaleToDpi(const Box& box, unsigned dpi);

}  // namespace tvz::ui
