#pragma once
// Recording forms of the seams the world's edits call (rules, sounds, entity effects) and a
// fixture with a small world whose edits run end to end: the world's edit sink applies every edit
// handed to it straight to that world, so cascades and liquid follow-ups reach it.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "platform/settings/settings.h"
#include "tests/world/stand_in_entities.h"
#include "tests/world/world_test_blocks.h"
#include "world/cells/cell_refresh.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/rules/world_game.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"
#include "tests/support/settings_reset.h"

namespace world_test {

struct Dropped {
  uint16_t id;
  uint16_t count;
  uint32_t word;
};

class RecordingLogic final : public NullLogic {
 public:
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t flags) override {
    drops.push_back({item->id, item->count, item->word});
    dropKinds.push_back(flags);
    return nullptr;
  }
  MobEntity* spawnMob(const MobDef*, engine::Vec2, engine::Vec2, uint8_t forced, PlayerBase*, uint8_t) override {
    mobModes.push_back(forced);
    return nullptr;
  }
  void releaseBlockEntity(LogicBlock&) override { ++released; }
  void dropBlockLoot(MapBlock&, uint16_t blockId, PlayerBase*) override { lootOf.push_back(blockId); }
  void dropAttachmentLoot(MapBlock&, uint8_t layer, PlayerBase*) override { attachmentLootLayers.push_back(layer); }
  void launchFromCell(MapBlock&) override { ++launches; }
  void endFishingAtCell(MapBlock&) override { ++fishingEnded; }
  void effectOnEntitiesAtCell(MapBlock&) override { ++lavaEffects; }
  void playSound(MapBlock& cell, uint16_t id, uint16_t) override { sounds.push_back({cell.x, cell.y, id}); }
  bool editBlock(const BlockEdit& edit, PlayerBase*) override {
    edits.push_back(edit);
    return true;
  }
  uint16_t bonusDropValue(PlayerBase&) override { return bonusValue; }

  struct Sound {
    uint16_t x, y, id;
  };
  std::vector<Dropped> drops;
  std::vector<uint8_t> dropKinds;
  std::vector<uint8_t> mobModes;
  std::vector<uint16_t> lootOf;
  std::vector<uint8_t> attachmentLootLayers;
  std::vector<Sound> sounds;
  std::vector<BlockEdit> edits;
  int released = 0, launches = 0, fishingEnded = 0, lavaEffects = 0;
  uint16_t bonusValue = 0xFFFF;
};

class RecordingSounds final : public CellSounds {
 public:
  void playAt(const MapBlock& cell, uint16_t soundId, uint16_t value) override {
    played.push_back({cell.x, cell.y, soundId, value});
  }
  // A sound with no place is recorded at (kNowhere, kNowhere).
  void playAnywhere(uint16_t soundId, uint16_t value) override {
    played.push_back({kNowhere, kNowhere, soundId, value});
  }
  static constexpr uint16_t kNowhere = 0xFFFF;
  struct Played {
    uint16_t x, y, id, value;
  };
  std::vector<Played> played;
};

class RecordingEffects final : public EntityEffects {
 public:
  void wakeEntitiesAbove(MapBlock& cell) override { woken.push_back({cell.x, cell.y}); }
  void spawnCutDebris(uint16_t blockId, uint8_t, bool, uint32_t count, engine::Vec2, MapBlock&,
                      uint8_t lifetime) override {
    debris.push_back({blockId, count, lifetime});
  }
  EntityId idOf(const Entity* entity) override { return ids.idOf(entity); }
  Entity* entityById(EntityId id) override { return ids.resolve<Entity>(id); }
  bool blocksPlacementIn(const MapBlock&) override { return false; }
  struct Cell {
    uint16_t x, y;
  };
  struct Debris {
    uint16_t id;
    uint32_t count;
    uint8_t lifetime;
  };
  std::vector<Cell> woken;
  std::vector<Debris> debris;
  StandInEntityIds ids;
};

// A 40 x 20 world (planet without a surface line) with every seam recording.
class EditWorldTest : public WorldTest {
 protected:
  static constexpr int32_t kWidth = 40;
  static constexpr int32_t kHeight = 20;

  void SetUp() override {
    WorldTest::SetUp();
    testsupport::resetSettings();
    makeWorld(WorldParams{});
  }
  void TearDown() override {
    world.reset();
    game.reset();
    testsupport::resetSettings();
    WorldTest::TearDown();
  }
  // The world's own context carries the recorders; nothing process-wide is registered.
  void makeWorld(const WorldParams& params) {
    world.reset();
    game.reset();
    world = World::create(nullptr, params, kWidth, kHeight);
    game = std::make_unique<WorldGame>(*world);
    context.edits = game.get();
    rebind();
  }
  // Binds `context` again after a fixture changed a member (its own rules, bodies ...).
  void rebind() { world->setContext(context); }

  MapBlock& at(int32_t x, int32_t y) { return *world->cellAt(x, y); }
  void put(int32_t x, int32_t y, uint16_t id, uint8_t variant = 0) { at(x, y).setLayer(id, variant, MapBlock::kFront); }
  static BlockEdit edit(uint8_t kind, int32_t x, int32_t y, uint16_t blockId = 0) {
    BlockEdit e;
    e.kind = kind;
    e.x = static_cast<uint16_t>(x);
    e.y = static_cast<uint16_t>(y);
    e.blockId = blockId;
    return e;
  }
  EditResult apply(const BlockEdit& e) { return world->applyBlockEdit(e, nullptr); }

  RecordingLogic rules;
  RecordingSounds sounds;
  RecordingEffects effects;
  WorldContext context{.rules = &rules, .sounds = &sounds, .effects = &effects};
  std::unique_ptr<World> world;
  std::unique_ptr<WorldGame> game;
};

}  // namespace world_test
