#include "tables/table_copies.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <tuple>
#include <utility>

#include "core/ascii.h"
#include "core/errors.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/system_errors.h"
#include "tables/dbf_layout.h"
#include "tables/dbf_texts.h"
#include "tables/table_files.h"

namespace tvz {

namespace fs = std::filesystem;

namespace {

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

int Number(std::string_view digits) {
  int n = 0;
  for (char ch : digits) n = n * 10 + (ch - '0');
  return n;
}

// A copy's name read back: its time and its place among the copies of the
// same minute (1 for the first, then 2, 3...). nullopt: not a copy's name.
struct ParsedName {
  platform::LocalTime time;
  int sequence;
};

std::optional<ParsedName> ParseName(std::string_view name) {
  if (name.size() < 13 || name[8] != '-') return std::nullopt;
  const std::string_view date = name.substr(0, 8), clock = name.substr(9, 4);
  if (!AllDigits(date) || !AllDigits(clock)) return std::nullopt;
  int sequence = 1;
  if (name.size() > 13) {
    const std::string_view rest = name.substr(14);
    if (name[13] != '-' || !AllDigits(rest) || rest.size() > 6 || rest[0] == '0') return std::nullopt;
    sequence = Number(rest);
    if (sequence < 2) return std::nullopt;
  }
  ParsedName p{{Number(date.substr(0, 4)), Number(date.substr(4, 2)), Number(date.substr(6, 2)),
                Number(clock.substr(0, 2)), Number(clock.substr(2, 2)), 0},
               sequence};
  const platform::LocalTime& t = p.time;
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59)
    return std::nullopt;
  return p;
}

// Newest first: by order number, then (copies without one) by the name.
auto SortKey(std::uint64_t order, const ParsedName& p) {
  const platform::LocalTime& t = p.time;
  return std::make_tuple(order, t.year, t.month, t.day, t.hour, t.minute, p.sequence);
}

bool IsCopiedTable(std::string_view upper_stem) {
  return std::any_of(std::begin(kCopiedTables), std::end(kCopiedTables),
                     [&](const char* t) { return upper_stem == t; });
}

[[noreturn]] void ThrowCannot(std::string_view action, const fs::path& file, int native_error) {
  throw dbf::CannotError(action, platform::PathText(file), platform::SystemErrorText(native_error));
}

[[noreturn]] void ThrowCannotMakeCopy(const fs::path& copies, std::string_view reason) {
  throw RunError("No se puede crear la carpeta de copias " + platform::PathText(copies) + ": " +
                 std::string(reason));
}

// COPIA.TXT: "orden=<n>" and "hecha=<YYYYMMDD-HHMMSS>", lines ended by CR LF.
constexpr std::string_view kOrderKey = "orden=";

std::string RecordText(std::uint64_t order, const platform::LocalTime& t) {
  char made[32];
  std::snprintf(made, sizeof made, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return std::string(kOrderKey) + std::to_string(order) + "\r\nhecha=" + made + "\r\n";
}

// The order number a copy recorded; 0 when it has no (readable) record.
std::uint64_t RecordedOrder(const fs::path& folder) {
  const fs::path record = folder / kCopyRecordName;
  if (platform::KindOf(record) != platform::EntryKind::kFile) return 0;
  int error = 0;
  const std::optional<std::string> text = platform::ReadWholeFile(record, error);
  if (!text || text->compare(0, kOrderKey.size(), kOrderKey) != 0) return 0;
  const std::string_view digits =
      std::string_view(*text).substr(kOrderKey.size(), text->find_first_of("\r\n") - kOrderKey.size());
  if (!AllDigits(digits) || digits.size() > 18) return 0;
  std::uint64_t order = 0;
  for (char ch : digits) order = order * 10 + static_cast<std::uint64_t>(ch - '0');
  return order;
}

// `to` (which does not exist) becomes a copy of `from` that is on disk: a
// hard link to a regular file, or else the bytes written and flushed (never
// a link to a link).
void KeepFile(const fs::path& from, const fs::path& to) {
  if (platform::KindOf(from) == platform::EntryKind::kFile) {
    std::error_code link_error;
    fs::create_hard_link(from, to, link_error);
    if (!link_error) return;
  }
  int error = 0;
  const std::optional<std::string> bytes = platform::ReadWholeFile(from, error);
  if (!bytes) ThrowCannot("copiar", from, error);
  if (!platform::ReplaceFileAtomically(to, *bytes, error)) ThrowCannot("copiar", from, error);
}

// A regular file of a copy, whole; a RunError for anything else.
std::string ReadCopiedFile(const fs::path& file, bool is_table) {
  if (platform::KindOf(file) != platform::EntryKind::kFile) {
    const std::string text = platform::PathText(file);
    if (is_table) throw dbf::TableError(text, "no es un archivo normal");
    throw RunError("El \xED" "ndice " + text + " no es un archivo normal");
  }
  int error = 0;
  std::optional<std::string> bytes = platform::ReadWholeFile(file, error);
  if (!bytes) ThrowCannot("leer", file, error);
  return std::move(*bytes);
}

// One table of a copy, read whole: a restore reads them all before it
// changes anything.
struct CopiedTable {
  std::string stem;                  // "PROFT"
  std::string table;                 // NAME.DBF
  std::optional<std::string> index;  // NAME.MDX, when the copy has it
};

// The tables of kCopiedTables that the copy `name` in `folder` holds, in
// name order, each checked as the import checks a table; where a name is
// there in several letter cases, the first in name order.
std::vector<CopiedTable> ReadCopy(const fs::path& folder, std::string_view name) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    entries.push_back(it->path());
  if (error) {
    throw RunError("No se puede leer la copia " + std::string(name) + ": " +
                   platform::SystemErrorText(error.value()));
  }
  std::sort(entries.begin(), entries.end());
  std::map<std::string, fs::path> tables, indexes;  // by stem
  for (const fs::path& p : entries) {
    const fs::path upper(ascii::Uppered(p.filename().string()));
    const std::string stem = upper.stem().string(), ext = upper.extension().string();
    if (!IsCopiedTable(stem)) continue;
    if (ext == ".DBF") tables.try_emplace(stem, p);
    if (ext == ".MDX") indexes.try_emplace(stem, p);
  }
  if (tables.empty()) throw RunError("La copia " + std::string(name) + " no tiene ninguna tabla");
  std::vector<CopiedTable> copied;
  for (const auto& [stem, path] : tables) {
    CopiedTable t{stem, ReadCopiedFile(path, true), std::nullopt};
    dbf::ReadCheckedLayout(t.table, platform::PathText(path));
    if (auto index = indexes.find(stem); index != indexes.end())
      t.index = ReadCopiedFile(index->second, false);
    copied.push_back(std::move(t));
  }
  return copied;
}

}  // namespace

fs::path CopiesFolder(const fs::path& working) { return working / kCopiesFolderName; }

std::string CopyName(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d", t.year, t.month, t.day, t.hour, t.minute);
  return text;
}

std::vector<TableCopy> ListCopies(const fs::path& working) {
  const fs::path copies = CopiesFolder(working);
  if (platform::KindOf(copies) != platform::EntryKind::kFolder) return {};
  std::vector<std::pair<ParsedName, TableCopy>> found;
  std::error_code error;
  for (fs::directory_iterator it(copies, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const std::optional<ParsedName> parsed = ParseName(name);
    if (!parsed || platform::KindOf(it->path()) != platform::EntryKind::kFolder) continue;
    TableCopy copy{name, parsed->time, {}, RecordedOrder(it->path())};
    std::set<std::string> tables;
    std::error_code inner;
    for (fs::directory_iterator f(it->path(), inner), fend; !inner && f != fend; f.increment(inner)) {
      const fs::path upper(ascii::Uppered(f->path().filename().string()));
      if (upper.extension() == ".DBF" && IsCopiedTable(upper.stem().string()) &&
          platform::KindOf(f->path()) == platform::EntryKind::kFile)
        tables.insert(upper.stem().string());
    }
    copy.tables.assign(tables.begin(), tables.end());
    found.emplace_back(*parsed, std::move(copy));
  }
  if (error) {  // copies that cannot be seen are not "no copies"
    throw RunError("No se puede leer la carpeta de copias " + platform::PathText(copies) + ": " +
                   platform::SystemErrorText(error.value()));
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return SortKey(a.second.order, a.first) > SortKey(b.second.order, b.first);
  });
  std::vector<TableCopy> listed;
  for (auto& f : found) listed.push_back(std::move(f.second));
  return listed;
}

void RequireCopiesUsable(const fs::path& working) {
  const fs::path copies = CopiesFolder(working);
  int error = 0;
  switch (platform::KindOf(copies)) {
    case platform::EntryKind::kMissing:
      error = platform::FolderWriteError(working);
      break;
    case platform::EntryKind::kFolder:
      error = platform::FolderWriteError(copies);
      if (error == 0) ListCopies(working);  // the copy's name and order need the others
      break;
    case platform::EntryKind::kLink:
      ThrowCannotMakeCopy(copies, "es un enlace simb\xF3" "lico, no una carpeta");
    case platform::EntryKind::kFile:
    case platform::EntryKind::kOther:
      ThrowCannotMakeCopy(copies, "hay un archivo con ese nombre");
  }
  if (error != 0) ThrowCannotMakeCopy(copies, platform::SystemErrorText(error));
}

void PruneCopies(const fs::path& working, std::size_t keep, const std::vector<std::string>& spare) {
  std::vector<TableCopy> copies;
  try {
    copies = ListCopies(working);
  } catch (const RunError&) {
    return;  // what cannot be listed now is pruned by a later run
  }
  for (std::size_t i = keep; i < copies.size(); ++i) {
    if (std::find(spare.begin(), spare.end(), copies[i].name) != spare.end()) continue;
    std::error_code error;
    fs::remove_all(CopiesFolder(working) / copies[i].name, error);
    // A copy that cannot be removed now goes with a later run.
  }
}

CopyRun::CopyRun(fs::path working, platform::LocalTime started, std::string spare)
    : working_(std::move(working)), started_(started), spare_(std::move(spare)) {}

CopyRun::~CopyRun() { End(); }

void CopyRun::MakeFolder() {
  RequireCopiesUsable(working_);
  const fs::path copies = CopiesFolder(working_);
  std::error_code error;
  if (platform::KindOf(copies) == platform::EntryKind::kMissing && !fs::create_directory(copies, error))
    ThrowCannotMakeCopy(copies, platform::SystemErrorText(error.value()));
  // After every copy there: the next order number, and in the run's minute
  // the next sequence, so that no name pruning frees is taken again.
  const std::string base = CopyName(started_);
  std::uint64_t order = 1;
  int sequence = 1;
  for (const TableCopy& c : ListCopies(working_)) {
    order = std::max(order, c.order + 1);
    const std::optional<ParsedName> parsed = ParseName(c.name);
    if (CopyName(parsed->time) == base) sequence = std::max(sequence, parsed->sequence + 1);
  }
  for (;; ++sequence) {
    const std::string name = sequence == 1 ? base : base + "-" + std::to_string(sequence);
    const fs::path folder = copies / name;
    if (platform::KindOf(folder) != platform::EntryKind::kMissing) continue;
    if (!fs::create_directory(folder, error)) ThrowCannotMakeCopy(copies, platform::SystemErrorText(error.value()));
    int write_error = 0;
    if (!platform::ReplaceFileAtomically(folder / kCopyRecordName, RecordText(order, started_), write_error)) {
      fs::remove(folder, error);
      ThrowCannotMakeCopy(copies, platform::SystemErrorText(write_error));
    }
    name_ = name;
    folder_ = folder;
    return;
  }
}

void CopyRun::KeepBeforeReplace(const std::vector<fs::path>& files) {
  last_kept_.clear();
  if (files.empty()) return;
  if (folder_.empty()) MakeFolder();
  try {
    for (const fs::path& file : files) {
      const fs::path kept = folder_ / file.filename();
      // A table finished twice in one run: the copy already holds the old one.
      if (platform::KindOf(kept) != platform::EntryKind::kMissing) continue;
      KeepFile(file, kept);
      kept_.push_back(file);
      last_kept_.push_back(file);
    }
  } catch (const RunError&) {
    Forget(last_kept_);
    throw;
  }
}

void CopyRun::Forget(const std::vector<fs::path>& files) {
  for (const fs::path& file : files) {
    const auto it = std::find(kept_.begin(), kept_.end(), file);
    if (it == kept_.end()) continue;
    platform::RemoveIfExists(folder_ / file.filename());
    kept_.erase(it);
  }
}

void CopyRun::Finish(DbfTable& table) {
  last_kept_.clear();
  try {
    table.Finish([this](const std::vector<fs::path>& old_files) { KeepBeforeReplace(old_files); });
  } catch (const RunError&) {
    Forget(last_kept_);
    throw;
  }
}

void CopyRun::End() {
  if (ended_) return;
  ended_ = true;
  if (folder_.empty()) return;
  if (kept_.empty()) {
    std::error_code error;
    fs::remove_all(folder_, error);
    folder_.clear();
    name_.clear();
    return;
  }
  PruneCopies(working_, kKeptCopies, {name_, spare_});
}

RestoreResult RestoreCopy(const fs::path& working, std::string_view name, platform::LocalTime now) {
  platform::FolderLocks locks;
  if (auto busy_folder = locks.Hold({working}))
    throw RunError(FolderInUseText(platform::PathText(*busy_folder)));
  const std::vector<TableCopy> copies = ListCopies(working);
  const bool known = std::any_of(copies.begin(), copies.end(),
                                 [&](const TableCopy& c) { return c.name == name; });
  if (!known) throw RunError("No existe la copia de las tablas " + std::string(name));
  const std::vector<CopiedTable> tables = ReadCopy(CopiesFolder(working) / std::string(name), name);

  // What changes: each table and its index, there or not; none may be in use.
  struct Target {
    fs::path table, index;
    std::vector<fs::path> old_files;
  };
  std::vector<Target> targets;
  std::vector<fs::path> replaced;
  for (const CopiedTable& t : tables) {
    Target target{platform::PathForWriting(working, t.stem + ".DBF"),
                  platform::PathForWriting(working, t.stem + ".MDX"), {}};
    for (const fs::path& file : {target.table, target.index}) {
      std::error_code error;
      if (!fs::is_regular_file(file, error)) continue;
      RequireNotInUse(file);
      target.old_files.push_back(file);
      replaced.push_back(file);
    }
    targets.push_back(std::move(target));
  }

  // Under the lock nobody else writes here: what a killed run left goes.
  platform::RemoveStaleTemporaries(working);
  CopyRun keep(working, now, std::string(name));
  keep.KeepBeforeReplace(replaced);
  std::vector<TableFiles> files(tables.size());
  std::size_t done = 0;
  try {
    for (std::size_t i = 0; i < tables.size(); ++i) {
      const std::optional<std::string_view> index =
          tables[i].index ? std::optional<std::string_view>(*tables[i].index) : std::nullopt;
      files[i].Prepare(targets[i].table, tables[i].table, targets[i].index, index,
                       platform::PendingFile::Permissions::kAsReplaced);
    }
    for (; done < tables.size(); ++done) files[done].Commit();
  } catch (const RunError&) {
    // What was not replaced is not kept.
    for (std::size_t i = done; i < tables.size(); ++i) {
      if (!files[i].TableReplaced()) keep.Forget(targets[i].old_files);
    }
    throw;
  }
  keep.End();
  RestoreResult result;
  for (const CopiedTable& t : tables) result.tables.push_back(t.stem);
  result.kept = keep.Name();
  return result;
}

}  // namespace tvz
