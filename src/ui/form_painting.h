#pragma once
// Painting of the main window's client area: the gradient panels. The texts
// on them are static controls that show the panels through.
#include <windows.h>

#include <string>

#include "ui/form_layout.h"

namespace tvz::ui {

// The window's fonts at one DPI: the form's "MS Sans Serif" 8 point, its bold
// variant, and the titles' Arial 12 point bold.
class FormFonts {
public:
  FormFonts() = default;
  FormFonts(const FormFonts&) = delete;
  FormFonts& operator=(const FormFonts&) = delete;
  ~FormFonts() { Destroy(); }

  void Create(UINT dpi);
  void Destroy();
  HFONT normal() const { return normal_; }
  HFONT bold() const { return bold_; }
  HFONT title() const { return title_; }

private:
  HFONT normal_ = nullptr;
  HFONT bold_ = nullptr;
  HFONT title_ = nullptr;
};

struct FormView {
  TopPanels panels = TopPanels::kBoth;
  UINT dpi = 96;
};

HFONT FontOf(TextStyle style, const FormFonts& fonts);

// Paints the panels (also for WM_PRINTCLIENT, which themed buttons send to
// draw their parent's background under their corners).
void PaintForm(HDC dc, const FormView& view);

// For WM_CTLCOLORSTATIC of a text of the form: paints the panels behind
// `label` into its DC, sets its colour and a transparent background, and
// returns the brush that fills nothing.
HBRUSH PrepareLabel(HDC dc, HWND label, const FormView& view);

}  // namespace tvz::ui
