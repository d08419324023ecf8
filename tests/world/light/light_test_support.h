#pragma once
// Carried lights answering from a table of cells, given to the worlds a test lights, map builders,
// and the comparison with a fresh whole-map relight of the same blocks, the oracle for every series
// of local updates.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>

#include "tests/world/world_test_blocks.h"
#include "world/light/carried_lights.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace light_test {

using namespace world_test;

class TableCarriedLights final : public CarriedLights {
 public:
  uint16_t carriedLightAt(const MapBlock& cell) const override {
    const auto it = lights.find({cell.x, cell.y});
    return it == lights.end() ? 0 : it->second;
  }
  std::map<std::pair<int, int>, uint16_t> lights;
};

class LightTest : public WorldTest {
 protected:
  static void fill(WorldMap& m, uint16_t id, int x0, int y0, int x1, int y1) {
    for (int x = x0; x <= x1; ++x) {
      for (int y = y0; y <= y1; ++y) m.cellAt(x, y)->setFront(id, 0, 0);
    }
  }
  // Ground up to the row below `groundTop`, with a closed room of air in it.
  static void closedRoom(WorldMap& m, int groundTop, int x0, int y0, int x1, int y1) {
    fill(m, kDirt, 0, 0, m.width() - 1, groundTop);
    fill(m, kAir, x0, y0, x1, y1);
  }
  static int red(const MapBlock& c) { return c.blockLight & 15; }
  static int blue(const MapBlock& c) { return (c.blockLight >> 8) & 15; }

  // Moves this test's carried light: the old cell loses it, the new one is raised.
  void moveCarried(WorldMap& m, std::pair<int, int> from, std::pair<int, int> to, uint16_t colour) {
    carried.lights.erase(from);
    m.lightMap().updateAround(m.cell(from.first, from.second), true);
    carried.lights[to] = colour;
    m.lightMap().raiseCellLight(m.cell(to.first, to.second), colour);
  }

  // A world whose players carry this test's lights.
  std::unique_ptr<World> carryingWorld(int32_t width, int32_t height) {
    return std::make_unique<World>(nullptr, WorldParams{}, width, height, WorldContext{.carriedLights = &carried});
  }

  // The sky and colour of every cell equal those of a fresh map of the same blocks lit by
  // relightAll, with this test's carried lights raised on it.
  ::testing::AssertionResult sameAsFreshRelight(const WorldMap& m) {
    const std::unique_ptr<World> freshWorld = carryingWorld(m.width(), m.height());
    WorldMap& fresh = freshWorld->map();
    for (size_t i = 0; i < m.cellCount(); ++i) {
      const MapBlock& from = m.cells()[i];
      MapBlock& to = fresh.cells()[i];
      to.front = from.front;
      to.back = from.back;
      to.decos = from.decos;
      to.liquid = from.liquid;
      to.flags = static_cast<uint8_t>(from.flags & (cell_flag::kLiquidSource | cell_flag::kStateMask));
    }
    fresh.lightMap().relightAll();
    for (const auto& [place, colour] : carried.lights) {
      fresh.lightMap().raiseCellLight(fresh.cell(place.first, place.second), colour);
    }
    for (size_t i = 0; i < m.cellCount(); ++i) {
      const MapBlock& got = m.cells()[i];
      const MapBlock& want = fresh.cells()[i];
      if (got.skyLevel() != want.skyLevel() || got.lightColour() != want.lightColour()) {
        return ::testing::AssertionFailure()
               << "cell (" << got.x << ", " << got.y << "): sky " << int(got.skyLevel()) << " colour 0x"
               << std::hex << got.lightColour() << ", fresh relight gives sky " << std::dec
               << int(want.skyLevel()) << " colour 0x" << std::hex << want.lightColour();
      }
    }
    return ::testing::AssertionSuccess();
  }

  TableCarriedLights carried;
};

}  // namespace light_test
