#include "records/code_list.h"

#include <gtest/gtest.h>

#include "platform/collation.h"

namespace tvz {
namespace {

TEST(CodeList, EqualIgnoringCaseIncludingCp1252Letters) {
  CodeList list;
  EXPECT_TRUE(list.AddIfNew("MAT"));
  EXPECT_FALSE(list.AddIfNew("mat"));
  EXPECT_FALSE(list.AddIfNew("Mat"));
  EXPECT_TRUE(list.AddIfNew("ESPA\xD1"));   // ESPAÑ
  EXPECT_FALSE(list.AddIfNew("espa\xF1"));  // españ
  EXPECT_TRUE(list.AddIfNew("espan"));      // n is not ñ
  EXPECT_TRUE(list.AddIfNew("\xC1" "rbol"));   // Árbol
  EXPECT_TRUE(list.AddIfNew("arbol"));      // accents matter
  EXPECT_TRUE(list.AddIfNew(""));
  EXPECT_FALSE(list.AddIfNew(""));
  EXPECT_TRUE(list.Contains("ARBOL"));
  EXPECT_EQ(list.Count(), 6u);
}

// A list of ASCII codes (held by their folded form) meets codes with other
// characters, some of which the collation takes for one of the ASCII codes
// held (an ignorable soft hyphen, a ligature, a superscript digit, sharp s):
// the list must answer as the collation does, for those met afterwards too.
TEST(CodeList, CodesBeyondAsciiAmongAsciiOnesCompareByTheCollation) {
  const struct {
    const char* held;
    const char* met;
  } cases[] = {{"AB", "A\xAD" "B"}, {"OE", "\x8C"}, {"Z2", "Z\xB2"}, {"SS", "\xDF"},
               {"e", "\xE9"}, {"NINO", "NI\xD1O"}};
  int equal_by_collation = 0;
  for (const auto& c : cases) {
    CodeList list;
    for (const char* code : {"MAT", "mat2", c.held, "LEN"}) list.AddIfNew(code);
    const bool equal = platform::CollationKey(c.met) == platform::CollationKey(c.held);
    equal_by_collation += equal;
    EXPECT_EQ(list.Contains(c.met), equal) << c.met;
    EXPECT_EQ(list.AddOrFind(c.met), equal ? 2u : CodeList::kAdded) << c.met;
    EXPECT_EQ(list.AddOrFind(c.held), 2u) << c.held;
    EXPECT_EQ(list.AddOrFind("Mat"), 0u);
    EXPECT_EQ(list.Contains(c.met), true);
    EXPECT_EQ(list.Count(), equal ? 4u : 5u);
  }
#ifndef _WIN32
  EXPECT_GT(equal_by_collation, 0);  // ICU takes some of them for ASCII codes
#endif
}

TEST(SortedCodeList, RanksDistinctTimesChronologically) {
  SortedCodeList list;
  for (const char* t : {"09:50", "08:00", "08:55", "08:00", "10:00", "09:50"}) list.Add(t);
  EXPECT_EQ(list.Count(), 4u);
  EXPECT_EQ(list.IndexOf("08:00"), 0);
  EXPECT_EQ(list.IndexOf("08:55"), 1);
  EXPECT_EQ(list.IndexOf("09:50"), 2);
  EXPECT_EQ(list.IndexOf("10:00"), 3);
  EXPECT_EQ(list.IndexOf("11:00"), -1);
  list.Add("07:30");
  EXPECT_EQ(list.IndexOf("10:00"), 4);
}

}  // namespace
}  // namespace tvz
