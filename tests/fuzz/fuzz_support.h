#pragma once
// What the fuzz targets share: a scratch folder for the files an input is
// written to, and a check that stops the fuzzer when an invariant breaks.
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "core/conversion.h"

namespace tvz::fuzz {

namespace fs = std::filesystem;

// A run's host that keeps the messages and the busy cursor's last state.
class Host : public RunHost {
public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void SetBusy(bool on) override { busy = on; }
  std::vector<std::string> messages;
  bool busy = false;
};

// A folder of this process under the temp folder (TMPDIR; the scripts point
// it at /dev/shm), made on first use and removed at exit.
struct ScratchFolder {
  ScratchFolder() : path(fs::temp_directory_path() / ("tvz-fuzz-" + std::to_string(::getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

inline const fs::path& Scratch() {
  static const ScratchFolder folder;
  return folder.path;
}

// A fresh, empty subfolder of the scratch folder.
inline fs::path Fresh(std::string_view name) {
  const fs::path p = Scratch() / std::string(name);
  std::error_code ec;
  fs::remove_all(p, ec);
  fs::create_directories(p);
  return p;
}

inline void Write(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", file.c_str());
    std::abort();
  }
}

inline std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
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
