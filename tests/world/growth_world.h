#pragma once
// A world for growth tests: the rules apply every edit to the world (so a plant or tree grows step
// after step on what it grew before) and keep what they were asked besides: drops, fruits spawned
// and released. The sky is lit over the whole map, so every open cell starts at light level 15.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "tests/world/stand_in_entities.h"
#include "tests/world/world_test_blocks.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace world_test {

class GrowingLogic final : public NullLogic {
 public:
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override {
    edits.push_back(edit);
    return world != nullptr && !world->applyBlockEdit(edit, player).wasRefused();
  }
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t) override {
    drops.push_back({item->id, item->count, item->word});
    return nullptr;
  }
  Entity* spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) override {
    fruits.push_back({fruitId, cell.x, cell.y, mode});
    // A distinct address per fruit stands for the entity; nothing reads through it.
    return reinterpret_cast<Entity*>(kFruitHandles + fruits.size());
  }
  void wakeEntity(Entity* entity) override { woken.push_back(entity); }

  struct Drop {
    uint16_t id, count;
    uint32_t word;
  };
  struct Fruit {
    uint16_t id, x, y;
    uint8_t mode;
  };
  World* world = nullptr;
  std::vector<BlockEdit> edits;
  std::vector<Drop> drops;
  std::vector<Fruit> fruits;
  std::vector<Entity*> woken;
  static constexpr uintptr_t kFruitHandles = 0x1000;
};

class RemovalEffects final : public EntityEffects {
 public:
  void wakeEntitiesAbove(MapBlock&) override {}
  void spawnCutDebris(uint16_t, uint8_t, bool, uint32_t, engine::Vec2, MapBlock&, uint8_t) override {}
  void markForRemoval(Entity* entity) override { removed.push_back(entity); }
  EntityId idOf(const Entity* entity) override { return ids.idOf(entity); }
  Entity* entityById(EntityId id) override { return ids.resolve<Entity>(id); }
  bool blocksPlacementIn(const MapBlock&) override { return false; }
  std::vector<Entity*> removed;
  StandInEntityIds ids;
};

class GrowthWorldTest : public WorldTest {
 protected:
  static constexpr int32_t kWidth = 40;
  static constexpr int32_t kHeight = 30;

  void SetUp() override { WorldTest::SetUp(); }
  void TearDown() override {
    world.reset();
    WorldTest::TearDown();
  }
  // Builds the world once the test has defined its blocks (the world takes a snapshot of them).
  void makeWorld(uint8_t mode = 0) {
    WorldParams params;
    params.mode = mode;
    world = World::create(nullptr, params, kWidth, kHeight);
    world->map().lightMap().relightAll();
    rules.world = world.get();
    world->setContext({.rules = &rules, .effects = &effects});
  }
  MapBlock& at(int32_t x, int32_t y) { return *world->cellAt(x, y); }
  PlantSystem& plants() { return world->plants(); }
  void put(int32_t x, int32_t y, uint16_t id, uint8_t variant = 0) {
    at(x, y).setLayer(id, variant, MapBlock::kFront);
  }
  // Places a block as a player would (a kind-4 edit), with the gene word a seed carries.
  void plant(int32_t x, int32_t y, uint16_t id, uint16_t gene = 0) {
    BlockEdit edit;
    makeBlockValue(edit, static_cast<uint16_t>(x), static_cast<uint16_t>(y), 4, id, 0, MapBlock::kFront, 0);
    edit.extra = gene;
    world->applyBlockEdit(edit, nullptr);
  }
  void breakFront(int32_t x, int32_t y) {
    BlockEdit edit;
    makeBlockValue(edit, static_cast<uint16_t>(x), static_cast<uint16_t>(y), 7, 0, 0, MapBlock::kFront, 0);
    edit.extra = 1;
    world->applyBlockEdit(edit, nullptr);
  }
  // Forced steps until the plant of the cell is gone from the registry; the number of steps.
  int growToTheEnd(int32_t x, int32_t y, int limit = 200) {
    int steps = 0;
    while (steps < limit && plants().growPlantAt(rules, at(x, y))) ++steps;
    return steps;
  }
  // The same for the only plant of the registry wherever its tip has climbed to.
  int growOnlyPlantToTheEnd(int limit = 200) {
    int steps = 0;
    while (steps < limit && plants().plantCount() == 1) {
      const PlantEntry& entry = plants().plants().front();
      if (!plants().growPlantAt(rules, at(entry.x, entry.y))) break;
      ++steps;
    }
    return steps;
  }

  GrowingLogic rules;
  RemovalEffects effects;
  std::unique_ptr<World> world;
};

}  // namespace world_test
