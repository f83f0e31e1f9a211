// The parts of folder_lock.h that are the same on every system.
#include "platform/folder_lock.h"

#include <system_error>
#include <utility>

namespace tvz::platform {

FolderLock::FolderLock(FolderLock&& other) noexcept { *this = std::move(other); }

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, kNoHandle);
  }
  return *this;
}

namespace {

// The folder without a trailing separator ("dir/" is "dir"), which
// fs::equivalent does not take everywhere.
fs::path WithoutTrailingSeparator(const fs::path& folder) {
  const fs::path normal = folder.lexically_normal();
  return !normal.has_filename() && normal.has_relative_path() ? normal.parent_path() : normal;
}

}  // namespace

std::optional<fs::path> FolderLocks::Hold(const std::vector<fs::path>& folders) {
  for (const fs::path& folder : folders) {
    bool again = false;
    for (const fs::path& held : held_folders_) {
      std::error_code ec;
      if (fs::equivalent(WithoutTrailingSeparator(held), WithoutTrailingSeparator(folder), ec))
        again = true;
    }
    if (again) continue;
    FolderLock lock;
    switch (lock.Acquire(folder)) {
      case FolderLock::Result::kHeld:
        held_folders_.push_back(folder);
        locks_.push_back(std::move(lock));
        break;
      case FolderLock::Result::kBusy:
        locks_.clear();
        held_folders_.clear();
        return folder;
      case FolderLock::Result::kUnavailable:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace tvz::platform
