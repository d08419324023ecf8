#include <gtest/gtest.h>

#include "tests/world/world_recorders.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

class HostEditTest : public EditWorldTest {};

TEST_F(HostEditTest, CuttingACircuitPartDropsItsItemsOutsideCreativeWorlds) {
  const struct {
    uint8_t kind;
    std::vector<uint16_t> items;
  } cases[] = {{2, {1616, 1872}}, {5, {1554}}, {25, {1615}}, {16, {}}, {0, {}}};
  for (const auto& c : cases) {
    rules.drops.clear();
    setCircuitKind(at(3, 3), c.kind);
    apply(edit(ek::kCircuitPartRemoved, 3, 3));
    ASSERT_EQ(rules.drops.size(), c.items.size()) << int(c.kind);
    for (size_t i = 0; i < c.items.size(); ++i) {
      EXPECT_EQ(rules.drops[i].id, c.items[i]);
      EXPECT_EQ(rules.dropKinds[i], 7);
    }
  }
  WorldParams creative;
  creative.mode = 1;
  makeWorld(creative);
  rules.drops.clear();
  setCircuitKind(at(3, 3), 2);
  apply(edit(ek::kCircuitPartRemoved, 3, 3));
  EXPECT_TRUE(rules.drops.empty());
  world->circuits().step();
  EXPECT_EQ(circuitKind(at(3, 3)), 0);
}

TEST_F(HostEditTest, RemovingADecorationBySlotDropsItsLootOnTheHostOnly) {
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

TEST_F(HostEditTest, OpeningACellWakesWhatRestsAboveIt) {
  put(3, 3, kDirt);
  apply(edit(ek::kSetLayerBlock, 4, 3, kTorch));  // stays open: no wake
  EXPECT_TRUE(effects.woken.empty());
  BlockEdit remove = edit(ek::kRemoveLayer, 3, 3);
  apply(remove);
  ASSERT_EQ(effects.woken.size(), 1u);
  EXPECT_EQ(effects.woken[0].x, 3);
}

TEST_F(HostEditTest, BreakingWithDropsLetsTheAttachmentsFallAndMayGiveTheBonusItem) {
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
      EXPECT_EQ(rules.drops[0].id, 1502);
      EXPECT_EQ(rules.drops[0].word, 0x1234u);
      ++bonus;
    }
  }
  EXPECT_GT(bonus, 5);
  EXPECT_LT(bonus, 35);

  rules.attachmentLootLayers.clear();
  remove.extra = 0;
  apply(remove);
  EXPECT_TRUE(rules.attachmentLootLayers.empty()) << "a removal without drops";
}

}  // namespace
