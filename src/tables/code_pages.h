#pragma once
// Code pages of table text. The program's texts are cp1252 bytes; a table
// may hold its text in an OEM code page (437, 850), which is converted to
// cp1252 on reading and back on writing. Any other code page is kept as raw
// bytes (treated as cp1252).
#include <cstdint>
#include <string>
#include <string_view>

namespace tvz {

enum class CodePage { kAnsi1252 = 1252, kOem437 = 437, kOem850 = 850 };

// The code page a language driver id (header byte 29) stands for. Unknown
// ids and 0x00 give cp1252.
CodePage CodePageFromLanguageDriver(std::uint8_t id);

// The code page of a level-7 language driver name (header bytes 32..63,
// NUL-padded): "DBWIN..." cp1252, "DB437..." 437, "DB850..." 850; anything
// else (the empty name included) cp1252.
CodePage CodePageFromDriverName(std::string_view name);

// Table text -> cp1252; a character cp1252 lacks becomes '?'.
std::string ToCp1252(std::string_view text, CodePage from);
// cp1252 -> table text; a character the code page lacks becomes '?'.
std::string FromCp1252(std::string_view text, CodePage to);

}  // namespace tvz
