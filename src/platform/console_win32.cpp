#include <windows.h>

#include <algorithm>
#include <iostream>
#include <string>

#include "platform/console.h"

namespace tvz::platform {

namespace {

// The console behind `stream`, or null when it is redirected.
HANDLE ConsoleOf(TerminalStream stream) {
  HANDLE h = GetStdHandle(stream == TerminalStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode) ? h : nullptr;
}

std::wstring WideFromCp1252(std::string_view cp1252) {
  if (cp1252.empty()) return {};
  const int size = static_cast<int>(cp1252.size());
  const int n = MultiByteToWideChar(1252, 0, cp1252.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(1252, 0, cp1252.data(), size, wide.data(), n);
  return wide;
}

}  // namespace

void WriteToTerminal(TerminalStream stream, std::string_view cp1252) {
  std::ostream& out = stream == TerminalStream::kOutput ? std::cout : std::cerr;
  HANDLE console = ConsoleOf(stream);
  if (!console) {
    out << cp1252;
    return;
  }
  out.flush();
  const std::wstring wide = WideFromCp1252(cp1252);
  std::size_t done = 0;
  while (done < wide.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 1 << 14));
    DWORD written = 0;
    if (!WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr) || written == 0) {
      // The console refused: the rest as bytes (one character per byte).
      out << cp1252.substr(done);
      return;
    }
    done += written;
  }
}

void KeepRunningWhenOutputCloses() {}

std::string TextFromArgument(std::string_view argument) { return std::string(argument); }

}  // namespace tvz::platform
