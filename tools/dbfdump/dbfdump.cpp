// dbfdump: prints a dBase table as the table store reads it, as JSON (UTF-8),
// for the interoperability tests.
//
//   dbfdump TABLE.DBF
//
// {"fields": [{"name": "COD", "type": "C", "length": 10, "decimals": 0}, ...],
//  "records": [["ABC", "12", null, ...], ...]}
//
// Values are the fields' text forms (Field::AsString); a blank value of a
// field that is not a string field is null. Exit status 0, or 2 with the
// error on standard error.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "core/errors.h"
#include "platform/text_encoding.h"
#include "tables/dbf_table.h"

namespace {

std::string Json(const std::string& cp1252) {
  const std::string utf8 = tvz::platform::Utf8FromCp1252(cp1252);
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: dbfdump TABLA.DBF\n";
    return 1;
  }
  try {
    const std::filesystem::path file = argv[1];
    tvz::DbfTable table;
    table.DatabaseName = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    table.TableName = file.filename().string();
    table.ReadOnly = true;
    table.Open();

    std::string out = "{\"fields\": [";
    for (int i = 0; i < table.FieldCount(); ++i) {
      tvz::Field f = table.Fields(i);
      if (i > 0) out += ", ";
      out += "{\"name\": " + Json(f.FieldName()) + ", \"type\": " +
             Json(std::string(1, f.StoredType())) + ", \"length\": " + std::to_string(f.Size()) +
             ", \"decimals\": " + std::to_string(f.Decimals()) + "}";
    }
    out += "],\n \"records\": [";
    bool first_record = true;
    for (table.First(); !table.Eof(); table.Next()) {
      out += first_record ? "\n  [" : ",\n  [";
      first_record = false;
      for (int i = 0; i < table.FieldCount(); ++i) {
        tvz::Field f = table.Fields(i);
        if (i > 0) out += ", ";
        const bool is_string = f.StoredType() == 'C' || f.StoredType() == 'V';
        out += (!is_string && f.IsNull()) ? "null" : Json(f.AsString());
      }
      out += "]";
    }
    out += "]}\n";
    std::cout << out;
    return 0;
  } catch (const tvz::RunError& e) {
    std::cerr << tvz::platform::Utf8FromCp1252(e.what()) << "\n";
    return 2;
  }
}
