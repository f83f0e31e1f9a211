#pragma once
// What the program's own dialogs share when they size themselves to their
// texts: dialog units, text extents, moving a control, the work area.
#include <windows.h>

#include <string>

namespace tvz::ui {

// Dialog units to pixels for `dialog`, across and down.
int DluX(HWND dialog, int x_units);
int DluY(HWND dialog, int y_units);

enum class TextWrap { kWords, kLineEndsOnly };
// The size `text` takes in `control`'s font, at most `max_width` wide: broken
// into lines between words, or at its line ends only.
SIZE TextSize(HWND control, const std::wstring& text, int max_width,
              TextWrap wrap = TextWrap::kWords);

// Moves and sizes a control without touching the z-order or activation.
void MoveTo(HWND control, int x, int y, int w, int h);

// The work area of the monitor `window` is on (the primary one if none).
RECT WorkArea(HWND window);

}  // namespace tvz::ui
