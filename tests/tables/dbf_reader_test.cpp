// Reading table files written by other programs: dBase III/IV, FoxPro,
// Visual FoxPro and level 7 layouts, code pages, deleted records, table
// names and exclusive use. The fixtures are built byte by byte
// (dbf_fixture.h).
#include <gtest/gtest.h>

#include <climits>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_reader_fixture.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

using test::DbfFixture;
using test::DbfReaderTest;
using test::ErrorOf;
using test::Good;
using test::Rows;
using test::TempDir;
using dbf::kTypeAutoIncrement;
using dbf::kTypeBinary;
using dbf::kTypeCharacter;
using dbf::kTypeCurrency;
using dbf::kTypeDate;
using dbf::kTypeDateTime;
using dbf::kTypeDouble;
using dbf::kTypeInteger;
using dbf::kTypeLogical;
using dbf::kTypeMemo;
using dbf::kTypeNullFlags;
using dbf::kTypeNumeric;
using dbf::kTypeTimestamp;

namespace fs = std::filesystem;

TEST_F(DbfReaderTest, DbaseIiiTable) {
  const std::string bytes =
      DbfFixture(0x03, {{"NAME", kTypeCharacter, 8}, {"QTY", kTypeNumeric, 5},
                        {"PRICE", kTypeNumeric, 8, 2}, {"OK", kTypeLogical, 1},
                        {"DAY", kTypeDate, 8}})
          .LanguageDriver(0x03)
          .Padding(1)  // one 0x00 after 0x0D: records start at the header length
          .EndMarker(false)
          .Record({"Ana", "   12", "   -3.50", "T", "20250601"})
          .Record({"Gone", "    1", "    1.00", "T", "20250101"}, /*deleted=*/true)
          .Record({"", "", "********", "?", ""})
          .Record({" Cid", "  +07", "   1.5E2", "n", "20240229"})
          .Record({"Dan", "  -0", "  0.0001", "y", "20230229"})
          .Bytes();
  Open(bytes);
  EXPECT_EQ(ReadAll(), (Rows{{"Ana", "12", "-3.5", "Verdadero", "01/06/2025"},
                             {"", "", "", "", ""},
                             {" Cid", "7", "150", "Falso", "29/02/2024"},
                             {"Dan", "0", "0.0001", "Verdadero", ""}}));
  EXPECT_EQ(table.RecordCount(), 4u);
  table.First();
  table.Next();
  EXPECT_TRUE(table.FieldByName("QTY").IsNull());
  EXPECT_EQ(table.FieldByName("PRICE").AsFloat(), 0.0);
  EXPECT_FALSE(table.FieldByName("OK").AsBoolean());
  EXPECT_TRUE(table.FieldByName("DAY").IsNull());
  ASSERT_EQ(table.FieldCount(), 5);
  EXPECT_EQ(table.Fields(2).Size(), 8);
  EXPECT_EQ(table.Fields(2).Decimals(), 2);
  EXPECT_EQ(table.Fields(4).StoredType(), kTypeDate);
}

TEST_F(DbfReaderTest, DbaseIvMemoAndLockFields) {
  Open(DbfFixture(0x8B, {{"CODE", kTypeCharacter, 4}, {"NOTE", kTypeMemo, 10},
                         {"_DBASELOCK", kTypeCharacter, 8}})
           .Record({"A1", "         3", "xxxxxxxx"})
           .Bytes());
  EXPECT_EQ(ReadAll(), (Rows{{"A1", ""}}));
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("_DBASELOCK"); }),
            "No se encuentra el campo '_DBASELOCK'");
}

TEST_F(DbfReaderTest, FoxProLongCharacterFields) {
  // Length 300: low byte 44 in the length, high byte 1 in the decimals.
  Open(DbfFixture(0xF5, {{"LONG", kTypeCharacter, 300, 1}, {"N", kTypeNumeric, 2}})
           .Record({std::string(299, 'x') + "y", "12"})
           .Bytes());
  EXPECT_EQ(table.Fields(0).Size(), 300);
  EXPECT_EQ(ReadAll(), (Rows{{std::string(299, 'x') + "y", "12"}}));
}

TEST_F(DbfReaderTest, Level7Table) {
  const double ms_2000 = 730120.0 * 86400000;  // 2000-01-01, day 1 = 0001-01-01
  const std::string stamp = test::Be64(test::Bits(ms_2000));
  const std::string stamp_time = test::Be64(test::Bits(ms_2000 + 49530000) | (1ull << 63));
  // Fallback: a Julian day number and milliseconds (2451545 = 2000-01-01).
  const std::string stamp_julian = test::Le32(2451545) + test::Le32(3723000);
  const std::string bytes =
      DbfFixture(0x8C, {{"NAME WITH SPACE", kTypeCharacter, 10}, {"ID", kTypeInteger, 4},
                        {"AUTO", kTypeAutoIncrement, 4}, {"VAL", kTypeDouble, 8},
                        {"WHEN", kTypeTimestamp, 8}, {"QTY", kTypeNumeric, 4}})
          .LanguageDriver(0x00)
          .DriverName("DB437US0")
          .Padding(16)  // the field properties block
          .Record({std::string("Pe\xA4" "a\0\0\0\0\0\0", 10), test::Level7Int(1),
                   test::Level7Int(11), test::Level7Double(1.5), stamp, "  42"})
          .Record({std::string(10, '\0'), test::Level7Int(-1), test::Level7Int(12),
                   test::Level7Double(-1.5), stamp_time, ""})
          .Record({"x", test::Level7Int(0), test::Level7Int(INT_MAX), test::Level7Double(0.0),
                   stamp_julian, ""})
          .Record({"y", std::string(4, '\0'), test::Level7Int(-2), std::string(8, '\0'),
                   std::string(8, '\0'), ""})
          .Bytes();
  Open(bytes);
  EXPECT_EQ(ReadAll(), (Rows{{"Pe\xF1" "a", "1", "11", "1.5", "01/01/2000", "42"},
                             {"", "-1", "12", "-1.5", "01/01/2000 13:45:30", ""},
                             {"x", "0", "2147483647", "0", "01/01/2000 01:02:03", ""},
                             {"y", "", "-2", "", "", ""}}));
  EXPECT_EQ(table.Fields(0).FieldName(), "NAME WITH SPACE");
  table.First();
  EXPECT_EQ(table.FieldByName("ID").AsInteger(), 1);
  EXPECT_EQ(table.FieldByName("VAL").AsFloat(), 1.5);
  EXPECT_EQ(table.FieldByName("WHEN").AsFloat(), 36526.0);  // days since 30/12/1899
}

TEST_F(DbfReaderTest, VisualFoxProTable) {
  const std::string bytes =
      DbfFixture(0x30, {{"NAME", kTypeCharacter, 6}, {"NUM", kTypeInteger, 4},
                        {"PRICE", kTypeBinary, 8, 2}, {"CASH", kTypeCurrency, 8, 4},
                        {"STAMP", kTypeDateTime, 8}, {"OPT", kTypeNumeric, 5, 0, 0x02},
                        {"_NullFlags", kTypeNullFlags, 1, 0, 0x05}})
          .LanguageDriver(0x03)
          .Record({"uno", test::Le32(static_cast<std::uint32_t>(-5)), test::Le64(test::Bits(2.25)),
                   test::Le64(123456), test::Le32(2451545) + test::Le32(0), "   10",
                   std::string(1, '\0')})
          .Record({"dos", test::Le32(INT_MAX), test::Le64(test::Bits(-0.5)),
                   test::Le64(static_cast<std::uint64_t>(-50000)),
                   test::Le32(2460000) + test::Le32(3723000),  // 2023-02-24
                   "   11", std::string(1, '\x01')})
          .Record({"", std::string(4, '\0'), std::string(8, '\0'), std::string(8, '\0'),
                   std::string(8, '\0'), "", std::string(1, '\0')})
          .Bytes();
  Open(bytes);
  EXPECT_EQ(table.FieldCount(), 6);
  EXPECT_EQ(ReadAll(), (Rows{{"uno", "-5", "2.25", "12.3456", "01/01/2000", "10"},
                             {"dos", "2147483647", "-0.5", "-5", "24/02/2023 01:02:03", ""},
                             {"", "0", "0", "0", "", ""}}));
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("_NullFlags"); }),
            "No se encuentra el campo '_NullFlags'");
  table.First();
  table.Next();
  EXPECT_TRUE(table.FieldByName("OPT").IsNull());
  // Writing clears the null flag.
  table.Edit();
  table.FieldByName("OPT").SetAsInteger(3);
  table.Post();
  EXPECT_EQ(table.FieldByName("OPT").AsString(), "3");
}

TEST_F(DbfReaderTest, ChangesToAnOpenedTableStayInMemory) {
  const std::string bytes =
      DbfFixture(0x03, {{"S", kTypeCharacter, 6}, {"N", kTypeNumeric, 3}})
          .LanguageDriver(0x1B)
          .Record({"a", "1"})
          .Bytes();
  Open(bytes);
  table.First();
  table.Edit();
  table.FieldByName("S").SetAsString("Pe\xF1" "a\x80");  // € has no 437 form
  table.Post();
  table.Append();
  table.FieldByName("N").SetAsInteger(999);
  table.Post();
  EXPECT_EQ(ReadAll(), (Rows{{"Pe\xF1" "a?", "1"}, {"", "999"}}));
  EXPECT_EQ(test::ReadBytes(dir / "T.DBF"), bytes);
  table.First();
  table.Edit();
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("N").SetAsInteger(1000); }),
            "El valor 1000 no cabe en el campo 'N' (N(3)) de la tabla T.DBF");
}

TEST_F(DbfReaderTest, BytesAfterTheCountedRecordsAreIgnored) {
  std::string bytes = DbfFixture(0x03, {{"S", kTypeCharacter, 3}})
                          .DeclaredCount(2)
                          .EndMarker(false)
                          .Record({"a"})
                          .Record({"b"})
                          .Record({"c"})
                          .Bytes();
  bytes += "\x1A" " cc";  // an end marker, then part of a record
  Open(bytes);
  EXPECT_EQ(ReadAll(), (Rows{{"a"}, {"b"}}));
}

TEST_F(DbfReaderTest, NumberTextThatIsNoNumber) {
  Open(DbfFixture(0x03, {{"N", kTypeNumeric, 5}}).Record({" 1x2 "}).Bytes());
  table.First();
  EXPECT_EQ(table.FieldByName("N").AsString(), "1x2");
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("N").AsInteger(); }),
            "'1x2' no es un valor entero v\xE1" "lido");
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("N").AsFloat(); }),
            "'1x2' no es un valor punto flotante v\xE1" "lido");
}

TEST_F(DbfReaderTest, MissingTableNamesItsFile) {
  table.DatabaseName = dir.path();
  table.TableName = "NADA";
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "No se encuentra la tabla " + Path("NADA.DBF"));
}

TEST_F(DbfReaderTest, NamesAreFoundWithoutRegardToCase) {
  Open(DbfFixture(0x03, {{"S", kTypeCharacter, 1}}).Record({"a"}).Bytes(), "soluc.dbf");
  DbfTable other;
  other.DatabaseName = dir.path();
  other.TableName = "SOLUC";
  other.Open();
  EXPECT_EQ(other.RecordCount(), 1u);
  EXPECT_TRUE(fs::equivalent(other.FilePath(), dir / "soluc.dbf"));
}

TEST_F(DbfReaderTest, ExclusiveUseKeepsOthersOut) {
  test::WriteBytes(dir / "T.DBF", Good());
  table.DatabaseName = dir.path();
  table.TableName = "T";
  table.Exclusive = true;
  table.Open();
  for (bool exclusive : {true, false}) {
    DbfTable other;
    other.DatabaseName = dir.path();
    other.TableName = "T";
    other.Exclusive = exclusive;
    EXPECT_EQ(ErrorOf([&] { other.Open(); }),
              "La tabla " + Path() + " est\xE1" " en uso por otro programa");
  }
  table.Close();
  DbfTable other;
  other.DatabaseName = dir.path();
  other.TableName = "T";
  other.Exclusive = true;
  other.Open();
  EXPECT_EQ(other.RecordCount(), 1u);
}

TEST_F(DbfReaderTest, OnlyDbaseFilesByDefaultType) {
  test::WriteBytes(dir / "T.TXT", Good());
  table.DatabaseName = dir.path();
  table.TableName = "T.TXT";
  table.Type = TableType::ttDefault;
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "La tabla T.TXT no es una tabla dBase (.DBF)");
}

}  // namespace
}  // namespace tvz
