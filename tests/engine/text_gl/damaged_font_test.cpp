// A font whose description or page image is damaged: the damaged file is named, and a fallback
// font of the same folder shows the text instead of nothing.
#include <algorithm>

#include "engine/io/damaged_data_files.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/label.h"
#include "tests/engine/text_gl/text_gl_fixture.h"

namespace {

using engine::DamagedDataFiles;
using engine::FontAtlasCache;
using engine::Label;
using textgl::Rgba;

class DamagedFont : public textgl::TextGLFixture {
 protected:
  void SetUp() override {
    TextGLFixture::SetUp();
    DamagedDataFiles::clear();
  }
  void TearDown() override {
    FontAtlasCache::setFallbackFonts({});
    DamagedDataFiles::clear();
    TextGLFixture::TearDown();
  }
  static bool named(const std::string& path) {
    const auto& files = DamagedDataFiles::reported();
    return std::find(files.begin(), files.end(), path) != files.end();
  }
  // A second font whose page is another image, so which font drew is plain.
  std::string damagedCopyWithOwnPage(const std::string& pageBytes) {
    dir_.write("damaged.png", pageBytes);
    std::string text = textgl::blockFontText();
    text.replace(text.find("blocks.png"), 10, "damaged.png");
    return dir_.write("damaged.fnt", text);
  }
};

TEST_F(DamagedFont, AnEmptiedDescriptionIsNamedAndMakesNoFontWithoutAFallback) {
  const std::string emptied = dir_.write("emptied.fnt", "");
  EXPECT_EQ(Label::createWithBMFont(emptied, "A"), nullptr);
  EXPECT_TRUE(named(emptied));
  EXPECT_EQ(DamagedDataFiles::reported().size(), 1u);
  // Asked again, it is neither read nor named a second time.
  EXPECT_EQ(Label::createWithBMFont(emptied, "A"), nullptr);
  EXPECT_EQ(DamagedDataFiles::reported().size(), 1u);
}

TEST_F(DamagedFont, APageImageWithAChangedByteIsNamedRatherThanItsDescription) {
  std::string page = textgl::blockFontPage();
  page[page.size() - 20] = static_cast<char>(page[page.size() - 20] ^ 0x5A);
  const std::string font = damagedCopyWithOwnPage(page);
  EXPECT_EQ(Label::createWithBMFont(font, "A"), nullptr);
  EXPECT_TRUE(named(dir_.file("damaged.png")));
  EXPECT_FALSE(named(font));
}

TEST_F(DamagedFont, ADamagedFontDrawsItsTextInTheFallbackFont) {
  FontAtlasCache::setFallbackFonts({"blocks.fnt"});
  const std::string emptied = dir_.write("emptied.fnt", "");
  Label* label = Label::createWithBMFont(emptied, "A");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(named(emptied));
  label->setAnchorPoint(engine::Vec2(0, 0));
  label->setPosition(engine::Vec2(20, 30));
  glClear(GL_COLOR_BUFFER_BIT);
  label->visit(renderer_, engine::Mat4::IDENTITY, engine::FLAGS_TRANSFORM_DIRTY);
  renderer_->render();
  // The fallback's A: a white 8x8 block at x 20-27, y 32-39.
  EXPECT_EQ(pixel(23, 35), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(pixel(29, 35), (Rgba{0, 0, 0, 255}));
}

TEST_F(DamagedFont, AFallbackThatIsDamagedTooLeavesNoFont) {
  FontAtlasCache::setFallbackFonts({"emptied-too.fnt"});
  dir_.write("emptied-too.fnt", "common lineHeight=10\n");
  const std::string emptied = dir_.write("emptied.fnt", "");
  EXPECT_EQ(Label::createWithBMFont(emptied, "A"), nullptr);
  EXPECT_TRUE(named(emptied));
  EXPECT_TRUE(named(dir_.file("emptied-too.fnt")));
}

}  // namespace
