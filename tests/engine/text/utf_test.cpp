#include <gtest/gtest.h>

#include <string>

#include "engine/base/utf.h"

using namespace engine;

namespace {

// "Aé€😀": one, two, three and four UTF-8 bytes; the last needs a surrogate pair.
const std::string MIXED = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
const std::u16string MIXED16 = u"A\u00E9\u20AC\U0001F600";

std::string toUtf8Lenient(const std::u16string& text) {
  std::string out;
  utf16ToUtf8Lenient(text, out);
  return out;
}

std::u16string toUtf16Lenient(const std::string& text) {
  std::u16string out;
  utf8ToUtf16Lenient(text, out);
  return out;
}

// A malformed part of UTF-8 is one U+FFFD, wherever it stands.
void expectOneReplacement(const std::string& malformed) {
  EXPECT_EQ(toUtf16Lenient("a" + malformed + "b"), u"a\uFFFDb");
  EXPECT_EQ(sanitizeUtf8(malformed), "\xEF\xBF\xBD");
}

}  // namespace

TEST(Utf, ConvertsBothWaysIncludingSurrogatePairs) {
  ASSERT_EQ(toUtf16Lenient(MIXED), MIXED16);
  EXPECT_EQ(toUtf8Lenient(MIXED16), MIXED);
  // The edges of the code space survive the round trip.
  const std::string edges = "\x7F\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF";
  EXPECT_EQ(toUtf8Lenient(toUtf16Lenient(edges)), edges);
}

TEST(Utf, MalformedUtf8AndUnpairedSurrogatesBecomeReplacements) {
  expectOneReplacement("\x80");      // stray continuation byte
  expectOneReplacement("\xC3");      // sequence cut short
  expectOneReplacement("\xE2\x82");  // three-byte sequence cut short
  EXPECT_EQ(toUtf16Lenient("\xF4\x90\x80\x80"), std::u16string(4, u'\uFFFD'));  // past U+10FFFF
  EXPECT_EQ(toUtf16Lenient("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/': two bad bytes
  EXPECT_EQ(toUtf16Lenient("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
  EXPECT_EQ(toUtf8Lenient(std::u16string{u'\xD83D', u'a'}), "\xEF\xBF\xBD" "a");
}

TEST(Utf, LenientConversionsReplaceEachMalformedPartOnce) {
  // A truncated three-byte sequence is one malformed part, and the byte after it is kept.
  EXPECT_EQ(toUtf16Lenient("\xE2\x82" "A"), u"\uFFFDA");
  EXPECT_EQ(toUtf8Lenient(std::u16string{u'\xDE00', u'\xD83D', u'\xDE00'}),
            "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(Utf, SanitizedTextIsAlwaysValidAndKeepsGoodText) {
  EXPECT_EQ(sanitizeUtf8(MIXED), MIXED);
  // Every byte value alone, and every pair: a second pass finds nothing left to replace.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; b += 7) {
      const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
      const std::string clean = sanitizeUtf8(bytes);
      ASSERT_EQ(sanitizeUtf8(clean), clean) << a << " " << b;
    }
  }
}
