// Which font a size code names and where its label sits at an interface scale.

#include "view/labels/label_makers.h"

#include <gtest/gtest.h>

#include "view/atlas/game_textures.h"

namespace {

TEST(LabelMakers, EachSizeCodeNamesItsFontInTheFontsFolder) {
  const struct {
    uint8_t code;
    const char* folder;
    const char* expected;
  } cases[] = {
      {0, "/data/fonts", "/data/fonts/big.fnt"},
      {1, "/data/fonts/", "/data/fonts/tiny.fnt"},
      {2, "/data/fonts", "/data/fonts/smalltooltip.fnt"},
      {7, "", "smalltooltip.fnt"},
  };
  for (const auto& c : cases) EXPECT_EQ(labelFontPath(c.code, c.folder), c.expected) << int(c.code);
}

TEST(LabelMakers, SizeCodeTwoIsHalfSizeAndRaisedByFourScalePoints) {
  const LabelPlacement small = labelPlacement(2, engine::Vec2(10, 20), 3.0f);
  EXPECT_FLOAT_EQ(small.scale, 1.5f);
  EXPECT_EQ(small.position, engine::Vec2(10, 32));
  for (uint8_t code : {0, 1, 5}) {
    const LabelPlacement plain = labelPlacement(code, engine::Vec2(10, 20), 3.0f);
    EXPECT_FLOAT_EQ(plain.scale, 3.0f);
    EXPECT_EQ(plain.position, engine::Vec2(10, 20));
  }
}

TEST(AtlasFiles, TheTenAtlasesByIndexInTheGraphicsFolder) {
  const char* names[] = {"rocks.png", "fluids.png", "iap.png",       "debris.png", "equip.png",
                         "interface.png", "mobs.png", "treasures.png", "tools.png",  "tile-effects.png"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(atlasFileNames("/gfx", i), std::string("/gfx/") + names[i]);
  EXPECT_EQ(atlasFileNames("/gfx", -1), "");
  EXPECT_EQ(atlasFileNames("/gfx", 10), "");
}

}  // namespace
