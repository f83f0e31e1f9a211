#include <windows.h>

#include "platform/system_errors.h"

namespace tvz::platform {

std::string SystemErrorText(int native_code) {
  char buffer[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           static_cast<DWORD>(native_code), 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) text = "Error " + std::to_string(native_code);
  return text;
}

int IoCodeFromNative(int native_code) {
  // Win32 error numbers are the numbers the I/O messages use.
  if (native_code == ERROR_PATH_NOT_FOUND) return 3;
  if (native_code == ERROR_HANDLE_DISK_FULL || native_code == ERROR_DISK_FULL) return 101;
  return native_code;
}

}  // namespace tvz::platform
