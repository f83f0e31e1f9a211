// The OEM code pages of tables written by other programs: which page a
// table's language driver (or level 7 driver name) names, and its text
// read as cp1252.
#include "tables/code_pages.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

using dbf::kTypeCharacter;
using test::DbfFixture;
using Rows = std::vector<std::vector<std::string>>;

TEST(DbfCodePagesTest, LanguageDriverIds) {
  for (int id : {0x01, 0x09, 0x0B, 0x0D, 0x0F, 0x11, 0x15, 0x18, 0x19, 0x1B})
    EXPECT_EQ(CodePageFromLanguageDriver(static_cast<std::uint8_t>(id)), CodePage::kOem437) << id;
  for (int id : {0x02, 0x0A, 0x0E, 0x10, 0x12, 0x14, 0x16, 0x1A, 0x1D, 0x25, 0x37})
    EXPECT_EQ(CodePageFromLanguageDriver(static_cast<std::uint8_t>(id)), CodePage::kOem850) << id;
  for (int id : {0x00, 0x03, 0x57, 0x58, 0x59, 0x61, 0x62, 0x26, 0xC8})
    EXPECT_EQ(CodePageFromLanguageDriver(static_cast<std::uint8_t>(id)), CodePage::kAnsi1252) << id;
}

TEST(DbfCodePagesTest, OemTextComesBackForEveryCharacterBothSidesHave) {
  for (CodePage cp : {CodePage::kOem437, CodePage::kOem850}) {
    int mapped = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
      const std::string oem(1, static_cast<char>(b));
      const std::string ansi = ToCp1252(oem, cp);
      if (ansi == "?") continue;
      ++mapped;
      EXPECT_EQ(FromCp1252(ansi, cp), oem) << static_cast<int>(cp) << " " << b;
    }
    EXPECT_GT(mapped, cp == CodePage::kOem437 ? 50 : 90);
  }
  EXPECT_EQ(ToCp1252("abc \x7F", CodePage::kOem437), "abc \x7F");
  EXPECT_EQ(FromCp1252("\x80\xF1", CodePage::kOem850), "?\xA4");
}

// A table read from bytes, every visible field of every record as text.
class DbfCodePagesReadTest : public ::testing::Test {
protected:
  DbfTable& Open(const std::string& bytes, const std::string& name = "T.DBF") {
    test::WriteBytes(dir / name, bytes);
    table.DatabaseName = dir.path();
    table.TableName = name;
    table.Open();
    return table;
  }
  Rows ReadAll() {
    Rows rows;
    for (table.First(); !table.Eof(); table.Next()) {
      std::vector<std::string> row;
      for (int i = 0; i < table.FieldCount(); ++i) row.push_back(table.Fields(i).AsString());
      rows.push_back(row);
    }
    return rows;
  }

  test::TempDir dir;
  DbfTable table;
};

TEST_F(DbfCodePagesReadTest, CodePagesByLanguageDriver) {
  struct Case {
    std::uint8_t ldid;
    std::string stored, read;
  };
  const std::vector<Case> cases = {
      {0x57, "\x80\xBD\xF1", "\x80\xBD\xF1"},  // cp1252
      {0x58, "\x80\xBD\xF1", "\x80\xBD\xF1"},
      {0x03, "\x80\xBD\xF1", "\x80\xBD\xF1"},
      {0x00, "\x80\xBD\xF1", "\x80\xBD\xF1"},
      {0x66, "\x80\xBD\xF1", "\x80\xBD\xF1"},  // not one we convert: raw
      {0x1B, "\xA4\x82\xE1\xC9", "\xF1\xE9\xDF?"},  // 437: ñ é ß, a box line has no cp1252 form
      {0x01, "\xA4\xAB", "\xF1\xBD"},
      {0x37, "\xA4\x9D\xD5", "\xF1\xD8?"},          // 850: ñ Ø, dotless i has none
      {0x02, "\xA4\xAB", "\xF1\xBD"},
  };
  for (const Case& c : cases) {
    table.Close();
    Open(DbfFixture(0x03, {{"S", kTypeCharacter, 5}})
             .LanguageDriver(c.ldid)
             .Record({c.stored})
             .Bytes());
    EXPECT_EQ(ReadAll(), (Rows{{c.read}})) << std::hex << int{c.ldid};
  }
}

TEST_F(DbfCodePagesReadTest, CodePagesOfLevel7DriverNames) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"DBWINUS0", "\xA4"}, {"DBWINES0", "\xA4"}, {"DB437DE0", "\xF1"}, {"DB850US0", "\xF1"},
      {"", "\xA4"}};
  for (const auto& [driver, read] : cases) {
    table.Close();
    Open(DbfFixture(0x04, {{"S", kTypeCharacter, 2}})
             .LanguageDriver(0)
             .DriverName(driver)
             .Record({"\xA4"})
             .Bytes());
    EXPECT_EQ(ReadAll(), (Rows{{read}})) << driver;
  }
}

}  // namespace
}  // namespace tvz
