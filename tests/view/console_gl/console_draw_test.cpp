// The console drawn with a real bitmap font: its lines, their wrapping by the font they are drawn
// with, their lifetime, the line limit, the sliding form and the background panel.
#include <gtest/gtest.h>

#include <string>

#include "engine/layer/layer_color.h"
#include "engine/scene/action_manager.h"
#include "engine/text/font_atlas_cache.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/engine/sprite_gl/director_fixture.h"
#include "tests/engine/text_gl/text_gl_fixture.h"
#include "tests/support/temp_dir.h"
#include "view/console/console_node.h"

namespace {

using namespace spritetest;

class ConsoleDraw : public DirectorFixture {
 protected:
  void SetUp() override {
    DirectorFixture::SetUp();
    dir_.write("blocks.png", textgl::blockFontPage());
    style_.fontFile = dir_.write("blocks.fnt", textgl::blockFontText());
    style_.uiScale = 1.0f;  // labels at half size: an "A" is 4 pixels wide and advances 5
    style_.screen = engine::Size(kWindowSize, kWindowSize);
    style_.fancy = false;
    style_.background = false;
    style_.duration = 0.25f;
  }
  void TearDown() override {
    DirectorFixture::TearDown();
    engine::FontAtlasCache::purgeCachedData();
  }
  ConsoleNode* console() {
    ConsoleNode* made = ConsoleNode::create(style_);
    scene_->addChild(made, 200);
    return made;
  }
  // Whether any pixel of the box is lit, and in which colour.
  static bool lit(int x0, int y0, int x1, int y1, Rgba* colour = nullptr) {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const Rgba p = pixel(x, y);
        if (p[0] + p[1] + p[2] > 60) {
          if (colour != nullptr) *colour = p;
          return true;
        }
      }
    }
    return false;
  }
  static std::vector<int> tags(const ConsoleNode* node) {
    std::vector<int> out;
    for (const engine::Node* child : node->getChildren()) out.push_back(child->getTag());
    return out;
  }

  testsupport::TempDir dir_;
  ConsoleStyle style_;
};

TEST_F(ConsoleDraw, ALineIsDrawnInItsKindsColourAtTheTopLeft) {
  ConsoleNode* node = console();
  EXPECT_EQ(node->origin(), engine::Vec2(4, 77));
  node->addMessage(std::string("AAA"), 1);
  ASSERT_EQ(node->lineCount(), 1);
  frame();
  Rgba colour{};
  ASSERT_TRUE(lit(4, 75, 20, 89, &colour));
  EXPECT_TRUE(near(colour, {0, 200, 0, 255}));
  EXPECT_FALSE(lit(30, 75, 60, 89));  // three letters end at x 18
  EXPECT_FALSE(lit(4, 39, 60, 69));
}

TEST_F(ConsoleDraw, ALongMessageWrapsByTheFontItIsDrawnWith) {
  ConsoleNode* node = console();
  // 85 % of 128 points is 108.8: 21 letters fit, the rest go to a second line one step lower.
  node->addMessage(std::string(30, 'A'), 0);
  ASSERT_EQ(node->lineCount(), 2);
  frame();
  EXPECT_TRUE(lit(100, 75, 110, 89));
  EXPECT_TRUE(lit(4, 67, 12, 74));
  EXPECT_FALSE(lit(60, 67, 110, 74));  // nine letters end at x 49
}

TEST_F(ConsoleDraw, ALetterWiderThanTheLineTakesALineOfItsOwn) {
  style_.screen = engine::Size(4, kWindowSize);  // a limit of 3.4 points: no letter fits
  ConsoleNode* node = console();
  node->addMessage(std::string("AB"), 0);
  EXPECT_EQ(node->lineCount(), 2);
  EXPECT_EQ(tags(node), (std::vector<int>{1, 2}));
}

TEST_F(ConsoleDraw, LinesLeaveAfterTheirTimeAndTheOldestMakesRoom) {
  ConsoleNode* node = console();
  ASSERT_EQ(node->maxLines(), 2);
  node->addMessage(std::string("A"), 0);
  node->addMessage(std::string("B"), 0);
  node->addMessage(std::string("AA"), 0);  // pushes "A" out; the others move up
  EXPECT_EQ(node->lineCount(), 2);
  EXPECT_EQ(tags(node), (std::vector<int>{1, 2}));
  frame();
  EXPECT_TRUE(lit(4, 80, 9, 89));
  EXPECT_FALSE(lit(10, 80, 20, 89));  // the top line is "B" now, 2 pixels wide
  EXPECT_TRUE(lit(10, 72, 13, 79));   // and "AA" below it
  for (int i = 0; i < 20; ++i) frame();
  EXPECT_EQ(node->lineCount(), 0);
  EXPECT_TRUE(node->getChildren().empty());
  frame();
  EXPECT_FALSE(lit(0, 59, 40, 99));
}

TEST_F(ConsoleDraw, SlidingLinesFadeInAndTheConsoleSlidesUpAsTheyGo) {
  style_.fancy = true;
  ConsoleNode* node = console();
  node->addMessage(std::string("AAA"), 2);
  EXPECT_EQ(node->lineCount(), 1);
  for (int i = 0; i < 8; ++i) frame();
  Rgba colour{};
  ASSERT_TRUE(lit(4, 75, 20, 89, &colour));
  EXPECT_TRUE(near(colour, {235, 235, 18, 255}, 4));
  for (int i = 0; i < 40; ++i) frame();
  EXPECT_EQ(node->lineCount(), 0);
  EXPECT_FLOAT_EQ(node->getPositionY(), node->lineStep());
  // Only the holder is left.
  EXPECT_EQ(tags(node), (std::vector<int>{ConsoleNode::kHolderTag}));
}

TEST_F(ConsoleDraw, TheBackgroundCoversTheLinesWhileThereAreAny) {
  style_.background = true;
  ConsoleNode* node = console();
  node->updateBackground(true);
  EXPECT_EQ(scene_->getChildrenCount(), 1u);  // no lines, no panel
  node->addMessage(std::string("AAA"), 0);
  ASSERT_EQ(scene_->getChildrenCount(), 2u);
  const engine::Node* panel = scene_->getChildren()[1];
  EXPECT_EQ(panel->getTag(), ConsoleNode::kPanelTag);
  // The line's foot is 4 points over the origin (77) and the line 5 points high: 2 points more
  // each way.
  EXPECT_EQ(panel->getContentSize(), engine::Size(3 * 10 * 0.5f + 4, 5 + 4));
  EXPECT_EQ(panel->getPosition(), engine::Vec2(2, 79));
  // Over a white backdrop the half-black panel shows grey beside the letters, and nowhere else.
  scene_->addChild(engine::LayerColor::create(engine::Color4B{255, 255, 255, 255}, 128, 128), -5);
  frame();
  EXPECT_TRUE(near(pixel(20, 83), {127, 127, 127, 255}, 3));
  EXPECT_TRUE(near(pixel(30, 83), kWhite));
  EXPECT_TRUE(near(pixel(20, 74), kWhite)) << "nothing hangs under the line";
  for (int i = 0; i < 20; ++i) frame();
  EXPECT_EQ(scene_->getChildrenCount(), 2u);  // the backdrop and the console: the panel went
}

TEST_F(ConsoleDraw, WithTheBackgroundOnTheFirstLineComesWithItsPanel) {
  style_.background = true;
  ConsoleNode* node = console();
  // Nothing opened the chat: the lines over the world are backed all the same.
  node->addMessage(std::string("AAA"), 0);
  ASSERT_EQ(scene_->getChildrenCount(), 2u);
  EXPECT_EQ(scene_->getChildren()[1]->getTag(), ConsoleNode::kPanelTag);
  scene_->addChild(engine::LayerColor::create(engine::Color4B{255, 255, 255, 255}, 128, 128), -5);
  frame();
  EXPECT_TRUE(near(pixel(20, node->origin().y + 6), {127, 127, 127, 255}, 3)) << "grey beside the letters";
}

// A font whose lines are 24 pixels (12 points at half scale) with an "A" as tall as its line.
class TallConsoleDraw : public ConsoleDraw {
 protected:
  void SetUp() override {
    ConsoleDraw::SetUp();
    rendertest::PngSpec page;
    page.width = 16;
    page.height = 24;
    page.pixels.assign(16 * 24 * 4, 255);
    dir_.write("tall.png", rendertest::encodePng(page));
    style_.fontFile = dir_.write("tall.fnt",
                                 "common lineHeight=24 base=22 scaleW=16 scaleH=24 pages=1 packed=0\n"
                                 "page id=0 file=\"tall.png\"\n"
                                 "char id=65 x=0 y=0 width=8 height=24 xoffset=0 yoffset=0 xadvance=10 page=0 chnl=15\n");
  }
  // The lit rows of the column.
  static int litRows(int x) {
    int rows = 0;
    for (int y = 0; y < kWindowSize; ++y) rows += lit(x, y, x, y);
    return rows;
  }
};

TEST_F(TallConsoleDraw, LinesOfATallFontStandALineApartUnderTheirPanel) {
  // A screen tall enough for several lines, the console moved down into the window.
  style_.screen = engine::Size(kWindowSize, 300);
  ConsoleNode* node = console();
  node->setPositionY(-150);
  EXPECT_FLOAT_EQ(node->lineStep(), 12.0f);
  EXPECT_EQ(node->origin().y, 249);
  node->addMessage(std::string("A"), 0);
  node->addMessage(std::string("AA"), 0);
  frame();
  EXPECT_EQ(litRows(5), 2 * 12) << "the two lines do not run into each other";
  EXPECT_TRUE(lit(5, 103, 5, 114)) << "the first line from its foot, 4 points over the origin";
  EXPECT_TRUE(lit(5, 91, 5, 102)) << "the second a line lower";

  style_.background = true;
  ConsoleNode* backed = console();
  backed->addMessage(std::string("A"), 0);
  backed->addMessage(std::string("AA"), 0);
  const engine::Node* panel = scene_->getChildByTag(ConsoleNode::kPanelTag);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->getPosition().y, 249 - 12 + 4 - 2) << "from the lower line's foot, 2 points under it";
  EXPECT_EQ(panel->getContentSize().height, 12 + 12 + 4) << "both lines, 2 points more each way";
}

}  // namespace

// A refusal met on every frame a button is held comes once, not a column of copies; said again
// after another line, or a moment later, it is a new line.
TEST_F(TallConsoleDraw, ALineSaidAgainAtOnceIsShownOnce) {
  style_.screen = engine::Size(kWindowSize, 300);
  style_.duration = 10.0f;
  ConsoleNode* node = console();
  for (int i = 0; i < 9; ++i) node->addMessage(std::string("A"), 3);
  EXPECT_EQ(node->lineCount(), 1);
  node->addMessage(std::string("A"), 0);
  EXPECT_EQ(node->lineCount(), 2) << "the same words in another kind are another line";
  node->addMessage(std::string("AA"), 0);
  node->addMessage(std::string("A"), 0);
  EXPECT_EQ(node->lineCount(), 4) << "said again after another line";
  // An action's first step starts its clock.
  node->getActionManager()->update(0.0f);
  node->getActionManager()->update(ConsoleNode::kRepeatWindow + 0.5f);
  node->addMessage(std::string("A"), 0);
  EXPECT_EQ(node->lineCount(), 5) << "said again a moment later";
}
