// The decoration rule of item placement: the side a decoration takes by what the cell holds and
// accepts, flower pots on empty item shelves only, and the refusals the player is shown.

#include "game/rules/flower_pot_rule.h"
#include "game/rules/item_placement_rules.h"
#include "tests/game/game_fixture.h"
#include "world/edits/edit_kind.h"
#include "world/placement/placement_checks.h"

namespace game_test {
namespace {

using world_test::bits;
using world_test::kDirt;
using world_test::kGlass;

// Blocks and the items that place them.
constexpr uint16_t kChest = 213;  // a chest of the content's chest table
constexpr uint16_t kForge = 33;
constexpr uint16_t kLock = 214;
constexpr uint16_t kHolder = 50, kLinked = 51;     // accepts linked decorations; one of them
constexpr uint16_t kFrame = 52, kSpecial = 53;     // accepts special decorations; one of them
constexpr uint16_t kSeedPlant = 54;                // a plant with seeds
constexpr uint16_t kPainting = 55;                 // a plain decoration
constexpr uint16_t kFrontOnly = 56;                // a decoration that never goes on the back
constexpr uint16_t kPot = 2212;
constexpr uint16_t kItemShelf = 210, kClothesStand = 320;
// The item that places each decoration block (the lock has its own).
constexpr uint16_t kDecorations[] = {kLinked, kSpecial, kPainting, kFrontOnly, kPot};
constexpr uint16_t itemFor(uint16_t block) {
  uint16_t item = 3000;
  for (uint16_t d : kDecorations) {
    if (d == block) return item;
    ++item;
  }
  return 0;
}

class FlowerPotRuleTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    shape(kChest, {.flags = bits({23}), .transparency = 0});
    shape(kForge, {.flags = bits({23}), .transparency = 0});
    shape(kLock, {.transparency = 2});
    shape(kHolder, {.flags = bits({37}), .transparency = 0});
    shape(kLinked, {.flags = bits({38}), .transparency = 2});
    shape(kFrame, {.flags = bits({40}), .transparency = 0});
    shape(kSpecial, {.flags = bits({39}), .transparency = 2});
    shape(kSeedPlant, {.flags = bits({49}), .transparency = 1});
    shape(kPainting, {.transparency = 2});
    shape(kFrontOnly, {.transparency = 3});
    shape(kPot, {.variantCount = 2, .transparency = 2});
    shape(kItemShelf, {.flags = bits({41}), .transparency = 1});
    shape(kClothesStand, {.flags = bits({41}), .transparency = 1});
    placing(flower_pot_rule::kLockItem, kLock);
    for (uint16_t block : kDecorations) placing(itemFor(block), block);
  }
  BlockEdit place(MapBlock& cell, uint16_t itemId) {
    Item item;
    item.id = itemId;
    item.count = 1;
    return checkFlowerPotPlacement(*world, *player, cell, item);
  }
  // The refusal effect shown at the cell, once.
  void expectRefusedAt(const MapBlock& cell) {
    ASSERT_EQ(events.effects.size(), 1u);
    EXPECT_EQ(events.effects[0].x, cell.x);
    EXPECT_EQ(events.effects[0].kind, 13);
  }
};

constexpr uint8_t kNone = placement_rule::kNoEdit;
constexpr uint8_t kFront = MapBlock::kFront, kBack = MapBlock::kBack;

TEST_F(FlowerPotRuleTest, TheSideFollowsWhatTheCellHoldsAndAccepts) {
  struct Deco {
    uint16_t id;
    uint8_t side;
  };
  struct Case {
    const char* name;
    uint16_t front, back;
    Deco deco;  // id 0: none
    uint16_t item;
    uint8_t kind, layer;
  };
  const uint16_t lock = flower_pot_rule::kLockItem;
  const Case cases[] = {
      {"lock on a chest", kChest, 0, {}, lock, edit_kind::kAttach, kFront},
      {"lock on a forge", kForge, 0, {}, lock, edit_kind::kAttach, kFront},
      {"linked decoration on its holder", kHolder, 0, {}, itemFor(kLinked), edit_kind::kAttach, kFront},
      {"linked decoration in glass before dirt", kGlass, kDirt, {}, itemFor(kLinked), kNone, 0},
      {"special on a frame", kFrame, 0, {}, itemFor(kSpecial), edit_kind::kAttach, kFront},
      {"special on a frame behind", 0, kFrame, {}, itemFor(kSpecial), edit_kind::kAttach, kBack},
      {"special on nothing", 0, 0, {}, itemFor(kSpecial), kNone, 0},
      {"special on a framed back decoration", 0, kDirt, {kFrame, kBack}, itemFor(kSpecial), edit_kind::kAttach, kBack},
      {"special on a plain back", 0, kDirt, {}, itemFor(kSpecial), kNone, 0},
      {"special on a framed front decoration", kDirt, 0, {kFrame, kFront}, itemFor(kSpecial), edit_kind::kAttach, kFront},
      {"special on a plain front", kDirt, 0, {}, itemFor(kSpecial), kNone, 0},
      {"special on a seed plant", kSeedPlant, 0, {kFrame, kFront}, itemFor(kSpecial), kNone, 0},
      {"painting on dirt", kDirt, 0, {}, itemFor(kPainting), edit_kind::kAttach, kFront},
      {"painting behind glass", kGlass, kGlass, {}, itemFor(kPainting), edit_kind::kAttach, kBack},
      {"painting in glass before dirt", kGlass, kDirt, {}, itemFor(kPainting), kNone, 0},
      {"pot on an empty item shelf", kItemShelf, 0, {}, itemFor(kPot), edit_kind::kAttach, kFront},
  };
  int32_t x = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapBlock& cell = at(x++, 5);
    cell.setLayer(c.front, 0, kFront);
    cell.setLayer(c.back, 0, kBack);
    if (c.deco.id != 0) cell.addDeco(c.deco.id, 0, c.deco.side);
    const BlockEdit edit = place(cell, c.item);
    EXPECT_EQ(edit.kind, c.kind);
    if (c.kind == kNone) continue;
    EXPECT_EQ(edit.layer, c.layer);
    EXPECT_EQ(edit.x, cell.x);
    EXPECT_EQ(itemFor(edit.blockId) == c.item || (c.item == lock && edit.blockId == kLock), true);
  }
  EXPECT_TRUE(events.messages.empty());
  EXPECT_TRUE(events.texts.empty());
  EXPECT_TRUE(events.effects.empty());
}

TEST_F(FlowerPotRuleTest, APotNeedsAnEmptyShelfForItems) {
  const struct {
    const char* name;
    uint16_t front;
    uint16_t deco;
  } cases[] = {{"clothing stand", kClothesStand, 0}, {"shelf already decorated", kItemShelf, kPainting},
               {"no shelf", kDirt, 0}};
  int32_t x = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    events = {};
    MapBlock& cell = at(x++, 5);
    cell.setLayer(c.front, 0, kFront);
    if (c.deco != 0) cell.addDeco(c.deco, 0, kFront);
    EXPECT_EQ(place(cell, itemFor(kPot)).kind, kNone);
    EXPECT_EQ(events.messages, (RecordingEvents::Messages{{3, placement_text::kPotNeedsEmptyShelf}}));
    expectRefusedAt(cell);
  }
}

TEST_F(FlowerPotRuleTest, AFrontOnlyDecorationIsRefusedOnTheBack) {
  MapBlock& cell = at(4, 5);
  cell.setLayer(kGlass, 0, kFront);
  cell.setLayer(kGlass, 0, kBack);
  EXPECT_EQ(place(cell, itemFor(kFrontOnly)).kind, kNone);
  ASSERT_EQ(events.texts.size(), 1u);
  EXPECT_EQ(events.texts[0].id, 112);
  expectRefusedAt(cell);
  cell.setLayer(kDirt, 0, kFront);
  EXPECT_EQ(place(cell, itemFor(kFrontOnly)).layer, kFront);
  EXPECT_EQ(events.texts.size(), 1u);
  EXPECT_TRUE(events.messages.empty());
}

}  // namespace
}  // namespace game_test
