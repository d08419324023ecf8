// Colour markup: escapes are stripped, each letter gets the colour in force at it, and malformed
// escapes are dropped without reading past the text.
#include <gtest/gtest.h>

#include "engine/text/label_markup.h"

namespace {

using engine::Color3B;
using engine::Color4B;

const Color3B LABEL{10, 20, 30};
const Color3B RED{0xD0, 0x19, 0x1B};

LabelMarkup parse(const std::u16string& markup) { return parseLabelMarkup(markup, LABEL); }

std::vector<Color3B> letterColors(const std::u16string& markup, size_t letters) {
  const LabelMarkup parsed = parse(markup);
  std::vector<Color3B> colors;
  for (const Color4B& c : labelQuadColors(parsed.runs, letters, LABEL, 255, false)) {
    colors.push_back(Color3B{c.r, c.g, c.b});
  }
  return colors;
}

TEST(Markup, PaletteAndLabelColourEscapes) {
  const LabelMarkup parsed = parse(u"^2Error: ^sdone");
  EXPECT_EQ(parsed.text, u"Error: done");
  const std::vector<Color3B> colors = letterColors(u"^2Error: ^sdone", 11);
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(colors[i], RED) << i;
  for (size_t i = 7; i < 11; ++i) EXPECT_EQ(colors[i], LABEL) << i;
}

TEST(Markup, HexEscapesScaleEachDigitBySixteenAndReadZerosPastTheEnd) {
  const LabelMarkup red = parse(u"^#F00x");
  EXPECT_EQ(red.text, u"x");
  EXPECT_EQ(red.runs.back().color, (Color3B{240, 0, 0}));
  EXPECT_EQ(parse(u"^#zz9x").runs.back().color, (Color3B{0, 0, 144}));
  EXPECT_EQ(parse(u"^#aBcx").runs.back().color, (Color3B{160, 176, 192}));
  const LabelMarkup parsed = parse(u"ab^#F");
  EXPECT_EQ(parsed.text, u"ab");
  ASSERT_EQ(parsed.runs.size(), 2u);
  EXPECT_EQ(parsed.runs[1].color, (Color3B{240, 0, 0}));
  EXPECT_EQ(parsed.runs[1].letterIndex, 2u);
  EXPECT_EQ(parse(u"^#").text, u"");
}

TEST(Markup, UnknownPairsAndATrailingCaretAreDropped) {
  EXPECT_EQ(parse(u"a^Qb^^c^").text, u"abc");
  EXPECT_EQ(parse(u"a^\nb").text, u"ab");
  EXPECT_EQ(letterColors(u"a^Qb", 2), (std::vector<Color3B>{LABEL, LABEL}));
}

TEST(Markup, TheLastEscapeAtALetterWins) {
  for (const std::u16string markup : {u"^1^2x", u"^#000^2x", u"^s^2x"}) {
    const LabelMarkup parsed = parse(markup);
    ASSERT_EQ(parsed.runs.size(), 1u);
    EXPECT_EQ(parsed.runs[0].color, RED);
  }
  const LabelMarkup toLabel = parse(u"^2^sx");
  ASSERT_EQ(toLabel.runs.size(), 1u);
  EXPECT_TRUE(toLabel.runs[0].followsLabelColor);
}

TEST(Markup, NewlinesAreNotLettersAndLettersBeforeTheFirstEscapeKeepTheLabelColour) {
  EXPECT_EQ(parse(u"ab\n^2cd").runs.back().letterIndex, 2u);
  EXPECT_EQ(letterColors(u"ab\n^2cd", 4), (std::vector<Color3B>{LABEL, LABEL, RED, RED}));
  // Also when the text opens with a newline or a dropped pair.
  EXPECT_EQ(letterColors(u"\nab^2c", 3), (std::vector<Color3B>{LABEL, LABEL, RED}));
  EXPECT_EQ(letterColors(u"^Qab^2c", 3), (std::vector<Color3B>{LABEL, LABEL, RED}));
  const LabelMarkup parsed = parse(u"ab");
  ASSERT_EQ(parsed.runs.size(), 1u);
  EXPECT_TRUE(parsed.runs[0].followsLabelColor);
}

TEST(Markup, QuadColoursCarryOpacity) {
  const LabelMarkup parsed = parse(u"^2a");
  const std::vector<Color4B> plain = labelQuadColors(parsed.runs, 1, LABEL, 128, false);
  EXPECT_EQ(plain[0], (Color4B{0xD0, 0x19, 0x1B, 128}));
  const std::vector<Color4B> folded = labelQuadColors(parsed.runs, 1, LABEL, 128, true);
  EXPECT_EQ(folded[0], (Color4B{0xD0 * 128 / 255, 0x19 * 128 / 255, 0x1B * 128 / 255, 128}));
  // Without runs every quad takes the label's colour.
  EXPECT_EQ(labelQuadColors({}, 2, LABEL, 255, false)[1], (Color4B{10, 20, 30, 255}));
}

}  // namespace
