#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "tools/font_maker/font_spec.h"
#include "tools/font_maker/glyph_sheet.h"
#include "tools/font_maker/icon_art.h"
#include "tools/font_maker/outline_renderer.h"
#include "tools/png_writer/png_writer.h"
#include "tests/support/temp_dir.h"

using namespace fontmaker;

namespace {

Glyph solidGlyph(uint32_t id, int width, int height, uint32_t colour) {
  Glyph g;
  g.id = id;
  g.width = width;
  g.height = height;
  g.rgba.assign(static_cast<size_t>(width * height), colour);
  return g;
}

std::string sourceFile(const std::string& name) {
  std::ifstream in(std::string(RUBBLE_SOURCE_DIR) + "/tools/font_maker/" + name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(IconArt, ReadsPaletteAndIconsAndScales) {
  std::string error;
  const auto icons = parseIconArt(
      "palette . 00000000\npalette r ff0000ff\nicon 0B blade\nr.\n.r\nicon 418 armour\nrr\n",
      error);
  ASSERT_TRUE(icons) << error;
  EXPECT_EQ((*icons)[0].rgba, (std::vector<uint32_t>{0xff0000ff, 0, 0, 0xff0000ff}));

  const Glyph big = iconGlyph((*icons)[0], 3, 15, 8);
  EXPECT_EQ(big.rgba[2], 0xff0000ffu);  // the first art pixel covers a 3 x 3 block
  EXPECT_EQ(big.rgba[3], 0u);
}

TEST(IconArt, RefusesDamagedArtNamingTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"palette . 00000000\nicon 0B a\n..\n...\n", "different widths"},
      {"..\n", "line 1"},
      {"palette . 00000000\nicon 0B empty\nicon 0C next\n.\n", ""},
  };
  for (const auto& [art, why] : cases) {
    std::string error;
    EXPECT_FALSE(parseIconArt(art, error)) << art;
    EXPECT_NE(error.find(why), std::string::npos) << art << ": " << error;
  }
}

TEST(IconArt, TheGameIconFileCoversEveryTooltipIcon) {
  std::string error;
  const auto icons = parseIconArt(sourceFile("icons.txt"), error);
  ASSERT_TRUE(icons) << error;
  std::set<uint16_t> codes;
  for (const auto& icon : *icons) codes.insert(icon.code);
  std::vector<uint16_t> wanted = {0x401, 0x402, 0x412, 0x413, 0x414, 0x415, 0x416, 0x417, 0x418};
  for (uint16_t code = 0x0B; code <= 0x1F; ++code) wanted.push_back(code);
  for (uint16_t code : wanted) EXPECT_TRUE(codes.count(code)) << code;
}

TEST(GlyphSheet, PacksWithoutOverlapInsideAPowerOfTwoPage) {
  std::vector<Glyph> glyphs;
  for (uint32_t i = 0; i < 300; ++i) {
    glyphs.push_back(solidGlyph(i, 3 + static_cast<int>(i % 11), 5 + static_cast<int>(i % 7),
                                0xFF000000u | i));
  }
  const GlyphSheet sheet = packGlyphs(glyphs, 1);
  EXPECT_EQ(sheet.width & (sheet.width - 1), 0);
  std::vector<int> owner(static_cast<size_t>(sheet.width * sheet.height), -1);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Placement& p = sheet.placements[i];
    ASSERT_GE(p.x, 1);
    ASSERT_LE(p.x + glyphs[i].width, sheet.width);
    for (int y = p.y; y < p.y + glyphs[i].height; ++y) {
      for (int x = p.x; x < p.x + glyphs[i].width; ++x) {
        int& cell = owner[static_cast<size_t>(y * sheet.width + x)];
        ASSERT_EQ(cell, -1) << "glyphs " << cell << " and " << i << " overlap";
        cell = static_cast<int>(i);
        ASSERT_EQ(sheet.rgba[static_cast<size_t>(y * sheet.width + x)], glyphs[i].rgba[0]);
      }
    }
  }
}

TEST(FontSpec, RefusesFontsWithoutSizesOrWithBadRanges) {
  std::string error;
  const std::string font = R"({"fonts":[{"name":"a","face":"f","pixelSize":)";
  for (const std::string& bad :
       {font + R"(2,"ranges":[]}]})", font + R"(9,"ranges":[[9,3]]}]})",
        std::string("{\"fonts\":[")}) {
    EXPECT_FALSE(parseFontSpecs(bad, error)) << bad;
  }
}

TEST(OutlineRenderer, RendersCrispOpaqueGlyphsOnTheBaseline) {
  std::string error;
  const auto renderer =
      OutlineRenderer::open("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 16, error);
  ASSERT_TRUE(renderer) << error;
  const auto a = renderer->render('A');
  ASSERT_TRUE(a);
  // Capital letters stand on the baseline.
  EXPECT_EQ(a->yoffset + a->height, renderer->baseline());
  for (uint32_t pixel : a->rgba) ASSERT_TRUE(pixel == 0u || pixel == 0xFFFFFFFFu);
  EXPECT_FALSE(renderer->render(0xE000));  // private use: the face has no glyph
}

TEST(PngWriter, WritesASheetAndReportsADiskThatCannotTakeIt) {
  const std::vector<uint32_t> pixels(4 * 4, 0xFF0000FFu);
  testsupport::TempDir dir;
  ASSERT_TRUE(toolpng::writePng(dir.file("sheet.png"), 4, 4, pixels));

  // A small image sits in the stream's buffer until the file is closed: the failure comes late.
  if (std::ifstream("/dev/full")) {
    EXPECT_FALSE(toolpng::writePng("/dev/full", 4, 4, pixels));
  }
}
