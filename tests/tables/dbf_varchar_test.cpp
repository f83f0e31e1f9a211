// Visual FoxPro Varchar fields: a value shorter than its field keeps its
// length in the field's last byte and sets a varlength bit in _NullFlags;
// a nullable Varchar's null bit follows its varlength bit.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_reader_fixture.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

using test::DbfFixture;
using test::DbfReaderTest;
using test::Rows;
using dbf::kTypeNullFlags;
using dbf::kTypeNumeric;
using dbf::kTypeVarchar;

// CODE V(8): varlength bit 0; OPT V(6) nullable: varlength bit 1, null bit
// 2; N N(3) nullable: null bit 3.
std::string VarcharTable() {
  auto var = [](std::string value, std::size_t width) {
    const auto used = static_cast<char>(value.size());
    value.resize(width - 1, '\0');
    return value + used;
  };
  return DbfFixture(0x32, {{"CODE", kTypeVarchar, 8}, {"OPT", kTypeVarchar, 6, 0, 0x02},
                           {"N", kTypeNumeric, 3, 0, 0x02},
                           {"_NullFlags", kTypeNullFlags, 1, 0, 0x05}})
      .Record({var("AB", 8), var("xyz", 6), "  7", "\x03"})
      .Record({"ABCDEFGH", std::string(6, '\0'), "", "\x0C"})   // full; OPT and N null
      .Record({var("A  ", 8), var("", 6), "  1", "\x03"})  // blanks kept; OPT empty
      .Record({std::string("xy  \0\0\0\x02", 8), "abcdef", "  2", "\x01"})  // the length counts
      .Bytes();
}

TEST_F(DbfReaderTest, VarcharValuesAreTheirLengthOnly) {
  Open(VarcharTable());
  EXPECT_EQ(ReadAll(), (Rows{{"AB", "xyz", "7"},
                             {"ABCDEFGH", "", ""},
                             {"A  ", "", "1"},
                             {"xy", "abcdef", "2"}}));
  struct Case {
    std::size_t record;
    bool opt_null, n_null;
  };
  for (const Case& c : {Case{0, false, false}, Case{1, true, true}, Case{3, false, false}}) {
    table.First();
    for (std::size_t i = 0; i < c.record; ++i) table.Next();
    EXPECT_EQ(table.FieldByName("OPT").IsNull(), c.opt_null) << c.record;
    EXPECT_EQ(table.FieldByName("N").IsNull(), c.n_null) << c.record;
  }
  // Look-ups see the value, not the padding.
  ASSERT_TRUE(table.Locate("CODE", "AB"));
  EXPECT_EQ(table.RecNo(), 0u);
  ASSERT_TRUE(table.Locate("OPT", "abcdef"));
  EXPECT_EQ(table.RecNo(), 3u);
}

TEST_F(DbfReaderTest, WritingAVarcharKeepsItsLength) {
  Open(VarcharTable());
  table.First();
  table.Next();  // OPT null
  table.Edit();
  table.FieldByName("OPT").SetAsString("q ");
  table.FieldByName("CODE").SetAsString("12345678");
  table.Post();
  EXPECT_EQ(table.FieldByName("OPT").AsString(), "q ");
  EXPECT_FALSE(table.FieldByName("OPT").IsNull());
  EXPECT_EQ(table.FieldByName("CODE").AsString(), "12345678");
  table.Append();
  table.FieldByName("N").SetAsInteger(5);
  table.Post();
  EXPECT_EQ(table.FieldByName("CODE").AsString(), "");  // an empty Varchar, not blanks
  EXPECT_TRUE(table.FieldByName("OPT").IsNull());
}

}  // namespace
}  // namespace tvz
