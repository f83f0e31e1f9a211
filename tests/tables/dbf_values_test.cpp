// Text forms of numbers and dates.
#include <random>

#include <gtest/gtest.h>

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

// Text read in place must be the text the full decoding gives, wherever it is
// used; where it does not apply it says so.
TEST(DbfTextInPlaceTest, IsTheDecodedTextOrNothing) {
  dbf::FieldLayout c, n, f;
  c.name = "C";
  c.type = dbf::kTypeCharacter;
  c.length = 8;
  n.name = "N";
  n.type = dbf::kTypeNumeric;
  n.length = 20;
  f.name = "F";
  f.type = dbf::kTypeFloat;
  f.length = 12;
  f.decimals = 2;
  dbf::TableLayout t = dbf::NewLayout({c, n, f});
  auto check = [&](std::size_t field, const std::string& stored, bool in_place) {
    std::string r = dbf::BlankRecord(t);
    r.replace(t.fields[field].offset, stored.size(), stored);
    const auto text = dbf::TextInPlace(t, field, r);
    EXPECT_EQ(text.has_value(), in_place) << stored;
    if (text) {
      EXPECT_EQ(*text, dbf::TextOf(dbf::Decode(t, field, r))) << stored;
    }
    EXPECT_EQ(dbf::KeyText(t, field, r), dbf::TextOf(dbf::Decode(t, field, r))) << stored;
  };
  const struct {
    std::size_t field;
    const char* stored;
    bool in_place;
  } cases[] = {
      {0, "MAT  ", true},     {0, "   ", true},       {0, "Espa\xF1" "a", true},
      {1, "   12", true},     {1, "0", true},         {1, "  -7", true},
      {1, "012", false},      {1, "+5", false},       {1, "-0", false},
      {1, "1.50", false},     {1, "1e3", false},      {1, "   ", false},
      {1, "****", false},     {1, "12 3", false},     {1, "123456789012345678", true},
      {1, "1234567890123456789", false},               {2, "   3", true},
      {2, "  3.25", false},   {2, "-12", true},
  };
  for (const auto& k : cases) check(k.field, k.stored, k.in_place);
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    const auto v = static_cast<std::int64_t>(random()) - (1LL << 31);
    const std::string digits = std::to_string(v);
    check(1, std::string(20 - digits.size(), ' ') + digits, true);
  }
  // Another code page: ASCII text is the same bytes, other letters are not.
  t.code_page = CodePage::kOem850;
  check(0, "MAT", true);
  check(0, "PE\x9A" "A", false);
}

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
