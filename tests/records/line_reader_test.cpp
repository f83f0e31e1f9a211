#include "records/line_reader.h"

#include <gtest/gtest.h>

#include <tuple>

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
    {"without LF, CR ends lines", "a\rb\r\rc", {"a", "b", "", "c"}, {"a", "b", "", "c"}},
    {"without LF, Ctrl-Z still ends the file", std::string("a\r\x1A" "b\rc"), {"a"},
     {"a", std::string("\x1A" "b"), "c"}},
    {"the UTF-8 mark is not part of line 1", "\xEF\xBB\xBF" "0A\r\n1\xC3\xB1\r\n", {"0A", "1\xF1"},
     {"0A", "1\xF1"}},
    {"UTF-16LE, CR only", std::string("\xFF\xFE" "a\0\r\0\xF1\0", 8), {"a", "\xF1"}, {"a", "\xF1"}},
};

TEST(LineReading, BothReadersFollowTheirRules) {
  for (const LineCase& tc : kCases) {
    SCOPED_TRACE(tc.name);
    LineReader reader{std::string_view(tc.bytes)};
    Lines got;
    std::string line;
    while (reader.Next(line)) got.push_back(line);
    EXPECT_EQ(got, tc.by_line);
    if (ClassifyText(tc.bytes) == TextEncoding::kCp1252) {
      EXPECT_EQ(SplitLines(tc.bytes), tc.whole);
    }
    const TextLines whole = LinesOf(tc.bytes);
    EXPECT_EQ(Lines(whole.begin(), whole.end()), tc.whole);
  }
}

// What the readers tell the report about a file, besides its lines.
TEST(LineReading, BothReadersTellWhatTheyFound) {
  using Told = std::vector<std::tuple<AvisoTipo, std::uint64_t, std::string>>;
  using enum AvisoTipo;
  struct Case {
    const char* name;
    std::string bytes;
    Told by_line, whole;
  } cases[] = {
      {"a cp1252 file says nothing", "0ZARP_PROF.TXT\r\n1Espa\xF1" "a\r\n", {}, {}},
      {"letters cp1252 lacks, by line",
       "\xEF\xBB\xBF" "0ZARP_PROF.TXT\r\n1A \xE6\x97\xA5\xE6\x97\xA5\r\n1B\r\n1\xF0\x9F\x98\x80",
       {{kCodificacion, 0, "UTF-8 con BOM"}, {kCaracteresSustituidos, 2, "2"},
        {kCaracteresSustituidos, 4, "1"}},
       {{kCodificacion, 0, "UTF-8 con BOM"}, {kCaracteresSustituidos, 2, "2"},
        {kCaracteresSustituidos, 4, "1"}}},
      {"CR line ends", "1A\r1B\r", {{kSaltosDeLinea, 0, ""}}, {{kSaltosDeLinea, 0, ""}}},
      {"a Ctrl-Z before data: the lines from it on", std::string("1A\n\x1A\n1B\n1C"),
       {{kFinAnticipado, 2, "3"}}, {}},
      {"a Ctrl-Z at the very end", std::string("1A\r\n\x1A\r\n\x1A"), {}, {}},
      {"tabs on data lines only (not the header, trailer or name check)",
       "0ZARP_PROF.TXT\t\r\n1A\tB\t\r\n9\t\r\n\tZARP_PROF.TXT\t\r\n1C\r\n",
       {{kTabuladores, 2, "2"}}, {{kTabuladores, 2, "2"}}},
  };
  auto told = [](const Informe& informe) {
    Told out;
    for (const Aviso& a : informe.avisos) {
      EXPECT_EQ(a.tabla, "PROFT");
      EXPECT_EQ(a.fichero, "ZARP_PROF.TXT");
      out.emplace_back(a.tipo, a.linea, a.valor);
    }
    return out;
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    Informe by_line, whole;
    LineReader reader{std::string_view(tc.bytes), {&by_line, "PROFT", "ZARP_PROF.TXT", "ZARP_PROF.TXT"}};
    std::string line;
    while (reader.Next(line)) {
    }
    EXPECT_EQ(told(by_line), tc.by_line);
    LinesOf(tc.bytes, {&whole, "PROFT", "ZARP_PROF.TXT", "ZARP_PROF.TXT"});
    EXPECT_EQ(told(whole), tc.whole);
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
