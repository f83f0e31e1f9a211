// The parts of file_io.h that are the same on every system; the system calls
// are in file_io_posix.cpp and file_io_win32.cpp.
#include "platform/file_io.h"

#include <random>
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

namespace native {

fs::path TempPathBeside(const fs::path& target) {
  static std::mt19937_64 rng{std::random_device{}()};
  static const char digits[] = "0123456789abcdef";
  std::string suffix = ".tvz-";
  auto v = rng();
  for (int i = 0; i < 12; ++i, v >>= 4) suffix += digits[v & 15];
  fs::path temp = target;
  temp += suffix + ".tmp";
  return temp;
}

}  // namespace native

}  // namespace tvz::platform
