// The OEM code pages of tables written by other programs: which page a
// table's language driver (or level 7 driver name) names, and its text
// read as cp1252.
#include "tables/code_pages.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_reader_fixture.h"
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
  for (int id : {0x00, 0x03, 0x57, 0x58, 0x59, 0x61, 0x62, 0xFF})
    EXPECT_EQ(CodePageFromLanguageDriver(static_cast<std::uint8_t>(id)), CodePage::kAnsi1252) << id;
  const std::vector<std::pair<int, unsigned>> others = {
      {0x04, 10000}, {0x08, 865}, {0x13, 932}, {0x1C, 863}, {0x1F, 852}, {0x24, 860},
      {0x26, 866}, {0x4F, 950}, {0x50, 874}, {0x64, 852}, {0x65, 866}, {0x66, 865},
      {0x67, 861}, {0x68, 895}, {0x69, 620}, {0x6A, 737}, {0x6B, 857}, {0x6C, 863},
      {0x78, 950}, {0x79, 949}, {0x7A, 936}, {0x7B, 932}, {0x7C, 874}, {0x7D, 1255},
      {0x7E, 1256}, {0x86, 737}, {0x87, 852}, {0x88, 857}, {0x96, 10007}, {0x97, 10029},
      {0x98, 10006}, {0xC8, 1250}, {0xC9, 1251}, {0xCA, 1254}, {0xCB, 1253}, {0xCC, 1257}};
  for (const auto& [id, page] : others)
    EXPECT_EQ(static_cast<unsigned>(CodePageFromLanguageDriver(static_cast<std::uint8_t>(id))),
              page) << id;
}

TEST(DbfCodePagesTest, Level7DriverNames) {
  const std::vector<std::pair<const char*, unsigned>> cases = {
      {"DBWINUS0", 1252}, {"DB437US0", 437}, {"DB850US0", 850}, {"DB852CZ0", 852},
      {"db866ru0", 866},  {"DB865DA0", 865}, {"DB8", 1252},     {"", 1252}, {"ANSI", 1252}};
  for (const auto& [name, page] : cases)
    EXPECT_EQ(static_cast<unsigned>(CodePageFromDriverName(name)), page) << name;
}

// Every byte a single-byte page turns into a cp1252 character comes back
// from it; the others are '?' and counted.
TEST(DbfCodePagesTest, TextComesBackForEveryCharacterBothSidesHave) {
  const std::vector<std::pair<CodePage, int>> pages = {
      {CodePage::kOem437, 50},   {CodePage::kOem850, 90},    {CodePage::kOem852, 40},
      {CodePage::kOem857, 80},   {CodePage::kOem860, 50},    {CodePage::kOem861, 50},
      {CodePage::kOem863, 50},   {CodePage::kOem865, 50},    {CodePage::kOem866, 2},
      {CodePage::kOem737, 2},    {CodePage::kAnsi1250, 60},  {CodePage::kAnsi1251, 20},
      {CodePage::kAnsi1253, 30}, {CodePage::kAnsi1257, 50},  {CodePage::kMacRoman, 80}};
  for (const auto& [cp, least] : pages) {
    int mapped = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
      const std::string stored(1, static_cast<char>(b));
      std::size_t lost = 0;
      const std::string ansi = ToCp1252(stored, cp, &lost);
      ASSERT_EQ(ansi.size(), 1u);
      if (lost == 1) {
        EXPECT_EQ(ansi, "?") << static_cast<unsigned>(cp) << " " << b;
        continue;
      }
      EXPECT_EQ(lost, 0u);
      ++mapped;
      EXPECT_EQ(FromCp1252(ansi, cp), stored) << static_cast<unsigned>(cp) << " " << b;
    }
    EXPECT_GT(mapped, least) << static_cast<unsigned>(cp);
  }
  EXPECT_EQ(ToCp1252("abc \x7F", CodePage::kOem437), "abc \x7F");
  EXPECT_EQ(FromCp1252("\x80\xF1", CodePage::kOem850), "?\xA4");
}

// The reader tests' table, for the tables written in other code pages.
class DbfCodePagesReadTest : public test::DbfReaderTest {};

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
      {0x66, "\x80\xBD\xF1", "\xC7" "?\xB1"},  // 865: C cedilla, a box line, plus-minus
      {0x64, "PE\x9A" "A", "PE\xDC" "A"},          // 852: U diaeresis, not cp1252's s caron
      {0x87, "PE\x9A" "A", "PE\xDC" "A"},
      {0x1F, "\xB5\xE9\xD2", "\xC1\xDA" "?"},      // 852: A and U acute; D caron has none
      {0x6B, "\x81\xA7", "\xFC" "?"},                // 857: u diaeresis; g breve has none
      {0x88, "\x81\xA7", "\xFC" "?"},
      {0x24, "\x84\x8E", "\xE3\xC3"},            // 860: a and A tilde
      {0x1C, "\x84\x86", "\xC2\xB6"},            // 863: A circumflex, pilcrow
      {0x26, "\x80\xF8", "?\xB0"},                // 866: Cyrillic A, degree
      {0x86, "\x80\xF8", "?\xB0"},                // 737: Greek Alpha, degree
      {0xC8, "\x8A\xE8\xC1", "\x8A" "?\xC1"},      // 1250: S caron, c caron has none, A acute
      {0xC9, "\xC0" " ok", "? ok"},                    // 1251: Cyrillic A
      {0xCB, "\xC1\xA3", "?\xA3"},                // 1253: Greek Alpha, pound
      {0x04, "\x8E\xA7\x96", "\xE9\xDF\xF1"},  // Mac Roman: e acute, sharp s, n tilde
      {0x7B, "A\x82\xA0" "B", "A?B"},              // 932: one double-byte character
      {0x1B, "\xA4\x82\xE1\xC9", "\xF1\xE9\xDF" "?"},  // 437: ñ é ß, a box line has no cp1252 form
      {0x01, "\xA4\xAB", "\xF1\xBD"},
      {0x37, "\xA4\x9D\xD5", "\xF1\xD8" "?"},          // 850: ñ Ø, dotless i has none
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
      {"DB852CZ0", "?"}, {"", "\xA4"}};  // 852: A ogonek
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

TEST_F(DbfCodePagesReadTest, Cp852ByItsLevel7DriverName) {
  Open(DbfFixture(0x04, {{"S", kTypeCharacter, 4}})
           .LanguageDriver(0)
           .DriverName("DB852CZ0")
           .Record({"PE\x9A" "A"})
           .Bytes());
  EXPECT_EQ(ReadAll(), (Rows{{"PE\xDC" "A"}}));
  EXPECT_EQ(table.UnmappableCount(), 0u);
}

// What cp1252 cannot hold is '?' and counted, over the whole table.
TEST_F(DbfCodePagesReadTest, UnmappableCharactersAreCounted) {
  Open(DbfFixture(0x03, {{"S", kTypeCharacter, 4}, {"T", kTypeCharacter, 3}})
           .LanguageDriver(0xC9)  // 1251
           .Record({"\xCF\xE5\xF2\xFF", "ok"})
           .Record({"\xC0", "\xB9" " \xA7"}, /*deleted=*/true)
           .Record({"x", "\xA7"})  // the section sign is in both pages
           .Bytes());
  EXPECT_EQ(ReadAll(), (Rows{{"????", "ok"}, {"x", "\xA7"}}));
  EXPECT_EQ(table.UnmappableCount(), 4u);
  // Written back in the table's page.
  table.First();
  table.Edit();
  table.FieldByName("T").SetAsString("\xA7\xE9");  // e acute has no 1251 form
  table.Post();
  EXPECT_EQ(table.FieldByName("T").AsString(), "\xA7" "?");
  table.Close();
  Open(DbfFixture(0x03, {{"S", kTypeCharacter, 4}}).Record({"\xCF\xE5"}).Bytes(), "U.DBF");
  EXPECT_EQ(table.UnmappableCount(), 0u);  // cp1252: nothing is lost
}

}  // namespace
}  // namespace tvz
