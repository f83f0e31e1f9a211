// cp1252 <-> UTF-8 and the one cp1252 table behind them and the collation.
#include <string>

#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace tvz {
namespace {

using platform::Cp1252FromUtf8;
using platform::UnicodeFromCp1252;
using platform::Utf8FromCp1252;

bool IsUndefined(unsigned char b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

TEST(TextEncoding, KnownCharacters) {
  struct Case {
    const char* cp1252;
    const char* utf8;
  } cases[] = {
      {"\x80", "\xE2\x82\xAC"},             // euro sign
      {"\x9F", "\xC5\xB8"},                 // Y with diaeresis
      {"\x8A", "\xC5\xA0"},                 // S with caron
      {"a\xF1" "o", "a\xC3\xB1" "o"},       // n with tilde
      {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},     // the Latin-1 half as it is
      {"\x81", "\xEF\xBF\xBD"},             // undefined: replacement character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp1252);
    EXPECT_EQ(Utf8FromCp1252(c.cp1252), c.utf8);
  }
}

TEST(TextEncoding, EveryByteRoundTrips) {
  for (int i = 1; i < 256; ++i) {
    const auto b = static_cast<unsigned char>(i);
    SCOPED_TRACE(i);
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(one)), IsUndefined(b) ? "?" : one);
    // The collation's view: undefined bytes are the C1 control of that number.
    const char16_t c = UnicodeFromCp1252(b);
    if (IsUndefined(b) || b < 0x80 || b >= 0xA0) {
      EXPECT_EQ(c, b);
    } else {
      EXPECT_GT(c, 0xFF);  // 0x80..0x9F hold characters from beyond Latin-1
    }
  }
}

TEST(TextEncoding, WhatCp1252LacksBecomesQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1252;
  } cases[] = {
      {"\xE6\x97\xA5", "?"},          // a CJK character
      {"\xF0\x9F\x98\x80", "?"},      // beyond the BMP
      {"a\xC3", "a?"},                // cut short
      {"\xFF" "b", "?b"},             // no lead byte
      {"\xC2\x80", "?"},              // the C1 control, not the euro sign
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Cp1252FromUtf8(c.utf8), c.cp1252);
  }
}

// Each ill-formed piece is one '?', and the byte that cannot continue it
// starts the next step: nothing after a broken sequence is lost.
TEST(TextEncoding, IllFormedPiecesBecomeOneQuestionMarkEach) {
  struct Case {
    std::string utf8;
    std::string cp1252;
  } cases[] = {
      {"\xC3" "A", "?A"},                 // a lead byte without its continuation
      {"\xC0\x80", "??"},                 // overlong NUL: never a NUL byte
      {"\xC1\xBF", "??"},                 // overlong DEL
      {"\xE0\x80\xAF", "???"},            // overlong three-byte form
      {"\xF0\x80\x80\xAF", "????"},       // overlong four-byte form
      {"\xED\xA0\x80" "x", "???x"},        // a surrogate
      {"\xF4\x90\x80\x80", "????"},       // above U+10FFFF
      {"\xE2\x82" "A", "?A"},             // a cut sequence inside the text
      {"\xF0\x9F\x98", "?"},              // a cut sequence at its end
      {"\x80\xBF", "??"},                 // continuation bytes alone
      {"\xC3\xA1\xE2\x82\xAC", "\xE1\x80"},  // well-formed: a acute, euro sign
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Cp1252FromUtf8(c.utf8), c.cp1252);
  }
}

}  // namespace
}  // namespace tvz
