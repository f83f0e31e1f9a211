// Putting a copy back: byte for byte what an export replaced, and nothing
// at all from a copy that is not whole, not the export's, or not really in
// COPIAS.
#include <gtest/gtest.h>

#include <functional>

#include "core/errors.h"
#include "platform/files.h"
#include "support/run_helper.h"
#include "tables/copies_fixture.h"
#include "tables/table_copies.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using faults::kExportTables;
using faults::Snapshot;
using test::Kept;
using test::Names;
using test::TableCopiesTest;
using test::Tables;
using test::WriteValidOldTables;

TEST_F(TableCopiesTest, RestoringPutsBackWhatEachExportReplaced) {
  WriteValidOldTables(vtemp.path());  // with an index each
  const Snapshot old_tables = Tables(vtemp.path());
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const Snapshot first = Tables(vtemp.path());
  faults::ReplaceIn(zarp / "ZARP_PROF.TXT", "AGM", "AGX");
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const Snapshot second = Tables(vtemp.path());
  ASSERT_NE(first, second);

  // Newest first: the second run kept the first run's tables.
  const std::vector<TableCopy> copies = ListCopies(vtemp.path());
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(Kept(vtemp.path(), copies[1].name), old_tables);
  EXPECT_EQ(Kept(vtemp.path(), copies[0].name), first);
  EXPECT_EQ(copies[0].tables,
            (std::vector<std::string>{"ASIGNOMT", "ASIGT", "AULAT", "DIASHORAST", "GRUPOST", "PROFT"}));

  const RestoreResult r = RestoreCopy(vtemp.path(), copies[0].name, platform::Now());
  EXPECT_EQ(r.tables, copies[0].tables);
  EXPECT_EQ(Tables(vtemp.path()), first);
  ASSERT_FALSE(r.kept.empty());
  EXPECT_EQ(ListCopies(vtemp.path()).front().name, r.kept);
  EXPECT_EQ(Kept(vtemp.path(), r.kept), second);  // what the restore replaced

  // The oldest copy brings the indexes back too.
  RestoreCopy(vtemp.path(), copies[1].name, platform::Now());
  EXPECT_EQ(Tables(vtemp.path()), old_tables);
  EXPECT_EQ(ListCopies(vtemp.path()).size(), 4u);
}


TEST_F(TableCopiesTest, AnUnknownCopyChangesNothing) {
  faults::WriteOldTables(vtemp.path());
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const Snapshot before = faults::Take(vtemp.path());
  for (const char* name : {"20001231-2359", "", "..", "COPIAS"}) {
    try {
      RestoreCopy(vtemp.path(), name, platform::Now());
      ADD_FAILURE() << "restored " << name;
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("No existe la copia de las tablas ") + name);
    }
  }
  EXPECT_EQ(faults::Take(vtemp.path()), before);
  EXPECT_EQ(ListCopies(vtemp.path()).size(), 1u);
}


TEST_F(TableCopiesTest, ACopyThatIsNotWholeRestoresNothing) {
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const std::string table = test::ReadBytes(vtemp / "PROFT.DBF");
  const fs::path outside = zarp / "ZARP_PROF.TXT";
  struct Case {
    const char* name;
    std::function<void(const fs::path& copy)> make;
    std::function<std::string(const fs::path& copy)> error;  // what the message starts with
  };
  const auto damaged = [](const fs::path& copy, const char* file) {
    return "La tabla " + (copy / file).string() + " est\xE1" " da\xF1" "ada: ";
  };
  std::vector<Case> cases = {
      {"empty", [](const fs::path&) {},
       [](const fs::path& copy) { return "La copia " + copy.filename().string() + " no tiene ninguna tabla"; }},
      {"tables that no export writes",
       [&](const fs::path& copy) {
         test::WriteBytes(copy / "SOLUC.DBF", table);
         test::WriteBytes(copy / "NOTAS.DBF", table);
       },
       [](const fs::path& copy) { return "La copia " + copy.filename().string() + " no tiene ninguna tabla"; }},
      {"a table of 0 bytes", [](const fs::path& copy) { test::WriteBytes(copy / "PROFT.DBF", ""); },
       [&](const fs::path& copy) { return damaged(copy, "PROFT.DBF"); }},
      {"a table cut short",
       [&](const fs::path& copy) {
         test::WriteBytes(copy / "ASIGT.DBF", table);
         test::WriteBytes(copy / "PROFT.DBF", table.substr(0, table.size() - 40));
       },
       [&](const fs::path& copy) { return damaged(copy, "PROFT.DBF") + "la cabecera promete "; }},
  };
#ifndef _WIN32
  cases.insert(cases.end(), {
      {"a table that links out of the working folder",
       [&](const fs::path& copy) { fs::create_symlink(outside, copy / "asigt.dbf"); },
       [](const fs::path& copy) { return "La tabla " + (copy / "asigt.dbf").string() + " no es un archivo normal"; }},
      {"an index that links out of the working folder",
       [&](const fs::path& copy) {
         test::WriteBytes(copy / "PROFT.DBF", table);
         fs::create_symlink(outside, copy / "PROFT.MDX");
       },
       [](const fs::path& copy) { return "El \xED" "ndice " + (copy / "PROFT.MDX").string() + " no es un archivo normal"; }},
      {"a copy folder that links out of the working folder",
       [&](const fs::path& copy) {
         fs::create_directory_symlink(zarp.path(), copy);
         test::WriteBytes(zarp / "PROFT.DBF", table);
       },
       [](const fs::path& copy) { return "No existe la copia de las tablas " + copy.filename().string(); }},
  });
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path copy = CopiesFolder(vtemp.path()) / "20300101-0000";
    fs::create_directories(copy.parent_path());
    if (std::string(c.name).find("copy folder") == std::string::npos) fs::create_directory(copy);
    c.make(copy);
    const Snapshot before = faults::Take(vtemp.path());
    const std::vector<std::string> copies = Names(ListCopies(vtemp.path()));
    try {
      RestoreCopy(vtemp.path(), "20300101-0000", platform::Now());
      ADD_FAILURE() << "restored";
    } catch (const RunError& e) {
      const std::string expected = c.error(copy);
      EXPECT_EQ(std::string(e.what()).substr(0, expected.size()), expected);
    }
    EXPECT_EQ(faults::Take(vtemp.path()), before);
    EXPECT_EQ(Names(ListCopies(vtemp.path())), copies);
    fs::remove_all(copy);
  }
}

#ifndef _WIN32
TEST_F(TableCopiesTest, ARestoredTableHasThePermissionsOfTheFileItReplaces) {
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const std::string copy = ListCopies(vtemp.path()).front().name;
  for (const fs::perms mode : {fs::perms(0444), fs::perms(0640)}) {
    fs::permissions(vtemp / "PROFT.DBF", mode);
    RestoreCopy(vtemp.path(), copy, platform::Now());
    EXPECT_EQ(fs::status(vtemp / "PROFT.DBF").permissions(), mode);
  }
}

#endif

}  // namespace
}  // namespace tvz
