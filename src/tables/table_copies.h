#pragma once
// Copies of the tables an export replaces, kept in the working folder under
// COPIAS/<copia>/: one <copia> per run that replaced at least one table,
// named by the run's date and time ("20261208-1012"; "20261208-1012-2",
// "-3"... when that name is taken). The newest kKeptCopies stay; older ones
// are removed (only folders named that way). The timetabling program sees
// only its tables: COPIAS is a subfolder it does not look into.
//
// A table is kept before it is replaced: a hard link to the old file, or a
// flushed copy where links are not possible, then the new table goes in by
// its atomic replace. A crash in between leaves the old table in place or in
// the copy, never in neither.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "tables/dbf_table.h"

namespace tvz {

inline constexpr std::size_t kKeptCopies = 10;
inline constexpr char kCopiesFolderName[] = "COPIAS";

// WORKING/COPIAS.
std::filesystem::path CopiesFolder(const std::filesystem::path& working);

struct TableCopy {
  std::string name;                 // "20261208-1012", "20261208-1012-2"
  platform::LocalTime time{};       // the run's date and time, from the name (second 0)
  std::vector<std::string> tables;  // "ASIGNOMT", "ASIGT"... (upper case, in name order)
};

// The copies in the working folder, newest first. None (also without
// COPIAS or without the working folder): empty.
std::vector<TableCopy> ListCopies(const std::filesystem::path& working);

// The name a run started at `time` gives its copy before uniqueness:
// "YYYYMMDD-HHMM".
std::string CopyName(const platform::LocalTime& time);

// Removes the copies beyond the newest `keep`, except `spare` (a copy being
// restored). Folders not named as copies are left alone; a copy that cannot
// be removed stays.
void PruneCopies(const std::filesystem::path& working, std::size_t keep = kKeptCopies,
                 std::string_view spare = {});

// The copy one run makes, created on first use.
class CopyRun {
public:
  // `spare`: a copy pruning must not remove while this run uses it.
  CopyRun(std::filesystem::path working, platform::LocalTime started, std::string spare = {});

  // Keeps `files` (files of the working folder about to be replaced) in this
  // run's copy, complete and on disk when it returns. The first call makes
  // the copy folder and prunes the older copies. A file that cannot be kept
  // is a RunError naming it: the caller must not replace it then.
  void KeepBeforeReplace(const std::vector<std::filesystem::path>& files);

  // table.Finish(), keeping the files it replaces first. When Finish fails
  // after they were kept, the table was not replaced: what this call kept
  // is removed again (and the copy folder, when that leaves it empty).
  void Finish(DbfTable& table);

  // The copy made so far; "" while nothing was kept.
  const std::string& Name() const { return name_; }

private:
  void MakeFolder();
  void Forget(const std::vector<std::filesystem::path>& kept);

  std::filesystem::path working_;
  platform::LocalTime started_;
  std::string spare_;
  std::string name_;
  std::filesystem::path folder_;
  std::vector<std::filesystem::path> last_kept_;  // by the latest KeepBeforeReplace
};

struct RestoreResult {
  std::vector<std::string> tables;  // the tables put back
  std::string kept;                 // the copy now holding what they replaced; "" none
};

// Puts the tables of copy `name` back into the working folder, byte for byte
// (each by an atomic replace; an index the copy lacks is removed), after
// keeping the files they replace as a new copy named by `now`. An unknown
// copy, a table another program holds (checked before anything changes) and
// a failed write are RunErrors.
RestoreResult RestoreCopy(const std::filesystem::path& working, std::string_view name,
                          platform::LocalTime now);

}  // namespace tvz
