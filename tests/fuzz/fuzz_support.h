#pragma once
// What the fuzz targets share besides the tests' scratch folder, whole
// files, recording host and run helper (tests/support): fresh subfolders of
// one scratch folder, and a check that stops the fuzzer when an invariant
// breaks.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "support/temp_dir.h"

namespace tvz::fuzz {

namespace fs = std::filesystem;

// A folder of this process under the temp folder (TMPDIR; the scripts point
// it at /dev/shm), made on first use and removed at exit.
inline const fs::path& Scratch() {
  static const test::TempDir folder;
  return folder.path();
}

// A fresh, empty subfolder of the scratch folder.
inline fs::path Fresh(std::string_view name) {
  const fs::path p = Scratch() / std::string(name);
  std::error_code ec;
  fs::remove_all(p, ec);
  fs::create_directories(p);
  return p;
}

// An invariant of the code under test; a failure is a finding.
#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

// The input cut at every occurrence of `separator` (always at least one part).
inline std::vector<std::string_view> SplitInput(std::string_view data, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = data.find(separator);
    if (at == std::string_view::npos) break;
    parts.push_back(data.substr(0, at));
    data.remove_prefix(at + separator.size());
  }
  parts.push_back(data);
  return parts;
}

}  // namespace tvz::fuzz
