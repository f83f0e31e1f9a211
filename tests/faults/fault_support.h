#pragma once
// What the fault-injection tests share: the sample school in a scratch
// folder, snapshots of a folder's files, and on Linux the faults themselves:
// another process holding a table, a file-size limit that makes writes fail,
// a tiny (or read-only) file system.
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "support/test_support.h"

#ifndef _WIN32
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "support/child_hold.h"
#include "tables/dbf_table.h"
#endif

namespace tvz::faults {

namespace fs = std::filesystem;

inline const char* const kSchoolFiles[] = {
    "ZARP_ASIGNAT.TXT",      "ZARP_ACTIVIDADES.TXT", "ZARP_PROF.TXT",
    "ZARP_AULAS.TXT",        "ZARP_GRUPO.TXT",       "ZARP_ASIGNATGRUPO.TXT",
    "ZARP_ASIGNATCURSO.TXT", "ZARP_SESIONES.TXT"};

// The export's tables in the order the run makes them.
inline const char* const kExportTables[] = {"ASIGNOMT", "PROFT", "AULAT",
                                            "GRUPOST",  "ASIGT", "DIASHORAST"};

inline void CopySampleSchool(const fs::path& folder) {
  for (const char* f : kSchoolFiles)
    fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / f, folder / f,
                  fs::copy_options::overwrite_existing);
}

// Replaces the first occurrence of `from` in `file`; the text must be there.
inline void ReplaceIn(const fs::path& file, std::string_view from, std::string_view to) {
  std::string bytes = test::ReadBytes(file);
  const std::size_t at = bytes.find(from);
  if (at == std::string::npos) throw std::runtime_error("not in " + file.string());
  bytes.replace(at, from.size(), to);
  test::WriteBytes(file, bytes);
}

// Every entry of `folder` by name, with the bytes of the regular files.
using Snapshot = std::map<std::string, std::string>;
inline Snapshot Take(const fs::path& folder) {
  Snapshot s;
  for (const auto& e : fs::directory_iterator(folder)) {
    s[e.path().filename().string()] = e.is_regular_file() ? test::ReadBytes(e.path()) : "<dir>";
  }
  return s;
}

// An old table and index for each export table: recognisable bytes.
inline void WriteOldTables(const fs::path& vtemp) {
  for (const char* t : kExportTables) {
    test::WriteBytes(vtemp / (std::string(t) + ".DBF"), std::string("old table ") + t);
    test::WriteBytes(vtemp / (std::string(t) + ".MDX"), std::string("old index ") + t);
  }
}

#ifndef _WIN32

// A file that opens for reading and writing but fails every read (EINVAL),
// also for root: a regular file by its type.
inline const char* const kUnreadable = "/proc/self/clear_refs";

// Another process that opens a table for exclusive use and keeps it open
// until this object goes away.
class OtherProcessHolds {
public:
  OtherProcessHolds(const fs::path& folder, const std::string& table)
      : child_([&](const std::function<void(bool)>& hold) {
          DbfTable t;
          t.DatabaseName = folder;
          t.TableName = table;
          t.Exclusive = true;
          t.Open();
          hold(true);
        }) {}
  bool held() const { return child_.held(); }
  void Release() { child_.Release(); }

private:
  test::ChildHold child_;
};

// Writes past `bytes` into any file fail (EFBIG), as on a full disk; the
// signal that would end the process is ignored meanwhile.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }

private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

// A tmpfs of `size_kb` KiB mounted on a fresh folder, when this process may
// mount (root with CAP_SYS_ADMIN); why not otherwise.
class TinyFileSystem {
public:
  explicit TinyFileSystem(int size_kb) {
    const std::string options = "size=" + std::to_string(size_kb) + "k";
    if (::mount("tvz-faults", dir_.path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
      why_not_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~TinyFileSystem() {
    if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  const std::string& why_not() const { return why_not_; }
  const fs::path& path() const { return dir_.path(); }
  // Read-only from now on (what is there stays readable).
  bool MakeReadOnly() {
    return ::mount("tvz-faults", dir_.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  // Fills the file system up to `left` free bytes (to the page).
  void LeaveFree(std::size_t left) {
    const fs::space_info space = fs::space(dir_.path());
    if (space.available > left)
      test::WriteBytes(dir_.path() / "filler", std::string(space.available - left, 'f'));
  }

private:
  test::TempDir dir_;
  bool mounted_ = false;
  std::string why_not_;
};

// `folder` read-only for as long as this lives (a read-only bind mount of it
// on itself), when this process may mount.
class ReadOnlyFolder {
public:
  explicit ReadOnlyFolder(const fs::path& folder) : folder_(folder) {
    const char* f = folder.c_str();
    if (::mount(f, f, nullptr, MS_BIND, nullptr) != 0) return;
    mounted_ = true;
    read_only_ = ::mount(f, f, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  ~ReadOnlyFolder() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool read_only() const { return read_only_; }

private:
  fs::path folder_;
  bool mounted_ = false, read_only_ = false;
};

#endif

}  // namespace tvz::faults
