#include "records/zarp_record.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "records/code_list.h"

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

TEST(CodeList, EqualIgnoringCaseIncludingCp1252Letters) {
  CodeList list;
  EXPECT_TRUE(list.AddIfNew("MAT"));
  EXPECT_FALSE(list.AddIfNew("mat"));
  EXPECT_FALSE(list.AddIfNew("Mat"));
  EXPECT_TRUE(list.AddIfNew("ESPA\xD1"));   // ESPAÑ
  EXPECT_FALSE(list.AddIfNew("espa\xF1"));  // españ
  EXPECT_TRUE(list.AddIfNew("espan"));      // n is not ñ
  EXPECT_TRUE(list.AddIfNew("\xC1rbol"));   // Árbol
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

TEST(Errors, FinalStopAndIoTexts) {
  EXPECT_EQ(WithFinalStop("Disco lleno"), "Disco lleno.");
  EXPECT_EQ(WithFinalStop("Hecho."), "Hecho.");
  EXPECT_EQ(WithFinalStop("Termina en blanco "), "Termina en blanco ");
  EXPECT_EQ(WithFinalStop("Termina en coma,"), "Termina en coma,");  // ',' sorts before '.'
  EXPECT_EQ(WithFinalStop("valor '5'"), "valor '5'");                // '\'' too
  EXPECT_EQ(WithFinalStop(""), "");
  EXPECT_EQ(IoErrorText(2), "No se encuentra el archivo");
  EXPECT_EQ(IoErrorText(5), "Acceso al archivo denegado");
  EXPECT_EQ(IoErrorText(32), "Error de E/S 32");
}

}  // namespace
}  // namespace tvz
