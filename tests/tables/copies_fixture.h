#pragma once
// What the tests of the copies share: the working folder's tables and a
// copy's files as snapshots, copies by name, old tables a restore accepts,
// and the sample school in a scratch folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "faults/fault_support.h"
#include "tables/dbf_table.h"
#include "tables/table_copies.h"

namespace tvz::test {

namespace fs = std::filesystem;
using faults::kExportTables;
using faults::Snapshot;

inline Snapshot Tables(const fs::path& vtemp) {
  Snapshot s = faults::Take(vtemp);
  s.erase(kCopiesFolderName);
  return s;
}

// The files a copy keeps, without its record.
inline Snapshot Kept(const fs::path& vtemp, const std::string& copy) {
  Snapshot s = faults::Take(CopiesFolder(vtemp) / copy);
  s.erase(kCopyRecordName);
  return s;
}

inline std::vector<std::string> Names(const std::vector<TableCopy>& copies) {
  std::vector<std::string> names;
  for (const TableCopy& c : copies) names.push_back(c.name);
  return names;
}

// Old tables that open as tables (a record naming each), each with an
// index: what a restore accepts.
inline void WriteValidOldTables(const fs::path& vtemp) {
  for (const char* name : kExportTables) {
    DbfTable t;
    t.DatabaseName = vtemp;
    t.TableName = std::string(name) + ".DBF";
    t.FieldDefs = {{"OLD", FieldType::ftString, 10}};
    t.CreateTable();
    t.Append();
    t.FieldByName("OLD").SetAsString(name);
    t.Post();
    t.Finish();
    test::WriteBytes(vtemp / (std::string(name) + ".MDX"), std::string("old index ") + name);
  }
}

class TableCopiesTest : public ::testing::Test {
protected:
  void SetUp() override { faults::CopySampleSchool(zarp.path()); }
  test::TempDir zarp, vtemp;
};


}  // namespace tvz::test
