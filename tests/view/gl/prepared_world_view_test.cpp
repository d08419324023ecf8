// The world's atlases are made ready while the loading screen shows: its frames upload them one at
// a time, entering the world loads none again, and the first frame in the world draws the tiles
// with their pictures. A world entered before they are all ready still draws them. A made world
// waits for its sky pictures too, and is entered in a frame that uploads nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "engine/render/texture_cache.h"
#include "tests/view/world_view_fixture.h"
#include "view/sky/sky_creation.h"
#include "view/view_game_screen.h"
#include "tests/support/file_search_paths.h"

namespace {

using namespace worldgl;

class PreparedWorldViewTest : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    // Without a platform the atlases are named by file and found through the search paths.
    testsupport::setSearchPaths({atlases.path().string() + "/"});
    registerCustomShaders();
    map->computeSurfaceHeights();
    setSkyFolderWithoutPlatform(atlases.path().string());
  }

  engine::Texture2D* prepared(const std::string& file) {
    return gameTextureCache().getTextureForKey(atlases.file(file));
  }

  // Runs the loading screen's frames until both test atlases are uploaded, each frame uploading
  // at most one; false when the worker hands nothing over within the limit.
  bool loadingFramesUntilPrepared() {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    size_t before = gameTextureCache().getTextureCount();
    while (prepared("rocks.png") == nullptr || prepared("fluids.png") == nullptr) {
      frame();
      EXPECT_LE(gameTextureCache().getTextureCount(), before + 1) << "one atlas a frame";
      before = gameTextureCache().getTextureCount();
      if (std::chrono::steady_clock::now() > limit) return false;
    }
    return true;
  }

  // The first frame in the world, read against black.
  void enterAndDrawFirstFrame() {
    screen.enterMainView();
    ASSERT_TRUE(layer->hasWorldView());
    layer->setSky(nullptr, {}, 0);
    frame();
  }

  // The four pictures of the test world's sky, written where the sky reads them.
  std::vector<std::string> writeSkyPictures() {
    const std::vector<std::string> files = skyPictureFiles(*running.world);
    for (const std::string& path : files) {
      const std::string name = path.substr(atlases.path().string().size() + 1);
      atlases.write(name, rendertest::solidRgbaPng(64, 64, 110, 170, 235, 255));
    }
    return files;
  }

  ViewGameScreen screen{running};
};

TEST_F(PreparedWorldViewTest, TheLoadingScreenUploadsTheAtlasesAndTheFirstFrameInTheWorldDrawsThem) {
  screen.showLoading(GameScreen::kNoText);
  EXPECT_FALSE(gameTextures().loaded) << "the loading screen makes no nodes";
  ASSERT_TRUE(loadingFramesUntilPrepared());
  engine::Texture2D* rocks = prepared("rocks.png");

  enterAndDrawFirstFrame();
  EXPECT_EQ(gameTextures().textures[atlas::kRocks], rocks) << "the world draws with the prepared atlas";
  EXPECT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kDirt))) << "the dirt's picture, not a blank";
  EXPECT_TRUE(near(cellPixel(11, 11), {0, 0, 0, 255})) << "open air above the ground";
}

TEST_F(PreparedWorldViewTest, AWorldEnteredBeforeItsAtlasesAreReadyStillDrawsThem) {
  screen.showLoading(GameScreen::kNoText);
  enterAndDrawFirstFrame();
  EXPECT_NE(gameTextures().textures[atlas::kRocks], nullptr);
  EXPECT_EQ(gameTextures().textures[atlas::kRocks], prepared("rocks.png"));
  EXPECT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kDirt)));
  // Nothing is left uploading in the frames after.
  const size_t count = gameTextureCache().getTextureCount();
  frame();
  EXPECT_EQ(gameTextureCache().getTextureCount(), count);
}

TEST_F(PreparedWorldViewTest, ALoadingScreenOverALoadedWorldPreparesNothing) {
  screen.showLoading(GameScreen::kNoText);
  enterAndDrawFirstFrame();
  engine::Texture2D* rocks = gameTextures().textures[atlas::kRocks];
  const size_t count = gameTextureCache().getTextureCount();
  // A travel shows the loading screen over atlases still loaded.
  screen.showLoading(GameScreen::kNoText);
  frame();
  EXPECT_EQ(gameTextureCache().getTextureCount(), count);
  enterAndDrawFirstFrame();
  EXPECT_EQ(gameTextures().textures[atlas::kRocks], rocks);
  EXPECT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kDirt)));
}

TEST_F(PreparedWorldViewTest, AMadeWorldIsEnteredOnceItsSkyIsUploadedInAFrameThatUploadsNothing) {
  const std::vector<std::string> sky = writeSkyPictures();
  ASSERT_EQ(sky.size(), 4u);
  screen.showLoading(GameScreen::kNoText);
  ASSERT_TRUE(loadingFramesUntilPrepared());
  bool entered = false;
  screen.whenReadyToEnter(*running.world, [&] { entered = true; });
  EXPECT_FALSE(entered) << "its sky is still to be read";

  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  size_t before = gameTextureCache().getTextureCount();
  while (!entered && std::chrono::steady_clock::now() < limit) {
    before = gameTextureCache().getTextureCount();
    frame();
  }
  ASSERT_TRUE(entered);
  EXPECT_EQ(gameTextureCache().getTextureCount(), before) << "the frame that enters uploads nothing";
  for (const std::string& path : sky) EXPECT_NE(gameTextureCache().getTextureForKey(path), nullptr) << path;

  const size_t prepared = gameTextureCache().getTextureCount();
  enterAndDrawFirstFrame();
  EXPECT_EQ(gameTextureCache().getTextureCount(), prepared) << "entering the world loads no picture";
  EXPECT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kDirt)));
}

TEST_F(PreparedWorldViewTest, AWorldWithEveryPictureUploadedIsEnteredAtOnce) {
  writeSkyPictures();
  screen.showLoading(GameScreen::kNoText);
  bool first = false;
  screen.whenReadyToEnter(*running.world, [&] { first = true; });
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!first && std::chrono::steady_clock::now() < limit) frame();
  ASSERT_TRUE(first);
  bool again = false;
  screen.whenReadyToEnter(*running.world, [&] { again = true; });
  EXPECT_TRUE(again) << "nothing is left to prepare";
}

}  // namespace
