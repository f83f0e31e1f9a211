#pragma once
// The two ways the program reads a ZARP text file.
#include <cstddef>
#include <iterator>
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

  // The next line into `line`; false at the end of the file. A line too long
  // for the memory left: RunError "No hay memoria suficiente para leer el
  // archivo ...".
  bool Next(std::string& line);
  void Close();

private:
  bool Fill();  // more bytes into buffer_; false at the end of the input
  bool ReadLine(std::string& line);
  platform::OpenFile file_;
  std::string name_;  // the file as program text
  bool from_file_ = false;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool ended_ = false;  // a Ctrl-Z at the start of a line
};

// As a whole: lines end at CR LF, a lone LF or a lone CR; the text ends at the
// first NUL byte; Ctrl-Z is an ordinary byte; a break at the very end adds no
// empty line. The text is kept in one buffer and the lines are views into it,
// found as they are walked: a file of ten million empty lines costs no more
// than its bytes. A TextLines must not be moved while its lines are walked.
class TextLines {
public:
  class Iterator {
  public:
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using iterator_category = std::forward_iterator_tag;
    Iterator() = default;
    std::string_view operator*() const { return line_; }
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const Iterator& other) const {
      return at_end_ == other.at_end_ && (at_end_ || next_ == other.next_);
    }

  private:
    friend class TextLines;
    Iterator(std::string_view text, std::size_t from);
    std::string_view text_;
    std::string_view line_;
    std::size_t next_ = 0;  // where the line after this one starts
    bool at_end_ = true;
  };

  TextLines() = default;
  explicit TextLines(std::string text);
  Iterator begin() const { return Iterator(Text(), 0); }
  Iterator end() const { return Iterator(); }
  bool empty() const { return Text().empty(); }
  std::string_view front() const { return *begin(); }  // not on an empty text
  std::string_view back() const;                        // not on an empty text

private:
  std::string_view Text() const { return std::string_view(bytes_).substr(0, length_); }
  std::string bytes_;
  std::size_t length_ = 0;  // up to the first NUL
};

// The lines of `text` as strings (SplitLines' rules).
std::vector<std::string> SplitLines(std::string_view text);

// Loads a file whole and splits it into lines. Failure: RunError
// "Cannot open file \"<path>\". <system text>"; when there is not memory
// enough for the file, "No hay memoria suficiente para leer el archivo ...".
TextLines LoadLines(const std::filesystem::path& file);

}  // namespace tvz
