#pragma once
// Files by name: look-up that ignores ASCII letter case as Windows does, the
// program's folders, and paths as program text.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tvz::platform {

namespace fs = std::filesystem;

// A file name as the program spells it ("zarp_prof.txt") found in `folder`
// without regard to ASCII letter case, as Windows does: the exact spelling
// first, then the first match in name order. Only regular files count. On
// Windows this is a plain existence check.
std::optional<fs::path> FindFile(const fs::path& folder, std::string_view name);

// The path to use for writing `name` in `folder`: an existing file whose name
// differs only in letter case is reused (so a folder never ends up holding
// "ZARP_HORARIO.TXT" and "zarp_horario.txt"); otherwise folder / name.
fs::path PathForWriting(const fs::path& folder, std::string_view name);

bool DirectoryExists(const fs::path& dir);

// What a name is, the name itself and not what a link leads to.
enum class EntryKind {
  kMissing,
  kFile,    // a regular file
  kFolder,
  kLink,    // a symbolic link; on Windows any reparse point (a link, a junction)
  kOther,   // a FIFO, a device, a socket
};
EntryKind KindOf(const fs::path& p);

// Whether `a` and `b` are the same file or folder by identity (device and
// inode; volume and file index), whatever the spelling, links followed.
// False when either is not there.
bool SameFile(const fs::path& a, const fs::path& b);

// 0 when this process may add files and folders to the folder `folder`,
// checked without writing anything; else the native error (a read-only disk,
// access denied, not a folder).
int FolderWriteError(const fs::path& folder);

// Removes a file if it exists; failures are ignored.
void RemoveIfExists(const fs::path& file);

// The working folder a Windows program sees as C:\VTEMP: C:\VTEMP itself on
// Windows; on Linux $WINEPREFIX/drive_c/VTEMP, else ~/.wine/drive_c/VTEMP.
fs::path DefaultWorkingFolder();

// The folder of the running executable.
fs::path ExecutableFolder();

// A path as program text (cp1252): Windows' ANSI spelling of it; on Linux
// its UTF-8 name converted ('?' for what cp1252 lacks).
std::string PathText(const fs::path& p);

}  // namespace tvz::platform
