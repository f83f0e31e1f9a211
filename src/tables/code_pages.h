#pragma once
// Code pages of table text. The program's texts are cp1252 bytes; a table
// holds its text in the code page its language driver names (header byte 29;
// level 7: the driver's name), which is converted to cp1252 on reading and
// back on writing. The id -> code page map is written down here once
// (code_pages.cpp) and in docs/dbase-format.md.
//
// cp437 and cp850 go through this program's own tables; every other page
// through the system's converters (platform/code_page.h), which build a
// single-byte page's table on first use. A character cp1252 lacks becomes
// '?' and is counted; a page the system cannot convert keeps its ASCII
// and turns every other byte into a counted '?'.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tvz {

// By the Windows code page numbers; any other number is a code page too.
enum class CodePage : unsigned {
  kAnsi1252 = 1252,
  kOem437 = 437,
  kOem620 = 620,  // Mazovia (Polish)
  kOem737 = 737,
  kOem850 = 850,
  kOem852 = 852,
  kOem857 = 857,
  kOem860 = 860,
  kOem861 = 861,
  kOem862 = 862,
  kOem863 = 863,
  kOem865 = 865,
  kOem866 = 866,
  kOem895 = 895,  // Kamenicky (Czech)
  kAnsi874 = 874,
  kAnsi932 = 932,
  kAnsi936 = 936,
  kAnsi949 = 949,
  kAnsi950 = 950,
  kAnsi1250 = 1250,
  kAnsi1251 = 1251,
  kAnsi1253 = 1253,
  kAnsi1254 = 1254,
  kAnsi1255 = 1255,
  kAnsi1256 = 1256,
  kAnsi1257 = 1257,
  kMacRoman = 10000,
  kMacGreek = 10006,
  kMacCyrillic = 10007,
  kMacCentralEurope = 10029,
};

// The code page a language driver id (header byte 29) stands for. Unknown
// ids and 0x00 give cp1252.
CodePage CodePageFromLanguageDriver(std::uint8_t id);

// The code page of a level-7 language driver name (header bytes 32..63,
// NUL-padded): "DBWIN..." cp1252, "DB" and three digits that OEM page
// ("DB437US0" 437, "DB852CZ0" 852); anything else (the empty name included)
// cp1252.
CodePage CodePageFromDriverName(std::string_view name);

// True when `text` stored in code page `cp` is the same bytes in cp1252 (the
// table is in cp1252, or the text is ASCII): ToCp1252 and FromCp1252 give
// it back unchanged, so it can be used where it lies.
bool SameInCp1252(std::string_view text, CodePage cp);

// Table text -> cp1252; a character cp1252 lacks becomes '?' and, when
// `unmappable` is given, is added to it.
std::string ToCp1252(std::string_view text, CodePage from, std::size_t* unmappable = nullptr);
// cp1252 -> table text; a character the code page lacks becomes '?'.
std::string FromCp1252(std::string_view text, CodePage to);

}  // namespace tvz
