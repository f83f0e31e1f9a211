// The system's converters for the Unicode forms, and cp1252 without best fit
// or dropped characters: the same answers on Linux (ICU) and Windows.
#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace tvz {
namespace {

using platform::DecodeCodePage;
using platform::EncodeCodePage;

TEST(CodePage, UnicodeFormsDecodeWhenWellFormedOnly) {
  struct Case {
    const char* name;
    std::string bytes;
    unsigned code_page;
    std::optional<std::u16string> text;
  } cases[] = {
      {"UTF-8", "a\xC3\xB1\xF0\x9F\x98\x80", 65001, u"a\u00F1\U0001F600"},
      {"UTF-8 overlong", "a\xC0\x80", 65001, std::nullopt},
      {"UTF-16LE", std::string("a\0\xF1\0=\xD8\0\xDE", 8), 1200, u"a\u00F1\U0001F600"},
      {"UTF-16BE", std::string("\0" "a\0\xF1", 4), 1201, u"a\u00F1"},
      {"UTF-16LE, an odd byte", std::string("a\0b", 3), 1200, std::nullopt},
      {"UTF-16LE, a lone high surrogate", std::string("=\xD8" "a\0", 4), 1200, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeCodePage(c.bytes, c.code_page), c.text);
  }
}

TEST(CodePage, Cp1252GivesOneByteForEveryCharacter) {
  struct Case {
    std::u16string text;
    std::string cp1252;
  } cases[] = {
      {u"Garc\u00EDa \u20AC", "Garc\xED" "a \x80"},
      {u"a\uFEFFb", "a?b"},           // a default-ignorable character is not dropped
      {u"\u65E5\u2260\u00BD", "??\xBD"},  // no best fit: not-equal is not '='
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp1252);
    EXPECT_EQ(EncodeCodePage(c.text, 1252), c.cp1252);
  }
}

}  // namespace
}  // namespace tvz
