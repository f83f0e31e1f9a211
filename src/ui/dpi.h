#pragma once
// DPI of a window, with the calls that only newer Windows versions have
// looked up at run time (the program also runs on Windows 7).
#include <windows.h>

namespace tvz::ui {

// The window's DPI (per monitor where the system supports it), else the
// system DPI.
UINT DpiOf(HWND window);
// Makes this thread's new windows take the DPI awareness of `window` (of
// another process). Windows refuses to make a window the child of one with
// another DPI awareness, and a host program is often not DPI aware. Does
// nothing where the system has no per-window awareness.
void AdoptDpiAwarenessOf(HWND window);
// Outer size of a window with that client size, style and DPI.
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace tvz::ui
