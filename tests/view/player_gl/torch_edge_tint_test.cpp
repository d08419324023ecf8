// The local player at the dark end of a torch-lit tunnel at night, as the running game's view draws
// it: her body takes the torch's light in the torch's own hue, darker but not turned red, as the
// ground around her does. The test body atlas is plain white, so her pixels show the light itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/view/world_view_fixture.h"
#include "view/tiles/tile_light.h"
#include "world/light/light_map.h"
#include "world/time/day_clock.h"

namespace {

using namespace worldgl;

constexpr int kTorchX = 5, kTunnelRow = 10, kPlayerX = 10;
constexpr uint16_t kTorchLight = 0x8CF;  // the game's torch: red 15, green 12, blue 8

std::string whitePng(int size) {
  rendertest::PngSpec png;
  png.width = size;
  png.height = size;
  png.pixels.assign(static_cast<size_t>(size) * size * 4, 255);
  return rendertest::encodePng(png);
}

// The hue angle of a colour, 0-360 degrees.
double hueOf(double r, double g, double b) {
  const double top = std::max({r, g, b}), bottom = std::min({r, g, b});
  if (top <= bottom) return 0.0;
  double h = top == r ? (g - b) / (top - bottom) : top == g ? 2.0 + (b - r) / (top - bottom) : 4.0 + (r - g) / (top - bottom);
  h *= 60.0;
  return h < 0.0 ? h + 360.0 : h;
}

class TorchEdgeTint : public WorldViewTest {
 protected:
  // Ground up to row 24 without sky, a tunnel two cells high (rows 10 and 11) from column 2 to 20
  // with nothing behind it, the torch on its floor at column 5 and the player five cells on, where
  // its light has nearly run out; night.
  void SetUp() override {
    WorldViewTest::SetUp();
    world_test::defineBlock(world_test::kTorch, {.flags = world_test::bits({20}), .transparency = 1, .light = kTorchLight});
    atlases.write("equip.png", whitePng(1024));
    groundBelow(25, 0);
    for (int x = 2; x <= 20; ++x) {
      for (int y = kTunnelRow; y <= kTunnelRow + 1; ++y) {
        map->cell(x, y).setFront(world_test::kAir, 0, 0);
        map->cell(x, y).setLayer(world_test::kAir, 0, MapBlock::kBack);
      }
    }
    map->cell(kTorchX, kTunnelRow).setFront(world_test::kTorch, 0, 0);
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) map->cell(x, y).blockLight = 0;
    }
    map->lightMap().relightAll();
    running.world->dayClock().darkness = DayClock::kMaxDarkness;
    running.player->world = running.world.get();  // she takes her light from its map
    standAt(kPlayerX, kTunnelRow);
  }

  // The mean colour of the lit pixels of cell (10, 10) and the lower half of the cell above: the player's body,
  // with nothing drawn behind it.
  static std::array<double, 3> bodyColour(int& lit) {
    constexpr int kFrom = kWindow / 2 - 30, kSide = 60, kHeight = 90;
    std::vector<uint8_t> rgba(static_cast<size_t>(kSide) * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(kFrom, kFrom, kSide, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::array<double, 3> sum{};
    lit = 0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
      if (rgba[i] + rgba[i + 1] + rgba[i + 2] < 30) continue;
      for (size_t c = 0; c < 3; ++c) sum[c] += rgba[i + c];
      ++lit;
    }
    for (double& s : sum) s /= std::max(lit, 1);
    return sum;
  }
};

TEST_F(TorchEdgeTint, ThePlayerAtTheTorchsDimEdgeKeepsTheTorchsHue) {
  const uint16_t there = map->cell(kPlayerX, kTunnelRow).lightColour();
  ASSERT_GT(there & 15, 3) << "the torch's red reaches the player above the player's floor of light";
  ASSERT_EQ((there >> 8) & 15, 0) << "its blue has run out there, as a channel-by-channel light would show";
  build();
  frame();
  int lit = 0;
  const std::array<double, 3> body = bodyColour(lit);
  ASSERT_GT(lit, 400) << "the player's body shows in the tunnel";
  const double torchHue = hueOf(tile_light::shadeOf(kTorchLight & 15), tile_light::shadeOf((kTorchLight >> 4) & 15),
                                tile_light::shadeOf((kTorchLight >> 8) & 15));
  const double bodyHue = hueOf(body[0], body[1], body[2]);
  EXPECT_NEAR(bodyHue, torchHue, 8.0) << "body (" << body[0] << ", " << body[1] << ", " << body[2] << ")";
  EXPECT_LT(std::max({body[0], body[1], body[2]}), 230.0) << "darker than beside the torch";
  EXPECT_GT(body[0] - body[2], 20.0) << "still the torch's warm light, not the grey of the dark";
}

}  // namespace
