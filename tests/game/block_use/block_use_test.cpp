// Using blocks: the clock, keys against locks, levers, lighting a fuse, beds, the shelf lock
// option, refusals out of reach, and the views a crafting station or a sign opens through the
// player events.

#include <string>
#include <vector>

#include "content/items/block_rules.h"
#include "game/rules/block_use.h"
#include "platform/settings/settings.h"
#include "tests/game/game_fixture.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"
#include "world/circuits/circuit_system.h"
#include "world/explosions/explosion_system.h"

namespace game_test {
namespace {

using world_test::kDirt;
constexpr uint16_t kClock = 205, kLever = 2086, kFuse = 239, kLitFuse = 191, kTorchItem = 106;
constexpr uint16_t kAnvil = 38;  // a station block of the station table, kind 4
constexpr uint16_t kSignBlock = 2599, kPen = 484;

class UseEvents final : public PlayerEvents {
 public:
  void message(uint8_t kind, const std::string& text) override { messages.push_back({kind, text}); }
  void interfaceSound(uint16_t id) override { sounds.push_back(id); }
  void inventoryView(uint8_t page) override { inventoryPages.push_back(page); }
  void bookView(const BookViewFields& fields) override { books.push_back(fields); }
  void signView(Sign& sign) override { signViews.push_back(&sign); }
  void signLabel(const MapBlock& cell, const std::vector<std::string>& shown) override {
    labelCell = &cell;
    lines = shown;
  }
  std::vector<uint8_t> messageKinds() const {
    std::vector<uint8_t> kinds;
    for (const auto& m : messages) kinds.push_back(static_cast<uint8_t>(m.kind));
    return kinds;
  }
  RecordingEvents::Messages messages;
  std::vector<uint16_t> sounds;
  std::vector<uint8_t> inventoryPages;
  std::vector<BookViewFields> books;
  std::vector<Sign*> signViews;
  const MapBlock* labelCell = nullptr;
  std::vector<std::string> lines;
};

class BlockUseTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kAnvil, {.flags = bits({36}), .transparency = 1});
    remakeWorld();
    setPlayerEvents(&views);
    player->cellX = 10;
    player->cellY = 5;
  }
  void hold(uint16_t id) {
    defineItem(id, 2, false);
    player->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(id, 1));
    player->inventory->select(0);
  }
  std::string lastMessage() const { return views.messages.empty() ? "" : views.messages.back().text; }
  void use(int32_t x, int32_t y) {
    if (!useStationOrClock(*world, at(x, y), MapBlock::kFront, *player) &&
        checkBlockUse(*world, at(x, y), MapBlock::kFront, *player)) {
      useBlock(*world, at(x, y), MapBlock::kFront, *player);
    }
  }
  Sign& sign(int32_t x, int32_t y, const char* text) {
    put(x, y, kSignBlock);
    Sign& made = world->signs().add(std::make_unique<Sign>(at(x, y)));
    made.setText(text);
    return made;
  }
  UseEvents views;
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
  EXPECT_EQ(views.messages.back().kind, 3) << "out of reach";
}

TEST_F(BlockUseTest, AKeyOpensLocksUpToItsOwnStrength) {
  hold(147);  // the third key
  for (int lock = 0; lock < 7; ++lock) {
    put(11, 5, kDirt);
    at(11, 5).decos[0] = map_deco::make(static_cast<uint16_t>(467 + lock), 0, MapBlock::kFront);
    views.messages.clear();
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

TEST_F(BlockUseTest, AStationOpensTheCraftBookOnItsCategoryOrElseTheCraftingPage) {
  put(11, 5, kAnvil);
  use(11, 5);
  EXPECT_EQ(player->inventory->station(), 4);
  ASSERT_EQ(views.books.size(), 1u);
  EXPECT_EQ(views.books[0].page, 0);
  EXPECT_EQ(views.books[0].firstEntry, 1);
  EXPECT_EQ(views.books[0].selection, -1);
  EXPECT_EQ(views.books[0].category, 4);
  EXPECT_TRUE(views.inventoryPages.empty());
  kel::options().openCraftbookRecipe = false;
  use(11, 5);
  EXPECT_EQ(views.inventoryPages, std::vector<uint8_t>{2});
  EXPECT_EQ(views.books.size(), 1u);
  EXPECT_EQ(views.sounds, (std::vector<uint16_t>{26, 12}));
}

TEST_F(BlockUseTest, AStationOutOfReachOpensNothing) {
  put(13, 5, kAnvil);
  use(13, 5);
  EXPECT_EQ(player->inventory->station(), 0);
  EXPECT_TRUE(views.books.empty());
  EXPECT_TRUE(views.sounds.empty());
  EXPECT_EQ(views.messageKinds(), std::vector<uint8_t>{3});
}

TEST_F(BlockUseTest, ASignIsReadLineByLineWithoutAPen) {
  Sign& board = sign(13, 5, "Keep out\nMines below");
  use(13, 5);  // reading needs no nearness
  EXPECT_EQ(views.labelCell, &board.cell());
  EXPECT_EQ(views.lines, (std::vector<std::string>{"Keep out", "Mines below"}));
  EXPECT_TRUE(views.signViews.empty());
  EXPECT_EQ(player->openContainer, nullptr);
  EXPECT_FALSE(board.inUse());
}

TEST_F(BlockUseTest, APenOpensTheSignForWritingOnce) {
  Sign& board = sign(11, 5, "");
  hold(kPen);
  use(11, 5);
  ASSERT_EQ(views.signViews, std::vector<Sign*>{&board});
  EXPECT_EQ(player->openContainer, &board);
  EXPECT_TRUE(board.inUse());
  EXPECT_TRUE(at(11, 5).hasDeco(127, MapBlock::kFront));
  player->openContainer = nullptr;  // another player's use while this one writes
  use(11, 5);
  EXPECT_EQ(views.signViews.size(), 1u) << "a sign in use is not opened again";
  EXPECT_EQ(views.messageKinds(), std::vector<uint8_t>{3});
}

}  // namespace
}  // namespace game_test
