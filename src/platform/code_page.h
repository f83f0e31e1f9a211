#pragma once
// Text in the code pages other programs' tables use, through the system's
// converters: ICU (ucnv) on Linux, MultiByteToWideChar and
// WideCharToMultiByte on Windows (code_page_posix.cpp, code_page_win32.cpp).
// Code pages go by their Windows numbers: 437, 852, 1250, 10000 (Mac
// Roman)..., and the Unicode forms 65001 (UTF-8), 1200 (UTF-16 little-endian)
// and 1201 (UTF-16 big-endian), all without a byte-order mark.
#include <optional>
#include <string>
#include <string_view>

namespace tvz::platform {

// `bytes` in `code_page` as UTF-16; a byte sequence the page does not define
// becomes U+FFFD (or a private-use character). nullopt when this system has
// no converter for the page, and for bytes that break a Unicode form (an
// ill-formed UTF-8 sequence, an odd byte or an unpaired surrogate of
// UTF-16).
std::optional<std::u16string> DecodeCodePage(std::string_view bytes, unsigned code_page);

// `text` in `code_page`; a character the page lacks becomes '?' (never a
// look-alike). For a single-byte page (1252...) each UTF-16 unit of the BMP
// gives one byte. nullopt when this system has no converter for the page.
std::optional<std::string> EncodeCodePage(std::u16string_view text, unsigned code_page);

}  // namespace tvz::platform
