// Whole worlds generated from the build's own content, one per planet, pinned by a hash of every
// field of every cell. The hashes were taken before the generator's passes were made faster: a
// change that alters a single cell of any planet's world shows here (a block table change that
// the generator reads, such as a block's passable byte, moves them on purpose).

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

class CellHash {
 public:
  void add(uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      hash_ = (hash_ ^ ((value >> (8 * i)) & 0xFF)) * 0x100000001B3ull;
    }
  }
  void add(const MapBlock& c) {
    add(c.front, 2);
    add(c.back, 2);
    for (MapDeco deco : c.decos) add(deco, 2);
    add(c.x, 2);
    add(c.y, 2);
    add(c.skyShadow, 1);
    add(c.reserved, 1);
    add(c.blockLight, 2);
    add(c.circuitA, 1);
    add(c.circuitB, 1);
    add(c.flags, 1);
    add(c.liquid, 1);
  }
  uint64_t value() const { return hash_; }

 private:
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

uint64_t generatedWorldHash(uint32_t planetId, uint8_t sizeIndex) {
  WorldParams params;
  params.planetId = planetId;
  params.sizeIndex = sizeIndex;
  engine::randomSeed(7);
  std::unique_ptr<World> world = World::create(nullptr, params);
  world->generate(nullptr);
  const WorldMap& map = world->map();
  CellHash hash;
  for (size_t i = 0; i < map.cellCount(); ++i) hash.add(map.cells()[i]);
  for (uint16_t line : map.surfaceLines()) hash.add(line, 2);
  return hash.value();
}

class GeneratedWorldHashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadContentDatabase(std::string(RUBBLE_DATA_DIR) + "/data.dat");
    ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
  }
  void TearDown() override { resetContentDatabase(); }
};

// The two smallest sizes: the second's cells are large enough to be allocated in huge pages.
TEST_F(GeneratedWorldHashTest, EveryPlanetsWorldKeepsEachCell) {
  const std::map<std::pair<std::string, int>, uint64_t> pinned = {
      {{"Terra", 0}, 0x322932b8963f8aa6ull},
      {{"Terra", 1}, 0x913d89b2d92d3250ull},
      {{"Seth", 0}, 0xa52b4d3f1702e099ull},
      {{"Seth", 1}, 0xfe7a274fe09a08e8ull},
      {{"Alba", 0}, 0xbf3d4e447f053bd1ull},
      {{"Alba", 1}, 0x5f3d4bd9cd017df5ull},
      {{"Xeno", 0}, 0x057da243c3531158ull},
      {{"Xeno", 1}, 0xe8acae6289d5bda3ull},
      {{"Magmar", 0}, 0xb00299b99fa29e8bull},
      {{"Magmar", 1}, 0x58b54e9ee17cf49dull},
      {{"Cryo", 0}, 0xa858b67ea75f458bull},
      {{"Cryo", 1}, 0x93d4c75758165a9aull},
      {{"Yuca", 0}, 0xc3b1a7d068d4c0bdull},
      {{"Yuca", 1}, 0x95ffeae80f983cc6ull},
      {{"Lilith", 0}, 0xfe660743769b146cull},
      {{"Lilith", 1}, 0xe5a6f57bba466b99ull},
      {{"Thetis", 0}, 0x3ea97906fd6c8c84ull},
      {{"Thetis", 1}, 0x12856908d3eab3a7ull},
      {{"Mykon", 0}, 0x0ba3ec8c945a6a92ull},
      {{"Mykon", 1}, 0x243d8fa7e1afc8c6ull},
      {{"Umbra", 0}, 0xf0f0896adee7c797ull},
      {{"Umbra", 1}, 0x01bf99768bd5cd3eull},
      {{"Nadir", 0}, 0x654e521cd1d992a6ull},
      {{"Nadir", 1}, 0xd8104a49072102eeull},
  };
  ASSERT_FALSE(planetDefs().empty());
  for (const auto& planet : planetDefs()) {
    for (uint8_t size = 0; size < 2; ++size) {
      const uint64_t hash = generatedWorldHash(planet->id, size);
      const auto found = pinned.find({planet->name, size});
      ASSERT_NE(found, pinned.end()) << planet->name;
      EXPECT_EQ(hash, found->second) << planet->name << " size " << int{size};
    }
  }
}

}  // namespace
