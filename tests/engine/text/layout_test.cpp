// Placing glyphs, wrapping words and aligning lines, checked against the test font's metrics
// (letters 6 wide advancing 7, lines 12 high, glyph tops 1 below the line top).
#include <gtest/gtest.h>

#include <functional>

#include "engine/base/ref.h"
#include "engine/text/label_layout.h"
#include "engine/text/label_text_formatter.h"
#include "test_font.h"

namespace {

using engine::LabelLayout;
using engine::LabelTextFormatter;
using engine::TextHAlignment;
using engine::TextVAlignment;
using engine::Vec2;

class Layout : public ::testing::Test {
 protected:
  void TearDown() override { engine::PoolManager::getCurrentPool()->clear(); }

  // The text laid out as a label sets it up, after `set` adjusted the layout's settings.
  LabelLayout laidOut(const std::u16string& text,
                      const std::function<void(LabelLayout&)>& set = nullptr) {
    LabelLayout layout = font_.layoutFor(text);
    if (set) set(layout);
    EXPECT_TRUE(LabelTextFormatter::layoutText(layout));
    return layout;
  }
  std::u16string wrap(const std::u16string& text, uint32_t width, bool withoutSpaces = false) {
    return laidOut(text, [&](LabelLayout& l) {
      l.maxLineWidth = width;
      l.lineBreakWithoutSpaces = withoutSpaces;
    }).currentText;
  }
  float alignedX(const std::u16string& text, TextHAlignment alignment, int letter) {
    return laidOut(text, [&](LabelLayout& l) { l.hAlignment = alignment; })
        .letters[letter].position.x;
  }

  texttest::TestFont font_;
};

TEST_F(Layout, GlyphsFollowOffsetsAdvancesAndKerning) {
  const LabelLayout layout = laidOut(u"ab");
  ASSERT_EQ(layout.limitShowCount, 2);
  EXPECT_EQ(layout.letters[1].position, Vec2(7, 11));
  // The box ends at the pen, since the last glyph lies inside its advance.
  EXPECT_EQ(layout.contentSize, engine::Size(14, 12));
  // Kerning moves the glyph and the pen.
  const LabelLayout kerned = laidOut(u"AV");
  EXPECT_FLOAT_EQ(kerned.letters[1].position.x, 5.0f);
  EXPECT_FLOAT_EQ(kerned.contentSize.width, 12.0f);
}

TEST_F(Layout, NewlinesOpenALineBelowAndMissingGlyphsTakeNoRoom) {
  EXPECT_EQ(LabelTextFormatter::countLines(u"a\n"), 1);
  const LabelLayout layout = laidOut(u"a\nb");
  ASSERT_EQ(layout.limitShowCount, 3);
  EXPECT_EQ(layout.letters[0].position, Vec2(0, 23));
  EXPECT_EQ(layout.letters[2].position, Vec2(0, 11));
  EXPECT_FLOAT_EQ(laidOut(u"a~b").letters[2].position.x, 7.0f);
}

TEST_F(Layout, LabelHeightCutsLinesAndPlacesThemVertically) {
  const LabelLayout cut = laidOut(u"a\nb\nc", [](LabelLayout& l) { l.labelHeight = 12; });
  EXPECT_EQ(cut.limitShowCount, 2);  // stops at the newline after which nothing fits
  const LabelLayout centred = laidOut(u"a", [](LabelLayout& l) {
    l.labelHeight = 40;
    l.vAlignment = TextVAlignment::CENTER;
  });
  EXPECT_FLOAT_EQ(centred.letters[0].position.y, 25.0f);
}

TEST_F(Layout, WordsThatPassTheWidthMoveDownWhole) {
  const LabelLayout layout = laidOut(u"aaa bbb", [](LabelLayout& l) { l.maxLineWidth = 40; });
  EXPECT_EQ(layout.currentText, u"aaa\nbbb");
  EXPECT_EQ(layout.letters[4].position, Vec2(0, 11));
  EXPECT_EQ(wrap(u"aa   bb", 30), u"aa\nbb");  // the spaces at the break go
  EXPECT_EQ(wrap(u"abcdef", 20, true), u"abc\ndef");
  EXPECT_EQ(wrap(u"ab", 3, true), u"a\nb");  // a character wider than a line still ends the wrap
  // CJK characters break one by one; a Latin word after them is a word of its own.
  EXPECT_EQ(wrap(u"\u4E00\u4E00aaaa", 30), u"\u4E00\u4E00\naaaa");
}

TEST_F(Layout, LinesAlignToTheWidestLineOrTheLabelWidth) {
  using enum TextHAlignment;
  EXPECT_FLOAT_EQ(alignedX(u"aaa\nb", CENTER, 4), 7.5f);
  // A line ending in a missing glyph aligns by its last glyph: "aa" ends at 13 in a box of 14.
  EXPECT_FLOAT_EQ(alignedX(u"aa~\nb", RIGHT, 1), 8.0f);
  const LabelLayout wide = laidOut(u"ab", [](LabelLayout& l) {
    l.labelWidth = 50;
    l.hAlignment = RIGHT;
  });
  EXPECT_FLOAT_EQ(wide.letters[0].position.x, 37.0f);
}

}  // namespace
