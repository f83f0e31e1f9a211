// Text forms of numbers and dates, and the OEM code page tables.
#include <gtest/gtest.h>

#include "tables/code_pages.h"
#include "tables/dbf_format.h"
#include "tables/dbf_layout.h"
#include "tables/dbf_values.h"

namespace tvz {
namespace {

TEST(DbfFormatGeneralTest, FifteenDigitsNoTrailingZerosExponentOutsideTheFixedRange) {
  const std::vector<std::pair<double, std::string>> cases = {
      {0.0, "0"},
      {-0.0, "0"},
      {1234.5, "1234.5"},
      {-0.25, "-0.25"},
      {100.0, "100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {-1.5e20, "-1.5E20"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {2.5e-7, "2.5E-7"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(dbf::FormatGeneral(value), text) << value;
}

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

// Dates of D fields (yyyymmdd) and Julian-day date-times (T) read within
// years 1 to 9999 by the Gregorian calendar; anything else reads as null ("").
TEST(DbfDatesTest, CalendarDatesAndTheirYearRange) {
  dbf::FieldLayout date, stamp;
  date.name = "D";
  date.type = dbf::kTypeDate;
  date.length = 8;
  stamp.name = "T";
  stamp.type = dbf::kTypeDateTime;
  stamp.length = 8;
  const dbf::TableLayout t = dbf::NewLayout({date, stamp});
  auto record = [&](const std::string& d, std::uint32_t jdn, std::uint32_t ms) {
    std::string r = dbf::BlankRecord(t);
    r.replace(t.fields[0].offset, 8, d);
    for (int i = 0; i < 4; ++i) {
      r[t.fields[1].offset + i] = static_cast<char>(jdn >> (8 * i));
      r[t.fields[1].offset + 4 + i] = static_cast<char>(ms >> (8 * i));
    }
    return r;
  };
  const struct {
    const char* stored;
    const char* text;
  } dates[] = {
      {"00010101", "01/01/1"},   {"99991231", "31/12/9999"}, {"20000229", "29/02/2000"},
      {"19700101", "01/01/1970"}, {"18991230", "30/12/1899"}, {"19000229", ""},
      {"20240431", ""},          {"00000101", ""},           {"20251301", ""},
      {"20250100", ""},          {"2025010 ", ""},           {"        ", ""},
  };
  for (const auto& c : dates) {
    const dbf::Value v = dbf::Decode(t, 0, record(c.stored, 0, 0));
    EXPECT_EQ(dbf::TextOf(v), c.text) << c.stored;
  }
  EXPECT_EQ(dbf::DateTimeNumber(dbf::Decode(t, 0, record("18991230", 0, 0))), 0.0);
  EXPECT_EQ(dbf::DateTimeNumber(dbf::Decode(t, 0, record("19700102", 0, 0))), 25570.0);

  const struct {
    std::uint32_t jdn, ms;
    const char* text;
  } stamps[] = {
      {1721426, 0, "01/01/1"},          {1721425, 0, ""},
      {5373484, 86399000, "31/12/9999 23:59:59"}, {5373485, 0, ""},
      {2440588, 3723000, "01/01/1970 01:02:03"},  {2440588, 86400000, ""},
  };
  for (const auto& c : stamps) {
    const dbf::Value v = dbf::Decode(t, 1, record("        ", c.jdn, c.ms));
    EXPECT_EQ(dbf::TextOf(v), c.text) << c.jdn << " " << c.ms;
  }
}

}  // namespace
}  // namespace tvz
