#pragma once
// The two ways the program reads a ZARP text file.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"

namespace tvz {

// Line by line, streaming. A line is every byte up to the next LF; a CR right
// before that LF is not part of it; a CR not followed by LF is dropped and the
// line goes on. A Ctrl-Z (0x1A) ends the line's text and the rest of that
// physical line is skipped; a Ctrl-Z at the start of a line ends the file.
// A last line without a break is read; an empty file has no line.
class LineReader {
public:
  // Opens the file for reading while others may read it too. Failure: a
  // RunError with the I/O text ("No se encuentra el archivo", ...).
  explicit LineReader(const std::filesystem::path& file);
  // Reads from memory (for tests and fuzzing).
  explicit LineReader(std::string_view bytes);

  // The next line into `line`; false at the end of the file.
  bool Next(std::string& line);
  void Close();

private:
  bool Fill();  // more bytes into buffer_; false at the end of the input
  platform::OpenFile file_;
  bool from_file_ = false;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool ended_ = false;  // a Ctrl-Z at the start of a line
};

// As a whole: lines end at CR LF, a lone LF or a lone CR; the text ends at the
// first NUL byte; Ctrl-Z is an ordinary byte; a break at the very end adds no
// empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Loads a file whole into lines. Failure: RunError
// "Cannot open file \"<path>\". <system text>".
std::vector<std::string> LoadLines(const std::filesystem::path& file);

}  // namespace tvz
