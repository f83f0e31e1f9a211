#include "ui/wide_text.h"

#include <windows.h>

namespace tvz::ui {

namespace {
constexpr UINT kCp1252 = 1252;
}

std::wstring Wide(std::string_view cp1252) {
  if (cp1252.empty()) return {};
  const int n = MultiByteToWideChar(kCp1252, 0, cp1252.data(), static_cast<int>(cp1252.size()),
                                    nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(kCp1252, 0, cp1252.data(), static_cast<int>(cp1252.size()), out.data(), n);
  return out;
}

std::string Cp1252(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(kCp1252, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kCp1252, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, "?",
                      nullptr);
  return out;
}

}  // namespace tvz::ui
