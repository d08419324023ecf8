#pragma once
// A small world for generator tests: a planet built in code, a map of a chosen size over the test
// block rows, and a generator on it.

#include <memory>
#include <string>
#include <vector>

#include "content/items/block_filter.h"
#include "content/planets/planet_def.h"
#include "tests/support/added_planets.h"
#include "tests/world/world_test_blocks.h"
#include "world/cells/map_block.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"

namespace world_test {

constexpr uint16_t kStone = 20;     // solid, opaque, in the filter group of the ground
constexpr uint16_t kOre = 21;       // solid, opaque
constexpr uint16_t kMoss = 22;      // an attached decoration (class 2)
constexpr uint16_t kBedrock = 84;
constexpr uint16_t kSapling = 201;  // the tree seed placeholder
constexpr uint16_t kRunDeco = 185;
constexpr uint32_t kPlanetId = 1u << 12;

inline uint64_t exact(uint16_t id) { return exactBlockFilter(id); }

class GeneratorTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    defineBlock(kStone, {.flags = bits({23}), .transparency = 0, .variants = 3});
    defineBlock(kOre, {.flags = bits({23}), .transparency = 0});
    defineBlock(kMoss, {.transparency = 2, .variants = 2});
    defineBlock(kBedrock, {.flags = bits({13, 23}), .transparency = 0, .variants = 3});
    defineBlock(kSapling, {.transparency = 1});
    defineBlock(kRunDeco, {.transparency = 2, .variants = 4});
    planet_ = &testsupport::addPlanetDef("testland", kPlanetId, 1);
  }

  PlanetDef& planet() { return *planet_; }

  // A map of the size with the planet; the generator on it.
  WorldGenerator& makeWorld(int32_t width, int32_t height, uint8_t mode = 0) {
    params_.planetId = kPlanetId;
    params_.mode = mode;
    map_ = std::make_unique<WorldMap>(nullptr, params_, width, height);
    generator_ = std::make_unique<WorldGenerator>(*map_, [this](const char* text) { texts_.emplace_back(text); });
    return *generator_;
  }

  // Fills rows 0..top-1 of every column with the block in front and behind.
  void fillGround(uint16_t block, int32_t top) {
    for (int32_t x = 0; x < map_->width(); ++x) {
      for (int32_t y = 0; y < top; ++y) map_->setBlockAt(block, 0, x, y, 2);
    }
  }

  int countFront(uint16_t block) const {
    int n = 0;
    for (size_t i = 0; i < map_->cellCount(); ++i) n += map_->cells()[i].frontId() == block;
    return n;
  }

  WorldMap& map() { return *map_; }
  WorldParams params_;
  std::vector<std::string> texts_;

 private:
  PlanetDef* planet_ = nullptr;
  std::unique_ptr<WorldMap> map_;
  std::unique_ptr<WorldGenerator> generator_;
};

}  // namespace world_test
