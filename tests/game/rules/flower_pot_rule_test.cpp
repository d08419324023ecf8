// The item placement rules: the layer a block item takes, what an attachment needs of the cell,
// the seed's gene word, and the decoration rule: the side a decoration takes by what the cell
// holds and accepts, flower pots on empty item shelves only, and the refusals the player is shown.

#include "game/rules/flower_pot_rule.h"
#include "game/rules/item_placement_rules.h"
#include "tests/game/game_fixture.h"
#include "world/edits/edit_kind.h"
#include "world/placement/placement_checks.h"
#include "world/seams/entity_effects.h"

namespace game_test {
namespace {

using world_test::bits;
using world_test::kDirt;
using world_test::kGlass;

// Blocks and the items that place them.
constexpr uint16_t kChest = 213;  // a chest of the content's chest table
constexpr uint16_t kLock = 214;
constexpr uint16_t kLinked = 51;                   // a linked decoration
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
    shape(kLock, {.transparency = 2});
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
      {"linked decoration in glass before dirt", kGlass, kDirt, {}, itemFor(kLinked), kNone, 0},
      {"special on a frame behind", 0, kFrame, {}, itemFor(kSpecial), edit_kind::kAttach, kBack},
      {"special on a framed back decoration", 0, kDirt, {kFrame, kBack}, itemFor(kSpecial), edit_kind::kAttach, kBack},
      {"special on a plain front", kDirt, 0, {}, itemFor(kSpecial), kNone, 0},
      {"special on a seed plant", kSeedPlant, 0, {kFrame, kFront}, itemFor(kSpecial), kNone, 0},
      {"painting behind glass", kGlass, kGlass, {}, itemFor(kPainting), edit_kind::kAttach, kBack},
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
  } cases[] = {{"clothing stand", kClothesStand, 0},
               {"shelf already decorated", kItemShelf, kPainting}};
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
}

using world_test::kDirt;
using world_test::kGlass;

// The world's entities: one stands in cell (5, 5).
class StandingEntity final : public EntityEffects {
 public:
  void wakeEntitiesAbove(MapBlock&) override {}
  void spawnCutDebris(uint16_t, uint8_t, bool, uint32_t, engine::Vec2, MapBlock&, uint8_t) override {}
  EntityId idOf(const Entity*) override { return kNoEntity; }
  Entity* entityById(EntityId) override { return nullptr; }
  bool blocksPlacementIn(const MapBlock& cell) override { return cell.x == 5 && cell.y == 5; }
};

class ItemPlacementRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    placing(kBrick, kDirt);
    placing(kPane, kGlass);
    placing(kTorchItem, kTorchBlock);
    placing(placement_rule::kSeedItem, kSprout);
    world->map().mutableProps().mutableRow(kDirt).variantCount = 3;
    shape(kTorchBlock, {.flags = world_test::bits({46}), .transparency = 2});
    shape(kSprout, {.variantCount = 4, .transparency = 2});
  }
  static constexpr uint16_t kBrick = 110, kPane = 111, kTorchItem = 112;
  static constexpr uint16_t kTorchBlock = 40, kSprout = 41;
};

TEST_F(ItemPlacementRulesTest, ABlockItemTakesTheLayerTheCellAndSideAllow) {
  put(3, 5, kDirt);
  at(4, 5).setLayer(kDirt, 0, MapBlock::kBack);
  const struct {
    int32_t x, y;
    uint8_t side;
    uint8_t kind, layer;
  } cases[] = {
      {2, 5, placement_rule::kSideAny, edit_kind::kSetLayerBlock, MapBlock::kBack},   // open: the back first
      {2, 5, placement_rule::kSideBack, edit_kind::kSetLayerBlock, MapBlock::kBack},
      {2, 5, placement_rule::kSideFront, edit_kind::kSetLayerBlock, MapBlock::kFront},
      {3, 5, placement_rule::kSideAny, placement_rule::kNoEdit, 0},                 // front taken
      {4, 5, placement_rule::kSideFront, edit_kind::kSetLayerBlock, MapBlock::kFront},
      {4, 5, placement_rule::kSideBack, placement_rule::kNoEdit, 0},                // back taken
      {5, 5, placement_rule::kSideAny, placement_rule::kNoEdit, 0},                 // an entity stands there
  };
  StandingEntity entity;
  WorldContext standing = worldContext();
  standing.effects = &entity;
  world->setContext(standing);
  for (const auto& c : cases) {
    const BlockEdit edit = placeBlockItemRule(*world, at(c.x, c.y), c.side, Item(kBrick, 0, 1, 0, 0));
    EXPECT_EQ(edit.kind, c.kind) << c.x << " side " << int{c.side};
    if (edit.kind == placement_rule::kNoEdit) continue;
    EXPECT_EQ(edit.layer, c.layer);
    EXPECT_EQ(edit.blockId, kDirt);
    EXPECT_LT(edit.variant, 3);
  }
  EXPECT_EQ(placeBlockItemRule(*world, at(2, 5), placement_rule::kSideAny, Item(kStone, 0, 1, 0, 0)).kind,
            placement_rule::kNoEdit);
  // Another world beside it has its own entities: nothing stands in its cell (5, 5).
  std::unique_ptr<World> beside = World::create(&difficulty, WorldParams{}, kWidth, kHeight, worldContext());
  beside->map().mutableProps().mutableRow(kDirt).variantCount = 3;
  EXPECT_EQ(placeBlockItemRule(*beside, *beside->cellAt(5, 5), placement_rule::kSideAny, Item(kBrick, 0, 1, 0, 0)).kind,
            edit_kind::kSetLayerBlock);
  world->setContext(worldContext());
}

TEST_F(ItemPlacementRulesTest, AnAttachmentNeedsAReplaceableOrSolidFrontOrASolidBlock) {
  put(6, 5, kSprout);  // a decoration-like front block: neither replaceable nor solid
  EXPECT_EQ(placeAttachmentRule(*world, *player, at(6, 5), Item(kTorchItem, 0, 1, 0, 0)).kind, placement_rule::kNoEdit);
  EXPECT_EQ(placeAttachmentRule(*world, *player, at(6, 5), Item(kPane, 0, 1, 0, 0)).kind, edit_kind::kPlace);
  player->setCellCoordinates(10, 5);
  const BlockEdit right = placeAttachmentRule(*world, *player, at(12, 6), Item(kTorchItem, 0, 1, 0, 0));
  EXPECT_EQ(right.kind, edit_kind::kPlace);
  EXPECT_EQ(right.extra, 4);
  EXPECT_EQ(placeAttachmentRule(*world, *player, at(8, 6), Item(kTorchItem, 0, 1, 0, 0)).extra, 0);
}

TEST_F(ItemPlacementRulesTest, ASeedCarriesItsGeneWord) {
  const BlockEdit edit = placeAttachmentRule(*world, *player, at(12, 6), Item(placement_rule::kSeedItem, 0, 1, 0, 0xABCD1234));
  EXPECT_EQ(edit.kind, edit_kind::kPlace);
  EXPECT_EQ(edit.blockId, kSprout);
  EXPECT_EQ(edit.extra, 0x1234);
}

}  // namespace
}  // namespace game_test
