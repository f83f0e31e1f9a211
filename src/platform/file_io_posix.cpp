// File access on Linux: file descriptors, with flock() advisory locks
// standing in for Windows' sharing modes, and a probe for POSIX record locks.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_io.h"
#include "platform/native.h"
#include "platform/system_errors.h"

namespace tvz::platform {

namespace {

// Whether another holder has a POSIX record lock (fcntl or open file
// description lock) on some part of the file that clashes with this use:
// any lock for exclusive use, a write lock for reading. Unix programs take
// such locks, and Wine turns a Windows program's LockFile ranges into them
// (held by wineserver); flock() does not see them. An open-file-description
// probe first; kernels without it answer EINVAL and get the classic one.
bool RecordLockClashes(int fd, bool exclusive) {
  const auto probe_with = [&](int command, bool& answered) {
    struct flock probe{};
    probe.l_type = exclusive ? F_WRLCK : F_RDLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0;  // the whole file, however long it grows
    answered = ::fcntl(fd, command, &probe) == 0;
    return answered && probe.l_type != F_UNLCK;
  };
  bool answered = false;
#ifdef F_OFD_GETLK
  const bool clash = probe_with(F_OFD_GETLK, answered);
  if (answered || errno != EINVAL) return clash;
#endif
  return probe_with(F_GETLK, answered);
}

}  // namespace

OpenFile::Result OpenFile::Open(const fs::path& file, Sharing sharing, Access access,
                                int& native_error) {
  Close();
  const bool exclusive = sharing == Sharing::kExclusive;
  const bool read_only = access == Access::kRead;
  // O_NONBLOCK: opening a FIFO or a device must never wait; anything but a
  // regular file is refused before a byte is read.
  constexpr int kFlags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  int fd = ::open(file.c_str(), (read_only ? O_RDONLY : O_RDWR) | kFlags);
  if (fd < 0 && !read_only && (errno == EACCES || errno == EROFS))
    fd = ::open(file.c_str(), O_RDONLY | kFlags);  // a read-only file is read only
  if (fd < 0) {
    native_error = errno;
    return Result::kFailed;
  }
  struct stat st{};
  const bool stat_ok = ::fstat(fd, &st) == 0;
  if (!stat_ok || !S_ISREG(st.st_mode)) {
    native_error = !stat_ok ? errno : S_ISDIR(st.st_mode) ? EISDIR : kErrorNotAFile;
    ::close(fd);
    return Result::kFailed;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  // Advisory locks: an exclusive user takes LOCK_EX, everybody else LOCK_SH,
  // so two instances of this program keep each other out as Windows does.
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    native_error = errno;
    ::close(fd);
    return native_error == EWOULDBLOCK ? Result::kInUse : Result::kFailed;
  }
  if (RecordLockClashes(fd, exclusive)) {
    ::close(fd);
    native_error = EWOULDBLOCK;
    return Result::kInUse;
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

namespace native {

bool WriteNewFile(const fs::path& file, std::string_view bytes, int& native_error) {
  int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
  if (!ok) ::unlink(file.c_str());
  return ok;
}

bool TakePermissions(const fs::path& file, const fs::path& model, int& native_error) {
  struct stat st{};
  if (::stat(model.c_str(), &st) != 0) return true;
  // The owner only where this process may give it (root); the mode always.
  if (::geteuid() == 0) (void)::chown(file.c_str(), st.st_uid, st.st_gid);
  if (::chmod(file.c_str(), st.st_mode & 07777) != 0) {
    native_error = errno;
    return false;
  }
  return true;
}

bool RenameOver(const fs::path& from, const fs::path& to, int& native_error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  native_error = errno;
  return false;
}

}  // namespace native

}  // namespace tvz::platform
