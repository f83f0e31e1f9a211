#pragma once
// Scratch folders and whole files for the tests and the fuzz targets (no
// test framework here).
#include <filesystem>
#include <string>
#include <string_view>

namespace tvz::test {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder (TMPDIR), removed with the
// object.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(std::string_view name) const { return path_ / std::string(name); }

private:
  fs::path path_;
};

// The whole file; both throw std::runtime_error when the file cannot be
// written or opened.
void WriteBytes(const fs::path& file, std::string_view bytes);
std::string ReadBytes(const fs::path& file);

}  // namespace tvz::test
