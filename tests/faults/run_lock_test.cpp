// Runs and the folders they hold: while another conversion holds a folder a
// run needs, the run refuses before touching anything; once it is free the
// run goes through and nothing is left in the folder.
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

}  // namespace
}  // namespace tvz
