#include "records/zarp_record.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "records/conversions.h"

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
      {"1 \xA0X\xA0 ", 2, 5, "\xA0X\xA0"},  // no-break space is not a control byte
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

TEST(Conversions, IntegerTexts) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
  } cases[] = {
      {"08", true, 8},      {"  12", true, 12},    {"-5", true, -5},   {"+7", true, 7},
      {"$1F", true, 31},    {"0x10", true, 16},    {"0X1a", true, 26}, {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0}, {"", false, 0},      {":", false, 0},    {"1 ", false, 0},
      {"8:", false, 0},     {"$", false, 0},       {"0x", false, 0},   {"- 5", false, 0},
      {"1.0", false, 0},    {"$100000000", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.ok) {
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      try {
        StrToInt(c.text);
        ADD_FAILURE() << "accepted";
      } catch (const RunError& e) {
        EXPECT_EQ(std::string(e.what()), std::string("'") + c.text + "' no es un valor entero v\xE1lido");
      }
    }
  }
}

TEST(Conversions, FloatTexts) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"2.5", true, 2.5},  {"-3", true, -3},      {"+1.25", true, 1.25}, {".5", true, 0.5},
      {"5.", true, 5},     {"1e2", true, 100},    {"2.5E-1", true, 0.25}, {"1e-400", true, 0},
      {"1e400", false, 0}, {"", false, 0},        {".", false, 0},       {"2.5.1", false, 0},
      {"abc", false, 0},   {"inf", false, 0},     {"nan", false, 0},     {" 2", false, 0},
      {"1e", false, 0},    {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value);
    } else {
      try {
        StrToFloat(c.text);
        ADD_FAILURE() << "accepted";
      } catch (const RunError& e) {
        EXPECT_EQ(std::string(e.what()),
                  std::string("'") + c.text + "' no es un valor punto flotante v\xE1lido");
      }
    }
  }
}

}  // namespace
}  // namespace tvz
