#pragma once
// The two ways the program reads a ZARP text file. Both read a file in the
// encoding it was saved in (records/text_decoding.h): a cp1252 file byte for
// byte, a Unicode one decoded to cp1252 before its lines are split, so that
// the record grammar always sees cp1252 and its columns count characters.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/report.h"
#include "platform/file_io.h"
#include "records/text_decoding.h"

namespace tvz {

// Where a reader tells the run what it found in a file besides its records,
// each as a warning of the run's report: the encoding of a decoded file
// (codificacion), the lines where a character cp1252 lacks became '?'
// (caracteres_sustituidos), CR line ends (saltos_de_linea), a Ctrl-Z that
// ends the file before its data (fin_anticipado), data lines with tabs
// (tabuladores). Without a report nothing is told. The views must outlive
// the reader.
struct ReadingReport {
  Informe* informe = nullptr;
  std::string_view tabla;    // what the run is making: "PROFT", "ZARP_HORARIO.TXT"
  std::string_view fichero;  // the file's name in capitals: "ZARP_PROF.TXT"
  // The name of the name check of the file's data lines (zarp_record.h);
  // empty when the run reads no data line of the file (the import takes only
  // the header), and then their tabs are not told.
  std::string_view record_name;
};

// Line by line, streaming. A line is every byte up to the next LF; a CR right
// before that LF is not part of it; a CR not followed by LF is dropped and the
// line goes on. A file without any LF whose lines end with CR (as old Mac
// editors save them) has CR as its line end instead. A Ctrl-Z (0x1A) ends
// the line's text and the rest of that physical line is skipped; a Ctrl-Z at
// the start of a line ends the file. A last line without a break is read; an
// empty file has no line. A cp1252 file is scanned once (for its encoding
// and its line end) and then read in chunks; a Unicode file is read and
// decoded whole.
class LineReader {
public:
  // Opens the file for reading while others may read it too, and classifies
  // it. Failure: a RunError with the I/O text ("No se encuentra el archivo",
  // ...), or naming the file when its bytes break their encoding.
  explicit LineReader(const std::filesystem::path& file, const ReadingReport& report = {});
  // Reads from memory (for tests and fuzzing), classified and decoded as a
  // file is; errors name report.fichero.
  explicit LineReader(std::string_view bytes, const ReadingReport& report = {});

  // The next line into `line`; false at the end of the file. A line too long
  // for the memory left: RunError "No hay memoria suficiente para leer el
  // archivo ...".
  bool Next(std::string& line);
  void Close();

private:
  // Takes the classified input: a cp1252 file is read from its start, a
  // Unicode one from `decoded`.
  void Start(const EncodingScan& scan, bool whole);
  void StartDecoded(std::string bytes, TextEncoding encoding);
  bool Fill();  // more bytes into buffer_; false at the end of the input
  bool ReadLine(std::string& line);
  // What the line just read holds that the report tells.
  void NoteLine(const std::string& line, std::size_t begin, std::size_t end);
  // A Ctrl-Z at the start of a line ended the file: tells how many lines it
  // left unread, when data follows it.
  void NoteEarlyEnd();
  platform::OpenFile file_;
  std::string name_;  // the file as program text
  bool from_file_ = false;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool ended_ = false;  // a Ctrl-Z at the start of a line
  char end_ = '\n';     // the line end: LF, or CR in a file without LF
  bool tabs_ = true;    // false when the scan went through the whole file and saw no tab
  ReadingReport report_;
  std::uint64_t line_number_ = 0;
  // A decoded file: where its characters cp1252 lacks are (ascending; the
  // whole text stays in buffer_), and the next one not yet reached.
  std::vector<std::size_t> replaced_;
  std::size_t next_replaced_ = 0;
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
  // The text the lines are split from: up to the first NUL.
  std::string_view Text() const { return std::string_view(bytes_).substr(0, length_); }

private:
  std::string bytes_;
  std::size_t length_ = 0;  // up to the first NUL
};

// The lines of `text` as strings (SplitLines' rules).
std::vector<std::string> SplitLines(std::string_view text);

// Loads a file whole, decodes it when it is Unicode and splits it into
// lines (what the report tells is as LineReader's, but for the Ctrl-Z, an
// ordinary byte here; a file without LF is already split at its CRs).
// Failure: RunError "Cannot open file \"<path>\". <system text>"; when
// there is not memory enough for the file, "No hay memoria suficiente para
// leer el archivo ..."; bytes that break their encoding, as LineReader.
TextLines LoadLines(const std::filesystem::path& file, const ReadingReport& report = {});
// LoadLines over bytes already read; errors name `file_text`.
TextLines LinesOf(std::string bytes, const ReadingReport& report = {},
                  std::string_view file_text = {});

}  // namespace tvz
