#pragma once
// The ZARP text record: one line of a ZARP file, fixed columns, no separator.
// Columns count bytes (cp1252) and start at 1.
#include <cstddef>
#include <string>
#include <string_view>

namespace tvz {

// Header records start with "0", trailer records with "9"; every other line,
// the empty one included, is a data record.
bool IsHeaderOrTrailer(std::string_view line);

// The column field that starts at 1-based column `start` and is at most
// `length` bytes long (shorter or empty where the line ends first), with
// leading and trailing bytes <= 32 (blanks, control characters) removed.
std::string ColumnField(std::string_view line, std::size_t start, std::size_t length);
// The same field as a view of the line, for the converters' record loops.
std::string_view ColumnText(std::string_view line, std::size_t start, std::size_t length);

// Bytes <= 32 removed at both ends.
std::string_view TrimControls(std::string_view text);

// A data record that names a ZARP file in columns 2 to 51 (any ASCII letter
// case, any blanks around it) is skipped like a header.
bool NameCheck(std::string_view line, std::string_view file_name);

// Both skips at once: header, trailer or name-check record.
inline bool IsSkippedRecord(std::string_view line, std::string_view file_name) {
  return IsHeaderOrTrailer(line) || NameCheck(line, file_name);
}

}  // namespace tvz
