#pragma once
// Copies of the tables an export replaces, kept in the working folder under
// COPIAS/<copia>/: one <copia> per run that replaced at least one table,
// named by the run's date and time ("20261208-1012"; "20261208-1012-2",
// "-3"... after the highest of that minute already there). The timetabling
// program sees only its tables: COPIAS is a subfolder it does not look into.
//
// Each copy records in COPIA.TXT its place in the order the copies were made
// (one more than the highest before it) and the time its run started. That
// order, not the date in the name, says which copies are the newest: a copy
// named by a clock that was once ahead is still older than the copies made
// after it. The newest kKeptCopies stay; older ones are removed (only real
// folders named as copies), once a run has replaced what it kept, and never
// the copy that run made.
//
// A table is kept before it is replaced: a hard link to the old file, or a
// flushed copy where links are not possible (or the old file is a link),
// then the new table goes in by its atomic replace. A crash in between
// leaves the old table in place or in the copy, never in neither. Once a run
// ends, a copy holds only files the run did replace, so no copy shares its
// file with a live table.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "tables/dbf_table.h"

namespace tvz {

inline constexpr std::size_t kKeptCopies = 10;
inline constexpr char kCopiesFolderName[] = "COPIAS";
// Inside each copy: its order number and the time its run started.
inline constexpr char kCopyRecordName[] = "COPIA.TXT";
// The tables an export writes: the only ones a copy holds and a restore puts
// back (each with its .MDX).
inline constexpr const char* kCopiedTables[] = {"ASIGNOMT", "PROFT", "AULAT",
                                                "GRUPOST",  "ASIGT", "DIASHORAST"};

// WORKING/COPIAS.
std::filesystem::path CopiesFolder(const std::filesystem::path& working);

struct TableCopy {
  std::string name;                 // "20261208-1012", "20261208-1012-2"
  platform::LocalTime time{};       // the run's date and time, from the name (second 0)
  std::vector<std::string> tables;  // of kCopiedTables, those it holds ("ASIGNOMT", ...), in name order
  std::uint64_t order = 0;          // from COPIA.TXT; 0: not recorded (made before copies were)
};

// The copies in the working folder, the last made first: by their order
// numbers; copies without one come after all that have one, among
// themselves by the date and sequence of their names. None (also without
// COPIAS or without the working folder): empty. Links are not copies. A
// COPIAS that cannot be read: a RunError ("No se puede leer la carpeta de
// copias ...: <reason>").
std::vector<TableCopy> ListCopies(const std::filesystem::path& working);

// The name a run started at `time` gives its copy before uniqueness:
// "YYYYMMDD-HHMM".
std::string CopyName(const platform::LocalTime& time);

// What a run checks, writing nothing, before it keeps a table in COPIAS:
// COPIAS, when it is there, is a folder (not a link) this process may read
// and add to; when it is not, the working folder is. A RunError ("No se
// puede crear la carpeta de copias ...: <reason>", or ListCopies' text)
// otherwise: the text keeping would fail with.
void RequireCopiesUsable(const std::filesystem::path& working);

// Removes the copies beyond the newest `keep`, except those named in
// `spare`. Folders not named as copies are left alone; a copy that cannot
// be removed stays.
void PruneCopies(const std::filesystem::path& working, std::size_t keep = kKeptCopies,
                 const std::vector<std::string>& spare = {});

// The copy one run makes, created on first use and settled when the run
// ends (End(), or destruction).
class CopyRun {
public:
  // `spare`: a copy pruning must not remove (the one a restore reads).
  CopyRun(std::filesystem::path working, platform::LocalTime started, std::string spare = {});
  ~CopyRun();
  CopyRun(const CopyRun&) = delete;
  CopyRun& operator=(const CopyRun&) = delete;

  // Keeps `files` (files of the working folder about to be replaced) in this
  // run's copy, complete and on disk when it returns. The first call makes
  // the copy folder (after RequireCopiesUsable) and its record. A file that
  // cannot be kept is a RunError naming it, with what this call kept taken
  // back: the caller must not replace it then.
  void KeepBeforeReplace(const std::vector<std::filesystem::path>& files);

  // Takes back what this run kept of `files` (files of the working folder
  // that were not replaced after all).
  void Forget(const std::vector<std::filesystem::path>& files);

  // table.Finish(), keeping the files it replaces first. When Finish fails,
  // the table was not replaced: what this call kept is taken back.
  void Finish(DbfTable& table);

  // The run has ended. A copy that holds nothing is removed (no copy, no
  // pruning); otherwise the copies beyond the newest kKeptCopies go, never
  // this one nor the spare. Later calls do nothing.
  void End();

  // The copy made so far; "" while nothing is kept.
  const std::string& Name() const { return name_; }

private:
  void MakeFolder();

  std::filesystem::path working_;
  platform::LocalTime started_;
  std::string spare_;
  std::string name_;
  std::filesystem::path folder_;
  std::vector<std::filesystem::path> kept_;       // the files of the working folder kept so far
  std::vector<std::filesystem::path> last_kept_;  // of those, by the latest KeepBeforeReplace
  bool ended_ = false;
};

struct RestoreResult {
  std::vector<std::string> tables;  // the tables put back
  std::string kept;                 // the copy now holding what they replaced; "" none
};

// Puts the tables of copy `name` back into the working folder, byte for byte,
// each with its index or without one when the copy has none
// (tables/table_files.h), with the permissions of the files they replace;
// first it keeps the files they replace as a new copy named by `now`.
// Holds the working folder as the conversions do. Before anything changes
// it checks: the copy is a folder of COPIAS, its tables (of kCopiedTables
// only) regular files that open as the import opens a table; a table
// another program holds. Everything is written beside its target before the
// first table is replaced. RunErrors: another run holds the folder, an
// unknown copy, a copy without tables, a damaged table or one that is not
// a regular file (naming it), a table in use, a failed write; the copy that
// a failure leaves holds only what was replaced.
RestoreResult RestoreCopy(const std::filesystem::path& working, std::string_view name,
                          platform::LocalTime now);

}  // namespace tvz
