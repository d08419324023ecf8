// Using a crafting station or a sign opens the view the use asks for, through the player events.

#include <string>
#include <vector>

#include "game/rules/block_use.h"
#include "platform/settings/settings.h"
#include "tests/game/game_fixture.h"
#include "world/blocks/sign.h"

namespace game_test {
namespace {

constexpr uint16_t kAnvil = 38;  // a station block of the station table, kind 4
constexpr uint16_t kSignBlock = 2599, kPen = 484;

class ViewEvents final : public PlayerEvents {
 public:
  void interfaceSound(uint16_t id) override { sounds.push_back(id); }
  void inventoryView(uint8_t page) override { inventoryPages.push_back(page); }
  void bookView(const BookViewFields& fields) override { books.push_back(fields); }
  void signView(Sign& sign) override { signViews.push_back(&sign); }
  void signLabel(const MapBlock& cell, const std::vector<std::string>& shown) override {
    labelCell = &cell;
    lines = shown;
  }
  void message(uint8_t kind, const std::string&) override { messageKinds.push_back(kind); }
  std::vector<uint16_t> sounds;
  std::vector<uint8_t> inventoryPages;
  std::vector<BookViewFields> books;
  std::vector<Sign*> signViews;
  const MapBlock* labelCell = nullptr;
  std::vector<std::string> lines;
  std::vector<uint8_t> messageKinds;
};

class BlockUseViewsTest : public GameTest {
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
  ViewEvents views;
};

TEST_F(BlockUseViewsTest, AStationOpensTheCraftBookOnItsCategoryOrElseTheCraftingPage) {
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

TEST_F(BlockUseViewsTest, AStationOutOfReachOpensNothing) {
  put(13, 5, kAnvil);
  use(13, 5);
  EXPECT_EQ(player->inventory->station(), 0);
  EXPECT_TRUE(views.books.empty());
  EXPECT_TRUE(views.sounds.empty());
  EXPECT_EQ(views.messageKinds, std::vector<uint8_t>{3});
}

TEST_F(BlockUseViewsTest, ASignIsReadLineByLineWithoutAPen) {
  Sign& board = sign(13, 5, "Keep out\nMines below");
  use(13, 5);  // reading needs no nearness
  EXPECT_EQ(views.labelCell, &board.cell());
  EXPECT_EQ(views.lines, (std::vector<std::string>{"Keep out", "Mines below"}));
  EXPECT_TRUE(views.signViews.empty());
  EXPECT_EQ(player->openContainer, nullptr);
  EXPECT_FALSE(board.inUse());
}

TEST_F(BlockUseViewsTest, APenOpensTheSignForWritingOnce) {
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
  EXPECT_EQ(views.messageKinds, std::vector<uint8_t>{3});
}

}  // namespace
}  // namespace game_test
