// File access on Windows: HANDLEs with sharing modes.
#include <windows.h>

#include <algorithm>

#include "platform/file_io.h"
#include "platform/native.h"
#include "platform/system_errors.h"

namespace tvz::platform {

namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

OpenFile::Result OpenFile::Open(const fs::path& file, Sharing sharing, Access access,
                                int& native_error) {
  Close();
  const bool exclusive = sharing == Sharing::kExclusive;
  const bool read_only = access == Access::kRead;
  DWORD rights = GENERIC_READ | (read_only ? 0 : GENERIC_WRITE);
  // Readers let others read but not write, as the ZARP files were always read;
  // writers share both ways; exclusive users share nothing.
  DWORD share = exclusive ? 0 : (read_only ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE);
  HANDLE h = CreateFileW(file.wstring().c_str(), rights, share, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && !read_only && GetLastError() == ERROR_ACCESS_DENIED) {
    // A read-only file is opened for reading only.
    h = CreateFileW(file.wstring().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (h == INVALID_HANDLE_VALUE) {
    native_error = static_cast<int>(GetLastError());
    return native_error == ERROR_SHARING_VIOLATION || native_error == ERROR_LOCK_VIOLATION
               ? Result::kInUse
               : Result::kFailed;
  }
  // Only a file on a disk is read: a pipe, a console or a device is refused.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    native_error = kErrorNotAFile;
    return Result::kFailed;
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return Result::kOk;
}

std::int64_t OpenFile::Read(char* out, std::int64_t size, int& native_error) {
  DWORD got = 0;
  DWORD want = static_cast<DWORD>(std::min<std::int64_t>(size, 1 << 30));
  if (!ReadFile(AsHandle(handle_), out, want, &got, nullptr)) {
    native_error = static_cast<int>(GetLastError());
    return -1;
  }
  return got;
}

void OpenFile::Close() {
  if (handle_ != kNoHandle) CloseHandle(AsHandle(handle_));
  handle_ = kNoHandle;
}

bool OpenFile::Rewind(std::int64_t& size, int& native_error) {
  LARGE_INTEGER zero{}, length{};
  if (!SetFilePointerEx(AsHandle(handle_), zero, nullptr, FILE_BEGIN)) {
    native_error = static_cast<int>(GetLastError());
    return false;
  }
  size = GetFileSizeEx(AsHandle(handle_), &length) ? length.QuadPart : 0;
  return true;
}

namespace native {

bool WriteNewFile(const fs::path& file, std::string_view bytes, int& native_error) {
  HANDLE h = CreateFileW(file.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    native_error = static_cast<int>(GetLastError());
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    DWORD written = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  if (ok) ok = FlushFileBuffers(h);
  if (!ok) native_error = static_cast<int>(GetLastError());
  CloseHandle(h);
  if (!ok) DeleteFileW(file.wstring().c_str());
  return ok;
}

bool TakePermissions(const fs::path&, const fs::path&, int&) {
  // A read-only file is never replaced (the rename over it is refused), so
  // the file a new one replaces is writable, as a new file is.
  return true;
}

bool RenameOver(const fs::path& from, const fs::path& to, int& native_error) {
  if (MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  native_error = static_cast<int>(GetLastError());
  return false;
}

}  // namespace native

}  // namespace tvz::platform
