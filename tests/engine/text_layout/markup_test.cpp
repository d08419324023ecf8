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
  EXPECT_EQ(parse(u"^2Error: ^sdone").text, u"Error: done");
  EXPECT_EQ(letterColors(u"^2Error: ^sdone", 11), (Colors{RED, RED, RED, RED, RED, RED, RED,
                                                          LABEL, LABEL, LABEL, LABEL}));
  // Unknown pairs and a trailing caret are dropped.
  EXPECT_EQ(parse(u"a^Qb^^c^").text, u"abc");
  EXPECT_EQ(parse(u"a^\nb").text, u"ab");
  EXPECT_EQ(letterColors(u"a^Qb", 2), (Colors{LABEL, LABEL}));
  // Newlines are not letters, and letters before the first escape keep the label colour, also
  // when the text opens with a newline or a dropped pair.
  EXPECT_EQ(parse(u"ab\n^2cd").runs.back().letterIndex, 2u);
  EXPECT_EQ(letterColors(u"ab\n^2cd", 4), (Colors{LABEL, LABEL, RED, RED}));
  EXPECT_EQ(letterColors(u"\nab^2c", 3), (Colors{LABEL, LABEL, RED}));
  EXPECT_EQ(letterColors(u"^Qab^2c", 3), (Colors{LABEL, LABEL, RED}));
  const LabelMarkup plain = parse(u"ab");
  ASSERT_EQ(plain.runs.size(), 1u);
  EXPECT_TRUE(plain.runs[0].followsLabelColor);
}

TEST(Markup, HexEscapesScaleEachDigitBySixteenAndReadZerosPastTheEnd) {
  EXPECT_EQ(parse(u"^#F00x").text, u"x");
  const std::pair<std::u16string, Color3B> cases[] = {
      {u"^#F00x", {240, 0, 0}}, {u"^#zz9x", {0, 0, 144}}, {u"^#aBcx", {160, 176, 192}}};
  for (const auto& [markup, color] : cases) EXPECT_EQ(parse(markup).runs.back().color, color);
  const LabelMarkup parsed = parse(u"ab^#F");
  EXPECT_EQ(parsed.text, u"ab");
  ASSERT_EQ(parsed.runs.size(), 2u);
  EXPECT_EQ(parsed.runs[1].color, (Color3B{240, 0, 0}));
  EXPECT_EQ(parsed.runs[1].letterIndex, 2u);
  EXPECT_EQ(parse(u"^#").text, u"");
}

TEST(Markup, TheLastEscapeAtALetterWins) {
  for (const std::u16string markup : {u"^1^2x", u"^#000^2x", u"^s^2x", u"^2^sx"}) {
    const LabelMarkup parsed = parse(markup);
    ASSERT_EQ(parsed.runs.size(), 1u);
    EXPECT_EQ(parsed.runs[0].followsLabelColor, markup == u"^2^sx");
    if (markup != u"^2^sx") {
      EXPECT_EQ(parsed.runs[0].color, RED);
    }
  }
}

TEST(Markup, QuadColoursCarryOpacity) {
  const LabelMarkup parsed = parse(u"^2a");
  EXPECT_EQ(labelQuadColors(parsed.runs, 1, LABEL, 128, false)[0],
            (Color4B{0xD0, 0x19, 0x1B, 128}));
  EXPECT_EQ(labelQuadColors(parsed.runs, 1, LABEL, 128, true)[0],
            (Color4B{0xD0 * 128 / 255, 0x19 * 128 / 255, 0x1B * 128 / 255, 128}));
  // Without runs every quad takes the label's colour.
  EXPECT_EQ(labelQuadColors({}, 2, LABEL, 255, false)[1], (Color4B{10, 20, 30, 255}));
}

}  // namespace
