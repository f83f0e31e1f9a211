// File names on Windows: the file system ignores letter case itself.
#include <windows.h>

#include "platform/files.h"
#include "platform/native.h"

namespace tvz::platform {

namespace native {

std::optional<fs::path> FindCaseVariant(const fs::path&, std::string_view) {
  return std::nullopt;  // names already ignore case
}

}  // namespace native

namespace {

// A handle that reads nothing, for the file's identity and type.
HANDLE OpenForQuery(const fs::path& p, DWORD access, DWORD flags) {
  return CreateFileW(p.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

}  // namespace

EntryKind KindOf(const fs::path& p) {
  const DWORD attributes = GetFileAttributesW(p.wstring().c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::kMissing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::kLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::kFolder;
  // A device name ("NUL", "COM1") has attributes too: what opens as
  // something other than a file on a disk is not a file. (A handle without
  // access rights opens whatever share mode others hold the file with.)
  HANDLE h = OpenForQuery(p, 0, FILE_FLAG_OPEN_REPARSE_POINT);
  if (h == INVALID_HANDLE_VALUE) return EntryKind::kFile;
  const DWORD type = GetFileType(h);
  CloseHandle(h);
  return type == FILE_TYPE_DISK ? EntryKind::kFile : EntryKind::kOther;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  BY_HANDLE_FILE_INFORMATION info[2] = {};
  const fs::path* paths[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    HANDLE h = OpenForQuery(*paths[i], 0, 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(h, &info[i]);
    CloseHandle(h);
    if (!ok) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

int FolderWriteError(const fs::path& folder) {
  const DWORD attributes = GetFileAttributesW(folder.wstring().c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return static_cast<int>(GetLastError());
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_DIRECTORY;
  // The rights to add files and folders, asked for without using them: the
  // folder's access list and a read-only disk answer.
  HANDLE h = OpenForQuery(folder, FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY, 0);
  if (h == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  CloseHandle(h);
  return 0;
}

fs::path DefaultWorkingFolder() { return fs::path("C:\\VTEMP"); }

fs::path ExecutableFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return fs::path(buffer).parent_path();
}

std::string PathText(const fs::path& p) { return p.string(); }

}  // namespace tvz::platform
