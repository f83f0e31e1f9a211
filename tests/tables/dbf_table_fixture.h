#pragma once
// The table tests' tables: created in a temporary folder with a small
// schema, filled, walked and read back from their files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "tables/dbf_table.h"

namespace tvz::test {

inline std::vector<FieldDef> Schema() {
  return {{"ABREV", FieldType::ftString, 10},
          {"NUM", FieldType::ftInteger, 0},
          {"HORAS", FieldType::ftFloat, 0},
          {"ACTIVO", FieldType::ftBoolean, 0}};
}

class DbfTableTest : public ::testing::Test {
protected:
  void Create(DbfTable& t, std::vector<FieldDef> defs = Schema()) {
    t.DatabaseName = dir.path();
    t.TableName = "T.DBF";
    t.FieldDefs = std::move(defs);
    t.CreateTable();
    t.Open();  // already open: nothing happens
  }
  void AddRow(DbfTable& t, const std::string& abrev, int num = 0) {
    t.Append();
    t.FieldByName("ABREV").SetAsString(abrev);
    t.FieldByName("NUM").SetAsInteger(num);
    t.Post();
  }
  std::vector<std::string> Walk(DbfTable& t, const char* field = "ABREV") {
    std::vector<std::string> out;
    for (t.First(); !t.Eof(); t.Next()) out.push_back(t.FieldByName(field).AsString());
    return out;
  }
  // Finishes `t` and opens its file in `reread`.
  void Reread(DbfTable& t, DbfTable& reread) {
    t.Finish();
    t.Close();
    reread.DatabaseName = dir.path();
    reread.TableName = "t";  // no extension, other case
    reread.Open();
  }

  TempDir dir;
};

// Every check runs on the table in memory and on its file read back.
class DbfTableBothWaysTest : public DbfTableTest, public ::testing::WithParamInterface<bool> {
protected:
  DbfTable& Source(DbfTable& created, DbfTable& reread) {
    if (!GetParam()) return created;
    Reread(created, reread);
    return reread;
  }
};

}  // namespace tvz::test
