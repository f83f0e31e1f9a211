// The table store as the conversions use it: create, append, walk, edit,
// locate; on the table in memory and read back from its file.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_table.h"
#include "tables/dbf_table_fixture.h"

namespace tvz {
namespace {

using test::DbfTableTest;
using test::ErrorOf;
using test::Schema;
using test::DbfTableBothWaysTest;
using test::TempDir;

TEST_P(DbfTableBothWaysTest, StringsAreCutToTheirSizeAndReadWithoutPadding) {
  DbfTable created, reread;
  Create(created);
  AddRow(created, "ABCDEFGHIJKL");
  AddRow(created, "AB");
  AddRow(created, std::string("XY\0Z", 4));
  AddRow(created, " lead");
  DbfTable& t = Source(created, reread);
  EXPECT_EQ(Walk(t), (std::vector<std::string>{"ABCDEFGHIJ", "AB", "XY", " lead"}));
  ASSERT_TRUE(t.Locate("ABREV", "AB"));
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "AB");
}

TEST_P(DbfTableBothWaysTest, UnsetFieldsReadBlank) {
  DbfTable created, reread;
  Create(created);
  created.Append();
  created.FieldByName("NUM").SetAsInteger(7);  // something set, so the record is kept
  created.Post();
  DbfTable& t = Source(created, reread);
  t.First();
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "");
  EXPECT_TRUE(t.FieldByName("ABREV").IsNull());
  EXPECT_EQ(t.FieldByName("HORAS").AsFloat(), 0.0);
  EXPECT_EQ(t.FieldByName("HORAS").AsString(), "");
  EXPECT_EQ(t.FieldByName("HORAS").AsInteger(), 0);
  EXPECT_FALSE(t.FieldByName("ACTIVO").AsBoolean());
  EXPECT_EQ(t.FieldByName("ACTIVO").AsString(), "");
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 7);
}

TEST_P(DbfTableBothWaysTest, ValuesOfEveryTypeRoundTrip) {
  DbfTable created, reread;
  Create(created);
  struct Row {
    std::string abrev;
    std::int32_t num;
    double horas;
    bool activo;
  };
  const std::vector<Row> rows = {
      {"Pi\xF1" "a \xBD\x80", 0, 0.5, true},
      {"x", -2147483647 - 1, -1234.5678, false},
      {"y", 2147483647, 123456789012345.0, true},
      {"z", 42, 0.1 + 0.2, false},
  };
  for (const Row& r : rows) {
    created.Append();
    created.FieldByName("ABREV").SetAsString(r.abrev);
    created.FieldByName("NUM").SetAsInteger(r.num);
    created.FieldByName("HORAS").SetAsFloat(r.horas);
    created.FieldByName("ACTIVO").SetAsBoolean(r.activo);
    created.Post();
  }
  DbfTable& t = Source(created, reread);
  EXPECT_EQ(Walk(t, "ABREV"), (std::vector<std::string>{"Pi\xF1" "a \xBD\x80", "x", "y", "z"}));
  EXPECT_EQ(Walk(t, "NUM"), (std::vector<std::string>{"0", "-2147483648", "2147483647", "42"}));
  EXPECT_EQ(Walk(t, "HORAS"),
            (std::vector<std::string>{"0.5", "-1234.5678", "123456789012345", "0.3"}));
  EXPECT_EQ(Walk(t, "ACTIVO"), (std::vector<std::string>{"Verdadero", "Falso", "Verdadero", "Falso"}));
  t.First();
  t.Next();
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), -2147483647 - 1);
  EXPECT_DOUBLE_EQ(t.FieldByName("HORAS").AsFloat(), -1234.5678);
  EXPECT_EQ(t.FieldByName("HORAS").AsInteger(), -1235);
  EXPECT_FALSE(t.FieldByName("ACTIVO").AsBoolean());
}

TEST_P(DbfTableBothWaysTest, NextOnTheLastRecordSetsEofAndKeepsItReadable) {
  DbfTable created, reread;
  Create(created);
  AddRow(created, "A");
  AddRow(created, "B");
  DbfTable& t = Source(created, reread);
  t.First();
  t.Next();
  EXPECT_FALSE(t.Eof());
  t.Next();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "B");
  t.Next();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "B");
}

TEST_P(DbfTableBothWaysTest, LocateFindsTheFirstExactMatch) {
  DbfTable created, reread;
  Create(created);
  AddRow(created, "AB", 1);
  AddRow(created, "ABC", 2);
  AddRow(created, "AB", 3);
  AddRow(created, "Q", 4);
  DbfTable& t = Source(created, reread);
  ASSERT_TRUE(t.Locate("ABREV", "AB"));
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 1);
  ASSERT_TRUE(t.Locate("abrev", "Q"));
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 4);
  // Failures leave the current record where it was.
  EXPECT_FALSE(t.Locate("ABREV", "ab"));
  EXPECT_FALSE(t.Locate("ABREV", "A"));
  EXPECT_FALSE(t.Locate("ABREV", "AB "));
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 4);
  // Other fields, by their text form.
  ASSERT_TRUE(t.Locate("NUM", "3"));
  EXPECT_EQ(t.RecNo(), 2u);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndFile, DbfTableBothWaysTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FromFile" : "InMemory"; });

TEST_F(DbfTableTest, FirstOnAnEmptyTableSetsEof) {
  DbfTable t;
  Create(t);
  t.First();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(Walk(t), std::vector<std::string>{});
  EXPECT_FALSE(t.Locate("ABREV", ""));
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "");
}

TEST_F(DbfTableTest, EditAndPostInTheMiddleOfAWalkMoveOn) {
  DbfTable t;
  Create(t);
  for (const char* s : {"A", "B", "C"}) AddRow(t, s);
  std::vector<std::string> seen;
  for (t.First(); !t.Eof(); t.Next()) {
    seen.push_back(t.FieldByName("ABREV").AsString());
    if (seen.back() == "B") {
      t.Edit();
      t.FieldByName("ABREV").SetAsString("X");
      t.Post();
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Walk(t), (std::vector<std::string>{"A", "X", "C"}));
}

TEST_F(DbfTableTest, LocateSeesPostedChanges) {
  DbfTable t;
  Create(t);
  AddRow(t, "A", 1);
  ASSERT_TRUE(t.Locate("ABREV", "A"));  // the index exists from here on
  AddRow(t, "B", 2);
  AddRow(t, "A", 3);
  ASSERT_TRUE(t.Locate("ABREV", "B"));
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 2);
  ASSERT_TRUE(t.Locate("ABREV", "A"));
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 1);
  t.Edit();
  t.FieldByName("ABREV").SetAsString("Z");
  t.Post();
  ASSERT_TRUE(t.Locate("ABREV", "A"));
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 3);
  EXPECT_TRUE(t.Locate("ABREV", "Z"));
}

TEST_F(DbfTableTest, PendingRecordsArePostedWhenMovingIfChanged) {
  DbfTable t;
  Create(t);
  t.Append();
  t.FieldByName("ABREV").SetAsString("kept");
  t.First();   // posts
  t.Append();  // nothing set: dropped by the next move
  t.First();
  t.Append();
  t.FieldByName("ABREV").SetAsString("cancelled");
  t.Cancel();
  t.Append();
  t.FieldByName("ABREV").SetAsString("lost");
  EXPECT_EQ(t.RecordCount(), 1u);
  t.Close();  // a record being appended is not stored
  EXPECT_FALSE(t.Active());
  EXPECT_TRUE(t.Eof());
}

TEST_F(DbfTableTest, AppendedRecordBecomesCurrent) {
  DbfTable t;
  Create(t);
  AddRow(t, "A");
  AddRow(t, "B");
  EXPECT_EQ(t.RecNo(), 1u);
  EXPECT_FALSE(t.Eof());
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "B");
  // Fields read the record being changed.
  t.Edit();
  t.FieldByName("ABREV").SetAsString("C");
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "C");
}

TEST_F(DbfTableTest, EditOnAnEmptyTableAppends) {
  DbfTable t;
  Create(t);
  t.Edit();
  t.FieldByName("ABREV").SetAsString("A");
  t.Post();
  EXPECT_EQ(Walk(t), std::vector<std::string>{"A"});
}

TEST_F(DbfTableTest, CreateChecksTheFolderAndTheFieldList) {
  DbfTable t;
  t.DatabaseName = dir / "missing";
  t.TableName = "T.DBF";
  t.FieldDefs = Schema();
  EXPECT_EQ(ErrorOf([&] { t.CreateTable(); }),
            "No existe la carpeta de las tablas " + (dir / "missing").string());
  t.DatabaseName = dir.path();
  const std::vector<std::pair<FieldDef, std::string>> bad = {
      {{"ABREVIATURA", FieldType::ftString, 5}, "nombre de campo no v\xE1" "lido 'ABREVIATURA'"},
      {{"", FieldType::ftString, 5}, "nombre de campo no v\xE1" "lido ''"},
      {{"abrev", FieldType::ftString, 5}, "campo repetido 'abrev'"},
      {{"LARGO", FieldType::ftString, 255}, "longitud no v\xE1" "lida (255) del campo 'LARGO'"},
      {{"CERO", FieldType::ftString, 0}, "longitud no v\xE1" "lida (0) del campo 'CERO'"},
  };
  for (const auto& [def, message] : bad) {
    t.FieldDefs = Schema();
    t.FieldDefs.push_back(def);
    EXPECT_EQ(ErrorOf([&] { t.CreateTable(); }), "No se puede crear la tabla T.DBF: " + message);
    EXPECT_FALSE(t.Active());
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(DbfTableTest, ReadOnlyTablesRefuseChanges) {
  DbfTable created;
  Create(created);
  AddRow(created, "A");
  created.Finish();
  created.Close();
  DbfTable t;
  t.DatabaseName = dir.path();
  t.TableName = "T.DBF";
  t.ReadOnly = true;
  t.Open();
  const std::string message = "La tabla T.DBF est\xE1" " abierta solo para lectura";
  EXPECT_EQ(ErrorOf([&] { t.Append(); }), message);
  EXPECT_EQ(ErrorOf([&] { t.Edit(); }), message);
  EXPECT_EQ(Walk(t), std::vector<std::string>{"A"});
}

TEST_F(DbfTableTest, ClosedTablesRefuseFieldAccess) {
  DbfTable t;
  Create(t);
  Field f = t.FieldByName("ABREV");
  t.Close();
  t.Close();  // closing twice does nothing
  EXPECT_EQ(ErrorOf([&] { f.AsString(); }), "La tabla T.DBF no est\xE1" " abierta");
  EXPECT_EQ(ErrorOf([&] { t.First(); }), "La tabla T.DBF no est\xE1" " abierta");
  EXPECT_EQ(t.FieldCount(), 0);
  // A field of an earlier opening stays invalid.
  Create(t, {{"OTHER", FieldType::ftString, 3}});
  EXPECT_EQ(ErrorOf([&] { f.AsString(); }),
            "El campo ya no es de la tabla T.DBF: la tabla se ha cerrado desde que se obtuvo");
}

}  // namespace
}  // namespace tvz
