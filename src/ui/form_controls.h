#pragma once
// The main window's controls: created once, in tab order, then placed for a
// DPI and a choice of top panels (controls of a hidden panel are hidden).
#include <windows.h>
#include <commctrl.h>

#include "ui/form_layout.h"
#include "ui/form_painting.h"

namespace tvz::ui {

void CreateFormControls(HWND form, HINSTANCE instance);
void PlaceFormControls(HWND form, TopPanels panels, UINT dpi, const FormFonts& fonts);

// Height of one line of the folder lists.
int ListLineHeight(const FormFonts& fonts);

// The accept and close glyphs on the buttons, at the window's DPI.
class ButtonGlyphs {
public:
  ButtonGlyphs() = default;
  ButtonGlyphs(const ButtonGlyphs&) = delete;
  ButtonGlyphs& operator=(const ButtonGlyphs&) = delete;
  ~ButtonGlyphs() { Release(); }

  void Apply(HWND form, HINSTANCE instance, UINT dpi);
  void Release();

private:
  HIMAGELIST accept_ = nullptr;
  HIMAGELIST close_ = nullptr;
};

}  // namespace tvz::ui
