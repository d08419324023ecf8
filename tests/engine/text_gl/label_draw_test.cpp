// Labels drawn for real: glyph quads land where the layout places them, colour markup tints each
// letter, and fonts are shared through the atlas cache.
#include <filesystem>

#include "engine/sprite/texture_atlas.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/label.h"
#include "engine/text/label_blinking.h"
#include "engine/text/label_colored.h"
#include "tests/engine/text_gl/text_gl_fixture.h"

namespace {

using engine::Label;
using engine::Vec2;
using textgl::Rgba;

class LabelDraw : public textgl::TextGLFixture {
 protected:
  void render(engine::Node* node) {
    glClear(GL_COLOR_BUFFER_BIT);
    node->visit(renderer_, engine::Mat4::IDENTITY, engine::FLAGS_TRANSFORM_DIRTY);
    renderer_->render();
  }
  Label* placed(Label* label) {
    label->setAnchorPoint(Vec2(0, 0));
    label->setPosition(Vec2(20, 30));
    return label;
  }
};

const Rgba BLACK{0, 0, 0, 255};
const Rgba WHITE{255, 255, 255, 255};

TEST_F(LabelDraw, GlyphsLandWhereTheLayoutPlacesThem) {
  Label* label = placed(Label::createWithBMFont(fontFile_, "AB\nA"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->getContentSize(), engine::Size(16, 20));
  EXPECT_EQ(label->getTextureAtlas()->getTotalQuads(), 3);

  render(label);
  EXPECT_EQ(renderer_->getDrawCallCount(), 1u);  // all glyphs in one call
  // First A: x 20-27, y 42-49; B (offset 1 right, 2 down): x 31-34, y 40-47; second A: x 20-27,
  // y 32-39.
  for (const auto& [x, y] : {std::pair{20, 42}, {27, 49}, {31, 40}, {34, 47}, {20, 32}}) {
    EXPECT_EQ(pixel(x, y), WHITE) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{19, 45}, {28, 45}, {35, 45}, {24, 50}, {24, 41}}) {
    EXPECT_EQ(pixel(x, y), BLACK) << x << "," << y;
  }
}

TEST_F(LabelDraw, MarkupColoursEachLetter) {
  LabelColored* label = LabelColored::create(fontFile_, "^2A^sB");
  ASSERT_NE(label, nullptr);
  label->setColor(engine::Color3B{0, 255, 0});
  placed(label);
  render(label);
  // One line: A covers rows 32-39, B rows 30-37.
  EXPECT_EQ(pixel(24, 35), (Rgba{0xD0, 0x19, 0x1B, 255}));
  EXPECT_EQ(pixel(33, 33), (Rgba{0, 255, 0, 255}));  // follows the label's colour

  // A new escape over the same letters still recolours them.
  label->setString("^3A^sB");
  render(label);
  EXPECT_EQ(pixel(24, 35), (Rgba{0x2B, 0xA7, 0x44, 255}));
}

TEST_F(LabelDraw, LayoutIsDeferredAndKeepsTheTextAsSet) {
  Label* label = Label::createWithBMFont(fontFile_, "A\nB");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isContentDirty());
  const engine::Size size = label->getContentSize();
  EXPECT_EQ(label->getTextureAtlas()->getTotalQuads(), 2);
  label->setString("");
  EXPECT_EQ(label->getContentSize(), size);  // an empty text keeps the last size
  EXPECT_EQ(label->getTextureAtlas()->getTotalQuads(), 0);
  // Wrapping at the maximum width changes what is laid out, not the text.
  label->setString("AA AA");
  const float oneLine = label->getContentSize().height;
  label->setMaxLineWidth(30);
  EXPECT_GT(label->getContentSize().height, oneLine);  // a second line
  EXPECT_EQ(label->getString(), "AA AA");
}

TEST_F(LabelDraw, AtlasesAreSharedPerFontFileAndGivenBackByTheirLabels) {
  using engine::FontAtlasCache;
  Label* plain = Label::createWithBMFont(fontFile_, "A");
  Label* coloured = LabelColored::create(fontFile_, "B");
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(coloured, nullptr);
  EXPECT_EQ(plain->getFontAtlas(), coloured->getFontAtlas());
  std::filesystem::remove(fontFile_);
  engine::PoolManager::getCurrentPool()->clear();  // the labels go, and their atlas with them
  EXPECT_EQ(FontAtlasCache::getFontAtlasFNT(fontFile_), nullptr) << "the next request reads the file again";
  EXPECT_EQ(Label::createWithBMFont(dir_.file("missing.fnt"), "A"), nullptr);
}

TEST_F(LabelDraw, CursorShiftsACentredLabelByHalfItsWidth) {
  LabelBlinking* label = LabelBlinking::create(fontFile_, "AB");
  ASSERT_NE(label, nullptr);
  label->setPosition(Vec2(50, 50));
  label->setCursorVisible(true);
  EXPECT_EQ(label->getPosition(), Vec2(56, 50));  // (space 5 + underscore 7) / 2
  label->setString("A");  // a new text hides the cursor
  EXPECT_FALSE(label->isCursorVisible());
  EXPECT_EQ(label->getPosition(), Vec2(50, 50));
}

}  // namespace
