#pragma once
// Just enough of <windows.h> for src/app/win_command_line.cpp to compile on
// Linux, so that the window's command-line parser can be fuzzed natively.
// fuzz_command_line.cpp defines these functions; the parser never calls them.
using WCHAR = wchar_t;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using HLOCAL = void*;
LPWSTR* CommandLineToArgvW(LPCWSTR command_line, int* count);
LPWSTR GetCommandLineW();
HLOCAL LocalFree(HLOCAL memory);
