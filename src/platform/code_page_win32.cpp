// Code pages on Windows: the system's own converters.
#include <windows.h>

#include "platform/code_page.h"

namespace tvz::platform {

namespace {

// UTF-16 has no converter of MultiByteToWideChar's: its code units are the
// bytes in pairs. An odd byte or an unpaired surrogate breaks it.
std::optional<std::u16string> Utf16Units(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto a = static_cast<unsigned char>(bytes[2 * i]);
    const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    const bool high = out[i] >= 0xD800 && out[i] <= 0xDBFF;
    const bool low = out[i] >= 0xDC00 && out[i] <= 0xDFFF;
    if (low) return std::nullopt;
    if (high && (i + 1 == out.size() || out[i + 1] < 0xDC00 || out[i + 1] > 0xDFFF))
      return std::nullopt;
    if (high) ++i;
  }
  return out;
}

}  // namespace

std::optional<std::u16string> DecodeCodePage(std::string_view bytes, unsigned code_page) {
  if (code_page == 1200 || code_page == 1201) return Utf16Units(bytes, code_page == 1201);
  if (!IsValidCodePage(code_page)) return std::nullopt;
  if (bytes.empty()) return std::u16string();
  if (bytes.size() > static_cast<std::size_t>(MAXINT)) return std::nullopt;
  const int size = static_cast<int>(bytes.size());
  // UTF-8 that breaks its form is no text at all (without the flag it would
  // read as U+FFFD).
  const DWORD flags = code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
  const int n = MultiByteToWideChar(code_page, flags, bytes.data(), size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), size, wide.data(), n);
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
