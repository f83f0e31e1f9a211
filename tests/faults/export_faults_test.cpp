// An export stopped half way: whatever stops it (a bad number, an input that
// cannot be read, a working folder that cannot take the table, a table that
// another program holds, a full disk), the tables made before it are in
// place, the one it was making and every later one are byte for byte as
// they were, the run status is -1 and the message says what happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "core/errors.h"
#include "export/export_run.h"
#include "tables/table_copies.h"
#include "faults/fault_support.h"
#include "platform/system_errors.h"
#include "support/run_helper.h"
#include "support/table_reader.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using faults::kExportTables;

// The run stopped at table `failed` (an index into kExportTables) with
// `error`: earlier tables rebuilt, that one and later ones untouched, with
// their indexes, and nothing else left in the working folder.
void ExpectStoppedAt(const test::RunResult& o, std::size_t failed, const std::string& error,
                     const fs::path& vtemp, const faults::Snapshot& before) {
  EXPECT_EQ(o.error, error);
  EXPECT_EQ(o.status, -1);
  EXPECT_EQ(o.host.busy_changes, (std::vector<bool>{true, false}));
  EXPECT_EQ(std::count(o.host.messages.begin(), o.host.messages.end(), "Proceso finalizado"), 0);
  const faults::Snapshot after = faults::Take(vtemp);
  for (std::size_t i = 0; i < std::size(kExportTables); ++i) {
    const std::string dbf = std::string(kExportTables[i]) + ".DBF";
    const std::string mdx = std::string(kExportTables[i]) + ".MDX";
    if (i < failed) {
      EXPECT_NE(after.at(dbf), before.at(dbf)) << dbf;
      EXPECT_EQ(after.count(mdx), 0u) << mdx;
      EXPECT_NO_THROW(test::ReadRows(vtemp, kExportTables[i], {})) << dbf;
    } else {
      EXPECT_EQ(after.at(dbf), before.at(dbf)) << dbf;
      EXPECT_EQ(after.at(mdx), before.at(mdx)) << mdx;
    }
  }
  // The tables it replaced, and only those, are kept in the run's copy, as
  // they were.
  const std::vector<TableCopy> copies = ListCopies(vtemp);
  ASSERT_EQ(copies.size(), failed > 0 ? 1u : 0u);
  if (failed > 0) {
    faults::Snapshot kept = faults::Take(CopiesFolder(vtemp) / copies[0].name);
    kept.erase(kCopyRecordName);
    EXPECT_EQ(kept.size(), 2 * failed);
    for (std::size_t i = 0; i < failed; ++i) {
      for (const char* ext : {".DBF", ".MDX"}) {
        const std::string file = kExportTables[i] + std::string(ext);
        EXPECT_EQ(kept.count(file) ? kept.at(file) : "<none>", before.at(file)) << file;
      }
    }
  }
  // Nothing else: no half-written file beside the tables.
  for (const auto& entry : after) {
    const std::string& name = entry.first;
    const bool known = name == kCopiesFolderName ||
                       std::any_of(std::begin(kExportTables), std::end(kExportTables), [&](const char* t) {
      return name == std::string(t) + ".DBF" || name == std::string(t) + ".MDX";
    });
    EXPECT_TRUE(known) << "left behind: " << name;
  }
}

struct HalfWay {
  const char* name;
  std::function<void(const fs::path& zarp)> spoil;
  std::size_t failed;
  std::function<std::string(const fs::path& zarp)> error;
};

class ExportFaultTest : public ::testing::Test {
protected:
  void SetUp() override {
    faults::CopySampleSchool(zarp.path());
    faults::WriteOldTables(vtemp.path());
  }
  test::TempDir zarp, vtemp;
};

TEST_F(ExportFaultTest, AConverterThatFailsHalfWayLeavesItsTableAndTheLaterOnes) {
  std::vector<HalfWay> cases = {
      {"hours that are not a number",
       [](const fs::path& z) { faults::ReplaceIn(z / "ZARP_ASIGNATCURSO.TXT", "MAT 4     ", "MAT x,5   "); },
       4, [](const fs::path&) { return "'x.5' no es un valor punto flotante v\xE1" "lido"; }},
      {"hours beyond any week",
       [](const fs::path& z) { faults::ReplaceIn(z / "ZARP_ASIGNATCURSO.TXT", "MAT 4     ", "MAT 9E99  "); },
       4, [](const fs::path&) { return "Horas semanales fuera de rango: '9E99'"; }},
      {"a time that is not a time",
       [](const fs::path& z) { faults::ReplaceIn(z / "ZARP_SESIONES.TXT", "08300925", "08300a25"); },
       5, [](const fs::path&) { return "'0a' no es un valor entero v\xE1" "lido"; }},
      {"a start time of one digit",
       [](const fs::path& z) { faults::ReplaceIn(z / "ZARP_SESIONES.TXT", "08300925", "8   0925"); },
       5, [](const fs::path&) { return "'8:' no es un valor entero v\xE1" "lido"; }},
  };
#ifndef _WIN32
  // A file that opens but cannot be read (not even by root), where the
  // kernel has one.
  if (fs::is_regular_file(faults::kUnreadable)) {
    cases.push_back({"an input that cannot be read line by line",
                     [](const fs::path& z) {
                       fs::remove(z / "ZARP_PROF.TXT");
                       fs::create_symlink(faults::kUnreadable, z / "ZARP_PROF.TXT");
                     },
                     1, [](const fs::path&) { return IoErrorText(platform::IoCodeFromNative(EINVAL)); }});
    cases.push_back({"an input that cannot be read whole",
                     [](const fs::path& z) {
                       fs::remove(z / "ZARP_SESIONES.TXT");
                       fs::create_symlink(faults::kUnreadable, z / "ZARP_SESIONES.TXT");
                     },
                     5,
                     [](const fs::path& z) {
                       return "Cannot open file \"" + (z / "ZARP_SESIONES.TXT").string() + "\". " +
                              platform::SystemErrorText(EINVAL);
                     }});
  }
#endif
  for (const HalfWay& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir z, v;
    faults::CopySampleSchool(z.path());
    faults::WriteOldTables(v.path());
    c.spoil(z.path());
    const faults::Snapshot before = faults::Take(v.path());
    const test::RunResult o = test::RunExport(z.path(), v.path());
    ExpectStoppedAt(o, c.failed, c.error(z.path()), v.path(), before);
  }
}

TEST_F(ExportFaultTest, AWorkingFolderThatIsAFileStopsAtTheFirstTable) {
  const fs::path file = vtemp / "VTEMP";
  test::WriteBytes(file, "not a folder");
  const test::RunResult o = test::RunExport(zarp.path(), file);
  EXPECT_EQ(o.error, "No existe la carpeta de las tablas " + file.string());
  EXPECT_EQ(o.status, -1);
  EXPECT_EQ(test::ReadBytes(file), "not a folder");
}

#ifndef _WIN32

TEST_F(ExportFaultTest, ATableHeldByAnotherProgramIsNotReplaced) {
  // PROFT a real table, the others old bytes; another process holds PROFT.
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const std::string proft = test::ReadBytes(vtemp / "PROFT.DBF");
  fs::remove_all(CopiesFolder(vtemp.path()));
  faults::WriteOldTables(vtemp.path());
  test::WriteBytes(vtemp / "PROFT.DBF", proft);
  const faults::Snapshot before = faults::Take(vtemp.path());
  faults::OtherProcessHolds holder(vtemp.path(), "PROFT");
  ASSERT_TRUE(holder.held());
  const test::RunResult o = test::RunExport(zarp.path(), vtemp.path());
  ExpectStoppedAt(o, 1,
                  "La tabla " + (vtemp / "PROFT.DBF").string() + " est\xE1" " en uso por otro programa",
                  vtemp.path(), before);
  // Once it is free, the run goes through.
  holder.Release();
  EXPECT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
}

TEST_F(ExportFaultTest, AFullDiskStopsTheTableBeingWritten) {
  // ASIGT grows past the limit; the tables before it are small.
  std::string lines;
  for (int i = 0; i < 1500; ++i) lines += "11ESOA         MAT \r\n";
  test::WriteBytes(zarp / "ZARP_ASIGNATGRUPO.TXT",
                   test::ReadBytes(zarp / "ZARP_ASIGNATGRUPO.TXT") + lines);
  const faults::Snapshot before = faults::Take(vtemp.path());
  test::RunResult o;
  {
    faults::FileSizeLimit limit(64 * 1024);
    o = test::RunExport(zarp.path(), vtemp.path());
  }
  ExpectStoppedAt(o, 4,
                  "No se puede escribir la tabla " + (vtemp / "ASIGT.DBF").string() + ": " +
                      platform::SystemErrorText(EFBIG),
                  vtemp.path(), before);
}

TEST_F(ExportFaultTest, AFullFileSystemStopsTheTableBeingWritten) {
  faults::TinyFileSystem tiny(256);
  if (!tiny.mounted()) GTEST_SKIP() << tiny.why_not();
  const fs::path v = tiny.path();
  faults::WriteOldTables(v);
  std::string lines;
  for (int i = 0; i < 1500; ++i) lines += "11ESOA         MAT \r\n";
  test::WriteBytes(zarp / "ZARP_ASIGNATGRUPO.TXT",
                   test::ReadBytes(zarp / "ZARP_ASIGNATGRUPO.TXT") + lines);
  tiny.LeaveFree(64 * 1024);
  faults::Snapshot before = faults::Take(v);
  const test::RunResult o = test::RunExport(zarp.path(), v);
  fs::remove(v / "filler");
  before.erase("filler");
  ExpectStoppedAt(o, 4,
                  "No se puede escribir la tabla " + (v / "ASIGT.DBF").string() + ": " +
                      platform::SystemErrorText(ENOSPC),
                  v, before);
}

TEST_F(ExportFaultTest, AReadOnlyWorkingFolderStopsAtTheFirstTable) {
  faults::TinyFileSystem tiny(256);
  if (!tiny.mounted()) GTEST_SKIP() << tiny.why_not();
  faults::WriteOldTables(tiny.path());
  const faults::Snapshot before = faults::Take(tiny.path());
  if (!tiny.MakeReadOnly()) GTEST_SKIP() << "cannot remount the tmpfs read-only";
  const test::RunResult o = test::RunExport(zarp.path(), tiny.path());
  // The first table cannot be kept, so it is not replaced.
  ExpectStoppedAt(o, 0,
                  "No se puede crear la carpeta de copias " + (tiny.path() / "COPIAS").string() +
                      ": " + platform::SystemErrorText(EROFS),
                  tiny.path(), before);
}

TEST_F(ExportFaultTest, ComprobarRefusesWhatExportarRefusesWithTheSameMessage) {
  const auto cannot_copy = [](const fs::path& v, const std::string& reason) {
    return "No se puede crear la carpeta de copias " + (v / "COPIAS").string() + ": " + reason;
  };
  struct Case {
    const char* name;
    std::function<std::unique_ptr<faults::ReadOnlyFolder>(const fs::path& v)> spoil;
    std::function<std::string(const fs::path& v)> error;  // null: the export's own, whatever it is
  };
  const Case cases[] = {
      {"COPIAS is a file",
       [](const fs::path& v) { test::WriteBytes(v / "COPIAS", "x"); return nullptr; },
       [&](const fs::path& v) { return cannot_copy(v, "hay un archivo con ese nombre"); }},
      {"COPIAS is a link to a folder",
       [&](const fs::path& v) { fs::create_directory_symlink(zarp.path(), v / "COPIAS"); return nullptr; },
       [&](const fs::path& v) { return cannot_copy(v, "es un enlace simb\xF3" "lico, no una carpeta"); }},
      {"COPIAS is read-only",
       [](const fs::path& v) {
         fs::create_directory(v / "COPIAS");
         return std::make_unique<faults::ReadOnlyFolder>(v / "COPIAS");
       },
       [&](const fs::path& v) { return cannot_copy(v, platform::SystemErrorText(EROFS)); }},
      {"the working folder is read-only",
       [](const fs::path& v) { return std::make_unique<faults::ReadOnlyFolder>(v); }, nullptr},
      {"copies dated in the future",
       [](const fs::path& v) {
         for (const char* copy : {"20991231-2359", "20991231-2358"}) {
           fs::create_directories(v / "COPIAS" / copy);
           test::WriteBytes(v / "COPIAS" / copy / "PROFT.DBF", "future");
         }
         return nullptr;
       },
       [](const fs::path&) { return ""; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir v;
    faults::WriteOldTables(v.path());
    test::WriteBytes(v / "PROFT.DBF.tvz-0123456789ab.tmp", "what a killed run left");
    const auto held = c.spoil(v.path());
    if (held && !held->read_only()) GTEST_SKIP() << "cannot mount a folder read-only here";
    const faults::Snapshot before = faults::Take(v.path());
    const test::RunResult check = test::Run(test::RunKind::kCheck, zarp.path(), v.path());
    EXPECT_EQ(faults::Take(v.path()), before);  // not even the temporary goes
    const test::RunResult write = test::RunExport(zarp.path(), v.path());
    EXPECT_EQ(check.error, write.error);
    EXPECT_EQ(check.status, write.status);
    if (c.error) {
      EXPECT_EQ(write.error, c.error(v.path()));
    }
  }
}

#endif

}  // namespace
}  // namespace tvz
