// Linux: a table under another process's POSIX record lock (fcntl or OFD,
// read or write, the whole file or one range) is in use, as one held by
// flock() already was: the export does not replace it, the import does not
// read it. A text input under a write lock is not read either.
#include <gtest/gtest.h>

#ifndef _WIN32

#include "core/errors.h"
#include "faults/fault_support.h"
#include "faults/record_lock_holder.h"
#include "support/run_helper.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

std::string InUse(const fs::path& table) {
  return "La tabla " + table.string() + " est\xE1" " en uso por otro programa";
}

TEST(RecordLockTest, TheExportDoesNotReplaceATableUnderARecordLock) {
  for (const faults::RecordLock& lock : faults::kRecordLocks) {
    SCOPED_TRACE(lock.name);
    test::TempDir zarp, vtemp;
    faults::CopySampleSchool(zarp.path());
    faults::WriteOldTables(vtemp.path());
    const faults::Snapshot before = faults::Take(vtemp.path());
    faults::OtherProcessLocks holder(vtemp / "PROFT.DBF", lock);
    ASSERT_TRUE(holder.held());
    const test::RunResult o = test::RunExport(zarp.path(), vtemp.path());
    EXPECT_EQ(o.error, InUse(vtemp / "PROFT.DBF"));
    EXPECT_EQ(o.status, -1);
    const faults::Snapshot after = faults::Take(vtemp.path());
    EXPECT_NE(after.at("ASIGNOMT.DBF"), before.at("ASIGNOMT.DBF"));
    for (const char* t : {"PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"}) {
      EXPECT_EQ(after.at(std::string(t) + ".DBF"), before.at(std::string(t) + ".DBF")) << t;
    }
    // Only ASIGNOMT.MDX went; the replaced ASIGNOMT was kept in COPIAS.
    EXPECT_EQ(after.size() - after.count("COPIAS"), before.size() - 1);
    holder.Release();
    EXPECT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
  }
}

TEST(RecordLockTest, TheImportDoesNotReadATableUnderARecordLock) {
  test::TempDir zarp, vtemp, school;
  faults::CopySampleSchool(school.path());
  ASSERT_EQ(test::RunExport(school.path(), vtemp.path()).error, "");
  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF");
  fs::copy_file(school / "ZARP_ASIGNAT.TXT", zarp / "ZARP_ASIGNAT.TXT");
  const std::string old_timetable = "old timetable";
  test::WriteBytes(zarp / "ZARP_HORARIO.TXT", old_timetable);
  for (const char* table : {"SOLUC", "AULAT"}) {
    for (const faults::RecordLock& lock : faults::kRecordLocks) {
      SCOPED_TRACE(std::string(table) + ", " + lock.name);
      const fs::path file = vtemp / (std::string(table) + ".DBF");
      faults::OtherProcessLocks holder(file, lock);
      ASSERT_TRUE(holder.held());
      const test::RunResult o = test::RunImport(zarp.path(), vtemp.path(), {.status = 7});
      EXPECT_EQ(o.error, InUse(file));
      EXPECT_EQ(o.status, 7);
      EXPECT_EQ(test::ReadBytes(zarp / "ZARP_HORARIO.TXT"), old_timetable);
      EXPECT_EQ(faults::Take(zarp.path()).size(), 2u) << "nothing left beside it";
    }
  }
  EXPECT_EQ(test::RunImport(zarp.path(), vtemp.path()).error, "");
}

TEST(RecordLockTest, AnInputUnderAWriteLockIsInUseAndUnderAReadLockIsRead) {
  struct Case {
    faults::RecordLock lock;
    bool in_use;
  };
  const Case cases[] = {
      {{"fcntl write lock", F_SETLK, F_WRLCK, 0, 0}, true},
      {{"OFD write lock, one line", F_OFD_SETLK, F_WRLCK, 10, 5}, true},
      {{"fcntl read lock", F_SETLK, F_RDLCK, 0, 0}, false},
      {{"OFD read lock", F_OFD_SETLK, F_RDLCK, 0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lock.name);
    test::TempDir zarp, vtemp;
    faults::CopySampleSchool(zarp.path());
    faults::OtherProcessLocks holder(zarp / "ZARP_PROF.TXT", c.lock);
    ASSERT_TRUE(holder.held());
    const test::RunResult o = test::RunExport(zarp.path(), vtemp.path());
    EXPECT_EQ(o.error, c.in_use ? IoErrorText(32) : "");
  }
}

}  // namespace
}  // namespace tvz

#endif
