// Slot sprites: splitting a stack into the first free neighbour, gathering the neighbours' stacks,
// using up units, the modify checks, selection across the HUD and the durability bar's column.

#include <utility>

#include "content/art/interface_layout.h"
#include "platform/screen_layout.h"
#include "content/loader/game_tables_loader.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"
#include "game/crafting/craft_book.h"
#include "game/crafting/recipe_knowledge.h"
#include "tests/view/inventory/inventory_sprite_fixture.h"
#include "view/inventory/layout_box.h"
#include "world/rules/game.h"
#include "tests/support/screen_layout_reset.h"

namespace sprite_test {
namespace {

// ---- Splitting ----

struct SplitCase {
  const char* name;
  std::vector<std::pair<int, int>> taken;  // cells already holding a rock
  std::pair<int, int> target;
};

TEST_F(SpriteTest, SplittingSevenLeavesFourAndPutsThreeInTheFirstFreeNeighbour) {
  const SplitCase cases[] = {
      {"right free", {}, {3, 2}},
      {"right taken, lower free", {{3, 2}}, {2, 3}},
      {"right and lower taken", {{3, 2}, {2, 3}}, {3, 3}},
      // No free neighbour: the first free cell of the window, column by column.
      {"neighbours taken", {{3, 2}, {2, 3}, {3, 3}, {0, 0}, {0, 1}}, {0, 2}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (int x = 0; x < 6; ++x) {
      for (int y = 0; y < 6; ++y) {
        player.inventory->setSlot(backpack(x, y), nullptr);
      }
    }
    for (const auto& [x, y] : c.taken) put(backpack(x, y), kRock, 1);
    put(backpack(2, 2), kStone, 7);
    sprite(backpack(2, 2))->splitStack();
    EXPECT_EQ(countAt(backpack(2, 2)), 4);
    const SlotRef target = backpack(c.target.first, c.target.second);
    ASSERT_NE(at(target), nullptr);
    EXPECT_EQ(at(target)->id, kStone);
    EXPECT_EQ(countAt(target), 3);
  }
}

TEST_F(SpriteTest, AFullWindowOrASingleUnitIsNotSplit) {
  put(backpack(0, 0), kStone, 1);
  sprite(backpack(0, 0))->splitStack();
  EXPECT_EQ(at(backpack(1, 0)), nullptr);
  for (int x = 0; x < 6; ++x) {
    for (int y = 0; y < 6; ++y) {
      if (x + y > 0) put(backpack(x, y), kRock, 1);
    }
  }
  player.inventory->slotItem(backpack(0, 0))->count = 9;
  sprite(backpack(0, 0))->splitStack();
  EXPECT_EQ(countAt(backpack(0, 0)), 9);
}

TEST_F(SpriteTest, ASplitToolTakesAFullDurability) {
  put(backpack(0, 0), kPick, 2);
  player.inventory->slotItem(backpack(0, 0))->durability = 40;
  sprite(backpack(0, 0))->splitStack();
  ASSERT_NE(at(backpack(1, 0)), nullptr);
  EXPECT_EQ(at(backpack(1, 0))->durability, 100);
  EXPECT_EQ(at(backpack(0, 0))->durability, 40);
}

// ---- Gathering ----

TEST_F(SpriteTest, GatheringPullsTheEightNeighboursOfTheSameItemIntoTheCell) {
  for (int x = 1; x <= 3; ++x) {
    for (int y = 1; y <= 3; ++y) {
      if (x + y < 6) put(backpack(x, y), kStone, 2);
    }
  }
  put(backpack(3, 3), kRock, 5);  // another item stays where it is
  put(backpack(4, 4), kStone, 9);  // not a neighbour
  InventorySprite* centre = sprite(backpack(2, 2));
  InventorySprite* corner = sprite(backpack(1, 1));
  EXPECT_TRUE(centre->gatherStacks());
  EXPECT_EQ(countAt(backpack(2, 2)), 2 + 7 * 2);
  EXPECT_EQ(at(backpack(1, 1)), nullptr);
  EXPECT_EQ(corner->slotItem(), nullptr);
  EXPECT_EQ(countAt(backpack(3, 3)), 5);
  EXPECT_EQ(countAt(backpack(4, 4)), 9);
  EXPECT_FALSE(centre->gatherStacks());
}

// ---- Using up ----

TEST_F(SpriteTest, ConsumingTheLastUnitEmptiesTheSlotAndAToolComesBackFull) {
  put(backpack(0, 0), kPick, 2);
  player.inventory->slotItem(backpack(0, 0))->durability = 3;
  InventorySprite* cell = sprite(backpack(0, 0));
  EXPECT_FALSE(cell->consumeOne());
  EXPECT_EQ(at(backpack(0, 0))->durability, 100);
  EXPECT_TRUE(cell->consumeOne());
  EXPECT_EQ(at(backpack(0, 0)), nullptr);
  EXPECT_FALSE(cell->consumeOne());  // nothing left to use
}

TEST_F(SpriteTest, ModifyChecksByItem) {
  struct Case {
    uint16_t id;
    uint8_t modifier;
    int16_t durability;
    int expected;
  };
  define(410, 1, false);  // an unmodifiable tool
  contentTables().itemDefs[410].tool = contentTables().itemDefs[kPick].tool;
  const Case cases[] = {
      {kPick, 0, -1, 0}, {kPick, 3, -1, 1}, {kPick, 0, 50, 2}, {410, 0, -1, 1}, {kStone, 0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ItemPtr item = newItem(c.id, 0, 1, -1, c.modifier);
    if (c.durability >= 0) item->durability = static_cast<uint16_t>(c.durability);
    player.inventory->setSlot(backpack(0, 0), std::move(item));
    InventorySprite* cell = sprite(backpack(0, 0));
    EXPECT_EQ(cell->modifyCheck(), c.expected);
    EXPECT_EQ(cell->canEncrust(), c.id != kStone && c.modifier == 0);  // tools only
  }
}

// ---- Selection ----

TEST_F(SpriteTest, SelectingACellReturnsEveryOtherSelectedCellOnTheHudToNormal) {
  put(backpack(0, 0), kStone, 1);
  put(backpack(1, 0), kStone, 1);
  InventorySprite* first = sprite(backpack(0, 0));
  InventorySprite* second = sprite(backpack(1, 0));
  InventorySprite* quick = sprite({SlotKind::Quick, 2, 0});
  first->select();
  quick->select();
  EXPECT_FALSE(first->isSelected());
  EXPECT_TRUE(quick->isSelected());
  EXPECT_EQ(quick->elementState(), 54u);
  second->select();
  EXPECT_FALSE(quick->isSelected());
  EXPECT_EQ(quick->elementState(), 53u);
  EXPECT_EQ(first->elementState(), 16u);
  EXPECT_EQ(view.selected, second);
  second->deselect();
  EXPECT_EQ(view.selected, nullptr);
}

TEST_F(SpriteTest, AnEmptiedCellOutsideTheQuickBarLetsGoOfItsSelection) {
  put(backpack(0, 0), kStone, 1);
  InventorySprite* cell = sprite(backpack(0, 0));
  cell->select();
  EXPECT_TRUE(cell->consumeOne()) << "its last one used up";
  EXPECT_FALSE(cell->isSelected());
}

// ---- Tapping ----

TEST_F(SpriteTest, ContainerItemsOpenTheirPanelKind) {
  const std::pair<uint16_t, uint8_t> cases[] = {{1543, 3}, {1863, 3}, {1501, 4}, {1042, 5}, {41, 6}};
  for (const auto& [id, panel] : cases) {
    define(id, 4, true);
    put(backpack(0, 0), id, 1);
    sprite(backpack(0, 0))->onActivate();
    player.inventory->setSlot(backpack(0, 0), nullptr);
  }
  EXPECT_EQ(view.panels, (std::vector<uint8_t>{3, 3, 4, 5, 6}));
}

TEST_F(SpriteTest, AFoundPageTeachesItsEntryOnceAndAWordNamingNoEntryTeachesNothing) {
  installCraftBookEntries({{"Torch", 0, ""}, {"Bed", 0, ""}});
  std::string strings;
  for (int id = 0; id < 115; ++id) strings += "\"\",";
  ASSERT_TRUE(languageTexts().loadText(R"({"strings": [)" + strings + R"("Learned: %s", "You already know %s."]})"));
  define(1502, 4, true);
  player.inventory->setSlot(backpack(0, 0), newItem(1502, 0, 2, 0, 1));    // two pages of entry 1
  player.inventory->setSlot(backpack(1, 0), newItem(1502, 0, 1, 0, 999));  // an entry no book has
  InventorySprite* page = sprite(backpack(0, 0));
  page->onActivate();
  EXPECT_TRUE(player.knowledge->isEntryKnown(1));
  EXPECT_FALSE(player.knowledge->isEntryKnown(0));
  EXPECT_EQ(countAt(backpack(0, 0)), 1);
  page->onActivate();  // the second copy finds the entry known and stays
  EXPECT_EQ(countAt(backpack(0, 0)), 1);
  EXPECT_EQ(view.floated, (std::vector<std::string>{"Learned: Bed", "You already know Bed."}));
  sprite(backpack(1, 0))->onActivate();
  EXPECT_EQ(countAt(backpack(1, 0)), 1);
  EXPECT_EQ(view.floated.size(), 2u);
  installCraftBookEntries({});
  resetLanguageTexts();
}

TEST_F(SpriteTest, ALootBagHandsItsFindToAFreeSlotAndIsUsedUp) {
  define(63, 2, false);  // its fixed drop: 20 to 30 of item 64, always
  define(64, 4, true);
  put({SlotKind::Quick, 1, 0}, 63, 1);
  sprite({SlotKind::Quick, 1, 0})->onActivate();
  EXPECT_EQ(at({SlotKind::Quick, 1, 0}), nullptr);
  const Item* found = at({SlotKind::Quick, 2, 0});
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->id, 64);
  EXPECT_GE(found->count, 20);
  EXPECT_LE(found->count, 30);
  EXPECT_EQ(view.floated.size(), 1u);
}

TEST_F(SpriteTest, WithNoFreeSlotTheBagStaysAndSaysSo) {
  define(63, 2, false);
  define(64, 4, true);
  put({SlotKind::Quick, 1, 0}, 63, 1);
  for (int i = 2; i < 6; ++i) put({SlotKind::Quick, static_cast<uint8_t>(i), 0}, kRock, 1);
  for (int x = 0; x < 6; ++x) {
    for (int y = 0; y < 6; ++y) {
      put(backpack(x, y), kRock, 1);
      if (x < 3 && y < 3) put({SlotKind::CraftGrid, static_cast<uint8_t>(x), static_cast<uint8_t>(y)}, kRock, 1);
    }
  }
  sprite({SlotKind::Quick, 1, 0})->onActivate();
  EXPECT_EQ(countAt({SlotKind::Quick, 1, 0}), 1);
  EXPECT_EQ(view.floated.size(), 1u);
}

// A joined game: its host rolls what a bag holds and sends the find.
class HostRollsBags final : public NullGame {
 public:
  BagRequest openBag(const Item& bag) override {
    opened.push_back(bag.id);
    return answer;
  }
  std::vector<uint16_t> opened;
  BagRequest answer = BagRequest::Sent;
};

TEST_F(SpriteTest, AJoinedPlayersBagIsSpentHereAndRolledByTheHost) {
  define(63, 2, false);
  define(64, 4, true);
  put({SlotKind::Quick, 1, 0}, 63, 1);
  HostRollsBags joined;
  player.game = &joined;  // she plays the joined game
  sprite({SlotKind::Quick, 1, 0})->onActivate();
  player.game = nullptr;
  EXPECT_EQ(joined.opened, std::vector<uint16_t>{63});
  EXPECT_EQ(at({SlotKind::Quick, 1, 0}), nullptr) << "the bag is spent";
  EXPECT_EQ(at({SlotKind::Quick, 2, 0}), nullptr) << "nothing is found here: the host's answer brings the find";
}

// Her joined game finds no room for what the bag may hold: the bag stays and the sprite says so,
// as alone.
TEST_F(SpriteTest, AJoinedPlayersBagWithNoRoomStaysAndSaysSo) {
  define(63, 2, false);
  define(64, 4, true);
  put({SlotKind::Quick, 1, 0}, 63, 1);
  HostRollsBags joined;
  joined.answer = GameHostRequests::BagRequest::NoRoom;
  player.game = &joined;
  sprite({SlotKind::Quick, 1, 0})->onActivate();
  player.game = nullptr;
  EXPECT_EQ(countAt({SlotKind::Quick, 1, 0}), 1) << "the bag was spent";
  EXPECT_EQ(view.floated.size(), 1u);
  EXPECT_EQ(at({SlotKind::Quick, 2, 0}), nullptr) << "it was rolled here";
}

// A joined game: its host keeps her knowledge and learns what her pages teach from her report.
class HostLearnsEntries final : public NullGame {
 public:
  void reportItemLearned(uint16_t entry) override { reported.push_back(entry); }
  std::vector<uint16_t> reported;
};

TEST_F(SpriteTest, AJoinedPlayersFoundPageIsReportedToTheHostOnce) {
  installCraftBookEntries({{"Torch", 0, ""}, {"Bed", 0, ""}});
  define(1502, 4, true);
  player.inventory->setSlot(backpack(0, 0), newItem(1502, 0, 2, 0, 1));
  HostLearnsEntries joined;
  player.game = &joined;
  sprite(backpack(0, 0))->onActivate();
  sprite(backpack(0, 0))->onActivate();  // known now: nothing more to tell
  player.game = nullptr;
  EXPECT_TRUE(player.knowledge->isEntryKnown(1));
  EXPECT_EQ(joined.reported, std::vector<uint16_t>{1});
  installCraftBookEntries({});
}

// ---- The durability bar ----

TEST_F(SpriteTest, AQuickSlotToolsBarColumnStepsFromFullToNone) {
  const std::pair<uint16_t, float> cases[] = {{100, 357}, {50, 389}, {99, 361}, {1, 417}, {0, 417}};
  for (const auto& [durability, column] : cases) {
    put({SlotKind::Quick, 1, 0}, kPick, 1);
    player.inventory->slotItem({SlotKind::Quick, 1, 0})->durability = durability;
    InventorySprite* quick = sprite({SlotKind::Quick, 1, 0});
    ASSERT_NE(quick->durabilityBar(), nullptr);
    EXPECT_EQ(quick->durabilityBar()->getTextureRect().origin.x, column) << durability;
    // The marker frame stands beside the bar while the tool has any durability left.
    EXPECT_EQ(quick->marker() != nullptr, durability != 0) << durability;
  }
  // Only the quick bar shows wear, and only for what wears.
  put(backpack(0, 0), kPick, 1);
  EXPECT_EQ(sprite(backpack(0, 0))->durabilityBar(), nullptr);
  put({SlotKind::Quick, 2, 0}, kStone, 1);
  EXPECT_EQ(sprite({SlotKind::Quick, 2, 0})->durabilityBar(), nullptr);
}

TEST_F(SpriteTest, AStackOfOneShowsNoCountAndAModifiedToolItsMark) {
  put(backpack(0, 0), kStone, 1);
  InventorySprite* cell = sprite(backpack(0, 0));
  EXPECT_NE(cell->icon(), nullptr);
  EXPECT_EQ(cell->mark(), nullptr);
  player.inventory->setSlot(backpack(1, 0), newItem(kPick, 0, 1, -1, 3));
  InventorySprite* tool = sprite(backpack(1, 0));
  ASSERT_NE(tool->mark(), nullptr);
  EXPECT_EQ(tool->mark()->getTextureRect(), art::uiSpriteRect(art::kModifierMarkSprite, 3));
}

TEST_F(SpriteTest, ACarriedAnimalShowsItsSexInTheLowerRightCorner) {
  GameTables tables;
  tables.mobItems = MobItemTable({MobItemRow{.mob = 40, .item = kStone, .sex = 1},
                                  MobItemRow{.mob = 41, .item = kPick, .sex = mob_items::kNoSex}});
  setGameTables(std::move(tables));
  put(backpack(0, 0), kStone, 1);
  put(backpack(1, 0), kPick, 1);
  InventorySprite* female = sprite(backpack(0, 0));
  InventorySprite* unsexed = sprite(backpack(1, 0));
  resetGameTables();
  ASSERT_NE(female->mark(), nullptr);
  EXPECT_EQ(female->mark()->getTextureRect(), art::kMobItemMarks[1]);
  EXPECT_EQ(female->mark()->getPosition(), female->getPosition() + engine::Vec2(5, -6) * female->getScale());
  ASSERT_NE(unsexed->mark(), nullptr);
  EXPECT_EQ(unsexed->mark()->getTextureRect(), art::kMobItemMarks[2]);
}

TEST_F(SpriteTest, AWindowLayoutPlacesTheCellAtTheScaledPointOfItsRelativePosition) {
  screenLayout().uiScale = 2;
  const LayoutBox window{engine::Vec2(10, 20), engine::Size(100, 50), true, false};
  const std::pair<LayoutBox, engine::Vec2> cases[] = {
      {window, {120, 90}},
      {{window.origin, window.size, true, true}, {20, 40}},    // counted from the centre
      {{window.origin, window.size, false, false}, {60, 45}},  // plain points
  };
  for (const auto& [box, point] : cases) EXPECT_EQ(layoutPointXY(box, 0.5f, 0.5f), point);
  InventorySprite* cell = InventorySprite::createForSlot(&player, backpack(0, 0), engine::Vec2(0.5f, 0.5f), &window);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->getPosition(), engine::Vec2(120, 90));
  EXPECT_EQ(cell->layout(), &window);
  EXPECT_FLOAT_EQ(cell->getScale(), 2);
  resetScreenLayout();
}

}  // namespace
}  // namespace sprite_test
