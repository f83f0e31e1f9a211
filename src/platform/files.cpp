#include "platform/files.h"

#include <system_error>

#include "platform/native.h"

namespace tvz::platform {

namespace {

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

}  // namespace

std::optional<fs::path> FindFile(const fs::path& folder, std::string_view name) {
  fs::path exact = folder / fs::path(std::string(name));
  if (IsRegularFile(exact)) return exact;
  return native::FindCaseVariant(folder, name);
}

fs::path PathForWriting(const fs::path& folder, std::string_view name) {
  if (auto existing = FindFile(folder, name)) return *existing;
  return folder / fs::path(std::string(name));
}

bool DirectoryExists(const fs::path& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(dir, ec);
}

void RemoveIfExists(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
}

}  // namespace tvz::platform
