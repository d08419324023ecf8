// A new world that the allocator put at the old world's address is still a new world to the view:
// the old view is taken down before the next frame, and entering the new world draws its own
// cells, not the tiles left from the old one.

#include <gtest/gtest.h>

#include "tests/support/remake_in_place.h"
#include "tests/view/world_view_fixture.h"
#include "view/view_game_screen.h"

namespace {

using namespace worldgl;

class NewWorldViewTest : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    registerCustomShaders();
    loadGameTextures(atlases.path().string(), false);
  }
  ViewGameScreen screen{running};
};

TEST_F(NewWorldViewTest, ANewWorldAtTheOldOnesAddressIsDrawnAsItself) {
  screen.enterMainView();
  layer->setSky(nullptr, {}, 0);  // the tiles are read against black
  frame();
  ASSERT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kDirt)));
  World* old = running.world.get();

  World& fresh = testsupport::remakeInPlace(running.world, nullptr, WorldParams{}, 40, 30);
  ASSERT_EQ(&fresh, old);
  for (int x = 0; x < 40; ++x) {
    for (int y = 0; y < 30; ++y) fresh.map().cell(x, y).setSkyLevel(15);
    for (int y = 0; y < 10; ++y) fresh.map().cell(x, y).setFront(world_test::kGrate, 0, 0);
  }
  frame();
  EXPECT_FALSE(layer->hasWorldView()) << "the old world's view went before it drew the new world";
  screen.enterMainView();
  layer->setSky(nullptr, {}, 0);
  frame();
  EXPECT_TRUE(near(cellPixel(10, 9), blockColour(world_test::kGrate)));
}

}  // namespace
