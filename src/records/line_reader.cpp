#include "records/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>

#include "core/errors.h"
#include "records/zarp_record.h"
#include "platform/files.h"
#include "platform/system_errors.h"

namespace tvz {

namespace {

// The first `a` or `b` in `text` (npos when neither is there), in one pass:
// find_first_of with a set of two looks each byte up in the set with a call
// of its own, the greater part of reading a file.
std::size_t FindEither(std::string_view text, char a, char b) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == a || text[i] == b) return i;
  }
  return std::string_view::npos;
}

}  // namespace


namespace {

constexpr char kCtrlZ = '\x1A';
constexpr std::size_t kChunk = 1 << 16;

void Tell(const ReadingReport& report, AvisoTipo tipo, std::uint64_t linea, std::string valor) {
  if (report.informe == nullptr) return;
  Aviso a;
  a.tipo = tipo;
  a.tabla = std::string(report.tabla);
  a.fichero = std::string(report.fichero);
  a.linea = linea;
  a.valor = std::move(valor);
  report.informe->Add(std::move(a));
}

// What the report says about a whole file: its encoding, its line end.
void TellFile(const ReadingReport& report, TextEncoding encoding, char line_end) {
  if (encoding != TextEncoding::kCp1252) Tell(report, AvisoTipo::kCodificacion, 0, EncodingName(encoding));
  if (line_end == '\r') Tell(report, AvisoTipo::kSaltosDeLinea, 0, "");
}

// What the report says about one line: the characters cp1252 lacks in it
// (`replaced` of them) and, on a data line, its tabs.
void TellLine(const ReadingReport& report, std::uint64_t number, std::string_view line,
              std::size_t replaced) {
  if (replaced > 0) Tell(report, AvisoTipo::kCaracteresSustituidos, number, std::to_string(replaced));
  if (report.record_name.empty() || std::memchr(line.data(), '\t', line.size()) == nullptr) return;
  if (IsSkippedRecord(line, report.record_name)) return;
  Tell(report, AvisoTipo::kTabuladores, number,
       std::to_string(std::count(line.begin(), line.end(), '\t')));
}

// The line end of a text: CR when it holds CRs and no LF, else LF.
char LineEnd(bool has_lf, bool has_cr) { return !has_lf && has_cr ? '\r' : '\n'; }

}  // namespace

LineReader::LineReader(const std::filesystem::path& file, const ReadingReport& report)
    : name_(platform::PathText(file)), from_file_(true), report_(report) {
  int error = 0;
  auto result = file_.Open(file, platform::OpenFile::Sharing::kShared,
                           platform::OpenFile::Access::kRead, error);
  if (result == platform::OpenFile::Result::kInUse) throw RunError(IoErrorText(32));
  if (error == platform::kErrorNotAFile) {
    throw RunError("No se puede leer el archivo \"" + name_ + "\": " +
                   platform::SystemErrorText(error));
  }
  if (result != platform::OpenFile::Result::kOk)
    throw RunError(IoErrorText(platform::IoCodeFromNative(error)));
  // The scan goes through the file before any line is read, in chunks, and
  // stops as soon as the answer is known (a cp1252 file with accented
  // letters: at the first of them and the first LF).
  EncodingScan scan;
  buffer_.resize(kChunk);
  bool whole = false;  // the scan went through the whole file
  for (;;) {
    const std::int64_t n = file_.Read(buffer_.data(), kChunk, error);
    if (n < 0) throw RunError(IoErrorText(platform::IoCodeFromNative(error)));
    whole = n == 0;
    if (whole) break;
    scan.Add(std::string_view(buffer_.data(), static_cast<std::size_t>(n)));
    if (scan.Settled()) break;
  }
  buffer_.clear();
  std::int64_t size = 0;
  if (scan.Encoding() == TextEncoding::kCp1252) {
    if (!file_.Rewind(size, error)) throw RunError(IoErrorText(platform::IoCodeFromNative(error)));
    Start(scan, whole);
    return;
  }
  std::optional<std::string> bytes;
  try {
    bytes = file_.ReadAll(error);
  } catch (const std::bad_alloc&) {
    ThrowNoMemory(name_);
  }
  if (!bytes) throw RunError(IoErrorText(platform::IoCodeFromNative(error)));
  file_.Close();
  StartDecoded(std::move(*bytes), scan.Encoding());
}

LineReader::LineReader(std::string_view bytes, const ReadingReport& report)
    : name_(report.fichero), report_(report) {
  EncodingScan scan;
  scan.Add(bytes);
  if (scan.Encoding() == TextEncoding::kCp1252) {
    buffer_ = bytes;
    eof_ = true;
    Start(scan, true);
  } else {
    StartDecoded(std::string(bytes), scan.Encoding());
  }
}

void LineReader::Start(const EncodingScan& scan, bool whole) {
  end_ = LineEnd(scan.HasLf(), scan.HasCr());
  tabs_ = !whole || scan.HasTab();
  TellFile(report_, TextEncoding::kCp1252, end_);
}

void LineReader::StartDecoded(std::string bytes, TextEncoding encoding) {
  try {
    DecodedText decoded = DecodeText(bytes, encoding, name_);
    bytes = std::string();
    buffer_ = std::move(decoded.text);
    replaced_ = std::move(decoded.replaced);
  } catch (const std::bad_alloc&) {
    ThrowNoMemory(name_);
  }
  eof_ = true;
  end_ = LineEnd(buffer_.find('\n') != std::string::npos, buffer_.find('\r') != std::string::npos);
  TellFile(report_, encoding, end_);
}

void LineReader::Close() {
  file_.Close();
  ended_ = true;
}

bool LineReader::Fill() {
  if (eof_ || !from_file_ || !file_.IsOpen()) {
    eof_ = true;
    return false;
  }
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  const std::size_t old = buffer_.size();
  buffer_.resize(old + kChunk);
  int error = 0;
  std::int64_t n = file_.Read(buffer_.data() + old, kChunk, error);
  if (n < 0) {
    buffer_.resize(old);
    throw RunError(IoErrorText(platform::IoCodeFromNative(error)));
  }
  buffer_.resize(old + static_cast<std::size_t>(n));
  if (n == 0) eof_ = true;
  return n > 0;
}

bool LineReader::Next(std::string& line) {
  try {
    return ReadLine(line);
  } catch (const std::bad_alloc&) {
    if (!from_file_) throw;
    line = std::string();
    ThrowNoMemory(name_);
  }
}

bool LineReader::ReadLine(std::string& line) {
  line.clear();
  if (ended_) return false;
  // Nothing left at all: no further line.
  while (pos_ >= buffer_.size())
    if (!Fill()) return false;
  if (buffer_[pos_] == kCtrlZ) {
    ended_ = true;
    NoteEarlyEnd();
    return false;
  }
  // A decoded text is never erased from buffer_: where the line begins there.
  const std::size_t begin = pos_;
  // Inside a line: the CR that is dropped where LF ends lines; nothing (the
  // Ctrl-Z again) where CR does.
  const char dropped = end_ == '\n' ? '\r' : kCtrlZ;
  bool in_text = true;  // false after a Ctrl-Z: the rest of the line is skipped
  for (;;) {
    const char* start = buffer_.data() + pos_;
    const std::size_t available = buffer_.size() - pos_;
    const char* stop = static_cast<const char*>(std::memchr(start, end_, available));
    const std::size_t length = stop ? static_cast<std::size_t>(stop - start) : available;
    // Every CR is dropped: before LF it ends nothing by itself, alone it is
    // skipped and the line goes on.
    std::string_view rest(start, length);
    while (in_text && !rest.empty()) {
      const std::size_t special = FindEither(rest, dropped, kCtrlZ);
      line.append(rest.substr(0, special));
      if (special == std::string_view::npos) break;
      if (rest[special] == kCtrlZ) in_text = false;
      rest.remove_prefix(special + 1);
    }
    pos_ += length;
    if (stop) {
      ++pos_;
      break;
    }
    if (!Fill()) break;  // last line without a break
  }
  ++line_number_;
  // Most lines have nothing to tell: a cp1252 file scanned whole without a
  // tab (most ASCII files) needs no look at its lines.
  if (report_.informe != nullptr && (tabs_ || next_replaced_ < replaced_.size()))
    NoteLine(line, begin, pos_);
  return true;
}

void LineReader::NoteLine(const std::string& line, std::size_t begin, std::size_t end) {
  std::size_t replaced = 0;
  for (; next_replaced_ < replaced_.size() && replaced_[next_replaced_] < end; ++next_replaced_)
    if (replaced_[next_replaced_] >= begin) ++replaced;
  TellLine(report_, line_number_, line, replaced);
}

void LineReader::NoteEarlyEnd() {
  if (report_.informe == nullptr) return;
  // The physical lines from the Ctrl-Z on, and whether any holds data (a
  // byte other than blanks, controls and Ctrl-Z).
  std::uint64_t lines = 0;
  bool data = false, open_line = false;
  do {
    for (; pos_ < buffer_.size(); ++pos_) {
      const char c = buffer_[pos_];
      if (c == end_) {
        ++lines;
        open_line = false;
        continue;
      }
      open_line = true;
      if (static_cast<unsigned char>(c) > 32 && c != kCtrlZ) data = true;
    }
  } while (Fill());
  if (open_line) ++lines;
  if (data) Tell(report_, AvisoTipo::kFinAnticipado, line_number_ + 1, std::to_string(lines));
}

TextLines::Iterator::Iterator(std::string_view text, std::size_t from) : text_(text) {
  next_ = from;
  ++*this;
}

TextLines::Iterator& TextLines::Iterator::operator++() {
  const std::size_t start = next_;
  if (start >= text_.size()) {
    *this = Iterator();
    return *this;
  }
  at_end_ = false;
  std::size_t stop = FindEither(text_.substr(start), '\r', '\n');
  if (stop != std::string_view::npos) stop += start;
  if (stop == std::string_view::npos) {
    line_ = text_.substr(start);
    next_ = text_.size();
  } else {
    line_ = text_.substr(start, stop - start);
    next_ = stop + 1;
    if (text_[stop] == '\r' && next_ < text_.size() && text_[next_] == '\n') ++next_;
  }
  return *this;
}

TextLines::TextLines(std::string text) : bytes_(std::move(text)) {
  length_ = std::min(bytes_.find('\0'), bytes_.size());
}

std::string_view TextLines::back() const {
  std::string_view last;
  for (std::string_view line : *this) last = line;
  return last;
}

std::vector<std::string> SplitLines(std::string_view text) {
  const TextLines lines{std::string(text)};
  std::vector<std::string> out;
  for (std::string_view line : lines) out.emplace_back(line);
  return out;
}

TextLines LoadLines(const std::filesystem::path& file, const ReadingReport& report) {
  int error = 0;
  std::optional<std::string> bytes;
  const std::string name = platform::PathText(file);
  try {
    bytes = platform::ReadWholeFile(file, error);
  } catch (const std::bad_alloc&) {
    ThrowNoMemory(name);
  }
  if (!bytes) {
    throw RunError("Cannot open file \"" + name + "\". " + platform::SystemErrorText(error));
  }
  return LinesOf(std::move(*bytes), report, name);
}

TextLines LinesOf(std::string bytes, const ReadingReport& report, std::string_view file_text) {
  const TextEncoding encoding = ClassifyText(bytes);
  DecodedText decoded;
  if (encoding == TextEncoding::kCp1252) {
    decoded.text = std::move(bytes);
  } else {
    try {
      decoded = DecodeText(bytes, encoding, file_text.empty() ? report.fichero : file_text);
    } catch (const std::bad_alloc&) {
      ThrowNoMemory(file_text);
    }
    bytes = std::string();
  }
  TextLines lines(std::move(decoded.text));
  if (report.informe == nullptr) return lines;
  const std::string_view text = lines.Text();
  TellFile(report, encoding,
           LineEnd(text.find('\n') != std::string_view::npos, text.find('\r') != std::string_view::npos));
  // The lines are walked again only when one may have something to tell.
  if (decoded.replaced.empty() && text.find('\t') == std::string_view::npos) return lines;
  auto next = decoded.replaced.begin();
  std::uint64_t number = 0;
  for (std::string_view line : lines) {
    ++number;
    const std::size_t begin = static_cast<std::size_t>(line.data() - text.data());
    std::size_t replaced = 0;
    for (; next != decoded.replaced.end() && *next <= begin + line.size(); ++next)
      if (*next >= begin) ++replaced;
    TellLine(report, number, line, replaced);
  }
  return lines;
}

}  // namespace tvz
