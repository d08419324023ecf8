// Whole worlds generated from the build's own content, one per planet, pinned by a hash of every
// field of every cell. The hashes were taken before the generator's passes were made faster: a
// change that alters a single cell of any planet's world shows here.

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
      {{"Terra", 0}, 0x319b717363c5539aull},
      {{"Terra", 1}, 0xef662c33a2cf943cull},
      {{"Seth", 0}, 0xb557e36e0bea1355ull},
      {{"Seth", 1}, 0x7c08dd7520ac1940ull},
      {{"Alba", 0}, 0xfab3d1c9b093d26dull},
      {{"Alba", 1}, 0x631ec16458c1de85ull},
      {{"Xeno", 0}, 0x974ad9df60c58596ull},
      {{"Xeno", 1}, 0xe7d1c10f284f1f98ull},
      {{"Magmar", 0}, 0xf3dff5d628c18dcfull},
      {{"Magmar", 1}, 0xb8a968e058546a61ull},
      {{"Cryo", 0}, 0x3fece35104ba374full},
      {{"Cryo", 1}, 0x743f5299ed93c64eull},
      {{"Yuca", 0}, 0x3ac8d24f770d2245ull},
      {{"Yuca", 1}, 0xdb85d657d694f886ull},
      {{"Lilith", 0}, 0x2b128dc225aec274ull},
      {{"Lilith", 1}, 0x9fec7da85e093725ull},
      {{"Thetis", 0}, 0x967f7e1947c8eebaull},
      {{"Thetis", 1}, 0xb08d4d9e72a59755ull},
      {{"Mykon", 0}, 0x23685fd687b64943ull},
      {{"Mykon", 1}, 0xe9cad0729def18e2ull},
      {{"Umbra", 0}, 0x207467479581c3fbull},
      {{"Umbra", 1}, 0xe4128d7f91965b92ull},
      {{"Nadir", 0}, 0x419bab5573ce8d12ull},
      {{"Nadir", 1}, 0x4d66f272207dc616ull},
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
