#include "app/cli_report_path.h"

#include <string_view>
#include <system_error>
#include <vector>

#include "core/ascii.h"
#include "platform/files.h"
#include "tables/table_copies.h"

namespace tvz::cli {

namespace fs = std::filesystem;

namespace {

bool IsZarpFile(std::string_view name) {
  const std::string upper = ascii::Uppered(name);
  return upper.size() > 9 && upper.rfind("ZARP_", 0) == 0 && upper.ends_with(".TXT");
}

bool IsTableFile(std::string_view name) {
  const std::string ext = ascii::Uppered(fs::path(name).extension().string());
  return ext == ".DBF" || ext == ".MDX";
}

// A file of `folder` whose name `matches` and that is `report` itself.
bool LinkedInto(const fs::path& report, const fs::path& folder, bool (*matches)(std::string_view)) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (matches(it->path().filename().string()) && platform::SameFile(report, it->path())) return true;
  }
  return false;
}

// `folder` and every folder it is in, after links and "..".
std::vector<fs::path> FolderAndAbove(const fs::path& folder) {
  std::error_code error;
  fs::path resolved = fs::canonical(folder, error);
  if (error) resolved = fs::absolute(folder, error).lexically_normal();
  std::vector<fs::path> chain;
  for (fs::path up = resolved;; up = up.parent_path()) {
    chain.push_back(up);
    if (up == up.parent_path() || up.empty()) break;
  }
  return chain;
}

}  // namespace

std::optional<std::string> ReportPathRefusal(const fs::path& report, const ReportFolders& run) {
  const std::string shown = platform::PathText(report);
  const std::string name = report.filename().string();
  const platform::EntryKind kind = platform::KindOf(report);
  if (name.empty() || (kind != platform::EntryKind::kMissing && kind != platform::EntryKind::kFile))
    return "el fichero de --informe no es un archivo normal: " + shown;
  const fs::path folder = report.has_parent_path() ? report.parent_path() : fs::path(".");
  if (!platform::DirectoryExists(folder))
    return "no existe la carpeta del fichero de --informe: " + shown;

  const fs::path copies = CopiesFolder(run.working);
  for (const fs::path& up : FolderAndAbove(folder)) {
    if (platform::SameFile(up, copies))
      return "el fichero de --informe est\xE1" " en la carpeta de copias: " + shown;
  }
  if (platform::SameFile(folder, run.working) && ascii::EqualsNoCase(name, kCopiesFolderName))
    return "el fichero de --informe ocupar\xED" "a el lugar de la carpeta de copias: " + shown;
  const std::string table = "el fichero de --informe es una tabla de la carpeta de trabajo: " + shown;
  const std::string zarp = "el fichero de --informe es un fichero de ZARP de la carpeta: " + shown;
  if (platform::SameFile(folder, run.working) && IsTableFile(name)) return table;
  if (run.chosen && platform::SameFile(folder, *run.chosen) && IsZarpFile(name)) return zarp;
  if (kind == platform::EntryKind::kFile) {
    if (LinkedInto(report, run.working, &IsTableFile)) return table;
    if (run.chosen && LinkedInto(report, *run.chosen, &IsZarpFile)) return zarp;
  }
  return std::nullopt;
}

}  // namespace tvz::cli
