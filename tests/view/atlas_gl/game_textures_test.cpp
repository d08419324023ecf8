// The game's atlases and programs on a real window, read back: the programs compile and each draws
// what it promises; a missing atlas is named for the player and leaves a stand-in that draws; the
// lower graphics pack the atlases smaller; an unload lets the texture cache go of every atlas.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/io/damaged_data_files.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/texture_cache.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "tests/view/world_view_fixture.h"

namespace {

using namespace worldgl;

class AtlasTest : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    engine::DamagedDataFiles::clear();
  }
  void TearDown() override {
    engine::DamagedDataFiles::clear();
    WorldViewTest::TearDown();
  }

  // Draws the texture over the whole window, tinted with the vertex colour, through the program
  // (none: the sprite's own), and answers the pixel at (x, y).
  Rgba drawnPixel(engine::Texture2D* texture, const engine::Color3B& tint, int64_t program, int x, int y) {
    engine::Sprite* sprite = engine::Sprite::createWithTexture(texture);
    if (program != 0) {
      sprite->setGLProgramState(engine::GLProgramStateCache::getInstance()->getGLProgramState(
          engine::GLProgramCache::getInstance()->getGLProgram(program)));
    }
    sprite->setColor(tint);
    sprite->setBlendFunc(engine::BlendFunc::ALPHA_NON_PREMULTIPLIED);
    sprite->setOpacityModifyRGB(false);
    sprite->setAnchorPoint(engine::Vec2(0, 0));
    sprite->setScale(static_cast<float>(kWindow) / static_cast<float>(texture->getPixelsWide()),
                     static_cast<float>(kWindow) / static_cast<float>(texture->getPixelsHigh()));
    layer->addChild(sprite, 300);
    frame();
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    layer->removeChild(sprite);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }

  // A 4 x 4 texture of one colour; the caller releases it.
  static engine::Texture2D* solid(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {r, g, b, 255});
    auto* texture = new engine::Texture2D();
    EXPECT_TRUE(texture->initWithData(pixels.data(), pixels.size(), engine::Texture2D::PixelFormat::RGBA8888, 4, 4));
    return texture;
  }
};

TEST(AtlasNames, EachIndexNamesItsFileAndNothingOutside) {
  EXPECT_EQ(atlasFileName(atlas::kRocks), "rocks.png");
  EXPECT_EQ(atlasFileName(atlas::kFluids), "fluids.png");
  EXPECT_EQ(atlasFileName(atlas::kTileEffects), "tile-effects.png");
  EXPECT_EQ(atlasFileName(-1), "");
  EXPECT_EQ(atlasFileName(atlas::kCount), "");
  std::vector<std::string> names;
  for (int index = 0; index < atlas::kCount; ++index) {
    const std::string name = atlasFileName(index);
    EXPECT_FALSE(name.empty()) << index;
    for (const std::string& earlier : names) EXPECT_NE(name, earlier) << "two atlases read one file";
    names.push_back(name);
  }
}

TEST(AtlasNames, TheFolderJoinsWithOneSlash) {
  EXPECT_EQ(atlasFileNames("gfx", atlas::kMobs), "gfx/mobs.png");
  EXPECT_EQ(atlasFileNames("gfx/", atlas::kMobs), "gfx/mobs.png");
  EXPECT_EQ(atlasFileNames("", atlas::kMobs), "mobs.png");
  EXPECT_EQ(atlasFileNames("gfx", atlas::kCount), "") << "no file for an index outside";
}

TEST_F(AtlasTest, TheCustomProgramsCompileAndTheHealthBarDrawsItsColour) {
  EXPECT_EQ(registerCustomShaders(), 7);
  for (int64_t key = custom_shader::kFirst; key <= custom_shader::kLast; ++key) {
    ASSERT_NE(engine::GLProgramCache::getInstance()->getGLProgram(key), nullptr) << key;
  }
  // A bar a quarter full over a white texture spanning the whole quad: the bar colour at the left
  // end, the background at the right end.
  const std::vector<uint8_t> white(64 * 4 * 4, 255);
  auto* texture = new engine::Texture2D();
  ASSERT_TRUE(texture->initWithData(white.data(), white.size(), engine::Texture2D::PixelFormat::RGBA8888, 64, 4));
  engine::Sprite* bar = engine::Sprite::createWithTexture(texture);
  bar->setGLProgramState(engine::GLProgramStateCache::getInstance()->getGLProgramState(
      engine::GLProgramCache::getInstance()->getGLProgram(custom_shader::kHealthBar)));
  bar->setColor({64, 0, 255});  // r = the fraction, g and b = the span of s
  bar->setBlendFunc(engine::BlendFunc::ALPHA_NON_PREMULTIPLIED);
  bar->setOpacityModifyRGB(false);
  bar->setAnchorPoint(engine::Vec2(0, 0));
  bar->setScale(static_cast<float>(kWindow) / 64.0f, static_cast<float>(kWindow) / 4.0f);
  layer->addChild(bar, 300);
  frame();
  unsigned char left[4] = {}, right[4] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(kWindow / 8, kWindow / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
  glReadPixels(kWindow - 10, kWindow / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
  // (1, 0.5, 0) at alpha 0.8 over black; the background at alpha 0.4 leaves black.
  EXPECT_NEAR(left[0], 204, 3);
  EXPECT_NEAR(left[1], 102, 3);
  EXPECT_NEAR(left[2], 0, 3);
  EXPECT_NEAR(right[0], 0, 3);
  EXPECT_NEAR(right[1], 0, 3);
  layer->removeChild(bar);
  texture->release();
}

TEST_F(AtlasTest, AMissingAtlasLeavesAStandInAndEveryNodeExists) {
  testsupport::TempDir empty;
  loadGameTextures(empty.path().string(), true);
  const GameTextures& set = gameTextures();
  for (int index = 0; index < atlas::kCount; ++index) {
    if (index == atlas::kStore) {
      EXPECT_EQ(set.textures[index], nullptr);
      continue;
    }
    ASSERT_NE(set.textures[index], nullptr) << atlasFileName(index);
    EXPECT_GT(set.textures[index]->getPixelsWide(), 0u);
  }
  EXPECT_EQ(set.fallbacks.size(), 9u);
  for (const GameTextures::Batch& node : {set.blockBatch, set.treasureBatch, set.secondTreasureBatch, set.iconBatch,
                                          set.healthBarBatch, set.bulletBatch, set.additiveBatch, set.dressBatch}) {
    EXPECT_NE(node, nullptr);
  }
  layer->buildWorldView(running);
  frame();  // draws the stand-ins: no null texture reaches the renderer
  EXPECT_TRUE(layer->hasWorldView());
}

TEST_F(AtlasTest, LowerGraphicsPacksEveryAtlasButTheLiquidsIntoRgb5a1) {
  loadGameTextures(atlases.path().string(), true);
  EXPECT_EQ(gameTextures().textures[atlas::kRocks]->getPixelFormat(), engine::Texture2D::PixelFormat::RGB5A1);
  EXPECT_EQ(gameTextures().textures[atlas::kFluids]->getPixelFormat(), engine::Texture2D::PixelFormat::RGBA8888);
  unloadGameTextures();
  loadGameTextures(atlases.path().string(), false);
  EXPECT_EQ(gameTextures().textures[atlas::kRocks]->getPixelFormat(), engine::Texture2D::PixelFormat::RGBA8888);
}

TEST_F(AtlasTest, TheGreyAndSilhouetteProgramsDrawWhatTheyPromise) {
  ASSERT_EQ(registerCustomShaders(), 7);
  engine::Texture2D* red = solid(255, 0, 0);
  // Grey: the red texel's luminance, 0.21 of full.
  const Rgba grey = drawnPixel(red, {255, 255, 255}, custom_shader::kGrey, kWindow / 2, kWindow / 2);
  EXPECT_TRUE(near(grey, {54, 54, 54, 255}));
  // Silhouette: the vertex colour in the texel's shape, whatever the texel's colour.
  const Rgba shape = drawnPixel(red, {0, 200, 0}, custom_shader::kSilhouette, kWindow / 2, kWindow / 2);
  EXPECT_TRUE(near(shape, {0, 200, 0, 255}));
  red->release();
}

TEST_F(AtlasTest, AMissingAtlasIsNamedWithItsPathForThePlayer) {
  testsupport::TempDir empty;
  const std::string folder = empty.path().string();
  loadGameTextures(folder, false);
  EXPECT_TRUE(engine::DamagedDataFiles::isReported(atlasFileNames(folder, atlas::kRocks)));
  EXPECT_TRUE(engine::DamagedDataFiles::isReported(atlasFileNames(folder, atlas::kTools)));
  EXPECT_FALSE(engine::DamagedDataFiles::isReported(atlasFileNames(folder, atlas::kStore)))
      << "the store's atlas is never loaded, so never missed";
  EXPECT_EQ(engine::DamagedDataFiles::reported().size(), 9u);
}

TEST_F(AtlasTest, AnAtlasThatIsPresentIsNotReported) {
  loadGameTextures(atlases.path().string(), false);
  EXPECT_FALSE(engine::DamagedDataFiles::isReported(atlasFileNames(atlases.path().string(), atlas::kRocks)));
  EXPECT_FALSE(engine::DamagedDataFiles::isReported(atlasFileNames(atlases.path().string(), atlas::kFluids)));
  EXPECT_EQ(gameTextures().fallbacks.size(), 7u) << "the two written atlases need no stand-in";
}

TEST_F(AtlasTest, TheStandInDrawsAMagentaAndBlackCheck) {
  engine::RefPtr<engine::Texture2D> standIn = makeFallbackTexture();
  ASSERT_NE(standIn, nullptr);
  ASSERT_EQ(standIn->getPixelsWide(), 16u);
  // Texel 2 and texel 6 lie in the middle of neighbouring 4-texel squares.
  const float texel = static_cast<float>(kWindow) / 16.0f;
  const int near2 = static_cast<int>(2 * texel);
  const int near6 = static_cast<int>(6 * texel);
  const Rgba a = drawnPixel(standIn.get(), {255, 255, 255}, 0, near2, near2);
  const Rgba b = drawnPixel(standIn.get(), {255, 255, 255}, 0, near6, near2);
  const Rgba c = drawnPixel(standIn.get(), {255, 255, 255}, 0, near6, near6);
  const Rgba magenta{255, 0, 255, 255};
  const Rgba black{0, 0, 0, 255};
  EXPECT_TRUE(near(a, magenta) || near(a, black));
  EXPECT_TRUE(near(b, magenta) || near(b, black));
  EXPECT_FALSE(near(a, b)) << "neighbouring squares differ";
  EXPECT_TRUE(near(a, c)) << "diagonal squares match";
}

TEST_F(AtlasTest, AnUnloadLetsTheCacheGoOfEveryAtlasAndAReloadReadsTheFilesAgain) {
  engine::TextureCache* cache = engine::Director::getInstance()->getTextureCache();
  const std::string rocks = atlasFileNames(atlases.path().string(), atlas::kRocks);
  loadGameTextures(atlases.path().string(), false);
  ASSERT_NE(cache->getTextureForKey(rocks), nullptr);
  EXPECT_EQ(gameTextures().textures[atlas::kRocks], cache->getTextureForKey(rocks));
  unloadGameTextures();
  EXPECT_EQ(cache->getTextureForKey(rocks), nullptr);
  EXPECT_FALSE(gameTextures().loaded);
  EXPECT_EQ(gameTextures().blockBatch, nullptr);

  loadGameTextures(atlases.path().string(), false);
  EXPECT_NE(cache->getTextureForKey(rocks), nullptr);
  EXPECT_TRUE(gameTextures().loaded);
}

}  // namespace
