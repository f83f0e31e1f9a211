// File access on Linux: file descriptors, with flock() advisory locks
// standing in for Windows' sharing modes.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_io.h"
#include "platform/native.h"

namespace tvz::platform {

OpenFile::Result OpenFile::Open(const fs::path& file, Sharing sharing, Access access,
                                int& native_error) {
  Close();
  const bool exclusive = sharing == Sharing::kExclusive;
  const bool read_only = access == Access::kRead;
  int fd = ::open(file.c_str(), (read_only ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  if (fd < 0 && !read_only && (errno == EACCES || errno == EROFS))
    fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);  // a read-only file is read only
  if (fd < 0) {
    native_error = errno;
    return Result::kFailed;
  }
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    native_error = EISDIR;
    return Result::kFailed;
  }
  // Advisory locks: an exclusive user takes LOCK_EX, everybody else LOCK_SH,
  // so two instances of this program keep each other out as Windows does.
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    native_error = errno;
    ::close(fd);
    return native_error == EWOULDBLOCK ? Result::kInUse : Result::kFailed;
  }
  handle_ = fd;
  return Result::kOk;
}

std::int64_t OpenFile::Read(char* out, std::int64_t size, int& native_error) {
  const int fd = static_cast<int>(handle_);
  for (;;) {
    ssize_t n = ::read(fd, out, static_cast<std::size_t>(std::min<std::int64_t>(size, 1 << 30)));
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    native_error = errno;
    return -1;
  }
}

void OpenFile::Close() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
}

bool OpenFile::Rewind(std::int64_t& size, int& native_error) {
  const int fd = static_cast<int>(handle_);
  if (::lseek(fd, 0, SEEK_SET) < 0) {
    native_error = errno;
    return false;
  }
  struct stat st{};
  size = ::fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : 0;
  return true;
}

bool ReplaceFileAtomically(const fs::path& target, std::string_view bytes, int& native_error) {
  const fs::path temp = native::TempPathBeside(target);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    native_error = errno;
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      native_error = n < 0 ? errno : ENOSPC;
      ok = false;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  if (ok && ::fsync(fd) != 0) {
    native_error = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    native_error = errno;
    ok = false;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    native_error = errno;
    ok = false;
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace tvz::platform
