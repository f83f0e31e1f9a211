// Folder locks on Linux: flock() on the folder's own descriptor. The lock
// belongs to that open folder, so a second lock fails even in this process.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folder_lock.h"

namespace tvz::platform {

FolderLock::Result FolderLock::Acquire(const fs::path& folder) {
  Release();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Result::kUnavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? Result::kBusy : Result::kUnavailable;
  }
  handle_ = fd;
  return Result::kHeld;
}

void FolderLock::Release() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
}

}  // namespace tvz::platform
