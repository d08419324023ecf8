// Wrapping a text into lines no wider than a width: between words, at the text's own line breaks,
// and through a word wider than the width. Without its font file (as here) every letter measures
// the fallback advance.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/widgets/text_wrap.h"
#include "ui/widgets/ui_draw.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TextWrap, WithoutItsFontALetterMeasuresTheFallbackAdvance) {
  EXPECT_FLOAT_EQ(textWidth("abc", kFontSmall), 3 * kFallbackAdvance);
  EXPECT_FLOAT_EQ(textWidth("", kFontSmall), 0.0f);
}

TEST(TextWrap, LinesBreakBetweenWordsWithinTheWidth) {
  const float width = 10 * kFallbackAdvance;  // ten letters
  EXPECT_EQ(wrapText("aaa bbb ccc ddd", width, kFontSmall), (Lines{"aaa bbb", "ccc ddd"}));
  EXPECT_EQ(wrapText("aaaa bbbbb", width, kFontSmall), (Lines{"aaaa bbbbb"})) << "exactly the width fits";
  EXPECT_EQ(wrapText("a  b", width, kFontSmall), (Lines{"a b"})) << "runs of blanks fold";
}

TEST(TextWrap, TheTextsOwnLineBreaksAreKeptAndEmptyLinesStay) {
  EXPECT_EQ(wrapText("one\n\ntwo", 100, kFontSmall), (Lines{"one", "", "two"}));
  EXPECT_EQ(wrapText("a long line\nb", 0, kFontSmall), (Lines{"a long line", "b"})) << "no width, no wrapping";
  EXPECT_EQ(wrapText("", 100, kFontSmall), (Lines{""}));
}

TEST(TextWrap, AWordWiderThanTheWidthIsCutWhereTheWidthEnds) {
  const float width = 5 * kFallbackAdvance;
  EXPECT_EQ(wrapText("abcdefghijkl xy", width, kFontSmall), (Lines{"abcde", "fghij", "kl xy"}));
  // Narrower than one letter: one letter a line, so wrapping always ends.
  EXPECT_EQ(wrapText("abc", 1, kFontSmall), (Lines{"a", "b", "c"}));
}

}  // namespace
