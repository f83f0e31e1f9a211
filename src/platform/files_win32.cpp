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

fs::path DefaultWorkingFolder() { return fs::path("C:\\VTEMP"); }

fs::path ExecutableFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return fs::path(buffer).parent_path();
}

std::string PathText(const fs::path& p) { return p.string(); }

}  // namespace tvz::platform
