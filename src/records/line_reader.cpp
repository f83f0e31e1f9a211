#include "records/line_reader.h"

#include <cstring>

#include "core/errors.h"
#include "platform/system_errors.h"

namespace tvz {

namespace {
constexpr char kCtrlZ = '\x1A';
constexpr std::size_t kChunk = 1 << 16;
}  // namespace

LineReader::LineReader(const std::filesystem::path& file) : from_file_(true) {
  int error = 0;
  auto result = file_.Open(file, platform::OpenFile::Sharing::kShared,
                           platform::OpenFile::Access::kRead, error);
  if (result == platform::OpenFile::Result::kInUse) throw RunError(IoErrorText(32));
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
      const std::size_t special = rest.find_first_of("\r\x1A");
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

std::vector<std::string> SplitLines(std::string_view text) {
  if (auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch != '\r' && ch != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> LoadLines(const std::filesystem::path& file) {
  int error = 0;
  auto bytes = platform::ReadWholeFile(file, error);
  if (!bytes) {
    throw RunError("Cannot open file \"" + file.string() + "\". " +
                   platform::SystemErrorText(error));
  }
  return SplitLines(*bytes);
}

}  // namespace tvz
