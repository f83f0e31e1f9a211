#include "ui/dpi.h"

namespace tvz::ui {

namespace {

template <typename Function>
Function User32Function(const char* name) {
  static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

UINT DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr && window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

void AdoptDpiAwarenessOf(HWND window) {
  using GetContextFn = HANDLE(WINAPI*)(HWND);
  using SetContextFn = HANDLE(WINAPI*)(HANDLE);
  static const auto get_context = User32Function<GetContextFn>("GetWindowDpiAwarenessContext");
  static const auto set_context = User32Function<SetContextFn>("SetThreadDpiAwarenessContext");
  if (get_context == nullptr || set_context == nullptr || !IsWindow(window)) return;
  if (HANDLE context = get_context(window)) set_context(context);
}

SIZE WindowSizeFor(SIZE client, DWORD style, DWORD ex_style, UINT dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, client.cx, client.cy};
  if (adjust_for_dpi != nullptr)
    adjust_for_dpi(&r, style, FALSE, ex_style, dpi);
  else
    AdjustWindowRectEx(&r, style, FALSE, ex_style);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace tvz::ui
