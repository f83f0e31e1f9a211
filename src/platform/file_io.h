#pragma once
// File contents: a file held open with the sharing rules the tables need,
// whole-file reads, and writes that replace a file in one step.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tvz::platform {

namespace fs = std::filesystem;

// Reads a whole file. On failure returns nullopt and sets `native_error`.
std::optional<std::string> ReadWholeFile(const fs::path& file, int& native_error);

// Writes `bytes` to a new file beside `target` and puts it in place of
// `target` only once it is complete and flushed. On failure nothing at
// `target` has changed and no new file is left beside it; returns false and
// sets `native_error`.
bool ReplaceFileAtomically(const fs::path& target, std::string_view bytes, int& native_error);

// The two halves of ReplaceFileAtomically, for callers that must write
// several files before any of them takes its place: Write() leaves a new,
// complete and flushed file beside `target` (a temporary, as
// RemoveStaleTemporaries knows them); Commit() puts it in place of `target`
// in one step. Destroyed before Commit() succeeded, the new file is removed
// and `target` is as it was.
class PendingFile {
public:
  // What the new file's permissions are.
  enum class Permissions {
    kNew,         // as for any new file of this process
    kAsReplaced,  // those of the file it replaces, where there is one
  };
  PendingFile() = default;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  PendingFile(PendingFile&& other) noexcept;
  PendingFile& operator=(PendingFile&& other) noexcept;
  ~PendingFile();

  // False (and `native_error`) when the new file could not be written whole;
  // nothing is left beside `target` then.
  bool Write(const fs::path& target, std::string_view bytes, Permissions permissions,
             int& native_error);
  // REQUIRES: a successful Write(). False (and `native_error`): `target` is
  // unchanged and the file stays pending.
  bool Commit(int& native_error);
  const fs::path& Target() const { return target_; }

private:
  void Discard();
  fs::path target_, temp_;  // temp_ empty: nothing pending
};

// Renames `file` to a temporary beside it (one RemoveStaleTemporaries would
// clear), to put back by MoveBack() or remove. nullopt and `native_error`:
// `file` stays where it was.
std::optional<fs::path> MoveAside(const fs::path& file, int& native_error);
// Puts a file moved aside back under its name; false when it cannot.
bool MoveBack(const fs::path& aside, const fs::path& file);

// Removes from `folder` the temporaries that ReplaceFileAtomically leaves
// when a process dies while writing ("NAME.tvz-<12 hex digits>.tmp", regular
// files only), and nothing else. Only safe while no other run of this
// program writes into `folder` (the caller holds its FolderLock). Failures
// are ignored; returns how many were removed.
int RemoveStaleTemporaries(const fs::path& folder);

// A file held open for reading, optionally for exclusive use: while an
// exclusive handle is open no other program (on Linux: no other instance of
// this program, by an advisory lock) can open it exclusively. On Linux a
// file under another holder's POSIX record lock (fcntl or OFD) is in use as
// well: any such lock for exclusive use, a write lock for reading.
class OpenFile {
public:
  OpenFile() = default;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  OpenFile(OpenFile&& other) noexcept;
  OpenFile& operator=(OpenFile&& other) noexcept;
  ~OpenFile();

  enum class Result { kOk, kFailed, kInUse };
  enum class Sharing { kShared, kExclusive };
  enum class Access { kRead, kReadWrite };
  // Opens `file` for reading (and writing, with kReadWrite; a file that may
  // only be read is then opened for reading). kInUse means another program
  // holds it exclusively (or, with kExclusive, has it open).
  Result Open(const fs::path& file, Sharing sharing, Access access, int& native_error);
  // Reads the whole file from its start.
  std::optional<std::string> ReadAll(int& native_error);
  // Reads up to `size` bytes into `out`; returns the count, or -1 on error.
  std::int64_t Read(char* out, std::int64_t size, int& native_error);
  void Close();
  bool IsOpen() const { return handle_ != kNoHandle; }
  // Back to the start; `size` gets the file's size (0 when unknown).
  bool Rewind(std::int64_t& size, int& native_error);

private:
  // The system's handle: a file descriptor on Linux, a HANDLE on Windows;
  // -1 (also INVALID_HANDLE_VALUE) when closed.
  static constexpr std::intptr_t kNoHandle = -1;
  std::intptr_t handle_ = kNoHandle;
};

}  // namespace tvz::platform
