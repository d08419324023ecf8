// What a player builds beside her, read back from the window. By day she hoes the grass beside her
// and sees tilled soil there, and places a NOT gate and an AND gate in the air, drawn apart. Then at
// night she places a lever on the tilled soil, a wire on it, a coloured lamp on the wire under the
// NOT gate and a lamp beside the wire, and throws the lever: the ground under the lamp is drawn lit,
// the gate on the coloured lamp in the coloured lamp's colour, and so it stays across Save and quit
// and Continue.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/light/light_refresh_batching.h"
#include "world/map/world_map.h"
#include "world/time/day_clock.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kHoe = 9;
constexpr uint16_t kTilledSoil = 2435;
constexpr uint16_t kNotGateItem = 1937;
constexpr uint16_t kAndGateItem = 1553;
constexpr uint16_t kLampItem = 1487;          // places block 2112
constexpr uint16_t kColouredLampItem = 1423;  // places block 2114
constexpr uint16_t kLeverItem = 1489;         // places block 2086
constexpr uint16_t kWireItem = 1616;
constexpr uint16_t kLamp = 2112, kColouredLamp = 2114, kLever = 2086;

using Channels = std::array<long, 3>;

Channels channelSums(const std::vector<unsigned char>& pixels) {
  Channels sums{};
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    for (size_t c = 0; c < 3; ++c) sums[c] += pixels[i + c];
  }
  return sums;
}
long brightness(const Channels& c) { return c[0] + c[1] + c[2]; }

// Pixels that differ clearly, not by a tint of a few steps.
int clearlyDifferent(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int count = 0;
  for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    count += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 90;
  }
  return count;
}

int grassPixels(const std::vector<unsigned char>& pixels) {
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) count += pixels[i + 1] > pixels[i] + 20 && pixels[i + 1] > pixels[i + 2] + 20;
  return count;
}

// Cells beside her: `at(k, dy)` is k cells out on her open side, dy rows above her feet. The lever
// stands one cell out with a wire on it and the coloured lamp on the wire; the lamp stands two cells
// out, beside the wire, on the ground there: level with her feet or one step up (`lampDy` 0 or 1).
struct Row {
  int32_t side = 0, x = 0, y = 0;
  int lampDy = 0;
  MapBlock* at(int k, int dy) const { return player()->world->map().cellAt(x + side * k, y + dy); }
  bool open(int k, int dy) const { return at(k, dy) != nullptr && !at(k, dy)->isSolid(player()->world->map().props()); }
  MapBlock* lever() const { return at(1, 0); }
  MapBlock* wire() const { return at(1, 1); }
  MapBlock* colouredLamp() const { return at(1, 2); }
  MapBlock* lamp() const { return at(2, lampDy); }
  MapBlock* underLamp() const { return at(2, lampDy - 1); }
};

bool findRow(Row& row) {
  row.x = static_cast<int32_t>(player()->cellX);
  row.y = static_cast<int32_t>(player()->cellY);
  for (int32_t side : {1, -1}) {
    row.side = side;
    for (int lampDy : {0, 1}) {
      row.lampDy = lampDy;
      bool fits = !row.open(1, -1) && !row.open(2, lampDy - 1) && row.open(2, lampDy) && row.open(2, 3);
      for (int dy = 0; dy <= 3; ++dy) fits = fits && row.open(1, dy);
      if (lampDy == 0) fits = fits && row.open(2, 1);
      if (fits) return true;
    }
  }
  return false;
}

bool placedWith(uint16_t item, MapBlock& cell, uint16_t block) {
  if (player()->heldItem() == nullptr || player()->heldItem()->id != item) return false;
  click(pointOf(cell), GLFW_MOUSE_BUTTON_RIGHT);
  return cell.frontId() == block;
}

bool lit(const MapBlock& cell) { return block_word::variant(cell.front) == 1; }

// Midnight, the clock held there: no night falls on its own within a test's few seconds.
void nightFalls() {
  World& world = *player()->world;
  DayClock& clock = world.dayClock();
  clock.phase = DayPhase::Night;
  clock.tickCounter -= clock.tickInPhase();
  clock.running = 0;
  clock.updateDarkness();
  world.lightBatching().refreshWorldLighting();
}

using LampsGatesAndTillingAtWindowTest = AppRunTest;

TEST_F(LampsGatesAndTillingAtWindowTest, TilledSoilGatesApartAndLampsLightingTheGroundAcrossContinue) {
  Row row;
  std::vector<unsigned char> grass, notGate, andGate;
  Channels darkNear{}, darkFar{}, litNear{}, litFar{}, continuedNear{}, continuedFar{};
  int waited = 0, calls = 0;
  const auto drawn = [&waited] { return ++waited % 4 == 0; };
  // The ground under the lamp, and the NOT gate on top of the coloured lamp.
  const auto readGround = [&row](Channels& near, Channels& far) {
    near = channelSums(tilePixelsAt(*row.underLamp()));
    far = channelSums(tilePixelsAt(*row.at(1, 3)));
  };

  Script script(joined(joined(intoANewWorld(), {
      {"find open ground beside her", [&] {
         if (findRow(row)) return true;
         std::string around;
         for (int dy = 2; dy >= -1; --dy) {
           for (int k = -2; k <= 2; ++k) around += std::to_string(row.at(k, dy) ? row.at(k, dy)->frontId() : -1) + " ";
           around += "/ ";
         }
         ADD_FAILURE() << "no open ground beside her at " << row.x << ", " << row.y << ": " << around;
         return false;
       }, 1},
      {"read the grass", [&] {
         grass = tilePixelsAt(*row.at(1, -1));
         return true;
       }, 1},
      stackInHand("take a hoe", kHoe, 1),
      {"hoe the grass", [&] {
         click(pointOf(*row.at(1, -1)), GLFW_MOUSE_BUTTON_RIGHT);
         return row.at(1, -1)->hasDeco(kTilledSoil, MapBlock::kFront);
       }, 5},
      {"the hoed cell is drawn as tilled soil", [&] {
         if (!drawn()) return false;
         const std::vector<unsigned char> tilled = tilePixelsAt(*row.at(1, -1));
         EXPECT_GT(grassPixels(grass), 20) << "the grass read before it was hoed";
         EXPECT_LT(grassPixels(tilled), 5) << "grass still shows in the tilled cell";
         return true;
       }, 8},
      stackInHand("take a NOT gate", kNotGateItem, 1),
      {"place it in the air", [&] {
         click(pointOf(*row.at(1, 3)), GLFW_MOUSE_BUTTON_RIGHT);
         return circuitKind(*row.at(1, 3)) == circuit_kind::kNot;
       }, 5},
      stackInHand("take an AND gate", kAndGateItem, 1),
      {"place it in the air", [&] {
         click(pointOf(*row.at(2, 3)), GLFW_MOUSE_BUTTON_RIGHT);
         return circuitKind(*row.at(2, 3)) == circuit_kind::kAnd;
       }, 5},
      {"the two gates are drawn apart", [&] {
         if (!drawn()) return false;
         notGate = tilePixelsAt(*row.at(1, 3));
         andGate = tilePixelsAt(*row.at(2, 3));
         return true;
       }, 8},
      {"night falls", [&] {
         nightFalls();
         return true;
       }, 1},
      stackInHand("take a lever", kLeverItem, 1),
      {"stand it on the tilled soil beside her", [&] { return placedWith(kLeverItem, *row.lever(), kLever); }, 5},
      stackInHand("take a wire", kWireItem, 1),
      {"lay it on the lever", [&] {
         click(pointOf(*row.wire()), GLFW_MOUSE_BUTTON_RIGHT);
         return circuitKind(*row.wire()) == circuit_kind::kWire;
       }, 5},
      stackInHand("take a lamp", kLampItem, 1),
      {"stand it beside the wire", [&] { return placedWith(kLampItem, *row.lamp(), kLamp); }, 5},
      stackInHand("take a coloured lamp", kColouredLampItem, 1),
      {"set it on the wire", [&] { return placedWith(kColouredLampItem, *row.colouredLamp(), kColouredLamp); }, 5},
      {"read the dark ground", [&] {
         if (!drawn()) return false;
         readGround(darkNear, darkFar);
         return true;
       }, 8},
      {"throw the lever", [&] {
         click(pointOf(*row.lever()), GLFW_MOUSE_BUTTON_RIGHT);
         return lit(*row.lever());
       }, 5},
      {"both lamps come on", [&] { return lit(*row.lamp()) && lit(*row.colouredLamp()); }, 60},
      {"read the lit ground", [&] {
         if (!drawn()) return false;
         readGround(litNear, litFar);
         return true;
       }, 8},
  }), joined(savedQuitAndContinued(calls), {
      {"read the ground again", [&] {
         if (!drawn()) return false;
         EXPECT_TRUE(lit(*row.lamp()) && lit(*row.colouredLamp())) << "the lamps came back off";
         readGround(continuedNear, continuedFar);
         return true;
       }, 30},
  })));

  playScript(script, {}, "-windowed");
  EXPECT_GT(clearlyDifferent(notGate, andGate), static_cast<int>(notGate.size() / 4 / 20))
      << "a NOT gate and an AND gate look alike";
  // The wire under the coloured lamp drives it from below (circuit direction 2): green.
  const size_t colour = 1;
  for (const auto& [near, far, when] : {std::tuple{litNear, litFar, "lit"}, std::tuple{continuedNear, continuedFar, "continued"}}) {
    EXPECT_GT(brightness(near), brightness(darkNear) * 3 / 2 + 1000) << "the ground under the lamp, " << when;
    const long rise = far[colour] - darkFar[colour];
    EXPECT_GT(rise, 1000) << "the gate on the coloured lamp, " << when;
    for (size_t c = 0; c < 3; ++c) {
      if (c == colour) continue;
      EXPECT_GT(rise * 10, 13 * (far[c] - darkFar[c])) << "in the coloured lamp's colour, " << when;
    }
  }
}

}  // namespace
