#include "records/line_reader.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "support/test_support.h"

namespace tvz {
namespace {

using Lines = std::vector<std::string>;

struct LineCase {
  const char* name;
  std::string bytes;
  Lines by_line;  // LineReader
  Lines whole;    // SplitLines
};

const LineCase kCases[] = {
    {"empty file", "", {}, {}},
    {"CR LF at the end adds no line", "a\r\nb\r\n", {"a", "b"}, {"a", "b"}},
    {"last line without a break", "a\nb", {"a", "b"}, {"a", "b"}},
    {"only a break", "\r\n", {""}, {""}},
    {"empty lines count", "a\n\nb\n", {"a", "", "b"}, {"a", "", "b"}},
    {"lone CR: dropped line by line, a break as a whole", "a\rb\n", {"ab"}, {"a", "b"}},
    {"CR CR LF", "a\r\r\nb", {"a", "b"}, {"a", "", "b"}},
    {"Ctrl-Z inside a line ends its text", std::string("ab\x1A" "cd\nef\n"), {"ab", "ef"},
     {std::string("ab\x1A" "cd"), "ef"}},
    {"Ctrl-Z at the start of a line ends the file", std::string("a\n\x1A" "b\nc\n"), {"a"},
     {"a", std::string("\x1A" "b"), "c"}},
    {"NUL ends the text as a whole only", std::string("a\nb\0c\nd\n", 8),
     {"a", std::string("b\0c", 3), "d"}, {"a", "b"}},
    {"cp1252 bytes pass unchanged", "Espa\xF1" "a \xBD\r\n", {"Espa\xF1" "a \xBD"},
     {"Espa\xF1" "a \xBD"}},
};

TEST(LineReading, BothReadersFollowTheirRules) {
  for (const LineCase& tc : kCases) {
    SCOPED_TRACE(tc.name);
    LineReader reader{std::string_view(tc.bytes)};
    Lines got;
    std::string line;
    while (reader.Next(line)) got.push_back(line);
    EXPECT_EQ(got, tc.by_line);
    EXPECT_EQ(SplitLines(tc.bytes), tc.whole);
  }
}

TEST(LineReading, FileReaderMatchesMemoryReaderAcrossChunks) {
  // Lines that straddle the reader's 64 KiB chunks, and one of a megabyte.
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 3000; ++i) {
    std::string l(i % 97 + (i == 1500 ? 1 << 20 : 0), static_cast<char>('A' + i % 26));
    expected.push_back(l);
    bytes += l + (i % 2 ? "\r\n" : "\n");
  }
  test::TempDir dir;
  test::WriteBytes(dir / "big.txt", bytes);
  LineReader reader(dir / "big.txt");
  Lines got;
  std::string line;
  while (reader.Next(line)) got.push_back(line);
  EXPECT_EQ(got, expected);
}

TEST(LineReading, MissingFilesGiveTheirMessages) {
  test::TempDir dir;
  try {
    LineReader reader(dir / "nada.txt");
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "No se encuentra el archivo");
  }
  try {
    LoadLines(dir / "nada.txt");
    FAIL() << "no error";
  } catch (const RunError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Cannot open file \"" + (dir / "nada.txt").string() + "\". ", 0), 0u)
        << text;
  }
}

}  // namespace
}  // namespace tvz
