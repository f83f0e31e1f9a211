#pragma once
// A folder held by one conversion at a time, with nothing written into it:
// on Linux an flock() on the folder itself, on Windows a named mutex for the
// folder's full path. Both go away with the process, however it ends.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace tvz::platform {

namespace fs = std::filesystem;

class FolderLock {
public:
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  ~FolderLock() { Release(); }

  // kBusy: another holder (this process included) has the folder.
  // kUnavailable: no folder there (or it cannot be opened); nothing is held
  // and the run finds out for itself.
  enum class Result { kHeld, kBusy, kUnavailable };
  Result Acquire(const fs::path& folder);
  void Release();
  bool IsHeld() const { return handle_ != kNoHandle; }

private:
  // A directory's file descriptor on Linux, a mutex HANDLE on Windows.
  static constexpr std::intptr_t kNoHandle = -1;
  std::intptr_t handle_ = kNoHandle;
};

// The folders of one run, each held once (a folder named twice, by the same
// or another spelling, is held once). Returns the first folder that another
// run holds, having released what it took; none when all are held (or
// unavailable).
class FolderLocks {
public:
  std::optional<fs::path> Hold(const std::vector<fs::path>& folders);

private:
  std::vector<fs::path> held_folders_;
  std::vector<FolderLock> locks_;
};

}  // namespace tvz::platform
