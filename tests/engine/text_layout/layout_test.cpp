// Placing glyphs, wrapping words and aligning lines, checked against the test font's metrics
// (letters 6 wide advancing 7, lines 12 high, glyph tops 1 below the line top).
#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "engine/text/label_layout.h"
#include "engine/text/label_text_formatter.h"
#include "test_font.h"

namespace {

using engine::LabelLayout;
using engine::LabelTextFormatter;
using engine::TextHAlignment;
using engine::TextVAlignment;
using texttest::narrow;

class Layout : public ::testing::Test {
 protected:
  void TearDown() override { engine::PoolManager::getCurrentPool()->clear(); }

  LabelLayout laidOut(const std::u16string& text, uint32_t maxLineWidth = 0,
                      TextHAlignment alignment = TextHAlignment::LEFT) {
    LabelLayout layout = font_.layoutFor(text);
    layout.maxLineWidth = maxLineWidth;
    layout.hAlignment = alignment;
    EXPECT_TRUE(LabelTextFormatter::layoutText(layout));
    return layout;
  }

  texttest::TestFont font_;
};

TEST_F(Layout, LineCountIgnoresATrailingNewline) {
  EXPECT_EQ(LabelTextFormatter::countLines(u""), 0);
  EXPECT_EQ(LabelTextFormatter::countLines(u"a"), 1);
  EXPECT_EQ(LabelTextFormatter::countLines(u"a\n"), 1);
  EXPECT_EQ(LabelTextFormatter::countLines(u"a\n\nb"), 3);
}

TEST_F(Layout, GlyphsFollowOffsetsAndAdvances) {
  const LabelLayout layout = laidOut(u"ab");
  ASSERT_EQ(layout.limitShowCount, 2);
  EXPECT_EQ(layout.letters[0].position, engine::Vec2(0, 11));
  EXPECT_EQ(layout.letters[1].position, engine::Vec2(7, 11));
  EXPECT_EQ(layout.letters[1].contentSize, engine::Size(6, 10));
  // The box ends at the pen, since the last glyph lies inside its advance.
  EXPECT_EQ(layout.contentSize, engine::Size(14, 12));
}

TEST_F(Layout, KerningMovesTheGlyphAndThePenAndExtraKerningWidensEveryAdvance) {
  const LabelLayout layout = laidOut(u"AV");
  EXPECT_FLOAT_EQ(layout.letters[0].position.x, -2.0f);
  EXPECT_FLOAT_EQ(layout.letters[1].position.x, 5.0f);
  EXPECT_FLOAT_EQ(layout.contentSize.width, 12.0f);
  LabelLayout wider = font_.layoutFor(u"ab");
  wider.additionalKerning = 3.0f;
  LabelTextFormatter::layoutText(wider);
  EXPECT_FLOAT_EQ(wider.letters[1].position.x, 10.0f);
}

TEST_F(Layout, NewlinesArePlaceholdersThatOpenALineBelowAndMissingGlyphsTakeNoRoom) {
  const LabelLayout layout = laidOut(u"a\nb");
  ASSERT_EQ(layout.limitShowCount, 3);
  EXPECT_EQ(layout.lineCount, 2);
  EXPECT_FALSE(layout.letters[1].def.validDefinition);
  EXPECT_EQ(layout.letters[0].position, engine::Vec2(0, 23));
  EXPECT_EQ(layout.letters[2].position, engine::Vec2(0, 11));
  EXPECT_EQ(layout.contentSize, engine::Size(7, 24));
  const LabelLayout missing = laidOut(u"a~b");
  EXPECT_FALSE(missing.letters[1].def.validDefinition);
  EXPECT_FLOAT_EQ(missing.letters[2].position.x, 7.0f);
}

TEST_F(Layout, ContentScaleTurnsPixelsIntoPoints) {
  const texttest::TestFont doubled(texttest::testFontText(), 2.0f);
  LabelLayout layout = doubled.layoutFor(u"ab");
  layout.contentScaleFactor = 2.0f;
  LabelTextFormatter::layoutText(layout);
  EXPECT_EQ(layout.letters[1].position, engine::Vec2(3.5f, 5.5f));
  EXPECT_EQ(layout.contentSize, engine::Size(7, 6));
}

TEST_F(Layout, LabelHeightCutsLinesAndPlacesThemVertically) {
  LabelLayout cut = font_.layoutFor(u"a\nb\nc");
  cut.labelHeight = 12;
  LabelTextFormatter::layoutText(cut);
  EXPECT_EQ(cut.limitShowCount, 2);  // stops at the newline after which nothing fits
  EXPECT_FLOAT_EQ(cut.contentSize.height, 12.0f);

  const std::pair<TextVAlignment, float> cases[] = {
      {TextVAlignment::TOP, 39.0f}, {TextVAlignment::CENTER, 25.0f},
      {TextVAlignment::BOTTOM, 11.0f}};
  for (const auto& [alignment, top] : cases) {
    LabelLayout layout = font_.layoutFor(u"a");
    layout.labelHeight = 40;
    layout.vAlignment = alignment;
    LabelTextFormatter::layoutText(layout);
    EXPECT_FLOAT_EQ(layout.letters[0].position.y, top) << static_cast<int>(alignment);
    EXPECT_FLOAT_EQ(layout.contentSize.height, 40.0f);
  }
}

TEST_F(Layout, WordsThatPassTheWidthMoveDownWhole) {
  const LabelLayout layout = laidOut(u"aaa bbb", 40);
  EXPECT_EQ(narrow(layout.currentText), "aaa\nbbb");
  EXPECT_EQ(layout.lineCount, 2);
  EXPECT_EQ(layout.letters[4].position, engine::Vec2(0, 11));
  EXPECT_EQ(layout.contentSize, engine::Size(21, 24));
  EXPECT_EQ(layout.horizontalKernings.size(), layout.currentText.size());
}

TEST_F(Layout, SpacesAtTheBreakGoAndAWordWiderThanTheLineIsNotSplitUnlessAsked) {
  EXPECT_EQ(narrow(laidOut(u"aa   bb", 30).currentText), "aa\nbb");
  EXPECT_EQ(narrow(laidOut(u"a\nbb cc", 20).currentText), "a\nbb\ncc");
  EXPECT_EQ(narrow(laidOut(u"ab cd", 100).currentText), "ab cd");
  EXPECT_EQ(narrow(laidOut(u"abcdefghij", 20).currentText), "abcdefghij");
  LabelLayout layout = font_.layoutFor(u"abcdef");
  layout.maxLineWidth = 20;
  layout.lineBreakWithoutSpaces = true;
  LabelTextFormatter::layoutText(layout);
  EXPECT_EQ(narrow(layout.currentText), "abc\ndef");
}

TEST_F(Layout, CjkCharactersBreakOneByOne) {
  EXPECT_EQ(laidOut(u"\u4E00\u4E00\u4E00\u4E00", 30).currentText,
            u"\u4E00\u4E00\n\u4E00\u4E00");
  // A Latin word after CJK text is a word of its own and moves down whole.
  EXPECT_EQ(laidOut(u"\u4E00\u4E00aaaa", 30).currentText, u"\u4E00\u4E00\naaaa");
}

TEST_F(Layout, ACharacterWiderThanALineStillEndsTheWrap) {
  EXPECT_EQ(laidOut(u"\u4E00\u4E00", 5).currentText, u"\u4E00\n\u4E00");
  LabelLayout layout = font_.layoutFor(u"ab");
  layout.maxLineWidth = 3;
  layout.lineBreakWithoutSpaces = true;
  LabelTextFormatter::layoutText(layout);
  EXPECT_EQ(narrow(layout.currentText), "a\nb");
}

TEST_F(Layout, LinesAlignToTheWidestLine) {
  // Centred single lines are centred by the node's anchor, not shifted.
  EXPECT_FLOAT_EQ(laidOut(u"ab", 0, TextHAlignment::CENTER).letters[0].position.x, 0.0f);
  const LabelLayout centred = laidOut(u"aaa\nb", 0, TextHAlignment::CENTER);
  EXPECT_FLOAT_EQ(centred.letters[0].position.x, 0.5f);
  EXPECT_FLOAT_EQ(centred.letters[4].position.x, 7.5f);
  const LabelLayout right = laidOut(u"aaa\nb", 0, TextHAlignment::RIGHT);
  EXPECT_FLOAT_EQ(right.letters[2].position.x, 15.0f);
  EXPECT_FLOAT_EQ(right.letters[4].position.x, 15.0f);
  // An empty line in between changes nothing for the lines around it.
  const LabelLayout gap = laidOut(u"aaa\n\nb", 0, TextHAlignment::RIGHT);
  EXPECT_FLOAT_EQ(gap.letters[5].position.x, 15.0f);
  // A line ending in a missing glyph aligns by its last glyph: "aa" ends at 13 in a box of 14.
  const LabelLayout missing = laidOut(u"aa~\nb", 0, TextHAlignment::RIGHT);
  EXPECT_FLOAT_EQ(missing.letters[1].position.x, 8.0f);
  EXPECT_FLOAT_EQ(missing.letters[4].position.x, 8.0f);
}

TEST_F(Layout, LabelWidthWidensTheBoxAndAlignsWithinIt) {
  LabelLayout layout = font_.layoutFor(u"ab");
  layout.labelWidth = 50;
  layout.hAlignment = TextHAlignment::RIGHT;
  LabelTextFormatter::layoutText(layout);
  EXPECT_FLOAT_EQ(layout.contentSize.width, 50.0f);
  EXPECT_FLOAT_EQ(layout.letters[0].position.x, 37.0f);
}

TEST_F(Layout, NothingToLayOutWithoutTextOrFont) {
  LabelLayout empty = font_.layoutFor(u"");
  EXPECT_FALSE(LabelTextFormatter::layoutText(empty));
  LabelLayout noFont;
  noFont.currentText = u"a";
  EXPECT_FALSE(LabelTextFormatter::layoutText(noFont));
}

}  // namespace
