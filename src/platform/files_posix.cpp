// File names on Linux: names are case-sensitive bytes, taken as UTF-8.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "core/ascii.h"
#include "platform/files.h"
#include "platform/native.h"
#include "platform/text_encoding.h"

namespace tvz::platform {

namespace native {

std::optional<fs::path> FindCaseVariant(const fs::path& folder, std::string_view name) {
  std::vector<fs::path> matches;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!ascii::EqualsNoCase(it->path().filename().string(), name)) continue;
    std::error_code type_ec;
    if (!fs::is_regular_file(it->path(), type_ec)) continue;
    matches.push_back(it->path());
  }
  if (matches.empty()) return std::nullopt;
  return *std::min_element(matches.begin(), matches.end());
}

}  // namespace native

EntryKind KindOf(const fs::path& p) {
  struct stat st{};
  if (::lstat(p.c_str(), &st) != 0) return EntryKind::kMissing;
  if (S_ISREG(st.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  if (S_ISLNK(st.st_mode)) return EntryKind::kLink;
  return EntryKind::kOther;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  struct stat sa{}, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

int FolderWriteError(const fs::path& folder) {
  struct stat st{};
  if (::stat(folder.c_str(), &st) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) return ENOTDIR;
  // With the effective ids, as the writes would be checked; a read-only
  // mount answers EROFS, an immutable folder EPERM.
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return errno;
  return 0;
}

fs::path DefaultWorkingFolder() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
    return fs::path(prefix) / "drive_c" / "VTEMP";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".wine" / "drive_c" / "VTEMP";
}

fs::path ExecutableFolder() {
  std::error_code ec;
  auto p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : p.parent_path();
}

std::string PathText(const fs::path& p) { return Cp1252FromUtf8(p.string()); }

}  // namespace tvz::platform
