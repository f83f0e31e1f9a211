#pragma once
// Text conversions at the boundary: program texts and data are cp1252 bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace tvz::platform {

// The Unicode character of a cp1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the C1 control of the
// same number, as Windows does.
char16_t UnicodeFromCp1252(unsigned char byte);

// cp1252 as UTF-8; the undefined bytes become U+FFFD.
std::string Utf8FromCp1252(std::string_view cp1252);
// UTF-8 as cp1252; what cp1252 lacks becomes '?', and so does each
// ill-formed piece (Utf8Step): a cut sequence, a lead byte without its
// continuation bytes, an overlong form, a surrogate, a code point above
// U+10FFFF.
std::string Cp1252FromUtf8(std::string_view utf8);

// One step through UTF-8 text: the sequence that starts at `text[at]`.
struct Utf8Step {
  std::size_t length = 0;  // bytes taken, at least 1
  char32_t code = 0;       // its code point; U+FFFD when ill-formed
  bool valid = false;
  // Ill-formed only because `text` ends inside the sequence (a reader that
  // gets more bytes may find it whole).
  bool cut = false;
};
// A well-formed sequence is taken whole; an ill-formed one gives the longest
// start of a well-formed sequence it has (at least one byte), so that the
// next step starts at the first byte that cannot continue it, as the Unicode
// standard recommends for replacing ill-formed pieces. REQUIRES: at < size.
Utf8Step NextUtf8(std::string_view text, std::size_t at);

}  // namespace tvz::platform
