#include "platform/text_encoding.h"

namespace tvz::platform {

namespace {

// cp1252 0x80..0x9F; 0 where the code page has no character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The character of `byte`, or 0 for the bytes cp1252 leaves undefined.
char16_t DefinedCharacter(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char16_t UnicodeFromCp1252(unsigned char byte) {
  const char16_t c = DefinedCharacter(byte);
  return c != 0 || byte == 0 ? c : byte;
}

std::string Utf8FromCp1252(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (unsigned char b : cp1252) {
    const char16_t c = DefinedCharacter(b);
    AppendUtf8(out, c != 0 || b == 0 ? c : 0xFFFD);
  }
  return out;
}

Utf8Step NextUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {1, lead, true, false};
  // The continuation bytes a lead byte needs, and the range of the first of
  // them (narrower after E0, ED, F0 and F4: no overlong forms, no
  // surrogates, nothing above U+10FFFF).
  std::size_t need = 0;
  unsigned char low = 0x80, high = 0xBF;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    code = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    code = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, 0xFFFD, false, false};  // a continuation byte, C0, C1, F5..FF
  }
  std::size_t length = 1;
  for (; length <= need; ++length) {
    if (at + length >= text.size()) return {length, 0xFFFD, false, true};
    const unsigned char next = byte(at + length);
    if (next < low || next > high) return {length, 0xFFFD, false, false};
    code = (code << 6) | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {length, code, true, false};
}

std::string Cp1252FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Step step = NextUtf8(utf8, i);
    i += step.length;
    const char32_t c = step.code;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == c) mapped = static_cast<char>(0x80 + k);
    out += mapped;
  }
  return out;
}

}  // namespace tvz::platform
