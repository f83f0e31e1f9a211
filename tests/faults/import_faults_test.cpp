// An import stopped by a fault never leaves a truncated or half-replaced
// ZARP_HORARIO.TXT: the earlier file stays byte for byte, nothing is left
// beside it, the run status keeps its value and the message says why.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "faults/fault_support.h"
#include "platform/system_errors.h"
#include "support/run_helper.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

const std::string kOldTimetable = "0ZARP_HORARIO.TXT old\r\n9ZARP_HORARIO.TXT old 0\r\n";
// The run status before each run, whatever it was: an error keeps it.
const test::RunSettings kEarlier{.status = 7};

// The sample school's tables and timetable in `vtemp`, its subjects file and
// an earlier timetable file in `zarp`.
void Prepare(const fs::path& zarp, const fs::path& vtemp) {
  test::TempDir school;
  faults::CopySampleSchool(school.path());
  EXPECT_EQ(test::RunExport(school.path(), vtemp).error, "");
  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF",
                fs::copy_options::overwrite_existing);
  fs::copy_file(school / "ZARP_ASIGNAT.TXT", zarp / "ZARP_ASIGNAT.TXT",
                fs::copy_options::overwrite_existing);
  test::WriteBytes(zarp / "ZARP_HORARIO.TXT", kOldTimetable);
}

class ImportFaultTest : public ::testing::Test {
protected:
  void SetUp() override { Prepare(zarp.path(), vtemp.path()); }
  std::string CannotCreate(const fs::path& folder, int native) const {
    return "Cannot create file \"" + (folder / "ZARP_HORARIO.TXT").string() + "\". " +
           platform::SystemErrorText(native);
  }
  test::TempDir zarp, vtemp;
};

TEST_F(ImportFaultTest, TheSampleRunsThrough) {
  const test::RunResult o = test::RunImport(zarp.path(), vtemp.path(), kEarlier);
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(test::ReadBytes(zarp / "ZARP_HORARIO.TXT"), kOldTimetable);
}

TEST_F(ImportFaultTest, AnOutputNameThatIsAFolderIsAnError) {
  fs::remove(zarp / "ZARP_HORARIO.TXT");
  fs::create_directory(zarp / "ZARP_HORARIO.TXT");
  const test::RunResult o = test::RunImport(zarp.path(), vtemp.path(), kEarlier);
  EXPECT_EQ(o.error.rfind("Cannot create file \"" + (zarp / "ZARP_HORARIO.TXT").string() + "\". ", 0), 0u)
      << o.error;
  EXPECT_EQ(o.status, 7);
  EXPECT_TRUE(fs::is_directory(zarp / "ZARP_HORARIO.TXT"));
  EXPECT_EQ(faults::Take(zarp.path()).size(), 2u);  // nothing left beside it
}

#ifndef _WIN32

void ExpectUnchanged(const test::RunResult& o, const std::string& error, const fs::path& zarp) {
  EXPECT_EQ(o.error, error);
  EXPECT_EQ(o.status, 7);
  EXPECT_EQ(o.host.busy_changes, (std::vector<bool>{true, false}));
  EXPECT_TRUE(o.host.messages.empty());
  const faults::Snapshot files = faults::Take(zarp);
  EXPECT_EQ(files.at("ZARP_HORARIO.TXT"), kOldTimetable);
  for (const auto& entry : files) {
    EXPECT_TRUE(entry.first == "ZARP_HORARIO.TXT" || entry.first == "ZARP_ASIGNAT.TXT" ||
                entry.first == "filler")
        << "left behind: " << entry.first;
  }
}

TEST_F(ImportFaultTest, AWriteThatFailsLeavesTheEarlierFile) {
  test::RunResult o;
  {
    faults::FileSizeLimit limit(1024);  // the sample's timetable is about 2 KB
    o = test::RunImport(zarp.path(), vtemp.path(), kEarlier);
  }
  ExpectUnchanged(o, CannotCreate(zarp.path(), EFBIG), zarp.path());
}

TEST_F(ImportFaultTest, AFullFileSystemLeavesTheEarlierFile) {
  faults::TinyFileSystem tiny(64);
  if (!tiny.mounted()) GTEST_SKIP() << tiny.why_not();
  fs::copy_file(zarp / "ZARP_ASIGNAT.TXT", tiny.path() / "ZARP_ASIGNAT.TXT");
  test::WriteBytes(tiny.path() / "ZARP_HORARIO.TXT", kOldTimetable);
  tiny.LeaveFree(0);
  ExpectUnchanged(test::RunImport(tiny.path(), vtemp.path(), kEarlier), CannotCreate(tiny.path(), ENOSPC),
                  tiny.path());
}

TEST_F(ImportFaultTest, AReadOnlyFolderLeavesTheEarlierFile) {
  faults::TinyFileSystem tiny(64);
  if (!tiny.mounted()) GTEST_SKIP() << tiny.why_not();
  fs::copy_file(zarp / "ZARP_ASIGNAT.TXT", tiny.path() / "ZARP_ASIGNAT.TXT");
  test::WriteBytes(tiny.path() / "ZARP_HORARIO.TXT", kOldTimetable);
  if (!tiny.MakeReadOnly()) GTEST_SKIP() << "cannot remount the tmpfs read-only";
  ExpectUnchanged(test::RunImport(tiny.path(), vtemp.path(), kEarlier), CannotCreate(tiny.path(), EROFS),
                  tiny.path());
}

TEST_F(ImportFaultTest, ATableHeldByAnotherProgramStopsTheRunAndIsReleased) {
  for (const char* table : {"SOLUC", "DIASHORAST"}) {
    SCOPED_TRACE(table);
    faults::OtherProcessHolds holder(vtemp.path(), table);
    ASSERT_TRUE(holder.held());
    ExpectUnchanged(test::RunImport(zarp.path(), vtemp.path(), kEarlier),
                    "La tabla " + (vtemp / (std::string(table) + ".DBF")).string() +
                        " est\xE1" " en uso por otro programa",
                    zarp.path());
    holder.Release();
    // The tables the run had opened were closed again.
    for (const char* t : {"SOLUC", "GRUPOST", "PROFT", "AULAT", "ASIGNOMT"}) {
      faults::OtherProcessHolds other(vtemp.path(), t);
      EXPECT_TRUE(other.held()) << t;
    }
  }
  EXPECT_EQ(test::RunImport(zarp.path(), vtemp.path(), kEarlier).error, "");
}

TEST_F(ImportFaultTest, ATableThatCannotBeReadStopsTheRun) {
  if (!fs::is_regular_file(faults::kUnreadable)) GTEST_SKIP() << faults::kUnreadable << " is missing";
  fs::remove(vtemp / "SOLUC.DBF");
  fs::create_symlink(faults::kUnreadable, vtemp / "SOLUC.DBF");
  ExpectUnchanged(test::RunImport(zarp.path(), vtemp.path(), kEarlier),
                  "No se puede leer la tabla " + (vtemp / "SOLUC.DBF").string() + ": " +
                      platform::SystemErrorText(EINVAL),
                  zarp.path());
}

#endif

}  // namespace
}  // namespace tvz
