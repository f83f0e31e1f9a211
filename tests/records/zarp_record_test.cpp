#include "records/zarp_record.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace tvz {
namespace {

TEST(ZarpRecord, HeaderAndTrailerAreDecidedByTheFirstByte) {
  EXPECT_TRUE(IsHeaderOrTrailer("0"));
  EXPECT_TRUE(IsHeaderOrTrailer("9ZARP_PROF.TXT"));
  EXPECT_FALSE(IsHeaderOrTrailer(""));
  EXPECT_FALSE(IsHeaderOrTrailer(" 0"));
  EXPECT_FALSE(IsHeaderOrTrailer("1AGM"));
}

TEST(ZarpRecord, ColumnFields) {
  struct Case {
    std::string line;
    std::size_t start, length;
    std::string expected;
  } cases[] = {
      {"1AGM Ana", 2, 4, "AGM"},
      {"1  AG  x", 2, 5, "AG"},             // blanks trimmed both ends
      {"1\tAG\x01\x1A", 2, 5, "AG"},        // control bytes too
      {"1AB", 2, 10, "AB"},                 // the line ends first
      {"1AB", 4, 3, ""},                    // starts right after the end
      {"1AB", 40, 3, ""},                   // starts far past the end
      {"", 1, 1, ""},
      {"1 \xA0" "X\xA0" " ", 2, 5, "\xA0" "X\xA0"},  // no-break space is not a control byte
      {"1A B C", 2, 5, "A B C"},            // inner blanks stay
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ColumnField(c.line, c.start, c.length), c.expected);
  }
}

TEST(ZarpRecord, NameCheckIgnoresAsciiCaseAndBlanks) {
  EXPECT_TRUE(NameCheck("1ZARP_PROF.TXT", "ZARP_PROF.TXT"));
  EXPECT_TRUE(NameCheck("1   zarp_prof.txt      ", "ZARP_PROF.TXT"));
  EXPECT_FALSE(NameCheck("ZARP_PROF.TXT", "ZARP_PROF.TXT"));  // starts in column 2
  EXPECT_FALSE(NameCheck("1ZARP_GRUPO.TXT", "ZARP_GRUPOS.TXT"));
  std::string beyond = "1" + std::string(50, ' ') + "ZARP_PROF.TXT";  // column 52: not read
  EXPECT_FALSE(NameCheck(beyond, "ZARP_PROF.TXT"));
}


}  // namespace
}  // namespace tvz
