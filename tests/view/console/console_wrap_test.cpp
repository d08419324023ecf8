// How the console breaks messages into lines, measured with a fake glyph table, and what it does
// without a font.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/base/ref.h"
#include "engine/io/damaged_data_files.h"
#include "engine/scene/director.h"
#include "view/console/console_filter.h"
#include "view/console/console_node.h"
#include "view/console/console_wrap.h"

namespace {

// Every letter advances 10 font pixels, a space 5; "W" is 400 wide; "?" has no glyph.
class FakeGlyphs final : public GlyphAdvances {
 public:
  bool advance(char16_t c, float& out) const override {
    if (c == u'?') return false;
    out = c == u' ' ? 5.0f : c == u'W' ? 400.0f : 10.0f;
    return true;
  }
};

// Every line of the message, as the console would make them.
std::vector<std::string> wrapAll(std::string text, float limit, float scale = 1.0f) {
  FakeGlyphs glyphs;
  std::vector<std::string> lines;
  do {
    WrappedLine wrapped = wrapConsoleLine(text, limit, scale, glyphs);
    lines.push_back(wrapped.line);
    text = wrapped.remainder;
  } while (!text.empty() && lines.size() < 100);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(ConsoleWrap, BreaksAfterTheLastSpaceThatFits) {
  struct Case { std::string text; float limit; Lines lines; };
  const std::vector<Case> cases = {
      {"abc def", 100, {"abc def"}},
      {"abc def ghi", 60, {"abc ", "def ", "ghi"}},       // "abc def" is 65 wide
      {"abc def ghi", 70, {"abc def ", "ghi"}},
      {"abcdefghij", 45, {"abcd", "efgh", "ij"}},        // a word wider than the line is cut
      {"ab cd", 25, {"ab ", "cd"}},                       // the overflowing space stays on the line
      {"a?????b", 20, {"a?????b"}},                       // no glyph, no width
      {"", 20, {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(wrapAll(c.text, c.limit), c.lines) << c.text;
  // The scale turns font pixels into points: at half size twice as much fits.
  EXPECT_EQ(wrapAll("abcdefghij", 45, 0.5f), (Lines{"abcdefghi", "j"}));
}

TEST(ConsoleWrap, ACharacterWiderThanTheLineStandsAlone) {
  EXPECT_EQ(wrapAll("W", 100), (Lines{"W"}));
  EXPECT_EQ(wrapAll("WWW", 100), (Lines{"W", "W", "W"}));
  EXPECT_EQ(wrapAll("ab Wcd", 100), (Lines{"ab ", "W", "cd"}));
  // A line too narrow for anything still takes one character at a time.
  EXPECT_EQ(wrapAll("abc", 0), (Lines{"a", "b", "c"}));
}

TEST(ConsoleWrap, KeepsMultibyteCharactersWhole) {
  // Two-byte letters and a character outside the basic plane (a surrogate pair in UTF-16).
  EXPECT_EQ(wrapAll("\xC3\xA9\xC3\xA9\xC3\xA9", 25), (Lines{"\xC3\xA9\xC3\xA9", "\xC3\xA9"}));
  EXPECT_EQ(wrapAll("a\xF0\x9F\x98\x80" "b", 15), (Lines{"a", "\xF0\x9F\x98\x80", "b"}));
  // Malformed bytes from a peer wrap like any other text.
  EXPECT_FALSE(wrapAll("ab\xFF\xFE" "cd", 30).empty());
}

TEST(ConsoleFilter, StarsTheFirstOccurrenceOfEachWord) {
  std::string line = "shit and shit";
  filterProfanity(line);
  EXPECT_EQ(line, "**** and shit");
  std::string clean = "Shiitake";
  filterProfanity(clean);
  EXPECT_EQ(clean, "Shiitake");
}

class ConsoleWithoutFont : public ::testing::Test {
 protected:
  void TearDown() override {
    engine::PoolManager::getCurrentPool()->clear();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
};

TEST_F(ConsoleWithoutFont, LaysItselfOutAndDropsWhatItCannotDraw) {
  ConsoleStyle style;
  style.fontFile = "/nonexistent/smalltooltip.fnt";
  style.uiScale = 2.0f;
  style.screen = engine::Size(800, 600);
  ConsoleNode* console = ConsoleNode::create(style);
  ASSERT_NE(console, nullptr);
  EXPECT_EQ(console->origin(), engine::Vec2(8, 498));  // under the HUD's portrait: 600 - 51 x 2
  EXPECT_FLOAT_EQ(console->lineStep(), 16);
  EXPECT_EQ(console->maxLines(), 12);  // floor((270 - 60) / 16) - 1
  std::string text = "hello there";
  console->addMessage(text, 0);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(console->lineCount(), 0);
  console->updateBackground(true);  // no parent, no lines: nothing to cover

  // An interface scale never set still gives a usable layout.
  style.uiScale = 0.0f;
  EXPECT_GE(ConsoleNode::create(style)->maxLines(), 1);
  EXPECT_EQ(ConsoleNode::colourOf(3), (engine::Color3B{230, 0, 0}));
  EXPECT_EQ(ConsoleNode::colourOf(9), (engine::Color3B{255, 255, 255}));
}

TEST_F(ConsoleWithoutFont, AConsoleNamingNoFontReportsNoDamagedFile) {
  // A tool's view has no fonts folder: its console names no font, and none is missing.
  engine::DamagedDataFiles::clear();
  ConsoleStyle style;
  style.uiScale = 1.0f;
  style.screen = engine::Size(800, 600);
  ConsoleNode* console = ConsoleNode::create(style);
  ASSERT_NE(console, nullptr);
  EXPECT_FLOAT_EQ(console->lineStep(), 8);
  EXPECT_TRUE(engine::DamagedDataFiles::reported().empty());
}

}  // namespace
