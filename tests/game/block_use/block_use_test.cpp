// Using blocks: the clock, keys against locks, levers, lighting a fuse, beds, the shelf lock
// option, and refusals out of reach.

#include "content/items/block_rules.h"
#include "game/rules/block_use.h"
#include "world/blocks/shelf.h"
#include "tests/game/game_fixture.h"
#include "tests/game/player_rules/message_events.h"
#include "world/circuits/circuit_system.h"
#include "world/explosions/explosion_system.h"

namespace game_test {
namespace {

using world_test::kDirt;
constexpr uint16_t kClock = 205, kLever = 2086, kFuse = 239, kLitFuse = 191, kTorchItem = 106;

class BlockUseTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    setPlayerEvents(&messages);
    player->cellX = 10;
    player->cellY = 5;
  }
  void hold(uint16_t id, uint16_t count = 1) {
    player->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(id, count));
    player->inventory->select(0);
  }
  std::string lastMessage() const { return messages.messages.empty() ? "" : messages.messages.back().text; }
  void use(int32_t x, int32_t y, uint8_t layer = MapBlock::kFront) {
    if (!useStationOrClock(*world, at(x, y), layer, *player) && checkBlockUse(*world, at(x, y), layer, *player)) {
      useBlock(*world, at(x, y), layer, *player);
    }
  }
  MessageEvents messages;
};

TEST_F(BlockUseTest, TheClockShowsTheHourOfTheDayPhase) {
  put(11, 5, kClock);
  const struct {
    DayPhase phase;
    uint32_t tick;
    const char* shown;
  } cases[] = {{DayPhase::Day, 0, "8 AM"}, {DayPhase::Day, 205, "0 PM"}, {DayPhase::Night, 205, "0 AM"},
               {DayPhase::Dusk, 0, "6 PM"}, {DayPhase::Dawn, 511, "8 AM"}};
  for (const auto& c : cases) {
    world->dayClock().phase = c.phase;
    world->dayClock().tickCounter = c.tick;
    use(11, 5);
    EXPECT_EQ(lastMessage(), c.shown) << c.tick;
  }
  player->cellX = 20;
  use(11, 5);
  EXPECT_EQ(messages.messages.back().kind, 3) << "out of reach";
}

TEST_F(BlockUseTest, AKeyOpensLocksUpToItsOwnStrength) {
  defineItem(147, 2, false);
  hold(147);  // the third key
  for (int lock = 0; lock < 7; ++lock) {
    put(11, 5, kDirt);
    at(11, 5).decos[0] = map_deco::make(static_cast<uint16_t>(467 + lock), 0, MapBlock::kFront);
    messages.messages.clear();
    use(11, 5);
    const bool opened = map_deco::empty(at(11, 5).decos[0]);
    EXPECT_EQ(opened, lock <= 2) << "lock " << 467 + lock;
    if (!opened) {
      EXPECT_EQ(lastMessage(), "You need a better key to unlock this chest.");
    }
  }
}

TEST_F(BlockUseTest, ALeverFlipsAndSetsItsCircuitInput) {
  defineBlock(kLever, {.flags = bits({45}), .transparency = 1, .variants = 2});
  remakeWorld();
  put(11, 5, kLever);
  use(11, 5);
  EXPECT_EQ(at(11, 5).frontVariant(), 1);
  use(11, 5);
  EXPECT_EQ(at(11, 5).frontVariant(), 0);
  player->cellX = 20;
  use(11, 5);
  EXPECT_EQ(at(11, 5).frontVariant(), 0) << "a lever is thrown only from next to it";
}

TEST_F(BlockUseTest, ATorchLightsAFuseAndItsExplosionIsQueued) {
  static BuffSpec torchLight;  // the definition's worn record gives the item's light
  torchLight.bytes[content::buff_record::lightColor] = 0x8F;
  defineItem(kTorchItem, 2, false);
  contentTables().itemDefs[kTorchItem].buff = &torchLight;
  hold(kTorchItem);
  put(11, 5, kDirt);
  at(11, 5).decos[1] = map_deco::make(kFuse, 0, MapBlock::kFront);
  use(11, 5);
  ASSERT_EQ(world->explosions().pending().size(), 1u);
  EXPECT_FLOAT_EQ(world->explosions().pending()[0].timer, 160.0f);
  EXPECT_EQ(map_deco::id(at(11, 5).decos[1]), kLitFuse);
  contentTables().itemDefs[kTorchItem].buff = nullptr;
}

TEST_F(BlockUseTest, ABedSetsTheSpawnOnlyOutsideCreativeWorlds) {
  put(11, 5, 0);
  const uint16_t bed = [] {
    for (uint16_t id = 1; id < 4096; ++id) {
      if (isSpecialBlockId(id)) return id;
    }
    return uint16_t{0};
  }();
  ASSERT_NE(bed, 0);
  put(11, 5, bed);
  use(11, 5);
  EXPECT_EQ(player->spawnCellX, 11);
  EXPECT_EQ(player->spawnCellY, 5);
  remakeWorld({.mode = 1});
  put(12, 5, bed);
  use(12, 5);
  EXPECT_EQ(player->spawnCellX, 11) << "unchanged in a creative world";
}

TEST_F(BlockUseTest, WithTheShelfLockOnOnlyTheHostsOwnPlayerClearsAShelf) {
  defineBlock(210, {.flags = bits({41}), .transparency = 1});
  remakeWorld();
  put(11, 5, 210);
  Item* apple = makeItem(kStone, 1);
  ASSERT_TRUE(putItemOnShelf(*world, at(11, 5), apple, 0));
  auto* shelf = dynamic_cast<Shelf*>(world->shelves().findAt(at(11, 5)));
  ASSERT_NE(shelf, nullptr);
  kel::options().permissionShelfLock = true;
  player->isLocal = 0;
  use(11, 5);
  EXPECT_NE(shelf->itemAt(0), nullptr) << "a peer's player leaves it as it is";
  player->isLocal = 1;
  use(11, 5);
  EXPECT_EQ(shelf->itemAt(0), nullptr);
}

}  // namespace
}  // namespace game_test
