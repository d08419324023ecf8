// The whole-map relight against the same map lit by the ordinary propagation, the way a map is lit
// by definition: the cells' flags set from their blocks, the full sky let in at one top-row cell
// and every emitter spread in turn. The relight takes shortcuts of its own (the sky by levels in a
// scratch array of its own, the emitters by the block light alone); its answer must not change.

#include <gtest/gtest.h>

#include "engine/base/random.h"
#include "tests/world/light/light_test_support.h"

namespace {

using namespace light_test;

int draw(int n) { return engine::randomNext() % n; }

class RelightTest : public LightTest {
 protected:
  // Hills with caves, shafts to the sky, lamps of every kind, glowing liquids, grates, shutters
  // and opaque blocks in the top row.
  static void buildTerrain(WorldMap& m) {
    static constexpr uint16_t kInside[] = {kAir, kAir, kAir, kGlass, kTorch, kRedLamp, kBlueLamp,
                                           kWhiteLamp, kGrate, kShutter, kLamp, kPlank};
    for (int x = 0; x < m.width(); ++x) {
      const int ground = draw(m.height() + 1);
      const bool shaft = draw(7) == 0;
      for (int y = 0; y < m.height(); ++y) {
        MapBlock& c = m.cell(x, y);
        if (y >= ground) {
          if (y == m.height() - 1 && draw(6) == 0) c.setFront(kDirt, 0, 0);  // a roof in the top row
          continue;
        }
        if (shaft || draw(4) == 0) {
          const uint16_t id = kInside[draw(12)];
          c.setFront(id, static_cast<uint8_t>(id == kShutter || id == kLamp ? draw(2) : 0), 0);
          if (id == kAir && draw(3) == 0) c.liquid = static_cast<uint8_t>((1 + draw(3)) << 6 | 0x24);
        } else {
          c.setFront(draw(9) == 0 ? kGrate : kDirt, 0, 0);
        }
      }
    }
  }

  // The same blocks lit with the ordinary propagation only.
  static void lightByPropagation(WorldMap& m) {
    for (size_t i = 0; i < m.cellCount(); ++i) {
      MapBlock& c = m.cells()[i];
      if (!c.shutsOutLight(m.props())) c.flags |= cell_flag::kLetsLightThrough;
    }
    MapBlock& top = m.cell(m.width() / 2, m.height() - 1);
    top.setSkyLevel(15);
    m.lightMap().spreadFrom(top);
    for (size_t i = 0; i < m.cellCount(); ++i) {
      MapBlock& c = m.cells()[i];
      if (m.lightMap().emittedColour(c) != 0) m.lightMap().setCellEmitting(c);
    }
  }

  static void copyBlocks(const WorldMap& from, WorldMap& to) {
    for (size_t i = 0; i < from.cellCount(); ++i) {
      to.cells()[i].front = from.cells()[i].front;
      to.cells()[i].liquid = from.cells()[i].liquid;
    }
  }
};

TEST_F(RelightTest, WholeMapRelightEqualsTheOrdinaryPropagationCellByCell) {
  struct Size {
    int width, height;
  };
  const Size sizes[] = {{1, 1}, {1, 9}, {7, 1}, {3, 2}, {40, 24}, {97, 61}, {256, 128}};
  constexpr uint8_t kLightFlags = cell_flag::kEmitsLight | cell_flag::kLetsLightThrough;
  for (const Size size : sizes) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
      engine::randomSeed(seed);
      WorldMap relit(nullptr, WorldParams{}, size.width, size.height);
      buildTerrain(relit);
      WorldMap propagated(nullptr, WorldParams{}, size.width, size.height);
      copyBlocks(relit, propagated);
      relit.lightMap().relightAll();
      lightByPropagation(propagated);
      int lit = 0;
      for (size_t i = 0; i < relit.cellCount(); ++i) {
        const MapBlock& got = relit.cells()[i];
        const MapBlock& want = propagated.cells()[i];
        lit += got.skyLevel() != 0 || got.lightColour() != 0 ? 1 : 0;
        ASSERT_EQ(got.skyLevel(), want.skyLevel()) << size.width << "x" << size.height << " seed " << seed
                                                   << " cell " << got.x << "," << got.y;
        ASSERT_EQ(got.lightColour(), want.lightColour()) << size.width << "x" << size.height << " seed "
                                                         << seed << " cell " << got.x << "," << got.y;
        ASSERT_EQ(got.flags & kLightFlags, want.flags & kLightFlags) << "cell " << got.x << "," << got.y;
      }
      EXPECT_GT(lit, 0);
    }
  }
}

// A second relight of the same blocks (light cleared in between) gives the same bits, direction
// bits included: the scratch the relight keeps between calls must not leak into its answer.
TEST_F(RelightTest, RepeatedRelightsAgreeToTheBit) {
  engine::randomSeed(11);
  WorldMap big(nullptr, WorldParams{}, 120, 70);
  buildTerrain(big);
  big.lightMap().relightAll();
  std::vector<uint16_t> first;
  std::vector<uint8_t> firstSky;
  for (size_t i = 0; i < big.cellCount(); ++i) {
    first.push_back(big.cells()[i].blockLight);
    firstSky.push_back(big.cells()[i].skyShadow);
  }
  for (size_t i = 0; i < big.cellCount(); ++i) {
    big.cells()[i].skyShadow &= 0x0F;
    big.cells()[i].blockLight = 0;
  }
  big.lightMap().relightAll();
  for (size_t i = 0; i < big.cellCount(); ++i) {
    ASSERT_EQ(big.cells()[i].blockLight, first[i]) << i;
    ASSERT_EQ(big.cells()[i].skyShadow, firstSky[i]) << i;
  }
}

}  // namespace
