// Using blocks: the clock, keys against locks, beds, the shelf lock option, refusals out of reach,
// and the views a crafting station or a sign opens through the player events.

#include <string>
#include <vector>

#include "content/items/block_rules.h"
#include "game/rules/block_use.h"
#include "game/rules/block_use_support.h"
#include "platform/settings/settings.h"
#include "tests/game/game_fixture.h"
#include "tests/world/fixed_world_options.h"
#include "world/blocks/chest.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"

namespace game_test {
namespace {

constexpr uint16_t kClock = 205;
constexpr uint16_t kAnvil = 38;  // a station block of the station table, kind 4
constexpr uint16_t kSignBlock = 2599, kPen = 484;
constexpr uint16_t kChest = 213;  // a chest of the content's chest table

class UseEvents final : public PlayerEvents {
 public:
  void message(uint8_t kind, const std::string& text) override { messages.push_back({kind, text}); }
  void interfaceSound(uint16_t id) override { sounds.push_back(id); }
  void inventoryView(uint8_t page) override { inventoryPages.push_back(page); }
  void bookView(const BookViewFields& fields) override { books.push_back(fields); }
  void signView(Sign& sign) override { signViews.push_back(&sign); }
  RecordingEvents::Messages messages;
  std::vector<uint16_t> sounds;
  std::vector<uint8_t> inventoryPages;
  std::vector<BookViewFields> books;
  std::vector<Sign*> signViews;
};

class BlockUseTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kAnvil, {.flags = bits({36}), .transparency = 1});
    remakeWorld();
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
  UseEvents views;
  PlayerEvents& playerSink() override { return views; }
};

TEST_F(BlockUseTest, TheClockShowsTheHourOfTheDayPhase) {
  put(11, 5, kClock);
  const struct {
    DayPhase phase;
    uint32_t tick;
    const char* shown;
  } cases[] = {
      {DayPhase::Day, 205, "0 PM"}, {DayPhase::Night, 205, "0 AM"}, {DayPhase::Dawn, 511, "8 AM"}};
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

TEST_F(BlockUseTest, ABedSetsTheSpawnOnlyOutsideCreativeWorlds) {
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

TEST_F(BlockUseTest, AStationOpensTheCraftBookOnItsCategoryOrElseTheCraftingPage) {
  FixedWorldOptions options;
  options.craftbook = true;
  WorldContext context = worldContext();
  context.options = &options;
  world->setContext(context);
  put(11, 5, kAnvil);
  use(11, 5);
  EXPECT_EQ(player->inventory->station(), 4);
  ASSERT_EQ(views.books.size(), 1u);
  EXPECT_EQ(views.books[0].category, 4);
  options.craftbook = false;  // the world's option, whatever the process's settings say
  use(11, 5);
  EXPECT_EQ(views.inventoryPages, std::vector<uint8_t>{2});
  EXPECT_EQ(views.books.size(), 1u);
  EXPECT_EQ(views.sounds, (std::vector<uint16_t>{26, 12}));
  world->setContext(worldContext());
}

TEST_F(BlockUseTest, APenOpensTheSignForWritingOnce) {
  put(11, 5, kSignBlock);
  Sign& board = world->signs().add(std::make_unique<Sign>(at(11, 5)));
  hold(kPen);
  use(11, 5);
  ASSERT_EQ(views.signViews, std::vector<Sign*>{&board});
  EXPECT_EQ(player->openContainer(), &board);
  EXPECT_TRUE(board.inUse());
  EXPECT_TRUE(at(11, 5).hasDeco(127, MapBlock::kFront));
  player->setOpenContainer(nullptr);  // another player's use while this one writes
  use(11, 5);
  EXPECT_EQ(views.signViews.size(), 1u) << "a sign in use is not opened again";
  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].kind, 3);
}

TEST_F(BlockUseTest, AChestBesideThePlayerOpensOnTheContainerPageAndTwoCellsOffItIsOutOfReach) {
  put(12, 5, kChest);
  Chest& chest = world->chests().add(std::make_unique<Chest>(at(12, 5), kChest));
  use(12, 5);
  EXPECT_EQ(player->openContainer(), nullptr) << "a chest opens for a player beside it only";
  EXPECT_EQ(lastMessage(), block_use_support::kOutOfReach);
  player->cellX = 11;
  use(12, 5);
  EXPECT_EQ(player->openContainer(), &chest);
  EXPECT_TRUE(chest.inUse());
  EXPECT_EQ(views.inventoryPages, std::vector<uint8_t>{block_use_support::kContainerPage})
      << "its slots are shown at once";
  EXPECT_TRUE(player->leaveContainer(true));
}

TEST_F(BlockUseTest, TheChestLockIsTheWorldsOwnOptionAndSparesTheHostsPlayer) {
  put(11, 5, kChest);
  Chest& chest = world->chests().add(std::make_unique<Chest>(at(11, 5), kChest));
  FixedWorldOptions options;
  options.chests = true;
  world->setContext({.rules = &rules, .edits = &game, .options = &options});
  player->isLocal = 0;  // a client's player on the host
  use(11, 5);
  EXPECT_EQ(player->openContainer(), nullptr) << "another player's chest stays shut";
  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].kind, 3);

  player->isLocal = 1;
  use(11, 5);
  EXPECT_EQ(player->openContainer(), &chest) << "the hosting player opens it";
  EXPECT_TRUE(player->leaveContainer(true));

  player->isLocal = 0;
  options.chests = false;
  kel::options().permissionChestLock = true;
  use(11, 5);
  EXPECT_EQ(player->openContainer(), &chest) << "the process's setting is not this world's";
  EXPECT_EQ(views.messages.size(), 1u);
  EXPECT_TRUE(player->leaveContainer(true));
  world->setContext(worldContext());
}

}  // namespace
}  // namespace game_test
