// Where --informe may write: a regular file or a new one in a folder that
// is there, never what the run reads or writes nor what keeps the tables
// safe, by whatever spelling or link.
#include "app/cli_report_path.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tvz::cli {
namespace {

namespace fs = std::filesystem;

TEST(ReportPath, RefusesWhatTheRunReadsOrWritesAndWhatKeepsTheTables) {
  test::TempDir zarp, vtemp, elsewhere;
  test::WriteBytes(zarp / "ZARP_PROF.TXT", "1AGM");
  test::WriteBytes(zarp / "informe.json", "{}");
  test::WriteBytes(vtemp / "PROFT.DBF", "table");
  fs::create_directories(vtemp / "COPIAS" / "20261208-1012");
  const std::string not_a_file = "el fichero de --informe no es un archivo normal: ";
  const std::string zarp_file = "el fichero de --informe es un fichero de ZARP de la carpeta: ";
  const std::string table = "el fichero de --informe es una tabla de la carpeta de trabajo: ";
  const std::string in_copies = "el fichero de --informe est\xE1" " en la carpeta de copias: ";
  struct Case {
    const char* name;
    std::function<fs::path()> report;  // made ready, if need be
    std::string refusal;               // the text before the path; "" accepted
    bool restore = false;              // for restaurar: no chosen folder
  };
  std::vector<Case> cases = {
      {"a ZARP file", [&] { return zarp / "ZARP_PROF.TXT"; }, zarp_file},
      {"the timetable to be, in small letters", [&] { return zarp / "zarp_horario.txt"; }, zarp_file},
      {"a table", [&] { return vtemp / "PROFT.DBF"; }, table},
      {"an index to be", [&] { return vtemp / "asigt.mdx"; }, table},
      {"a table by another spelling", [&] { return vtemp / "COPIAS" / ".." / "PROFT.DBF"; }, table},
      {"a table, for a restore", [&] { return vtemp / "SOLUC.DBF"; }, table, true},
      {"COPIAS", [&] { return vtemp / "COPIAS"; }, not_a_file},
      {"inside a copy", [&] { return vtemp / "COPIAS" / "20261208-1012" / "r.json"; }, in_copies},
      {"in a folder that is not there", [&] { return zarp / "nada" / "r.json"; },
       "no existe la carpeta del fichero de --informe: "},
      {"a folder", [&] { return zarp.path(); }, not_a_file},
      {"a new file beside the ZARP files", [&] { return zarp / "r.json"; }, ""},
      {"a report there before", [&] { return zarp / "informe.json"; }, ""},
      {"a new file in the working folder", [&] { return vtemp / "r.json"; }, ""},
      {"a ZARP name in another folder", [&] { return elsewhere / "ZARP_PROF.TXT"; }, ""},
      {"a ZARP name, for a restore", [&] { return zarp / "ZARP_PROF.TXT"; }, "", true},
  };
#ifndef _WIN32
  cases.insert(cases.end(), {
      {"a FIFO", [&] { ::mkfifo((elsewhere / "fifo").c_str(), 0600); return elsewhere / "fifo"; }, not_a_file},
      {"a device", [] { return fs::path("/dev/null"); }, not_a_file},
      {"a link to a ZARP file",
       [&] { fs::create_symlink(zarp / "ZARP_PROF.TXT", elsewhere / "l.txt"); return elsewhere / "l.txt"; },
       not_a_file},
      {"a hard link to a table",
       [&] { fs::create_hard_link(vtemp / "PROFT.DBF", elsewhere / "h.json"); return elsewhere / "h.json"; },
       table},
      {"a hard link to a ZARP file",
       [&] { fs::create_hard_link(zarp / "ZARP_PROF.TXT", elsewhere / "z.json"); return elsewhere / "z.json"; },
       zarp_file},
      {"through a link to a copy",
       [&] {
         fs::create_directory_symlink(vtemp / "COPIAS" / "20261208-1012", elsewhere / "c");
         return elsewhere / "c" / "r.json";
       },
       in_copies},
      {"the place of COPIAS, by another spelling", [&] { return vtemp / "copias"; },
       "el fichero de --informe ocupar\xED" "a el lugar de la carpeta de copias: "},
  });
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path report = c.report();
    const ReportFolders run{c.restore ? std::nullopt : std::optional<fs::path>(zarp.path()), vtemp.path()};
    const std::optional<std::string> refusal = ReportPathRefusal(report, run);
    if (c.refusal.empty()) {
      EXPECT_EQ(refusal, std::nullopt);
    } else {
      EXPECT_EQ(refusal.value_or("accepted"), c.refusal + report.string());
    }
  }
}

}  // namespace
}  // namespace tvz::cli
