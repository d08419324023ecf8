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
  EXPECT_EQ(utf8CStrToWide(MIXED.c_str()), MIXED16);
  EXPECT_EQ(utf8CStrToWide(nullptr), u"");
  EXPECT_EQ(wideToUtf8(nullptr), "");
  // The edges of the code space survive the round trip.
  const std::string edges = "\x7F\xC2\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF";
  EXPECT_EQ(wideToUtf8(utf8ToWide(edges).c_str()), edges);
}

TEST(Utf, StrictConversionsRejectMalformedUtf8AndUnpairedSurrogates) {
  expectBadConversion("\x80");                  // stray continuation byte
  expectBadConversion("ab\xC3");                // sequence cut short at the end
  expectBadConversion("\xC0\xAF");              // overlong '/'
  expectBadConversion("\xE0\x80\xAF");          // overlong three-byte form
  expectBadConversion("\xED\xA0\x80");          // an encoded surrogate
  expectBadConversion("\xF4\x90\x80\x80");      // past U+10FFFF
  expectBadConversion("\xFF");                  // never a lead byte
  expectBadConversion("\xE2\x82" "A");          // interrupted sequence
  std::string out = "kept";
  for (const std::u16string& bad : {std::u16string(1, u'\xD83D'), std::u16string{u'\xDE00', u'a'},
                                    std::u16string{u'\xD83D', u'a'}}) {
    EXPECT_THROW(utf16ToUtf8(bad, out), std::range_error);
  }
  EXPECT_EQ(out, "kept");
  const char16_t reversed[] = {0xDE00, 0xD83D, 0};
  EXPECT_THROW(wideToUtf8(reversed), std::range_error);
}

TEST(Utf, LenientConversionsReplaceEachMalformedPartOnce) {
  EXPECT_EQ(toUtf16Lenient("a\x80" "b"), u"a\uFFFDb");
  // A truncated three-byte sequence is one malformed part, and the byte after it is kept.
  EXPECT_EQ(toUtf16Lenient("\xE2\x82" "A"), u"\uFFFDA");
  EXPECT_EQ(toUtf16Lenient("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(toUtf16Lenient("end\xF0\x9F\x98"), u"end\uFFFD");
  EXPECT_EQ(toUtf16Lenient(MIXED), MIXED16);

  EXPECT_EQ(toUtf8Lenient(std::u16string{u'x', u'\xD83D'}), "x\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8Lenient(std::u16string{u'\xDE00', u'\xD83D', u'\xDE00'}),
            "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(Utf, SanitizedTextIsAlwaysValidAndKeepsGoodText) {
  EXPECT_EQ(sanitizeUtf8(MIXED), MIXED);
  const std::string sanitized = sanitizeUtf8("ok\xFF\xED\xA0\x80!");
  EXPECT_TRUE(isValidUtf8(sanitized));
  EXPECT_EQ(sanitized.substr(0, 2), "ok");
  EXPECT_EQ(sanitized.back(), '!');
  // Every byte value alone, and every pair: the result always converts strictly.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; b += 7) {
      const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
      std::u16string out;
      ASSERT_NO_THROW(utf8ToUtf16(sanitizeUtf8(bytes), out)) << a << " " << b;
    }
  }
}

TEST(Utf, TruncationNeverSplitsACodePoint) {
  // Byte offsets in MIXED: A 0, é 1-2, € 3-5, 😀 6-9.
  EXPECT_EQ(truncateUtf8(MIXED, 2), "A");
  EXPECT_EQ(truncateUtf8(MIXED, 5), "A\xC3\xA9");
  EXPECT_EQ(truncateUtf8(MIXED, 9), "A\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(truncateUtf8(MIXED, 99), MIXED);
  for (size_t n = 0; n <= MIXED.size(); ++n) {
    EXPECT_TRUE(isValidUtf8(truncateUtf8(MIXED, n))) << n;
  }
  // Stray continuation bytes are malformed anyway: cutting between them keeps what fits.
  EXPECT_EQ(truncateUtf8("ab\x80\x80\x80\x80\x80", 4), "ab\x80\x80");
}
