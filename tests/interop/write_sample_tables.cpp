// Writes tables through the table store into the folder given on the
// command line, for the readers of other programs to check (check_readers.py):
//   SAMPLE.DBF  every field type the conversions write, cp1252 text with the
//               bytes where cp1252 and ISO-8859-1 differ, blanks, extremes
//   EMPTY.DBF   no records
//   WIDE.DBF    a 254-byte string and many fields
#include <iostream>
#include <string>

#include "core/errors.h"
#include "tables/dbf_table.h"

namespace {

using tvz::DbfTable;
using tvz::FieldType;

void Sample(const std::filesystem::path& folder) {
  DbfTable t;
  t.DatabaseName = folder;
  t.TableName = "SAMPLE.DBF";
  t.FieldDefs = {{"NOMBRE", FieldType::ftString, 20},
                 {"ABREV", FieldType::ftString, 4},
                 {"ACTIVO", FieldType::ftBoolean, 0},
                 {"NUM", FieldType::ftInteger, 0},
                 {"HORAS", FieldType::ftFloat, 0}};
  t.CreateTable();
  struct Row {
    const char* nombre;
    const char* abrev;
    int activo;  // -1: not set
    std::int32_t num;
    double horas;
    bool set_numbers;
  };
  const Row rows[] = {
      {"Pi\xF1" "a \xBD" " de \xE1" "rbol", "1\xBA" "A", 1, 42, 1234.5, true},
      {"\x80" " \x8A\x9A\x9F" " \x93" "dobles\x94" " \x85", "\x8C\x9C", 0, -2147483647 - 1, -0.0001, true},
      {"  con blancos", "AB", -1, 2147483647, 123456789012345.0, true},
      {"", "", -1, 0, 0, false},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFG", 1, 0, 2.5, true},
      {"Lengua Castellana y ", "LCL", 0, 7, 99999999999999.9, true},
  };
  for (const Row& r : rows) {
    t.Append();
    t.FieldByName("NOMBRE").SetAsString(r.nombre);
    t.FieldByName("ABREV").SetAsString(r.abrev);
    if (r.activo >= 0) t.FieldByName("ACTIVO").SetAsBoolean(r.activo == 1);
    if (r.set_numbers) {
      t.FieldByName("NUM").SetAsInteger(r.num);
      t.FieldByName("HORAS").SetAsFloat(r.horas);
    }
    t.Post();
  }
  t.Finish();
}

void Empty(const std::filesystem::path& folder) {
  DbfTable t;
  t.DatabaseName = folder;
  t.TableName = "EMPTY.DBF";
  t.FieldDefs = {{"COD", FieldType::ftString, 10}, {"HORAS", FieldType::ftFloat, 0}};
  t.CreateTable();
  t.Finish();
}

void Wide(const std::filesystem::path& folder) {
  DbfTable t;
  t.DatabaseName = folder;
  t.TableName = "WIDE.DBF";
  t.FieldDefs = {{"TEXTO", FieldType::ftString, 254}};
  for (int i = 0; i < 40; ++i) t.FieldDefs.push_back({"F" + std::to_string(i), FieldType::ftInteger, 0});
  t.CreateTable();
  for (int r = 0; r < 3; ++r) {
    t.Append();
    t.FieldByName("TEXTO").SetAsString(std::string(254, static_cast<char>('a' + r)));
    for (int i = 0; i < 40; ++i) t.FieldByName("F" + std::to_string(i)).SetAsInteger(r * 1000 + i);
    t.Post();
  }
  t.Finish();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "uso: write_sample_tables CARPETA\n";
    return 1;
  }
  try {
    Sample(argv[1]);
    Empty(argv[1]);
    Wide(argv[1]);
    return 0;
  } catch (const tvz::RunError& e) {
    std::cerr << e.what() << "\n";
    return 2;
  }
}
