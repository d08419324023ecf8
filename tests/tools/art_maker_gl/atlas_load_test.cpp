// The made pictures load the way the game loads them: through the engine's PNG reader into the
// texture cache, at their full size, in both pixel formats the game asks for.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/render/image.h"
#include "engine/render/texture_cache.h"
#include "tests/engine/render_gl/gl_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/art_maker/art_run.h"

namespace artmaker {
namespace {

namespace fs = std::filesystem;

class AtlasLoad : public rendertest::GLFixture {};

TEST_F(AtlasLoad, EveryPictureLoadsThroughTheTextureCache) {
  testsupport::TempDir gfx;
  ArtRunOptions options;
  options.sources = arttest::repositorySources();
  options.outputFolder = gfx.path().string();
  std::FILE* sink = std::tmpfile();
  ASSERT_EQ(runArtMaker(options, sink, sink), 0);
  std::fclose(sink);

  using PF = engine::Texture2D::PixelFormat;
  int loaded = 0;
  for (PF format : {PF::RGBA8888, PF::RGB5A1}) {
    engine::Texture2D::setDefaultAlphaPixelFormat(format);
    auto* cache = new engine::TextureCache();
    for (const auto& entry : fs::recursive_directory_iterator(gfx.path())) {
      if (entry.path().extension() != ".png") continue;
      const artmaker::Canvas* made = arttest::madePicture(fs::relative(entry.path(), gfx.path()).string());
      ASSERT_NE(made, nullptr) << entry.path();
      auto* image = new engine::Image();
      ASSERT_TRUE(image->initWithImageFile(entry.path().string())) << entry.path();
      EXPECT_EQ(image->getWidth(), made->width());
      EXPECT_EQ(image->getHeight(), made->height());
      image->release();
      engine::Texture2D* texture = cache->addImage(entry.path().string());
      ASSERT_NE(texture, nullptr) << entry.path();
      EXPECT_EQ(int(texture->getPixelsWide()), made->width()) << entry.path();
      EXPECT_EQ(int(texture->getPixelsHigh()), made->height()) << entry.path();
      ++loaded;
    }
    cache->release();
  }
  EXPECT_GT(loaded, 2 * 4);  // rocks, fluids, debris, tile effects and the skies, twice
}

}  // namespace
}  // namespace artmaker
