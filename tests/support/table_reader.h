#pragma once
// Reads a table back for the tests: every record's fields as text.
#include <filesystem>
#include <string>
#include <vector>

#include "tables/dbf_table.h"

namespace tvz::test {

using Row = std::vector<std::string>;

inline std::vector<Row> ReadRows(const std::filesystem::path& folder, const std::string& table,
                                 const std::vector<std::string>& fields) {
  DbfTable t;
  t.DatabaseName = folder;
  t.TableName = table;
  t.Open();
  std::vector<Row> rows;
  for (t.First(); !t.Eof(); t.Next()) {
    Row row;
    for (const auto& f : fields) row.push_back(t.FieldByName(f).AsString());
    rows.push_back(row);
  }
  t.Close();
  return rows;
}

}  // namespace tvz::test
