// How a ZARP file is classified and decoded before its lines are read.
#include "records/text_decoding.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace tvz {
namespace {

using enum TextEncoding;

TEST(TextDecoding, ClassifiesByMarkOrByWellFormedUtf8Throughout) {
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
  } cases[] = {
      {"ASCII only", "0ZARP_PROF.TXT\r\n1AGM Ana\r\n", kCp1252},
      {"cp1252 accents", "1AGM Ana Garc\xED" "a\r\n", kCp1252},
      {"UTF-8 accents", "1AGM Ana Garc\xC3\xAD" "a\r\n", kUtf8},
      {"UTF-8, then one cp1252 byte", "Garc\xC3\xAD" "a Mart\xED" "n", kCp1252},
      {"UTF-8 cut at the end", "Garc\xC3", kCp1252},
      {"UTF-8 mark", "\xEF\xBB\xBF" "0ZARP", kUtf8Bom},
      {"UTF-8 mark, nothing else", "\xEF\xBB\xBF", kUtf8Bom},
      {"UTF-16LE mark", std::string("\xFF\xFE" "0\0", 4), kUtf16Le},
      {"UTF-16BE mark", std::string("\xFE\xFF\0" "0", 4), kUtf16Be},
      {"half a UTF-8 mark", "\xEF\xBB", kCp1252},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ClassifyText(c.bytes), c.encoding);
    // Given in two pieces, cut anywhere, the answer is the same.
    for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
      EncodingScan scan;
      scan.Add(std::string_view(c.bytes).substr(0, cut));
      scan.Add(std::string_view(c.bytes).substr(cut));
      EXPECT_EQ(scan.Encoding(), c.encoding) << "cut at " << cut;
    }
  }
}

TEST(TextDecoding, ScanTellsLineEndsAndWhenItCanStop) {
  EncodingScan scan;
  scan.Add("Garc\xC3");
  EXPECT_FALSE(scan.Settled());  // a sequence cut by the piece
  scan.Add("\xAD" "a\r");
  EXPECT_FALSE(scan.Settled());  // UTF-8 so far: the rest may break it
  EXPECT_FALSE(scan.HasTab());
  scan.Add("Mart\xED" "n\t\n");
  EXPECT_TRUE(scan.Settled());  // no UTF-8, and a LF
  EXPECT_TRUE(scan.HasLf());
  EXPECT_TRUE(scan.HasCr());
  EXPECT_TRUE(scan.HasTab());
  EncodingScan marked;
  marked.Add("\xFF\xFE");
  EXPECT_TRUE(marked.Settled());
}

TEST(TextDecoding, DecodesToCp1252AndMarksWhatItLacks) {
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::string text;
    std::vector<std::size_t> replaced;
  } cases[] = {
      {"UTF-8", "N\xC3\xBA\xC3\xB1" "ez \xE2\x82\xAC", kUtf8, "N\xFA\xF1" "ez \x80", {}},
      {"the mark is not text", "\xEF\xBB\xBF" "0A\r\n", kUtf8Bom, "0A\r\n", {}},
      {"a mark inside is a character cp1252 lacks", "\xEF\xBB\xBF" "A\xEF\xBB\xBF", kUtf8Bom, "A?", {1}},
      {"CJK and beyond the BMP: one ? each", "?\xE6\x97\xA5" "b\xF0\x9F\x98\x80", kUtf8, "??b?", {1, 3}},
      {"UTF-16LE", std::string("\xFF\xFE" "G\0\xED\0\r\0\n\0", 10), kUtf16Le, "G\xED\r\n", {}},
      {"UTF-16BE with a pair", std::string("\xFE\xFF\0" "A\xD8\x3D\xDE\x00\0" "B", 10), kUtf16Be, "A?B",
       {1}},
      {"UTF-16, empty", "\xFF\xFE", kUtf16Le, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedText d = DecodeText(c.bytes, c.encoding, "F.TXT");
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(d.replaced, c.replaced);
  }
}

TEST(TextDecoding, BytesThatBreakTheirEncodingNameFileAndLine) {
  struct Case {
    std::string bytes;
    TextEncoding encoding;
    std::string message;
  } cases[] = {
      {std::string("\xFF\xFE" "A\0B", 5), kUtf16Le,
       "El archivo \"F.TXT\" empieza con la marca de UTF-16LE, pero tiene un n\xFA" "mero impar de "
       "bytes"},
      {std::string("\xFF\xFE" "A\0\n\0\x3D\xD8" "B\0", 10), kUtf16Le,
       "El archivo \"F.TXT\" empieza con la marca de UTF-16LE, pero su l\xED" "nea 2 tiene medio "
       "car\xE1" "cter (un sustituto sin su pareja)"},
      {std::string("\xFE\xFF\xDC\x00", 4), kUtf16Be,
       "El archivo \"F.TXT\" empieza con la marca de UTF-16BE, pero su l\xED" "nea 1 tiene medio "
       "car\xE1" "cter (un sustituto sin su pareja)"},
      {"\xEF\xBB\xBF" "a\r\nb\r\nGarc\xED" "a\r\n", kUtf8Bom,
       "El archivo \"F.TXT\" empieza con la marca de UTF-8, pero su l\xED" "nea 3 no es UTF-8 v\xE1" "lido"},
      {"a\rb\xC0\x80", kUtf8, "El archivo \"F.TXT\" parece UTF-8, pero su l\xED" "nea 2 no es UTF-8 v\xE1" "lido"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      DecodeText(c.bytes, c.encoding, "F.TXT");
      ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

}  // namespace
}  // namespace tvz
