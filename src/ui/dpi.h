#pragma once
// DPI of a window, with the calls that only newer Windows versions have
// looked up at run time (the program also runs on Windows 7).
#include <windows.h>

namespace tvz::ui {

// The window's DPI (per monitor where the system supports it), else the
// system DPI.
UINT DpiOf(HWND window);
// Outer size of a window with that client size, style and DPI.
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace tvz::ui
