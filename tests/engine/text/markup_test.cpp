// Colour markup: escapes are stripped, each letter gets the colour in force at it, and malformed
// escapes are dropped without reading past the text.
#include <gtest/gtest.h>

#include "engine/text/label_markup.h"

namespace {

using engine::Color3B;
using engine::Color4B;
using Colors = std::vector<Color3B>;

const Color3B LABEL{10, 20, 30};
const Color3B RED{0xD0, 0x19, 0x1B};

LabelMarkup parse(const std::u16string& markup) { return parseLabelMarkup(markup, LABEL); }

Colors letterColors(const std::u16string& markup, size_t letters) {
  Colors colors;
  for (const Color4B& c : labelQuadColors(parse(markup).runs, letters, LABEL, 255, false)) {
    colors.push_back(Color3B{c.r, c.g, c.b});
  }
  return colors;
}

TEST(Markup, EscapesAreStrippedAndEachLetterTakesTheColourInForce) {
  EXPECT_EQ(parse(u"^2Er: ^sdo").text, u"Er: do");
  EXPECT_EQ(letterColors(u"^2Er: ^sdo", 6), (Colors{RED, RED, RED, RED, LABEL, LABEL}));
  // Unknown pairs and a trailing caret are dropped.
  EXPECT_EQ(parse(u"a^Qb^^c^").text, u"abc");
  // Newlines are not letters, and letters before the first escape keep the label colour.
  EXPECT_EQ(letterColors(u"ab\n^2cd", 4), (Colors{LABEL, LABEL, RED, RED}));
  EXPECT_EQ(letterColors(u"^Qab^2c", 3), (Colors{LABEL, LABEL, RED}));
}

TEST(Markup, HexEscapesScaleEachDigitBySixteenAndReadZerosPastTheEnd) {
  EXPECT_EQ(parse(u"^#zb9x").runs.back().color, (Color3B{0, 176, 144}));
  const LabelMarkup parsed = parse(u"ab^#F");
  EXPECT_EQ(parsed.text, u"ab");
  ASSERT_EQ(parsed.runs.size(), 2u);
  EXPECT_EQ(parsed.runs[1].color, (Color3B{240, 0, 0}));
}

TEST(Markup, TheLastEscapeAtALetterWins) {
  EXPECT_EQ(parse(u"^1^2x").runs.size(), 1u);
  EXPECT_EQ(parse(u"^1^2x").runs.at(0).color, RED);
  EXPECT_TRUE(parse(u"^2^sx").runs.at(0).followsLabelColor);
}

TEST(Markup, PremultipliedQuadColoursCarryOpacity) {
  EXPECT_EQ(labelQuadColors(parse(u"^2a").runs, 1, LABEL, 128, true)[0],
            (Color4B{0xD0 * 128 / 255, 0x19 * 128 / 255, 0x1B * 128 / 255, 128}));
}

}  // namespace
