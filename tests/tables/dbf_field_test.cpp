// Fields of the table store: found by name, read as other types by the
// program's text rules, written by the field's stored type, and refused
// outside Append and Edit.
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
using dbf::kTypeNumeric;

TEST_F(DbfTableTest, FieldByNameIgnoresCaseAndNamesWhatWasAsked) {
  DbfTable t;
  Create(t);
  EXPECT_EQ(t.FieldByName("abrev").FieldName(), "ABREV");
  EXPECT_EQ(t.FieldByName("Horas").StoredType(), kTypeNumeric);
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("abrevx"); }), "No se encuentra el campo 'abrevx'");
  t.Name = "TGrupos";
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("Nada"); }), "TGrupos: No se encuentra el campo 'Nada'");
}

TEST_F(DbfTableTest, WritingOutsideAppendOrEditIsRefused) {
  DbfTable t;
  Create(t);
  AddRow(t, "A");
  const std::string expected = "La fuente de datos no est\xE1" " en modo de edici\xF3" "n o inserci\xF3" "n";
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("ABREV").SetAsString("B"); }), expected);
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("HORAS").SetAsFloat(1); }), expected);
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("ACTIVO").SetAsBoolean(true); }), expected);
  EXPECT_EQ(Walk(t), std::vector<std::string>{"A"});
}

TEST_F(DbfTableTest, StringFieldsReadAsIntegersByTheIntegerRules) {
  DbfTable t;
  Create(t);
  const std::vector<std::pair<std::string, std::int32_t>> good = {
      {"42", 42}, {"  -7", -7}, {"$1F", 31}, {"0x10", 16}, {"007", 7}};
  for (const auto& [text, value] : good) {
    AddRow(t, text);
    EXPECT_EQ(t.FieldByName("ABREV").AsInteger(), value) << text;
  }
  for (const std::string text : {"4x", "", "1.5"}) {
    AddRow(t, text);
    EXPECT_EQ(ErrorOf([&] { t.FieldByName("ABREV").AsInteger(); }),
              "'" + text + "' no es un valor entero v\xE1" "lido");
  }
}

TEST_F(DbfTableTest, FloatsAreRoundedToFourDecimalsAndRoundToIntegers) {
  DbfTable t;
  Create(t);
  const std::vector<std::tuple<double, std::string, std::int32_t>> cases = {
      {2.5, "2.5", 2},  // halves go to the even neighbour
      {3.5, "3.5", 4},
      {-1.6, "-1.6", -2},
      {1.23456, "1.2346", 1},
      {-0.00001, "0", 0},  // no "-0"
      {12345678.9876, "12345678.9876", 12345679},
      {99999999999999.0, "99999999999999", 99999999},  // too big for an integer
  };
  for (const auto& [value, text, rounded] : cases) {
    t.Append();
    t.FieldByName("HORAS").SetAsFloat(value);
    t.Post();
    EXPECT_EQ(t.FieldByName("HORAS").AsString(), text) << value;
    if (value < 1e10) {
      EXPECT_EQ(t.FieldByName("HORAS").AsInteger(), rounded) << value;
    } else {
      EXPECT_EQ(ErrorOf([&] { t.FieldByName("HORAS").AsInteger(); }),
                "'" + text + "' no es un valor entero v\xE1" "lido");
    }
  }
}

TEST_F(DbfTableTest, AFloatTooWideForItsFieldIsAnErrorNamingFieldAndValue) {
  DbfTable t;
  Create(t);
  t.Append();
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("HORAS").SetAsFloat(1e16); }),
            "El valor 1E16 no cabe en el campo 'HORAS' (N(20,4)) de la tabla T.DBF");
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("HORAS").SetAsFloat(-1e15); }),
            "El valor -1E15 no cabe en el campo 'HORAS' (N(20,4)) de la tabla T.DBF");
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("HORAS").SetAsFloat(std::nan("")); }),
            "El valor NAN no cabe en el campo 'HORAS' (N(20,4)) de la tabla T.DBF");
}

TEST_F(DbfTableTest, OtherWritesByTheFieldsType) {
  DbfTable t;
  Create(t);
  t.Append();
  t.FieldByName("ABREV").SetAsBoolean(true);
  t.FieldByName("NUM").SetAsString(" 12");
  t.FieldByName("HORAS").SetAsString("1.25");
  t.FieldByName("ACTIVO").SetAsString("Verdadero");
  t.Post();
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "T");
  EXPECT_TRUE(t.FieldByName("ABREV").AsBoolean());
  EXPECT_EQ(t.FieldByName("NUM").AsInteger(), 12);
  EXPECT_EQ(t.FieldByName("HORAS").AsFloat(), 1.25);
  EXPECT_TRUE(t.FieldByName("ACTIVO").AsBoolean());
  t.Edit();
  t.FieldByName("NUM").SetAsString("");
  t.FieldByName("ABREV").SetAsFloat(0.5);
  t.Post();
  EXPECT_TRUE(t.FieldByName("NUM").IsNull());
  EXPECT_EQ(t.FieldByName("ABREV").AsString(), "0.5");
  EXPECT_EQ(ErrorOf([&] { t.FieldByName("ACTIVO").AsInteger(); }),
            "No se puede leer el campo 'ACTIVO' como entero");
}

}  // namespace
}  // namespace tvz
