// The parts of file_io.h that are the same on every system; the system calls
// are in file_io_posix.cpp and file_io_win32.cpp.
#include "platform/file_io.h"

#include <random>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/native.h"

namespace tvz::platform {

OpenFile::OpenFile(OpenFile&& other) noexcept { *this = std::move(other); }

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, kNoHandle);
  }
  return *this;
}

OpenFile::~OpenFile() { Close(); }

std::optional<std::string> OpenFile::ReadAll(int& native_error) {
  std::int64_t size = 0;
  if (!Rewind(size, native_error)) return std::nullopt;
  std::string data;
  if (size > 0) data.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  for (;;) {
    std::int64_t n = Read(buffer, sizeof buffer, native_error);
    if (n < 0) return std::nullopt;
    if (n == 0) return data;
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

std::optional<std::string> ReadWholeFile(const fs::path& file, int& native_error) {
  OpenFile f;
  if (f.Open(file, OpenFile::Sharing::kShared, OpenFile::Access::kRead, native_error) != OpenFile::Result::kOk) return std::nullopt;
  return f.ReadAll(native_error);
}

namespace {

constexpr std::string_view kTempMark = ".tvz-";
constexpr std::string_view kTempEnd = ".tmp";
constexpr std::size_t kTempDigits = 12;

// "NAME.tvz-<12 lower-case hex digits>.tmp" with a NAME, as TempPathBeside
// makes them.
bool IsOwnTemporaryName(std::string_view name) {
  const std::size_t tail = kTempMark.size() + kTempDigits + kTempEnd.size();
  if (name.size() <= tail) return false;
  const std::string_view end = name.substr(name.size() - tail);
  if (end.substr(0, kTempMark.size()) != kTempMark) return false;
  if (end.substr(kTempMark.size() + kTempDigits) != kTempEnd) return false;
  for (char ch : end.substr(kTempMark.size(), kTempDigits)) {
    if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f'))) return false;
  }
  return true;
}

}  // namespace

int RemoveStaleTemporaries(const fs::path& folder) {
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!IsOwnTemporaryName(it->path().filename().string())) continue;
    std::error_code entry_ec;
    if (!fs::is_regular_file(fs::symlink_status(it->path(), entry_ec))) continue;
    if (fs::remove(it->path(), entry_ec)) ++removed;
  }
  return removed;
}

PendingFile::PendingFile(PendingFile&& other) noexcept { *this = std::move(other); }

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    temp_ = std::exchange(other.temp_, fs::path());
  }
  return *this;
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() {
  if (temp_.empty()) return;
  std::error_code ignored;
  fs::remove(temp_, ignored);
  temp_.clear();
}

bool PendingFile::Write(const fs::path& target, std::string_view bytes, Permissions permissions,
                        int& native_error) {
  Discard();
  const fs::path temp = native::TempPathBeside(target);
  if (!native::WriteNewFile(temp, bytes, native_error)) return false;
  target_ = target;
  temp_ = temp;
  if (permissions == Permissions::kAsReplaced && !native::TakePermissions(temp_, target_, native_error)) {
    Discard();
    return false;
  }
  return true;
}

bool PendingFile::Commit(int& native_error) {
  if (!native::RenameOver(temp_, target_, native_error)) return false;
  temp_.clear();
  return true;
}

bool ReplaceFileAtomically(const fs::path& target, std::string_view bytes, int& native_error) {
  PendingFile file;
  return file.Write(target, bytes, PendingFile::Permissions::kNew, native_error) &&
         file.Commit(native_error);
}

std::optional<fs::path> MoveAside(const fs::path& file, int& native_error) {
  fs::path aside = native::TempPathBeside(file);
  if (!native::RenameOver(file, aside, native_error)) return std::nullopt;
  return aside;
}

bool MoveBack(const fs::path& aside, const fs::path& file) {
  int ignored = 0;
  return native::RenameOver(aside, file, ignored);
}

namespace native {

fs::path TempPathBeside(const fs::path& target) {
  static std::mt19937_64 rng{std::random_device{}()};
  static const char digits[] = "0123456789abcdef";
  std::string suffix(kTempMark);
  auto v = rng();
  for (std::size_t i = 0; i < kTempDigits; ++i, v >>= 4) suffix += digits[v & 15];
  suffix += kTempEnd;
  fs::path temp = target;
  temp += suffix;
  return temp;
}

}  // namespace native

}  // namespace tvz::platform
