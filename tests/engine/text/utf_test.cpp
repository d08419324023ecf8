#include <gtest/gtest.h>

#include <stdexcept>
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

void expectBadConversion(const std::string& utf8) {
  std::u16string out = u"kept";
  try {
    utf8ToUtf16(utf8, out);
    ADD_FAILURE() << "accepted malformed UTF-8";
  } catch (const std::range_error& error) {
    EXPECT_STREQ(error.what(), "bad conversion");
  }
  EXPECT_EQ(out, u"kept") << "a failed conversion must not touch its output";
  EXPECT_THROW(utf8ToWide(utf8), std::range_error);
  EXPECT_FALSE(isValidUtf8(utf8));
}

}  // namespace

TEST(Utf, ConvertsBothWaysIncludingSurrogatePairs) {
  std::u16string wide;
  utf8ToUtf16(MIXED, wide);
  ASSERT_EQ(wide, MIXED16);
  std::string back;
  utf16ToUtf8(wide, back);
  EXPECT_EQ(back, MIXED);
  // The edges of the code space survive the round trip.
  const std::string edges = "\x7F\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF";
  EXPECT_EQ(wideToUtf8(utf8ToWide(edges).c_str()), edges);
}

TEST(Utf, StrictConversionsRejectMalformedUtf8AndUnpairedSurrogates) {
  expectBadConversion("\x80");              // stray continuation byte
  expectBadConversion("ab\xC3");            // sequence cut short at the end
  expectBadConversion("\xC0\xAF");          // overlong '/'
  expectBadConversion("\xED\xA0\x80");      // an encoded surrogate
  expectBadConversion("\xF4\x90\x80\x80");  // past U+10FFFF
  std::string out = "kept";
  EXPECT_THROW(utf16ToUtf8(std::u16string{u'\xD83D', u'a'}, out), std::range_error);
  EXPECT_EQ(out, "kept");
}

TEST(Utf, LenientConversionsReplaceEachMalformedPartOnce) {
  // A truncated three-byte sequence is one malformed part, and the byte after it is kept.
  EXPECT_EQ(toUtf16Lenient("\xE2\x82" "A"), u"\uFFFDA");
  EXPECT_EQ(toUtf8Lenient(std::u16string{u'\xDE00', u'\xD83D', u'\xDE00'}),
            "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(Utf, SanitizedTextIsAlwaysValidAndKeepsGoodText) {
  EXPECT_EQ(sanitizeUtf8(MIXED), MIXED);
  // Every byte value alone, and every pair: the result always converts strictly.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; b += 7) {
      const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
      std::u16string out;
      ASSERT_NO_THROW(utf8ToUtf16(sanitizeUtf8(bytes), out)) << a << " " << b;
    }
  }
}
