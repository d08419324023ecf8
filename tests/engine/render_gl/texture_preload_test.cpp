// Textures made ready ahead: decoded on the worker, uploaded at most as many a call as asked, each
// in its own format under the key a later load looks up; files that do not decode left to that
// load, files already cached left alone.
#include "engine/render/texture_preload.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/io/file_utils.h"
#include "engine/render/texture_cache.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/engine/render_gl/gl_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/file_search_paths.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using rendertest::near;
using rendertest::pixel;

class TexturePreloads : public rendertest::TextureCacheFixture {
 protected:

  std::string solid(const std::string& name, int size, uint8_t red) {
    return dir_.write(name, rendertest::solidRgbaPng(size, size, red, 40, 200, 255));
  }

  // Calls uploadSome(1) until every file is dealt with, checking that no call uploads more than
  // one; false when the worker hands nothing over within the limit.
  bool uploadOneAtATime(TexturePreload& preload) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    size_t before = cache_->getTextureCount();
    while (!preload.uploadSome(1)) {
      EXPECT_LE(cache_->getTextureCount(), before + 1);
      before = cache_->getTextureCount();
      if (std::chrono::steady_clock::now() > limit) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  testsupport::TempDir dir_;
};

TEST_F(TexturePreloads, PreparedFilesAreUploadedOneACallAndFoundByALaterLoad) {
  const std::vector<TexturePreload::File> files = {
      {solid("a.png", 64, 10), PF::RGBA8888}, {solid("b.png", 32, 90), PF::RGB5A1}, {solid("c.png", 16, 200), PF::RGBA8888}};
  TexturePreload preload(*cache_);
  preload.start(files);
  EXPECT_TRUE(preload.pending());
  ASSERT_TRUE(uploadOneAtATime(preload));
  EXPECT_FALSE(preload.pending());
  ASSERT_EQ(cache_->getTextureCount(), 3u);

  Texture2D* a = cache_->getTextureForKey(files[0].path);
  Texture2D* b = cache_->getTextureForKey(files[1].path);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->getPixelFormat(), PF::RGBA8888);
  EXPECT_EQ(b->getPixelFormat(), PF::RGB5A1) << "each file in the format it was asked in";
  EXPECT_EQ(Texture2D::getDefaultAlphaPixelFormat(), PF::RGBA8888) << "the default is put back";
  EXPECT_EQ(a->getPixelsWide(), 64);
  // The load finds the prepared texture and decodes nothing more.
  EXPECT_EQ(cache_->addImage(files[0].path), a);
  EXPECT_EQ(cache_->getTextureCount(), 3u);

  clear(0, 0, 0, 0);
  drawQuads(a, {{nullptr, quad(0, 0, 64, 64)}});
  EXPECT_TRUE(near(pixel(32, 32), {10, 40, 200, 255}, 1)) << "the uploaded pixels are the file's";
}

TEST_F(TexturePreloads, FinishWaitsForTheWorkerAndUploadsEverythingLeft) {
  TexturePreload preload(*cache_);
  preload.start({{solid("a.png", 256, 1), PF::RGBA8888}, {solid("b.png", 256, 2), PF::RGBA8888}});
  preload.finish();
  EXPECT_FALSE(preload.pending());
  EXPECT_EQ(cache_->getTextureCount(), 2u);
  EXPECT_TRUE(preload.uploadSome(1)) << "nothing is left to upload";
}

TEST_F(TexturePreloads, AFileThatDoesNotDecodeIsLeftToTheLoadThatAsksForIt) {
  const std::string good = rendertest::solidRgbaPng(4, 4, 1, 2, 3, 255);
  const std::string truncated = dir_.write("truncated.png", good.substr(0, good.size() / 2));
  const std::string fine = dir_.write("fine.png", good);
  TexturePreload preload(*cache_);
  preload.start({{dir_.file("missing.png"), PF::RGBA8888}, {truncated, PF::RGBA8888}, {fine, PF::RGBA8888}});
  preload.finish();
  EXPECT_EQ(cache_->getTextureCount(), 1u);
  EXPECT_NE(cache_->getTextureForKey(fine), nullptr);
  EXPECT_EQ(cache_->addImage(truncated), nullptr) << "the load meets the failure itself";
}

TEST_F(TexturePreloads, FilesTheCacheHoldsAreNotPreparedAgain) {
  const std::string path = solid("held.png", 8, 50);
  Texture2D* held = cache_->addImage(path);
  ASSERT_NE(held, nullptr);
  TexturePreload preload(*cache_);
  preload.start({{path, PF::RGB5A1}});
  EXPECT_FALSE(preload.pending()) << "no worker for nothing to do";
  EXPECT_EQ(cache_->getTextureForKey(path), held);
}

TEST_F(TexturePreloads, FilesNamedRelativeToTheSearchPathsAreKeyedByTheirFullPath) {
  solid("atlases/rel.png", 8, 70);
  testsupport::setSearchPaths({dir_.path().string() + "/"});
  TexturePreload preload(*cache_);
  preload.start({{"atlases/rel.png", PF::RGBA8888}});
  preload.finish();
  Texture2D* prepared = cache_->getTextureForKey(dir_.file("atlases/rel.png"));
  ASSERT_NE(prepared, nullptr);
  EXPECT_EQ(cache_->addImage("atlases/rel.png"), prepared);
}

TEST_F(TexturePreloads, APreloadDroppedWhileItsWorkerRunsStopsIt) {
  std::vector<TexturePreload::File> files;
  for (int i = 0; i < 8; ++i) files.push_back({solid("big" + std::to_string(i) + ".png", 512, 9), PF::RGBA8888});
  {
    TexturePreload preload(*cache_);
    preload.start(files);
  }
  EXPECT_EQ(cache_->getTextureCount(), 0u) << "nothing was uploaded by the dropped preload";
}

}  // namespace
}  // namespace engine
