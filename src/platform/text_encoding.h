#pragma once
// Text conversions at the boundary: program texts and data are cp1252 bytes.
#include <string>
#include <string_view>

namespace tvz::platform {

// The Unicode character of a cp1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the C1 control of the
// same number, as Windows does.
char16_t UnicodeFromCp1252(unsigned char byte);

// cp1252 as UTF-8; the undefined bytes become U+FFFD.
std::string Utf8FromCp1252(std::string_view cp1252);
// UTF-8 as cp1252; what cp1252 lacks, and broken sequences, become '?'.
std::string Cp1252FromUtf8(std::string_view utf8);

}  // namespace tvz::platform
