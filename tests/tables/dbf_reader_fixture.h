#pragma once
// The reader tests' table: opens bytes written to a temporary folder and
// reads every record back as text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_table.h"

namespace tvz::test {

using Rows = std::vector<std::vector<std::string>>;

// A sound dBase III table with one record, the base of the damaged ones.
inline std::string Good() {
  return DbfFixture(0x03, {{"A", dbf::kTypeCharacter, 4}, {"B", dbf::kTypeNumeric, 3}})
      .Record({"x", "1"})
      .Bytes();
}

class DbfReaderTest : public ::testing::Test {
protected:
  DbfTable& Open(const std::string& bytes, const std::string& name = "T.DBF") {
    test::WriteBytes(dir / name, bytes);
    table.DatabaseName = dir.path();
    table.TableName = name;
    table.Open();
    return table;
  }
  // Every visible field of every record, as text.
  Rows ReadAll() {
    Rows rows;
    for (table.First(); !table.Eof(); table.Next()) {
      std::vector<std::string> row;
      for (int i = 0; i < table.FieldCount(); ++i) row.push_back(table.Fields(i).AsString());
      rows.push_back(row);
    }
    return rows;
  }
  std::string Path(const std::string& name = "T.DBF") const { return (dir / name).string(); }

  TempDir dir;
  DbfTable table;
};

}  // namespace tvz::test
