// Cell changes as host and client apply them: layers, decorations, states, circuits, liquids and
// blasts, and what only the host's edits do besides (drops, loot, waking what rests above).

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/world/world_recorders.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"
#include "world/explosions/explosion_system.h"
#include "world/light/light_map.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

constexpr uint16_t kSwitchPart = 700;  // a circuit component with the output flag: kind 17
constexpr uint16_t kPaper = 701;       // may not stand in water

class CellChangeTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    defineBlock(kSwitchPart, {.flags = bits({45, 21}), .transparency = 1});
    defineBlock(kPaper, {.flags = bits({14}), .transparency = 1});
    makeWorld(WorldParams{});
  }
};

TEST_F(CellChangeTest, SettingALayerPlaysThePlacedSoundAndRegistersComponents) {
  BlockEdit e = edit(ek::kSetLayerBlock, 3, 4, kSwitchPart);
  e.state = 5;
  EXPECT_EQ(apply(e).bits & refresh_bit::kShadows, refresh_bit::kShadows);
  EXPECT_EQ(at(3, 4).blockState(), 5);
  EXPECT_EQ(circuitKind(at(3, 4)), 17);
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(std::tie(sounds.played[0].id, sounds.played[0].value), std::tuple(5, kSwitchPart));
}

TEST_F(CellChangeTest, ATorchSetAsABlockItemLightsAroundItAndTakesItsLightAwayWhenRemoved) {
  world->map().lightMap().relightAll();
  // Placed as a block item (the first rule a click tries), the torch lights at once.
  const EditResult placed = apply(edit(ek::kSetLayerBlock, 3, 4, kTorch));
  EXPECT_EQ(placed.bits & refresh_bit::kLight, refresh_bit::kLight);
  EXPECT_TRUE(at(3, 4).hasFlag(cell_flag::kEmitsLight));
  EXPECT_EQ(at(3, 4).lightColour(), 0x08F);
  EXPECT_EQ(at(4, 4).lightColour(), 0x06D) << "a step through open air loses 2 per channel";
  EXPECT_EQ(at(3, 6).lightColour(), 0x04B);
  apply(edit(ek::kRemoveLayer, 3, 4));
  EXPECT_EQ(at(4, 4).lightColour(), 0);
  EXPECT_EQ(at(3, 6).lightColour(), 0);
}

TEST_F(CellChangeTest, RemovingAColumnsTopBlockBringsItsTopDownToTheNextBlockBelow) {
  for (int32_t y = 2; y <= 8; ++y) put(5, y, kDirt);
  put(5, 4, 0);  // a pocket under the top three blocks
  world->map().computeSurfaceHeights();
  ASSERT_EQ(world->map().topHeight(5), 9);

  apply(edit(ek::kRemoveLayer, 5, 6));  // below the top: the column's top stays
  EXPECT_EQ(world->map().topHeight(5), 9);
  for (const int32_t y : {8, 7}) apply(edit(ek::kRemoveLayer, 5, y));
  EXPECT_EQ(world->map().topHeight(5), 6) << "down past the dug cells and the emptied one";
  BlockEdit back = edit(ek::kRemoveLayer, 5, 5);
  back.layer = MapBlock::kBack;
  apply(back);  // a back block never stood in the column's way
  EXPECT_EQ(world->map().topHeight(5), 6);
  apply(edit(ek::kRemoveLayer, 5, 5));
  EXPECT_EQ(world->map().topHeight(5), 4) << "past the pocket to the next block";

  const std::vector<uint16_t> kept = world->map().topHeights();
  world->map().computeSurfaceHeights();
  EXPECT_EQ(world->map().topHeights(), kept) << "a map of plain blocks read again finds the same";
}

TEST_F(CellChangeTest, RemovingTheFrontForgetsItsComponentAndTheBackKeepsWires) {
  apply(edit(ek::kSetLayerBlock, 3, 4, kSwitchPart));
  apply(edit(ek::kRemoveLayer, 3, 4));
  world->circuits().step();  // the component leaves in the circuits' next step
  EXPECT_EQ(circuitKind(at(3, 4)), 0);

  BlockEdit back = edit(ek::kRemoveLayer, 6, 4);
  back.layer = MapBlock::kBack;
  for (uint8_t kind : {15, 3}) {  // wires stay; any other part goes
    setCircuitKind(at(6, 4), kind);
    apply(back);
    world->circuits().step();
    EXPECT_EQ(circuitKind(at(6, 4)), kind == 3 ? 0 : kind) << int(kind);
  }
}

TEST_F(CellChangeTest, DecorationsAreSetAndRemovedBySlotOrById) {
  BlockEdit set = edit(ek::kSetDeco, 2, 2, 300);
  set.slot = 2;
  set.variant = 5;
  set.layer = 1;
  apply(set);
  EXPECT_EQ(at(2, 2).decos[2], map_deco::make(300, 5, 1));

  at(2, 2).decos[1] = map_deco::make(300, 0, 0);  // other side: stays
  BlockEdit byId = edit(ek::kRemoveDeco, 2, 2, 300);
  byId.slot = 255;
  byId.layer = 1;
  apply(byId);
  EXPECT_EQ(map_deco::id(at(2, 2).decos[1]), 300);
  EXPECT_TRUE(map_deco::empty(at(2, 2).decos[2]));
}

// A part's setting reaches the circuit system, and cutting the part frees its memory.
TEST_F(CellChangeTest, CircuitPartsAndSettingsReachTheCircuitSystem) {
  BlockEdit set = edit(ek::kCircuitPartSet, 1, 1);
  set.setValueByte(0, 23);  // a truth table
  EXPECT_EQ(apply(set).bits, refresh_bit::kCell);
  BlockEdit setting = edit(ek::kCircuitSetting, 1, 1);
  setting.setValueByte(0, 2);  // tag 2: the table byte
  setting.setValueByte(2, 0xA5);
  apply(setting);
  EXPECT_EQ(world->circuits().getCellConfig(at(1, 1)), (CircuitRecord{2, 0, 0xA5, 0}));

  EXPECT_EQ(apply(edit(ek::kCircuitPartRemoved, 1, 1)).bits, refresh_bit::kCell);
  EXPECT_EQ(world->circuits().findMemory(at(1, 1)), nullptr);
  world->circuits().step();
  EXPECT_EQ(circuitKind(at(1, 1)), 0);
}

TEST_F(CellChangeTest, ASourceStartsItsLiquidThroughTheGameAndStopsIt) {
  BlockEdit start = edit(ek::kLiquidStarts, 4, 4);
  start.setValueByte(0, 0x40 | 0x07);  // water
  apply(start);
  EXPECT_TRUE(at(4, 4).hasFlag(cell_flag::kLiquidSource));
  EXPECT_EQ(at(4, 4).liquid, 0x40 + 0x24);

  apply(edit(ek::kLiquidStops, 4, 4));
  EXPECT_FALSE(at(4, 4).hasFlag(cell_flag::kLiquidSource));
  EXPECT_EQ(at(4, 4).liquid, 0);
}

TEST_F(CellChangeTest, WaterDissolvesABlockThatCannotStandInItAndLavaLightsTheCell) {
  put(4, 4, kPaper);
  BlockEdit water = edit(ek::kLiquidArrives, 4, 4);
  water.setValueByte(0, 0x40 | 0x3F);
  apply(water);
  EXPECT_EQ(at(4, 4).frontId(), 0);

  BlockEdit lava = edit(ek::kLiquidArrives, 6, 4);
  lava.setValueByte(0, 0x80 | 0x3F);
  EXPECT_EQ(apply(lava).bits, refresh_bit::kCell | refresh_bit::kLight);

  BlockEdit leaves = edit(ek::kLiquidLeaves, 6, 4);
  leaves.setValueByte(1, static_cast<uint8_t>(LiquidKind::Lava));
  EXPECT_EQ(apply(leaves).bits, refresh_bit::kCell | refresh_bit::kLight);
  EXPECT_EQ(rules.fishingEnded, 1);
}

TEST_F(CellChangeTest, BreakEffectsPlayTheSoundAndShowThirtyPieces) {
  put(5, 5, kDirt, 1);
  EXPECT_EQ(apply(edit(ek::kBreakEffects, 5, 5)).bits, refresh_bit::kCell);
  EXPECT_EQ(sounds.played.size(), 1u);
  ASSERT_EQ(effects.debris.size(), 1u);
  EXPECT_EQ(at(5, 5).frontId(), kDirt) << "the effects alone leave the block";
}

TEST_F(CellChangeTest, CuttingACircuitPartDropsItsItemsOutsideCreativeWorlds) {
  setCircuitKind(at(3, 3), 2);
  apply(edit(ek::kCircuitPartRemoved, 3, 3));
  ASSERT_EQ(rules.drops.size(), 2u);
  EXPECT_EQ(rules.drops[1].id, 1872);
  WorldParams creative;
  creative.mode = 1;
  makeWorld(creative);
  rules.drops.clear();
  setCircuitKind(at(3, 3), 2);
  apply(edit(ek::kCircuitPartRemoved, 3, 3));
  EXPECT_TRUE(rules.drops.empty());
}

TEST_F(CellChangeTest, RemovingADecorationBySlotDropsItsLootOnTheHostOnly) {
  at(3, 3).decos[1] = map_deco::make(300, 0, 0);
  BlockEdit e = edit(ek::kRemoveDeco, 3, 3);
  e.slot = 1;
  world->applyCellChange(e, nullptr);
  EXPECT_TRUE(rules.lootOf.empty()) << "a client applies the host's copy without the rules";
  at(3, 3).decos[1] = map_deco::make(300, 0, 0);
  apply(e);
  ASSERT_EQ(rules.lootOf.size(), 1u);
  EXPECT_EQ(rules.lootOf[0], 300);
}

TEST_F(CellChangeTest, BreakingWithDropsLetsTheAttachmentsFallAndMayGiveTheBonusItem) {
  put(3, 3, 103);
  BlockEdit remove = edit(ek::kRemoveLayer, 3, 3);
  remove.extra = 15;
  apply(remove);
  EXPECT_EQ(rules.attachmentLootLayers, std::vector<uint8_t>{0});
  EXPECT_TRUE(rules.drops.empty()) << "no actor, no bonus";

  rules.bonusValue = 0x1234;
  int bonus = 0;
  for (int i = 0; i < 40; ++i) {
    put(3, 3, 103);
    rules.drops.clear();
    world->applyBlockEdit(remove, reinterpret_cast<PlayerBase*>(&rules));  // any non-null actor
    if (!rules.drops.empty()) {
      EXPECT_EQ(rules.drops[0].word, 0x1234u);
      ++bonus;
    }
  }
  EXPECT_GT(bonus, 5);
  EXPECT_LT(bonus, 35);
}

}  // namespace
