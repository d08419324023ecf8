#pragma once
// A small world for entity tests: 40 x 20 cells, solid stone (block 1) in rows 0 to 4 and open air
// above, its own entity lists, and rules that record what the entities asked of them. A test that
// plays a client leaves the rules out of the world's context.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "engine/base/random.h"
#include "entities/core/real_entity.h"
#include "entities/core/world_entities.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace entity_test {

constexpr uint16_t kStone = 1;
constexpr int32_t kWidth = 40;
constexpr int32_t kHeight = 20;
constexpr int32_t kGround = 4;  // the top stone row

class RecordingRules final : public NullLogic {
 public:
  void broadcastEffect(Entity* entity, uint8_t effect, uint16_t) override { effects.push_back({entity->id(), effect}); }
  void reportRemovedEntities(const uint32_t*, uint32_t count) override { reports.push_back(count); }
  bool applyToPlayersOnCell(Entity* treasure) override {
    offered.push_back(treasure->id());
    return false;
  }
  void wakeEntity(Entity* entity) override { woken.push_back(entity->id()); }

  struct Effect {
    EntityId id;
    uint8_t effect;
  };
  std::vector<Effect> effects;
  std::vector<uint32_t> reports;
  std::vector<EntityId> offered;
  std::vector<EntityId> woken;
};

// Counts its ticks; moves like any networked entity.
class Probe : public RealEntity {
 public:
  Probe(World& world, MapBlock* cell, engine::Vec2 at) : RealEntity(world, EntityKind::Treasure, cell, at, 0, 0, 0, 0) {}
  void update() override {
    ++updates;
    move();
  }
  void onStop() override { ++stops; }
  int updates = 0;
  int stops = 0;
};

// Stone in rows 0 to 4 under open air. Mode 1 is creative (no explored bitmap); `openAir` makes the
// air cells passable for walkers' and jumpers' cell tests.
inline std::unique_ptr<World> buildStoneWorld(uint8_t mode, int32_t width = kWidth, bool openAir = false) {
  WorldParams params;
  params.mode = mode;
  auto world = std::make_unique<World>(nullptr, params, width, kHeight);
  world->map().mutableProps().mutableRow(kStone).flags = uint64_t{1} << block_flag::kSolid;
  if (openAir) world->map().mutableProps().mutableRow(0).transparency = 1;
  for (int32_t x = 0; x < width; ++x) {
    for (int32_t y = 0; y <= kGround; ++y) world->map().cell(x, y).setFront(kStone, 0, 0);
  }
  return world;
}

// A stone world that owns its lists (`lists`), as every running world does.
class EntityWorld : public ::testing::Test {
 protected:
  explicit EntityWorld(uint8_t mode = 1, int32_t width = kWidth, bool openAir = false)
      : world(seededWorld(maker, mode, width, openAir)), lists(*world->entities()) {
    withRules(true);
  }
  ~EntityWorld() override { lists.clearAll(); }

  static std::unique_ptr<World> seededWorld(WorldEntitiesMaker& maker, uint8_t mode, int32_t width, bool openAir) {
    engine::randomSeed(1);
    std::unique_ptr<World> made = buildStoneWorld(mode, width, openAir);
    made->setContext({.entities = &maker});
    return made;
  }
  void withRules(bool on) { world->setContext({.rules = on ? &rules : nullptr}); }
  MapBlock& cell(int32_t x, int32_t y) { return world->map().cell(x, y); }
  static float pixel(int32_t n) { return static_cast<float>(n) * 30.0f; }
  Probe& probe(int32_t x, int32_t y) {
    return static_cast<Probe&>(
        lists.add(std::make_unique<Probe>(*world, &cell(x, y), engine::Vec2{pixel(x), pixel(y)})));
  }

  RecordingRules rules;
  WorldEntitiesMaker maker;
  std::unique_ptr<World> world;
  WorldEntities& lists;  // the world's own
};

}  // namespace entity_test
