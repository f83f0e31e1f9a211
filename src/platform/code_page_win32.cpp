// Code pages on Windows: the system's own converters.
#include <windows.h>

#include "platform/code_page.h"

namespace tvz::platform {

std::optional<std::u16string> DecodeCodePage(std::string_view bytes, unsigned code_page) {
  if (!IsValidCodePage(code_page)) return std::nullopt;
  if (bytes.empty()) return std::u16string();
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), n);
  return std::u16string(wide.begin(), wide.end());
}

std::optional<std::string> EncodeCodePage(std::u16string_view text, unsigned code_page) {
  if (!IsValidCodePage(code_page)) return std::nullopt;
  if (text.empty()) return std::string();
  const std::wstring wide(text.begin(), text.end());
  const int size = static_cast<int>(wide.size());
  // No best fit: a character the page lacks is '?', not a look-alike.
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, "?", nullptr);
  if (n <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), size, out.data(), n, "?", nullptr);
  return out;
}

}  // namespace tvz::platform
