#include "records/code_list.h"

#include <gtest/gtest.h>

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
