// The copies of the tables an export replaces: what a run keeps, how copies
// are named, listed and pruned (putting one back: table_restore_test.cpp).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "core/errors.h"
#include "export/export_run.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "tables/copies_fixture.h"
#include "tables/table_copies.h"
#include "faults/fault_support.h"
#include "support/run_helper.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tvz {
namespace {

namespace fs = std::filesystem;
using faults::kExportTables;
using faults::Snapshot;
using test::Kept;
using test::Names;
using test::TableCopiesTest;
using test::Tables;

TEST_F(TableCopiesTest, OnlyTablesThatWereReplacedAreKept) {
  // No old tables: nothing to keep, no copy folder.
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  EXPECT_FALSE(fs::exists(CopiesFolder(vtemp.path())));

  // Teachers missing: PROFT stays, so it is not in the copy.
  fs::remove(zarp / "ZARP_PROF.TXT");
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).status, -1);
  std::vector<TableCopy> copies = ListCopies(vtemp.path());
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].tables,
            (std::vector<std::string>{"ASIGNOMT", "ASIGT", "AULAT", "DIASHORAST", "GRUPOST"}));

  // A run that replaces nothing makes no copy.
  test::TempDir empty;
  EXPECT_EQ(test::RunExport(empty.path(), vtemp.path()).status, -1);
  EXPECT_EQ(ListCopies(vtemp.path()).size(), 1u);
}

TEST(TableCopies, NamesAreListedNewestFirstAndOthersIgnored) {
  test::TempDir vtemp;
  const std::vector<std::string> folders = {
      "20261208-1012",   "20261208-1012-2", "20261208-1012-10", "20261208-0959", "20251231-2359",
      "2026120-1012",    "20261308-1012",   "20261208-2460",    "20261208-1012-1",
      "20261208-1012-x", "20261208-1012-02", "copia",           "20261208_1012"};
  for (const std::string& f : folders) fs::create_directories(CopiesFolder(vtemp.path()) / f);
  test::WriteBytes(CopiesFolder(vtemp.path()) / "20261208-0959" / "proft.dbf", "x");
  test::WriteBytes(CopiesFolder(vtemp.path()) / "20261208-0959" / "PROFT.MDX", "x");
  test::WriteBytes(CopiesFolder(vtemp.path()) / "20261208-0958", "a file, no copy");
  const std::vector<TableCopy> copies = ListCopies(vtemp.path());
  EXPECT_EQ(Names(copies), (std::vector<std::string>{"20261208-1012-10", "20261208-1012-2", "20261208-1012",
                                                     "20261208-0959", "20251231-2359"}));
  const TableCopy& c = copies[3];
  EXPECT_EQ(c.tables, std::vector<std::string>{"PROFT"});
  EXPECT_EQ((std::vector<int>{c.time.year, c.time.month, c.time.day, c.time.hour, c.time.minute}),
            (std::vector<int>{2026, 12, 8, 9, 59}));
  EXPECT_EQ(CopyName({2026, 1, 2, 3, 4, 5}), "20260102-0304");
  EXPECT_TRUE(ListCopies(vtemp / "nada").empty());
}

TEST(TableCopies, ARunMakesOneUniqueCopyAndPrunesToTheNewestTen) {
  test::TempDir vtemp;
  test::WriteBytes(vtemp / "PROFT.DBF", "old");
  fs::create_directories(CopiesFolder(vtemp.path()) / "mine");
  for (int minute = 0; minute < 12; ++minute) {
    CopyRun run(vtemp.path(), {2026, 12, 8, 10, minute, 0});
    run.KeepBeforeReplace({vtemp / "PROFT.DBF"});
    run.KeepBeforeReplace({vtemp / "PROFT.DBF"});  // one folder per run
  }
  CopyRun same_minute(vtemp.path(), {2026, 12, 8, 10, 11, 30});
  same_minute.KeepBeforeReplace({vtemp / "PROFT.DBF"});
  same_minute.End();
  EXPECT_EQ(same_minute.Name(), "20261208-1011-2");
  const std::vector<TableCopy> copies = ListCopies(vtemp.path());
  ASSERT_EQ(copies.size(), kKeptCopies);
  EXPECT_EQ(copies.front().name, "20261208-1011-2");
  EXPECT_EQ(copies.back().name, "20261208-1003");
  EXPECT_TRUE(fs::is_directory(CopiesFolder(vtemp.path()) / "mine"));  // not a copy: left alone
  EXPECT_EQ(test::ReadBytes(CopiesFolder(vtemp.path()) / "20261208-1003" / "PROFT.DBF"), "old");

  PruneCopies(vtemp.path(), 1, {"20261208-1003"});
  EXPECT_EQ(Names(ListCopies(vtemp.path())), (std::vector<std::string>{"20261208-1011-2", "20261208-1003"}));
}

std::unique_ptr<DbfTable> NewProft(const fs::path& vtemp) {
  auto t = std::make_unique<DbfTable>();
  t->DatabaseName = vtemp;
  t->TableName = "PROFT.DBF";
  t->FieldDefs = {{"CODIGO", FieldType::ftString, 4}};
  t->CreateTable();
  t->Append();
  t->FieldByName("CODIGO").SetAsString("NEW");
  t->Post();
  return t;
}

TEST_F(TableCopiesTest, TheCopyIsCompleteBeforeTheReplaceStarts) {
  test::WriteBytes(vtemp / "PROFT.DBF", "old table");
  test::WriteBytes(vtemp / "PROFT.MDX", "old index");
  CopyRun run(vtemp.path(), {2026, 12, 8, 10, 12, 0});
  auto table = NewProft(vtemp.path());
  // Ended right after the copy, as by a crash: the old files are in place
  // and whole in the copy.
  EXPECT_THROW(table->Finish([&](const std::vector<fs::path>& old) {
    run.KeepBeforeReplace(old);
    throw RunError("crash");
  }),
               RunError);
  EXPECT_EQ(test::ReadBytes(vtemp / "PROFT.DBF"), "old table");
  EXPECT_EQ(test::ReadBytes(vtemp / "PROFT.MDX"), "old index");
  const Snapshot kept = Kept(vtemp.path(), "20261208-1012");
  EXPECT_EQ(kept, (Snapshot{{"PROFT.DBF", "old table"}, {"PROFT.MDX", "old index"}}));
  // Once replaced, the copy still holds the old bytes.
  run.Finish(*table);
  EXPECT_NE(test::ReadBytes(vtemp / "PROFT.DBF"), "old table");
  EXPECT_FALSE(fs::exists(vtemp / "PROFT.MDX"));
  EXPECT_EQ(Kept(vtemp.path(), "20261208-1012"), kept);
}

TEST(TableCopies, ARunsOwnCopyIsNeverPrunedAndNoNameIsTakenAgain) {
  struct Case {
    const char* name;
    std::vector<std::string> there;  // copies made before they were recorded
    int runs;                        // each in the same minute
    std::vector<std::string> left;   // the copies afterwards, as listed
  };
  const Case cases[] = {
      {"a dozen runs in one minute", {}, 12,
       {"20261208-1012-12", "20261208-1012-11", "20261208-1012-10", "20261208-1012-9",
        "20261208-1012-8", "20261208-1012-7", "20261208-1012-6", "20261208-1012-5",
        "20261208-1012-4", "20261208-1012-3"}},
      {"ten copies named by a clock that was ahead",
       {"20991231-2350", "20991231-2351", "20991231-2352", "20991231-2353", "20991231-2354",
        "20991231-2355", "20991231-2356", "20991231-2357", "20991231-2358", "20991231-2359"},
       2,
       {"20261208-1012-2", "20261208-1012", "20991231-2359", "20991231-2358", "20991231-2357",
        "20991231-2356", "20991231-2355", "20991231-2354", "20991231-2353", "20991231-2352"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir vtemp;
    test::WriteBytes(vtemp / "PROFT.DBF", "old");
    for (const std::string& copy : c.there) {
      fs::create_directories(CopiesFolder(vtemp.path()) / copy);
      test::WriteBytes(CopiesFolder(vtemp.path()) / copy / "PROFT.DBF", "older");
    }
    for (int second = 0; second < c.runs; ++second) {
      CopyRun run(vtemp.path(), {2026, 12, 8, 10, 12, second});
      run.KeepBeforeReplace({vtemp / "PROFT.DBF"});
      run.End();
      EXPECT_EQ(ListCopies(vtemp.path()).front().name, run.Name());
    }
    EXPECT_EQ(Names(ListCopies(vtemp.path())), c.left);
  }
}

#ifndef _WIN32

// Copies that cannot be seen are an error, not "no copies", and pruning
// leaves them. Root reads any folder, so the child that checks it runs as
// nobody there.
TEST(TableCopiesDeathTest, ACopiesFolderThatCannotBeReadIsAnError) {
  test::TempDir vtemp;
  const fs::path copy = CopiesFolder(vtemp.path()) / "20261208-1012";
  fs::create_directories(copy);
  const auto check = [&] {
    if (::geteuid() == 0) {
      for (const fs::path& p : {vtemp.path(), CopiesFolder(vtemp.path()), copy})
        if (::chown(p.c_str(), 65534, 65534) != 0) std::_Exit(3);
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(3);
    }
    fs::permissions(CopiesFolder(vtemp.path()), fs::perms::owner_write | fs::perms::owner_exec);
    PruneCopies(vtemp.path(), 0);
    for (const auto& attempt : {std::function<void()>([&] { ListCopies(vtemp.path()); }),
                                std::function<void()>([&] { RequireCopiesUsable(vtemp.path()); })}) {
      try {
        attempt();
      } catch (const RunError& e) {
        std::fprintf(stderr, "%s|", e.what());
      }
    }
    std::_Exit(fs::is_directory(copy) ? 0 : 4);
  };
  EXPECT_EXIT(check(), testing::ExitedWithCode(0),
              "No se puede leer la carpeta de copias [^|]*COPIAS: [^|]+[|]No se puede leer la carpeta de copias");
}

// Whether a file of some copy is a live table's file.
bool ACopySharesALiveFile(const fs::path& vtemp) {
  for (const TableCopy& copy : ListCopies(vtemp)) {
    for (const auto& kept : fs::directory_iterator(CopiesFolder(vtemp) / copy.name)) {
      for (const auto& live : fs::directory_iterator(vtemp)) {
        if (live.is_regular_file() && platform::SameFile(kept.path(), live.path())) return true;
      }
    }
  }
  return false;
}

TEST_F(TableCopiesTest, ARunThatReplacesNothingKeepsNoCopyAndPrunesNone) {
  faults::TinyFileSystem tiny(1024);
  if (!tiny.mounted()) GTEST_SKIP() << tiny.why_not();
  const fs::path v = tiny.path();
  faults::WriteOldTables(v);
  for (std::size_t i = 0; i < kKeptCopies; ++i) ASSERT_EQ(test::RunExport(zarp.path(), v).error, "");
  const std::vector<std::string> copies = Names(ListCopies(v));
  const auto FullDiskRestore = [&](std::size_t free) {
    tiny.LeaveFree(free);
    try {
      RestoreCopy(v, copies.front(), platform::Now());
    } catch (const RunError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  struct Case {
    const char* name;
    std::function<std::string()> run;  // the error that ended it
  };
  const Case cases[] = {
      {"an export whose first table another program holds",
       [&] {
         faults::OtherProcessHolds holder(v, "ASIGNOMT");
         return test::RunExport(zarp.path(), v).error;
       }},
      {"an export on a full disk",
       [&] {
         tiny.LeaveFree(0);
         return test::RunExport(zarp.path(), v).error;
       }},
      {"a restore on a full disk", [&] { return FullDiskRestore(0); }},
      {"a restore with room for its copy, not for the tables", [&] { return FullDiskRestore(8192); }},
      {"a restore held off by another run",
       [&] {
         platform::FolderLock other;
         other.Acquire(v);
         try {
           RestoreCopy(v, copies.back(), platform::Now());
         } catch (const RunError& e) {
           return std::string(e.what());
         }
         return std::string();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Snapshot before = Tables(v);
    const std::string error = c.run();
    fs::remove(v / "filler");
    EXPECT_NE(error, "");
    EXPECT_EQ(Tables(v), before);
    EXPECT_EQ(Names(ListCopies(v)), copies);
    EXPECT_FALSE(ACopySharesALiveFile(v));
  }
}

TEST_F(TableCopiesTest, ATableInUseIsNeitherKeptNorReplacedNorRestored) {
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  const std::string copy = ListCopies(vtemp.path()).front().name;
  const Snapshot before = faults::Take(vtemp.path());
  faults::OtherProcessHolds holder(vtemp.path(), "PROFT");
  ASSERT_TRUE(holder.held());
  CopyRun run(vtemp.path(), {2030, 1, 1, 0, 0, 0});
  auto table = NewProft(vtemp.path());
  EXPECT_THROW(run.Finish(*table), RunError);
  EXPECT_EQ(run.Name(), "");
  EXPECT_THROW(RestoreCopy(vtemp.path(), copy, platform::Now()), RunError);
  EXPECT_EQ(faults::Take(vtemp.path()), before);
  EXPECT_EQ(ListCopies(vtemp.path()).size(), 1u);
}

#endif

}  // namespace
}  // namespace tvz
