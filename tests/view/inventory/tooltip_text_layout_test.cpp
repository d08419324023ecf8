// Wrapping and measuring tooltip texts with the tooltip font the font maker writes into the
// build's data folder ("a" advances 14, "З" 11, lines are 23 high).

#include "view/inventory/tooltip_text_layout.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <string>

#include "engine/base/ref.h"
#include "engine/io/file_utils.h"
#include "engine/text/bm_font_configuration.h"
#include "engine/text/font.h"
#include "engine/text/font_atlas.h"

namespace {

// <build>/data/fonts/smalltooltip.fnt, found from this test's own place in <build>/tests.
std::string tooltipFontFile() {
  char self[PATH_MAX] = {};
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, length > 0 ? static_cast<size_t>(length) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/data/fonts/smalltooltip.fnt";
}

class TooltipLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto configuration = std::make_unique<engine::BMFontConfiguration>();
    ASSERT_TRUE(configuration->parseConfigFile(tooltipFontFile())) << tooltipFontFile();
    engine::Font* font = engine::Font::createWithConfiguration(std::move(configuration));
    ASSERT_NE(font, nullptr);
    atlas = font->createLetterAtlas(1.0f);
    ASSERT_NE(atlas, nullptr);
  }
  void TearDown() override {
    engine::safeRelease(atlas);
    engine::PoolManager::getCurrentPool()->clear();
    engine::FileUtils::destroyInstance();
  }
  std::string wrap(const std::string& text, float width) {
    return wrapTooltipText(text, width, tooltipScales(2.0f), *atlas);  // title at scale 1
  }

  engine::FontAtlas* atlas = nullptr;
};

TEST(TooltipScales, TitleAtHalfTheInterfaceAndBodyInTwoSteps) {
  const std::pair<float, std::pair<float, float>> cases[] = {
      {1, {0.5f, 1.005f}}, {4, {2.0f, 1.005f}}, {6, {3.0f, 2.005f}}, {8, {4.0f, 2.005f}}};
  for (const auto& [ui, expected] : cases) {
    const TooltipScales scales = tooltipScales(ui);
    EXPECT_FLOAT_EQ(scales.title, expected.first) << ui;
    EXPECT_FLOAT_EQ(scales.body, expected.second) << ui;
  }
}

TEST_F(TooltipLayoutTest, WrapsAtTheLastSpaceThatKeepsTheLineInsideTheLimit) {
  struct Case {
    const char* text;
    float width;  // the limit is twice this
    const char* wrapped;
  };
  const Case cases[] = {
      {"aaaa aaaa aaaa", 60, "aaaa aaaa\naaaa"},    // 112 fits 120, 168 does not
      {"aaaa aaaa aaaa", 50, "aaaa\naaaa\naaaa"},   // every second word breaks again
      {"aaaa  aaaa", 50, "aaaa\n aaaa"},            // a run of spaces breaks at its first
      {"aaaa aaaa aaaa", 0, "aaaa aaaa aaaa"},      // no wrapping
      {"aaaaaaaaaa", 20, "aaaaaaaaaa"},             // one long word keeps its line
      // Colour codes take no width.
      {"^2aaaa^s aaaa ^5aaaa", 60, "^2aaaa^s aaaa\n^5aaaa"},
      // An icon letter is one glyph of the font, not one per byte.
      {"\u0417\u0417\u0417\u0417 \u0417\u0417\u0417\u0417 \u0417\u0417\u0417\u0417", 45,
       "\u0417\u0417\u0417\u0417 \u0417\u0417\u0417\u0417\n\u0417\u0417\u0417\u0417"},
      // A long body line after a line break never breaks the title's spaces.
      {"aaaa aaaa\naaaaaaaaaa", 60, "aaaa aaaa\naaaaaaaaaa"},
  };
  for (const Case& c : cases) EXPECT_EQ(wrap(c.text, c.width), c.wrapped) << c.text;
}

TEST_F(TooltipLayoutTest, BodyLinesAreMeasuredAtTheBodyScale) {
  // Ten letters: 140 at the title scale of 1, 140.7 at the body scale of 1.005.
  EXPECT_EQ(wrap("aaaa aaaaaa", 70), "aaaa aaaaaa");
  EXPECT_EQ(wrap("x\naaaa aaaaaa", 70), "x\naaaa\naaaaaa");
}

TEST_F(TooltipLayoutTest, MeasuresTheWidestLineAndTheLinesOfEachText) {
  const TooltipScales scales = tooltipScales(2.0f);
  TooltipTextSize size = measureTooltipText("^1aa", "", scales, *atlas);
  EXPECT_FLOAT_EQ(size.width, 28);
  EXPECT_FLOAT_EQ(size.titleHeight, 23);
  EXPECT_FLOAT_EQ(size.bodyHeight, 0);
  size = measureTooltipText("a", "aaa\naaaaa", scales, *atlas);
  EXPECT_FLOAT_EQ(size.width, 5 * 14 * 1.005f);
  EXPECT_FLOAT_EQ(size.bodyHeight, 2 * 23 * 1.005f);
}

}  // namespace
