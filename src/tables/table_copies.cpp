#include "tables/table_copies.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
#include <system_error>
#include <tuple>
#include <utility>

#include "core/ascii.h"
#include "core/errors.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/system_errors.h"
#include "tables/dbf_texts.h"

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

auto SortKey(const ParsedName& p) {
  const platform::LocalTime& t = p.time;
  return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, p.sequence);
}

bool IsTableFile(const fs::path& p) { return ascii::EqualsNoCase(p.extension().string(), ".DBF"); }

[[noreturn]] void ThrowCannot(std::string_view action, const fs::path& file, int native_error) {
  throw dbf::CannotError(action, platform::PathText(file), platform::SystemErrorText(native_error));
}

// `to` (which does not exist) becomes a copy of `from` that is on disk: a
// hard link, or else the bytes written and flushed.
void KeepFile(const fs::path& from, const fs::path& to) {
  std::error_code link_error;
  fs::create_hard_link(from, to, link_error);
  if (!link_error) return;
  int error = 0;
  const std::optional<std::string> bytes = platform::ReadWholeFile(from, error);
  if (!bytes) ThrowCannot("copiar", from, error);
  if (!platform::ReplaceFileAtomically(to, *bytes, error)) ThrowCannot("copiar", from, error);
}

// The copy's files, whole: a restore reads them all before it changes
// anything.
struct CopyFile {
  std::string file_name;  // as kept: "ASIGNOMT.DBF", "asignomt.mdx"
  std::string bytes;
};

std::vector<CopyFile> ReadCopy(const fs::path& folder) {
  std::vector<CopyFile> files;
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  for (const fs::path& p : paths) {
    int error = 0;
    std::optional<std::string> bytes = platform::ReadWholeFile(p, error);
    if (!bytes) ThrowCannot("leer", p, error);
    files.push_back({p.filename().string(), std::move(*bytes)});
  }
  return files;
}

}  // namespace

fs::path CopiesFolder(const fs::path& working) { return working / kCopiesFolderName; }

std::string CopyName(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d", t.year, t.month, t.day, t.hour, t.minute);
  return text;
}

std::vector<TableCopy> ListCopies(const fs::path& working) {
  std::vector<std::pair<ParsedName, TableCopy>> found;
  std::error_code error;
  for (fs::directory_iterator it(CopiesFolder(working), error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_directory()) continue;
    const std::string name = it->path().filename().string();
    const std::optional<ParsedName> parsed = ParseName(name);
    if (!parsed) continue;
    TableCopy copy{name, parsed->time, {}};
    std::error_code inner;
    for (fs::directory_iterator f(it->path(), inner), fend; !inner && f != fend; f.increment(inner)) {
      if (f->is_regular_file() && IsTableFile(f->path()))
        copy.tables.push_back(ascii::Uppered(f->path().stem().string()));
    }
    std::sort(copy.tables.begin(), copy.tables.end());
    found.emplace_back(*parsed, std::move(copy));
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return SortKey(a.first) > SortKey(b.first); });
  std::vector<TableCopy> copies;
  for (auto& f : found) copies.push_back(std::move(f.second));
  return copies;
}

void PruneCopies(const fs::path& working, std::size_t keep, std::string_view spare) {
  const std::vector<TableCopy> copies = ListCopies(working);
  for (std::size_t i = keep; i < copies.size(); ++i) {
    if (copies[i].name == spare) continue;
    std::error_code error;
    fs::remove_all(CopiesFolder(working) / copies[i].name, error);
    // A copy that cannot be removed now goes with a later run.
  }
}

CopyRun::CopyRun(fs::path working, platform::LocalTime started, std::string spare)
    : working_(std::move(working)), started_(started), spare_(std::move(spare)) {}

void CopyRun::MakeFolder() {
  const fs::path copies = CopiesFolder(working_);
  std::error_code error;
  fs::create_directories(copies, error);
  const std::string base = CopyName(started_);
  for (int n = 1; !error; ++n) {
    const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
    if (fs::create_directory(copies / name, error)) {
      name_ = name;
      folder_ = copies / name;
      PruneCopies(working_, kKeptCopies, spare_);
      return;
    }
  }
  throw RunError("No se puede crear la carpeta de copias " + platform::PathText(copies) + ": " +
                 platform::SystemErrorText(error.value()));
}

void CopyRun::KeepBeforeReplace(const std::vector<fs::path>& files) {
  last_kept_.clear();
  for (const fs::path& file : files) {
    if (folder_.empty()) MakeFolder();
    const fs::path kept = folder_ / file.filename();
    // A table finished twice in one run: the copy already holds the old one.
    std::error_code error;
    if (fs::exists(kept, error)) continue;
    KeepFile(file, kept);
    last_kept_.push_back(kept);
  }
}

void CopyRun::Forget(const std::vector<fs::path>& kept) {
  for (const fs::path& file : kept) platform::RemoveIfExists(file);
  std::error_code error;
  if (!folder_.empty() && fs::is_empty(folder_, error) && fs::remove(folder_, error)) {
    folder_.clear();
    name_.clear();
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

RestoreResult RestoreCopy(const fs::path& working, std::string_view name, platform::LocalTime now) {
  const std::vector<TableCopy> copies = ListCopies(working);
  const bool known = std::any_of(copies.begin(), copies.end(),
                                 [&](const TableCopy& c) { return c.name == name; });
  if (!known) throw RunError("No existe la copia de las tablas " + std::string(name));
  const std::vector<CopyFile> files = ReadCopy(CopiesFolder(working) / std::string(name));

  // What changes: each table of the copy and its index, present or not.
  std::set<std::string> stems;
  for (const CopyFile& f : files) {
    if (IsTableFile(f.file_name)) stems.insert(ascii::Uppered(fs::path(f.file_name).stem().string()));
  }
  std::vector<fs::path> replaced;
  for (const std::string& stem : stems) {
    for (const char* ext : {".DBF", ".MDX"}) {
      if (auto existing = platform::FindFile(working, stem + ext)) {
        RequireNotInUse(*existing);
        replaced.push_back(*existing);
      }
    }
  }
  RestoreResult result;
  CopyRun keep(working, now, std::string(name));
  keep.KeepBeforeReplace(replaced);
  result.kept = keep.Name();

  for (const std::string& stem : stems) {
    const CopyFile* index = nullptr;
    for (const CopyFile& f : files) {
      const std::string upper = ascii::Uppered(f.file_name);
      if (upper == stem + ".MDX") index = &f;
      if (upper != stem + ".DBF") continue;
      const fs::path target = platform::PathForWriting(working, f.file_name);
      int error = 0;
      if (!platform::ReplaceFileAtomically(target, f.bytes, error)) ThrowCannot("escribir", target, error);
    }
    const std::string mdx = stem + ".MDX";
    if (index) {
      const fs::path target = platform::PathForWriting(working, index->file_name);
      int error = 0;
      if (!platform::ReplaceFileAtomically(target, index->bytes, error)) ThrowCannot("escribir", target, error);
    } else if (auto stale = platform::FindFile(working, mdx)) {
      platform::RemoveIfExists(*stale);
    }
    result.tables.push_back(stem);
  }
  return result;
}

}  // namespace tvz
