#include "records/line_reader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

#include "core/errors.h"
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
}  // namespace

LineReader::LineReader(const std::filesystem::path& file)
    : name_(platform::PathText(file)), from_file_(true) {
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
}

LineReader::LineReader(std::string_view bytes) : buffer_(bytes), eof_(true) {}

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
    return false;
  }
  bool in_text = true;  // false after a Ctrl-Z: the rest of the line is skipped
  for (;;) {
    const char* begin = buffer_.data() + pos_;
    const std::size_t available = buffer_.size() - pos_;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', available));
    const std::size_t length = lf ? static_cast<std::size_t>(lf - begin) : available;
    // Every CR is dropped: before LF it ends nothing by itself, alone it is
    // skipped and the line goes on.
    std::string_view rest(begin, length);
    while (in_text && !rest.empty()) {
      const std::size_t special = FindEither(rest, '\r', kCtrlZ);
      line.append(rest.substr(0, special));
      if (special == std::string_view::npos) break;
      if (rest[special] == kCtrlZ) in_text = false;
      rest.remove_prefix(special + 1);
    }
    pos_ += length;
    if (lf) {
      ++pos_;
      return true;
    }
    if (!Fill()) return true;  // last line without a break
  }
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

TextLines LoadLines(const std::filesystem::path& file) {
  int error = 0;
  std::optional<std::string> bytes;
  try {
    bytes = platform::ReadWholeFile(file, error);
  } catch (const std::bad_alloc&) {
    ThrowNoMemory(platform::PathText(file));
  }
  if (!bytes) {
    throw RunError("Cannot open file \"" + platform::PathText(file) + "\". " +
                   platform::SystemErrorText(error));
  }
  return TextLines(std::move(*bytes));
}

}  // namespace tvz
