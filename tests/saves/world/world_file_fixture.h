#pragma once
// A small legal world saved to and read from a temporary file, save links that record what they
// are handed, and a section's stored bytes found by the file's directory.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "engine/io/byte_reader.h"
#include "platform/file_handle.h"
#include "saves/store/world_entry.h"
#include "saves/world/world_file.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "tests/saves/save_bytes.h"
#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"
#include "tests/world/world_test_blocks.h"
#include "world/blocks/stable.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace saves_test {

constexpr uint32_t kPlanet = 1;
constexpr uint16_t kMobRows = 40;

class RecordingLinks final : public WorldSaveLinks {
 public:
  std::vector<SavedMob> savedMobs(const World&) const override { return mobs; }
  void spawnSavedMob(World&, const SavedMob& mob) override { spawned.push_back(mob); }
  void mobsRestored(World&) override {
    ++recounts;
    restoredOn = std::this_thread::get_id();
  }
  std::array<StabledAnimal, 3> stabledAnimals(const World&, const Stable& stable) const override {
    auto found = animals.find(&stable.cell());
    return found != animals.end() ? found->second : std::array<StabledAnimal, 3>{};
  }
  void restoreStabledAnimals(World&, Stable& stable, const std::array<StabledAnimal, 3>& kept) override {
    restoredAnimals[&stable.cell()] = kept;
  }

  std::vector<SavedMob> mobs;
  std::map<const MapBlock*, std::array<StabledAnimal, 3>> animals;
  std::vector<SavedMob> spawned;
  std::thread::id restoredOn;  // the thread that last read a world's links
  std::map<const MapBlock*, std::array<StabledAnimal, 3>> restoredAnimals;
  int recounts = 0;
};

class WorldFileTest : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    addSurfacePlanet(kPlanet);
    contentTables().mobCount = kMobRows;
  }

  static WorldParams params(uint8_t mode) {
    WorldParams p;
    p.planetId = kPlanet;
    p.mode = mode;
    p.sizeIndex = 0;
    p.heightIndex = 1;
    return p;
  }

  static std::unique_ptr<World> makeWorld(uint8_t mode = 0) { return World::create(nullptr, params(mode)); }

  WorldEntry entryFor(const World& world) const {
    WorldEntry entry;
    entry.fileName = "World1.dat";
    entry.displayName = worldName;
    entry.time = 0x1'2345'6789;
    entry.params = world.map().params();
    for (size_t i = 0; i < entry.saveId.size(); ++i) entry.saveId[i] = static_cast<uint8_t>(0xA0 + i);
    return entry;
  }

  Bytes save(World& world, const PlayerCells& player = {}) {
    const std::string path = dir_.file("world.dat");
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    EXPECT_TRUE(writeWorldFile(file, entryFor(world), world, player, links));
    const std::string bytes = testsupport::readFile(path);
    return Bytes(bytes.begin(), bytes.end());
  }

  std::unique_ptr<World> load(const Bytes& bytes, uint8_t mode = 0, PlayerCells* player = nullptr) {
    const std::string path = dir_.write("load.dat", std::string(bytes.begin(), bytes.end()));
    kel::FileHandle file(path, kel::FileHandle::READ);
    std::unique_ptr<World> world = makeWorld(mode);
    return readWorldFile(file, *world, links, player) ? std::move(world) : nullptr;
  }

  struct Located {
    size_t offset = 0;
    size_t size = 0;
  };
  static Located locate(const Bytes& file, uint16_t id) {
    engine::ByteReader head(file);
    head.skip(6);
    const uint16_t count = head.u16();
    head.skip(4);
    for (uint16_t i = 0; i < count; ++i) {
      const uint16_t entryId = head.u16();
      head.skip(2);
      const Located at{head.u32(), head.u32()};
      if (entryId == id) return at;
    }
    ADD_FAILURE() << "no section " << id;
    return {};
  }
  static Bytes sectionBytes(const Bytes& file, uint16_t id) {
    const Located at = locate(file, id);
    return cut(Bytes(file.begin() + static_cast<long>(at.offset), file.end()), at.size);
  }

  std::string worldName = "Moorland";
  RecordingLinks links;
  testsupport::TempDir dir_;
};

}  // namespace saves_test
