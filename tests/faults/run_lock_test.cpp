// Runs and the folders they hold: while another conversion holds a folder a
// run needs, the run refuses before touching anything; once it is free the
// run goes through and nothing is left in the folder. A run clears from the
// folder it writes the temporaries that a killed run of its own left there,
// and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/errors.h"
#include "faults/fault_support.h"
#include "platform/folder_lock.h"
#include "support/run_helper.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

std::string InUse(const fs::path& folder) {
  return "Otra conversi\xF3" "n est\xE1" " usando la carpeta \"" + folder.string() +
         "\"; espere a que termine";
}

class RunLockTest : public ::testing::Test {
protected:
  void SetUp() override {
    faults::CopySampleSchool(zarp.path());
    ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
    fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF");
  }
  test::TempDir zarp, vtemp;
};

TEST_F(RunLockTest, ASecondRunRefusesWhileAFolderItNeedsIsHeld) {
  struct Case {
    const char* name;
    test::RunKind kind;
    bool hold_working_folder;  // else the chosen folder
    bool refused;
  };
  const std::vector<Case> cases = {
      {"export, working folder held", test::RunKind::kExport, true, true},
      {"import, working folder held", test::RunKind::kImport, true, true},
      {"import, chosen folder held", test::RunKind::kImport, false, true},
      // The export only reads the chosen folder: an import may write there.
      {"export, chosen folder held", test::RunKind::kExport, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path held = c.hold_working_folder ? vtemp.path() : zarp.path();
    const faults::Snapshot tables = faults::Take(vtemp.path());
    const faults::Snapshot files = faults::Take(zarp.path());
    {
      platform::FolderLock other;
      ASSERT_EQ(other.Acquire(held), platform::FolderLock::Result::kHeld);
      const test::RunResult o = test::Run(c.kind, zarp.path(), vtemp.path(), {.status = 7});
      if (!c.refused) {
        EXPECT_EQ(o.error, "");
        continue;
      }
      EXPECT_EQ(o.error, InUse(held));
      EXPECT_EQ(o.status, c.kind == test::RunKind::kExport ? -1 : 7);
      EXPECT_TRUE(o.host.messages.empty());
      EXPECT_TRUE(o.host.busy_changes.empty());
      EXPECT_EQ(faults::Take(vtemp.path()), tables);
      EXPECT_EQ(faults::Take(zarp.path()), files);
    }
    // Free again: the run goes through and leaves no lock behind.
    const test::RunResult later = test::Run(c.kind, zarp.path(), vtemp.path());
    EXPECT_EQ(later.error, "");
    EXPECT_EQ(later.status, 1);
    for (const fs::path& folder : {vtemp.path(), zarp.path()}) {
      platform::FolderLock after;
      EXPECT_EQ(after.Acquire(folder), platform::FolderLock::Result::kHeld) << folder;
    }
  }
}

TEST_F(RunLockTest, ARunIsFreeWhenBothFoldersAreOne) {
  // Tables and ZARP files in one folder: the run holds it once.
  faults::CopySampleSchool(vtemp.path());
  EXPECT_EQ(test::RunExport(vtemp.path(), vtemp.path()).error, "");
  EXPECT_EQ(test::RunImport(vtemp.path(), vtemp.path()).error, "");
}

TEST_F(RunLockTest, ARunRemovesOnlyItsOwnStaleTemporaries) {
  struct Name {
    std::string name;
    bool ours;
  };
  const std::vector<Name> names = {
      {"PROFT.DBF.tvz-0123456789ab.tmp", true},
      {"ASIGT.DBF.tvz-ffffffffffff.tmp", true},
      {"ZARP_HORARIO.TXT.tvz-a1b2c3d4e5f6.tmp", true},
      {"OTRA.DBF.tvz-000000000000.tmp", true},
      {".tvz-0123456789ab.tmp", false},                  // no name before it
      {"PROFT.DBF.tvz-0123456789a.tmp", false},          // 11 digits
      {"PROFT.DBF.tvz-0123456789abc.tmp", false},        // 13 digits
      // Case variants under other names: on Windows they would be one file.
      {"AULAT.DBF.tvz-0123456789AB.tmp", false},         // capitals
      {"PROFT.DBF.tvz-0123456789ag.tmp", false},         // not hex
      {"PROFT.DBF.tvz-0123456789ab.tmp.bak", false},
      {"GRUPOST.DBF.tvz-0123456789ab.TMP", false},
      {"PROFT.DBF.tvx-0123456789ab.tmp", false},
      {"PROFT.DBF.0123456789ab.tmp", false},
      {"PROFT.DBF.tmp", false},
      {"~PROFT.tmp", false},
  };
  for (test::RunKind kind : {test::RunKind::kExport, test::RunKind::kImport}) {
    const bool is_export = kind == test::RunKind::kExport;
    SCOPED_TRACE(is_export ? "export" : "import");
    const fs::path written = is_export ? vtemp.path() : zarp.path();
    const fs::path read_only = is_export ? zarp.path() : vtemp.path();
    for (const fs::path& folder : {written, read_only})
      for (const Name& n : names) test::WriteBytes(folder / n.name, "left by " + n.name);
    // A folder by our pattern is not a file of ours.
    fs::create_directory(written / "X.DBF.tvz-00000000000a.tmp");
    const test::RunResult o = test::Run(kind, zarp.path(), vtemp.path());
    EXPECT_EQ(o.error, "");
    for (const Name& n : names) {
      EXPECT_EQ(fs::exists(written / n.name), !n.ours) << n.name;
      // The folder the run only reads is not cleared.
      EXPECT_TRUE(fs::exists(read_only / n.name)) << n.name;
    }
    EXPECT_TRUE(fs::is_directory(written / "X.DBF.tvz-00000000000a.tmp"));
    for (const fs::path& folder : {written, read_only}) {
      for (const Name& n : names) fs::remove(folder / n.name);
    }
    fs::remove(written / "X.DBF.tvz-00000000000a.tmp");
  }
}

}  // namespace
}  // namespace tvz
