// A table's .DBF and .MDX replaced together: the new pair, or the new table
// alone, or when the table cannot take its place the old pair as it was;
// never a temporary left beside them.
#include "tables/table_files.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/errors.h"
#include "faults/fault_support.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

TEST(TableFiles, TheTableAndItsIndexChangeTogetherOrNotAtAll) {
  struct Case {
    const char* name;
    bool table_in_the_way;            // PROFT.DBF a folder that the new file cannot replace
    std::optional<std::string> index;  // the new index
    faults::Snapshot after;            // PROFT.DBF and PROFT.MDX ("<dir>": the folder in the way)
  };
  const Case cases[] = {
      {"a new table, no index", false, std::nullopt, {{"PROFT.DBF", "new table"}}},
      {"a new table and index", false, "new index", {{"PROFT.DBF", "new table"}, {"PROFT.MDX", "new index"}}},
      {"a table that cannot take its place", true, "new index",
       {{"PROFT.DBF", "<dir>"}, {"PROFT.MDX", "old index"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    if (c.table_in_the_way) {
      fs::create_directory(dir / "PROFT.DBF");
      test::WriteBytes(dir / "PROFT.DBF" / "x", "x");
    } else {
      test::WriteBytes(dir / "PROFT.DBF", "old table");
    }
    test::WriteBytes(dir / "PROFT.MDX", "old index");
    {
      TableFiles files;
      files.Prepare(dir / "PROFT.DBF", "new table", dir / "PROFT.MDX", c.index,
                    platform::PendingFile::Permissions::kNew);
      if (c.table_in_the_way) {
        EXPECT_THROW(files.Commit(), RunError);
      } else {
        files.Commit();
      }
      EXPECT_EQ(files.TableReplaced(), !c.table_in_the_way);
    }
    EXPECT_EQ(faults::Take(dir.path()), c.after);
  }
}

}  // namespace
}  // namespace tvz
