#include "ui/dialog_layout.h"

namespace tvz::ui {

int DluX(HWND dialog, int x_units) {
  RECT r{0, 0, x_units, 0};
  MapDialogRect(dialog, &r);
  return r.right;
}

int DluY(HWND dialog, int y_units) {
  RECT r{0, 0, 0, y_units};
  MapDialogRect(dialog, &r);
  return r.bottom;
}

SIZE TextSize(HWND control, const std::wstring& text, int max_width, TextWrap wrap) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, max_width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS |
                (wrap == TextWrap::kWords ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {r.right - r.left, r.bottom - r.top};
}

void MoveTo(HWND control, int x, int y, int w, int h) {
  SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WorkArea(HWND window) {
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &mi);
  return mi.rcWork;
}

}  // namespace tvz::ui
