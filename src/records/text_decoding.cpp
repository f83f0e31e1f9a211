#include "records/text_decoding.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/errors.h"
#include "platform/code_page.h"
#include "platform/text_encoding.h"

namespace tvz {

namespace {

constexpr unsigned char kUtf8Bom[] = {0xEF, 0xBB, 0xBF};

bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The 1-based line of the character that starts at `at`: the line ends
// before it, LF, or CR in a text without LF (`unit` gives the character at a
// position).
template <class UnitAt>
std::uint64_t LineOf(std::size_t size, std::size_t at, UnitAt unit) {
  std::uint64_t lf = 0, cr = 0;
  bool any_lf = false;
  for (std::size_t i = 0; i < size; ++i) {
    const char32_t c = unit(i);
    if (c == '\n') {
      any_lf = true;
      if (i < at) ++lf;
    } else if (c == '\r' && i < at) {
      ++cr;
    }
  }
  return 1 + (any_lf ? lf : cr);
}

std::string Quoted(std::string_view file_text) { return "\"" + std::string(file_text) + "\""; }

[[noreturn]] void ThrowBroken(std::string_view file_text, TextEncoding encoding, std::string what) {
  const std::string form = EncodingName(encoding);
  const std::string start = encoding == TextEncoding::kUtf8
                                ? "El archivo " + Quoted(file_text) + " parece UTF-8"
                                : "El archivo " + Quoted(file_text) + " empieza con la marca de " +
                                      (encoding == TextEncoding::kUtf8Bom ? "UTF-8" : form);
  throw RunError(start + ", pero " + what);
}

std::u16string Utf16Units(std::string_view body, bool big_endian) {
  std::u16string units(body.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto a = static_cast<unsigned char>(body[2 * i]);
    const auto b = static_cast<unsigned char>(body[2 * i + 1]);
    units[i] = static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
  }
  return units;
}

// UTF-16 that breaks its form: an odd byte, a surrogate without its pair.
void CheckUtf16(std::string_view body, TextEncoding encoding, std::string_view file_text) {
  if (body.size() % 2 != 0)
    ThrowBroken(file_text, encoding, "tiene un n\xFA" "mero impar de bytes");
  const std::u16string units = Utf16Units(body, encoding == TextEncoding::kUtf16Be);
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (!IsSurrogate(units[i])) continue;
    const bool paired = IsHighSurrogate(units[i]) && i + 1 < units.size() &&
                        IsSurrogate(units[i + 1]) && !IsHighSurrogate(units[i + 1]);
    if (paired) {
      ++i;
      continue;
    }
    const std::uint64_t line = LineOf(units.size(), i, [&](std::size_t k) { return units[k]; });
    ThrowBroken(file_text, encoding,
                "su l\xED" "nea " + std::to_string(line) +
                    " tiene medio car\xE1" "cter (un sustituto sin su pareja)");
  }
}

void CheckUtf8(std::string_view body, TextEncoding encoding, std::string_view file_text) {
  for (std::size_t i = 0; i < body.size();) {
    const platform::Utf8Step step = platform::NextUtf8(body, i);
    if (!step.valid) {
      const std::uint64_t line =
          LineOf(body.size(), i, [&](std::size_t k) { return static_cast<unsigned char>(body[k]); });
      ThrowBroken(file_text, encoding,
                  "su l\xED" "nea " + std::to_string(line) + " no es UTF-8 v\xE1" "lido");
    }
    i += step.length;
  }
}

// UTF-16 text as cp1252: one byte per character. A character beyond the BMP
// (a surrogate pair) is one character cp1252 lacks.
DecodedText ToCp1252(std::u16string wide, std::string_view file_text) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < wide.size(); ++i, ++kept) {
    if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsSurrogate(wide[i + 1])) {
      wide[kept] = u'\xFFFD';
      ++i;
    } else {
      wide[kept] = wide[i];
    }
  }
  wide.resize(kept);
  std::optional<std::string> text = platform::EncodeCodePage(wide, 1252);
  if (!text || text->size() != wide.size())
    throw RunError("No se puede convertir el archivo " + Quoted(file_text) + " a cp1252");
  DecodedText out;
  for (std::size_t i = 0; i < wide.size(); ++i)
    if ((*text)[i] == '?' && wide[i] != u'?') out.replaced.push_back(i);
  out.text = std::move(*text);
  return out;
}

}  // namespace

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8: return "UTF-8";
    case TextEncoding::kUtf8Bom: return "UTF-8 con BOM";
    case TextEncoding::kUtf16Le: return "UTF-16LE";
    case TextEncoding::kUtf16Be: return "UTF-16BE";
    case TextEncoding::kCp1252: break;
  }
  return "cp1252";
}

std::size_t ByteOrderMarkSize(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8Bom: return 3;
    case TextEncoding::kUtf16Le:
    case TextEncoding::kUtf16Be: return 2;
    default: return 0;
  }
}

void EncodingScan::Add(std::string_view bytes) {
  for (std::size_t i = 0; head_size_ < head_.size() && i < bytes.size(); ++i)
    head_[head_size_++] = static_cast<unsigned char>(bytes[i]);
  if (!lf_) lf_ = std::memchr(bytes.data(), '\n', bytes.size()) != nullptr;
  if (!cr_) cr_ = std::memchr(bytes.data(), '\r', bytes.size()) != nullptr;
  if (!tab_) tab_ = std::memchr(bytes.data(), '\t', bytes.size()) != nullptr;
  if (!broken_) AddUtf8(bytes);
}

void EncodingScan::AddUtf8(std::string_view bytes) {
  std::size_t i = 0;
  if (!cut_.empty()) {
    // The sequence the last piece ended inside, with the bytes that follow.
    const std::size_t held = cut_.size();
    cut_.append(bytes.substr(0, 4 - held));
    const platform::Utf8Step step = platform::NextUtf8(cut_, 0);
    if (step.cut) return;  // still cut: this piece was shorter than the rest of it
    if (!step.valid) {
      broken_ = true;
      return;
    }
    i = step.length - held;
    cut_.clear();
  }
  const std::size_t size = bytes.size();
  const char* data = bytes.data();
  while (i < size) {
    // 32 ASCII bytes at a time, then 8: most of a ZARP file.
    std::uint64_t eight[4];
    while (i + 32 <= size) {
      std::memcpy(eight, data + i, 32);
      if ((eight[0] | eight[1] | eight[2] | eight[3]) & 0x8080808080808080ull) break;
      i += 32;
    }
    while (i + 8 <= size) {
      std::memcpy(eight, data + i, 8);
      if (eight[0] & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= size) break;
    if (static_cast<unsigned char>(data[i]) < 0x80) {
      ++i;
      continue;
    }
    non_ascii_ = true;
    const platform::Utf8Step step = platform::NextUtf8(bytes, i);
    if (step.cut) {
      cut_.assign(bytes.substr(i));
      return;
    }
    if (!step.valid) {
      broken_ = true;
      return;
    }
    i += step.length;
  }
}

bool EncodingScan::Settled() const {
  const TextEncoding e = Encoding();
  return (e != TextEncoding::kCp1252 && e != TextEncoding::kUtf8) || (broken_ && lf_);
}

TextEncoding EncodingScan::Encoding() const {
  if (head_size_ >= 3 && std::equal(head_.begin(), head_.end(), std::begin(kUtf8Bom)))
    return TextEncoding::kUtf8Bom;
  if (head_size_ >= 2 && head_[0] == 0xFF && head_[1] == 0xFE) return TextEncoding::kUtf16Le;
  if (head_size_ >= 2 && head_[0] == 0xFE && head_[1] == 0xFF) return TextEncoding::kUtf16Be;
  if (non_ascii_ && !broken_ && cut_.empty()) return TextEncoding::kUtf8;
  return TextEncoding::kCp1252;
}

TextEncoding ClassifyText(std::string_view bytes) {
  EncodingScan scan;
  scan.Add(bytes);
  return scan.Encoding();
}

DecodedText DecodeText(std::string_view bytes, TextEncoding encoding, std::string_view file_text) {
  const std::string_view body = bytes.substr(std::min(bytes.size(), ByteOrderMarkSize(encoding)));
  std::optional<std::u16string> wide;
  if (encoding == TextEncoding::kUtf16Le || encoding == TextEncoding::kUtf16Be) {
    CheckUtf16(body, encoding, file_text);
    wide = platform::DecodeCodePage(body, encoding == TextEncoding::kUtf16Be ? 1201 : 1200);
  } else {
    CheckUtf8(body, encoding, file_text);
    wide = platform::DecodeCodePage(body, 65001);
  }
  if (!wide) {
    throw RunError("No se puede convertir el archivo " + Quoted(file_text) + " desde " +
                   EncodingName(encoding));
  }
  return ToCp1252(std::move(*wide), file_text);
}

}  // namespace tvz
