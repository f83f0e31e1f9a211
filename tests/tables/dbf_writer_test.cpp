// The files the table store writes: their exact bytes, and how a new table
// takes the place of an old one.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

using test::ErrorOf;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using dbf::kTypeCharacter;
using dbf::kTypeLogical;
using dbf::kTypeNumeric;

namespace fs = std::filesystem;

void CreateSample(DbfTable& t, const fs::path& folder) {
  t.DatabaseName = folder;
  t.TableName = "NAMES.DBF";
  t.FieldDefs = {{"NAME", FieldType::ftString, 10},
                 {"FLAG", FieldType::ftBoolean, 0},
                 {"QTY", FieldType::ftInteger, 0},
                 {"AMOUNT", FieldType::ftFloat, 0}};
  t.CreateTable();
}

TEST(DbfWriterTest, WritesADbaseIvTableByteByByte) {
  TempDir dir;
  DbfTable t;
  CreateSample(t, dir.path());
  t.Append();
  t.FieldByName("NAME").SetAsString("Pi\xF1" "a \xBD\x80");
  t.FieldByName("FLAG").SetAsBoolean(true);
  t.FieldByName("QTY").SetAsInteger(42);
  t.FieldByName("AMOUNT").SetAsFloat(1234.5);
  t.Post();
  t.Append();
  t.FieldByName("QTY").SetAsInteger(-1);
  t.Post();
  const platform::LocalTime before = platform::Now();
  t.Finish();
  const platform::LocalTime after = platform::Now();
  ASSERT_EQ(before.day, after.day) << "ran across midnight";

  std::string header(32, '\0');
  header[0] = 0x03;
  header[1] = static_cast<char>(after.year - 1900);
  header[2] = static_cast<char>(after.month);
  header[3] = static_cast<char>(after.day);
  header[4] = 2;                            // records
  header[8] = static_cast<char>(161);       // 32 + 4 * 32 + 1
  header[10] = 43;                          // 1 + 10 + 1 + 11 + 20
  header[29] = 0x57;
  auto descriptor = [](std::string name, char type, int length, int decimals) {
    std::string d(32, '\0');
    d.replace(0, name.size(), name);
    d[11] = type;
    d[16] = static_cast<char>(length);
    d[17] = static_cast<char>(decimals);
    return d;
  };
  const std::string expected = header + descriptor("NAME", kTypeCharacter, 10, 0) +
                               descriptor("FLAG", kTypeLogical, 1, 0) +
                               descriptor("QTY", kTypeNumeric, 11, 0) +
                               descriptor("AMOUNT", kTypeNumeric, 20, 4) + "\x0D" +
                               // flag, NAME (10), FLAG (1), QTY (11), AMOUNT (20)
                               " " "Pi\xF1" "a \xBD\x80" "   " "T" "         42" "           1234.5000" +
                               " " "          " " " "         -1" + std::string(20, ' ') + "\x1A";
  EXPECT_EQ(ReadBytes(dir / "NAMES.DBF"), expected);
}

TEST(DbfWriterTest, AnEmptyTableHasHeaderAndEndMarkerOnly) {
  TempDir dir;
  DbfTable t;
  CreateSample(t, dir.path());
  t.Finish();
  const std::string bytes = ReadBytes(dir / "NAMES.DBF");
  ASSERT_EQ(bytes.size(), 161u + 1);
  EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0'));
  EXPECT_EQ(bytes.back(), '\x1A');
}

class DbfRecreateTest : public ::testing::Test {
protected:
  void SetUp() override {
    // An old table with other fields, its index flag set, and its index.
    old_dbf = test::DbfFixture(0x03, {{"OLD", kTypeCharacter, 5}}).Record({"abc"}).Bytes();
    old_dbf[28] = 0x01;
    WriteBytes(dir / "NAMES.DBF", old_dbf);
    WriteBytes(dir / "names.mdx", "index");
  }
  TempDir dir;
  std::string old_dbf;
};

TEST_F(DbfRecreateTest, OldFilesStayUntilFinish) {
  {
    DbfTable t;
    CreateSample(t, dir.path());
    t.Append();
    t.FieldByName("NAME").SetAsString("new");
    t.Post();
    EXPECT_EQ(ReadBytes(dir / "NAMES.DBF"), old_dbf);
    EXPECT_TRUE(fs::exists(dir / "names.mdx"));
    t.Close();  // abandoned
  }
  {
    DbfTable t;
    CreateSample(t, dir.path());
    t.Append();
    t.FieldByName("NAME").SetAsString("new");
  }  // destroyed without Finish
  EXPECT_EQ(ReadBytes(dir / "NAMES.DBF"), old_dbf);
  EXPECT_EQ(ReadBytes(dir / "names.mdx"), "index");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST_F(DbfRecreateTest, FinishReplacesTheTableAndRemovesItsIndex) {
  DbfTable t;
  CreateSample(t, dir.path());
  t.Finish();
  t.Close();
  EXPECT_FALSE(fs::exists(dir / "names.mdx"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  DbfTable reread;
  reread.DatabaseName = dir.path();
  reread.TableName = "NAMES";
  reread.Open();
  EXPECT_EQ(reread.RecordCount(), 0u);
  ASSERT_EQ(reread.FieldCount(), 4);
  EXPECT_EQ(reread.Fields(0).FieldName(), "NAME");
  EXPECT_EQ(ErrorOf([&] { reread.FieldByName("OLD"); }), "No se encuentra el campo 'OLD'");
  EXPECT_EQ(ReadBytes(dir / "NAMES.DBF")[28], '\0');
}

TEST_F(DbfRecreateTest, AnOldFileNamedInOtherCaseIsReplacedNotDoubled) {
  fs::rename(dir / "NAMES.DBF", dir / "names.dbf");
  DbfTable t;
  CreateSample(t, dir.path());
  t.Finish();
#ifndef _WIN32
  EXPECT_TRUE(fs::exists(dir / "names.dbf"));
  EXPECT_FALSE(fs::exists(dir / "NAMES.DBF"));
#endif
  EXPECT_EQ(ReadBytes(dir / "names.dbf").size(), 161u + 1);
}

TEST_F(DbfRecreateTest, FinishTwiceWritesTheRecordsAddedMeanwhile) {
  DbfTable t;
  CreateSample(t, dir.path());
  t.Finish();
  t.Append();
  t.FieldByName("QTY").SetAsInteger(1);
  t.Post();
  t.Finish();
  EXPECT_EQ(ReadBytes(dir / "NAMES.DBF")[4], 1);
}

TEST(DbfWriterTest, FinishNeedsACreatedTableWithNothingPending) {
  TempDir dir;
  DbfTable t;
  CreateSample(t, dir.path());
  t.Append();
  EXPECT_EQ(ErrorOf([&] { t.Finish(); }), "La tabla NAMES.DBF tiene un registro sin grabar");
  t.Post();
  t.Finish();
  t.Close();
  t.Open();
  EXPECT_EQ(ErrorOf([&] { t.Finish(); }), "La tabla NAMES.DBF no se ha creado con este programa");
}

}  // namespace
}  // namespace tvz
