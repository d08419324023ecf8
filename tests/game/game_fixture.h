#pragma once
// A small world with a local player, the local rules and a local game wired together, and
// recording forms of the seams the player and the rules call (player events, item drops), for
// the game library's tests. Item rows are shaped in code like the block rows.

#include <gtest/gtest.h>

#include <memory>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "content/tables/difficulty_row.h"
#include "game/player/game_clock.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "game/rules/item_placement_rules.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "game/session/game_local.h"
#include "platform/settings/settings.h"
#include "tests/world/world_test_blocks.h"
#include "world/current_world.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/world.h"
#include "tests/support/settings_reset.h"

namespace game_test {

using world_test::bits;
using world_test::defineBlock;

// Item ids the game tests shape.
constexpr uint16_t kStone = 100;   // stacks freely
constexpr uint16_t kPick = 101;    // a tool
constexpr uint16_t kHelmet = 103;  // worn in equipment slot 0
constexpr uint16_t kRing = 104;    // a trinket
constexpr uint16_t kGem = 105;     // does not stack

inline void defineItem(uint16_t id, uint8_t kind, bool freeStack) {
  ItemDef& def = contentTables().itemDefs[id];
  def.record.bytes[content::item_record::kind] = kind;
  def.record.bytes[content::item_record::freeStack] = freeStack ? 1 : 0;
  def.defined = true;
}

inline ItemPtr makeItem(uint16_t id, uint16_t count) { return newItem(id, 0, count, 0, 0); }

class RecordingEvents final : public PlayerEvents {
 public:
  void tileEffect(PlayerGraphical&, const MapBlock& cell, uint8_t kind) override {
    effects.push_back({cell.x, cell.y, kind});
  }
  void entityEffect(PlayerGraphical&, Entity* entity, uint8_t kind, uint16_t value) override {
    entityEffects.push_back({entity, kind, value});
  }
  void cellChanged(PlayerGraphical&, int, int, bool wrapped) override { wraps += wrapped ? 1 : 0; }
  void message(uint8_t kind, const std::string& text) override { messages.push_back({kind, text}); }
  void textById(uint8_t kind, int16_t id) override { texts.push_back({kind, id}); }
  void recordStat(uint16_t id, uint16_t value) override { stats.push_back({id, value}); }
  void deathView() override { ++deathViews; }
  void interfaceSound(uint16_t id) override { interfaceSounds.push_back(id); }
  void forgeRefreshed(PlayerGraphical&, int result) override { forgeResults.push_back(result); }

  struct Effect {
    int x, y, kind;
  };
  struct EntityEffect {
    Entity* entity;
    uint8_t kind;
    uint16_t value;
  };
  std::vector<EntityEffect> entityEffects;
  struct Text {
    int kind, id;
    bool operator==(const Text&) const = default;
  };
  struct Stat {
    int id, value;
    bool operator==(const Stat&) const = default;
  };
  struct Message {
    int kind;
    std::string text;
    bool operator==(const Message&) const = default;
  };
  using Texts = std::vector<Text>;
  using Messages = std::vector<Message>;
  std::vector<Effect> effects;
  Texts texts;
  std::vector<Stat> stats;
  Messages messages;
  std::vector<int> forgeResults;
  std::vector<uint16_t> interfaceSounds;
  int wraps = 0;
  int deathViews = 0;
};

class RecordingDrops final : public NullRuleEntities {
 public:
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t) override {
    dropped.push_back(item->id);
    return nullptr;
  }
  std::vector<uint16_t> dropped;
};

// Blocks beyond the standard ones.
constexpr uint16_t kLadder = 20;    // clear, climbable
constexpr uint16_t kHay = 23;       // solid, soft landing
constexpr uint16_t kPlatform = 24;  // blocks from above only (an attached plank)
constexpr uint16_t kTrunk = 25;     // a tree's trunk: a solid part that bodies pass, as a plank
constexpr uint16_t kWall = 26;      // a full block without the solid flag

class GameTest : public world_test::WorldTest {
 protected:
  GameTest() : GameTest(GameServices{}) {}
  // The fixture's game made with the services a test gives (game_services.h).
  explicit GameTest(GameServices services) : game(&rules, std::move(services)) {}

  static constexpr int32_t kWidth = 40;
  static constexpr int32_t kHeight = 30;

  void SetUp() override {
    WorldTest::SetUp();
    testsupport::resetSettings();
    defineBlock(kLadder, {.flags = bits({22}), .transparency = 1});
    defineBlock(kHay, {.flags = bits({23, 28}), .transparency = 0});
    defineBlock(kPlatform, {.flags = bits({23}), .transparency = 2});
    defineBlock(kTrunk, {.flags = bits({8, 23}), .transparency = 1});
    defineBlock(kWall, {.transparency = 0});
    defineItem(kStone, 4, true);
    defineItem(kPick, 1, false);
    defineItem(kHelmet, 10, false);
    defineItem(kRing, 7, false);
    defineItem(kGem, 2, false);
    world = World::create(&difficulty, WorldParams{}, kWidth, kHeight, worldContext());
    player = std::make_unique<PlayerDesktopLocal>(&game, &playerSink(), playerClock());
    player->setWorld(world.get());
    rules.setWorld(world.get());
    rules.setPlayer(player.get());
    game.lendWorld(world.get());
    game.lendPlayer(player.get());
    game.setDifficulty(&difficulty);
    rules.setEntities(&drops);
  }

  // What the fixture's player tells (made with it): the recording `events` unless a test has its own.
  virtual PlayerEvents& playerSink() { return events; }
  // The clock the fixture's player is made with: none unless a test has its own.
  virtual GameClock* playerClock() { return nullptr; }

  void TearDown() override {
    rules.setEntities(nullptr);
    player.reset();
    world.reset();
    testsupport::resetSettings();
    WorldTest::TearDown();
  }

  // A fresh world (block rows shaped since are read by its map), wired to the player and rules.
  void remakeWorld(const WorldParams& params = {}) {
    world = World::create(&difficulty, params, kWidth, kHeight, worldContext());
    player->setWorld(world.get());
    rules.setWorld(world.get());
    game.lendWorld(world.get());
  }
  // The world's own rules and edit sink: this fixture's rules and game.
  WorldContext worldContext() { return {.rules = &rules, .edits = &game}; }
  MapBlock& at(int32_t x, int32_t y) { return *world->cellAt(x, y); }
  // Whole frames of the player's update, one tick each.
  void ticks(int count) {
    for (int i = 0; i < count; ++i) player->update(1.0f);
  }
  void put(int32_t x, int32_t y, uint16_t id) { at(x, y).setLayer(id, 0, MapBlock::kFront); }
  // A block row shaped on the world's own snapshot, which it took when it was made.
  void shape(uint16_t id, const BlockProps& props) { world->map().mutableProps().mutableRow(id) = props; }
  // A block item that places the block.
  static void placing(uint16_t item, uint16_t block) {
    defineItem(item, placement_rule::kItemKindBlock, true);
    auto& bytes = contentTables().itemDefs[item].record.bytes;
    bytes[content::item_record::placesBlock] = static_cast<uint8_t>(block);
    bytes[content::item_record::placesBlock + 1] = static_cast<uint8_t>(block >> 8);
  }
  // A rectangle of cells filled with the block, corners included.
  void fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t id) {
    for (int32_t cx = x0; cx <= x1; ++cx)
      for (int32_t cy = y0; cy <= y1; ++cy) put(cx, cy, id);
  }
  // A rectangle of cells full of water.
  void water(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t cx = x0; cx <= x1; ++cx)
      for (int32_t cy = y0; cy <= y1; ++cy) at(cx, cy).liquid = static_cast<uint8_t>(4 | (4 << 3) | (1 << 6));
  }
  // A floor of the block along a row.
  void floorAt(int32_t row, uint16_t id = world_test::kDirt) {
    for (int32_t x = 0; x < kWidth; ++x) put(x, row, id);
  }

  DifficultyRow difficulty = [] {
    DifficultyRow row;
    const float one = 1.0f;
    std::memcpy(row.bytes.data(), &one, sizeof one);
    return row;
  }();
  RecordingEvents events;
  RecordingDrops drops;
  std::unique_ptr<World> world;
  LocalLogic rules{nullptr, nullptr, &difficulty};
  GameLocal game;
  std::unique_ptr<PlayerDesktopLocal> player;
  // The rules and game read at the edges (timers, handlers) are this fixture's, for each test.
  engine::Seam<Logic, NullLogic>::Scoped currentRules{currentLogicSeam(), rules};
  engine::Seam<GameInterface, NullGame>::Scoped currentGameSlot{currentGameSeam(), game};
};

}  // namespace game_test
