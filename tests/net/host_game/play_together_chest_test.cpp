// A chest's slot holds what the host says it holds, over real ENet on 127.0.0.1: a joined player
// who names a pickaxe with a word of her choosing stores nothing, and one who rewrites a slot with
// the same item and count, a mended pickaxe with another word, finds the stored stack unchanged; a
// stack she puts in is the host's copy of hers. Her page steps move the host's chest, never before
// its first slot nor past its last page.

#include <gtest/gtest.h>

#include <utility>

#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

using PlayTogetherChest = PlayTogether;

// A chest of the content's chest table: what a player right-clicks to open it.
constexpr uint16_t kChestBlock = 213;

TEST_P(PlayTogetherChest, ASlotRewrittenWithBetterFieldsKeepsTheStoredStack) {
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  tool->durability = 3;
  const uint16_t id = tool->id;
  const uint32_t ownWord = tool->word;
  carryTool(*ann, 3, std::move(tool));
  MapBlock& chestCell = *hostWorld->cellAt(column + 1, ground->y + 1);
  // The chest block stands on the cell on every machine, as a placed chest does.
  for (World* world : {hostWorld, ann->world(), bo->world()}) {
    MapBlock* there = world->cellAt(chestCell.x, chestCell.y);
    there->front = static_cast<uint16_t>(block_word::kLayerMark | kChestBlock);
  }
  Chest& chest = hostWorld->chests().add(std::make_unique<Chest>(chestCell, Chest::SlotCount{8}));
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(ann->player().openContainer()) != nullptr; }));

  const auto putInSlot = [&](uint16_t durability, uint32_t word) {
    Item forged(id, 0, 1, 0, 0);
    forged.durability = durability;
    forged.word = word;
    wire::WireOut out = wire::clientMessage(wire::ChestMsg::ChestSlot);
    out.cell(chestCell.x, chestCell.y).u8(0).item(&forged);
    ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  };
  // Named with a word of her choosing, it is not hers: nothing goes in.
  putInSlot(3, 0x11223344u);
  settle();
  EXPECT_EQ(chest.itemAt(0), nullptr);
  // In it goes, named mended: the chest holds her worn pickaxe, the host's copy of it.
  putInSlot(999, ownWord);
  ASSERT_TRUE(runUntil([&] { return chest.itemAt(0) != nullptr; }));
  EXPECT_EQ(chest.itemAt(0)->durability, 3);
  EXPECT_EQ(chest.itemAt(0)->word, ownWord);
  // The same slot again, the same item and count, better fields: nothing changes.
  putInSlot(998, 0x55667788u);
  settle();
  ASSERT_NE(chest.itemAt(0), nullptr);
  EXPECT_EQ(chest.itemAt(0)->durability, 3);
  EXPECT_NE(chest.itemAt(0)->word, 0x55667788u);
  EXPECT_EQ(onHost(kAnn).items().countOf(id), 0u) << "the pickaxe left her items once";
}

TEST_P(PlayTogetherChest, PageStepsMoveTheHostsChestWithinItsSlots) {
  MapBlock& chestCell = *hostWorld->cellAt(column + 1, ground->y + 1);
  MapBlock& otherCell = *hostWorld->cellAt(column + 3, ground->y + 1);
  for (World* world : {hostWorld, ann->world(), bo->world()}) {
    for (const MapBlock* chestOn : {&chestCell, &otherCell}) {
      world->cellAt(chestOn->x, chestOn->y)->front = static_cast<uint16_t>(block_word::kLayerMark | kChestBlock);
    }
  }
  Chest& chest = hostWorld->chests().add(std::make_unique<Chest>(chestCell, Chest::SlotCount{30}));
  Chest& other = hostWorld->chests().add(std::make_unique<Chest>(otherCell, Chest::SlotCount{30}));
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(ann->player().openContainer()) != nullptr; }));
  const auto step = [&](const MapBlock& cell, int8_t by) {
    wire::WireOut out = wire::clientMessage(wire::ChestMsg::ChestPage);
    out.cell(cell.x, cell.y).u8(static_cast<uint8_t>(by));
    ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  };
  // Her steps arrive in order: each wait on an offset the honest steps reach also shows what the
  // forged steps before it did not do.
  step(chestCell, -128);  // before the first slot
  step(chestCell, 12);
  ASSERT_TRUE(runUntil([&] { return chest.offset() == 12; })) << "back at the first slot it stayed there";
  step(chestCell, 12);
  ASSERT_TRUE(runUntil([&] { return chest.offset() == 24; })) << "the last page, slots 24 to 29";
  step(chestCell, 12);   // past the last page
  step(chestCell, 127);  // far past it
  step(otherCell, -24);  // a chest she has not opened
  step(chestCell, -12);
  ASSERT_TRUE(runUntil([&] { return chest.offset() == 12; })) << "no step went past the last page or paged her chest from another cell";
  EXPECT_EQ(other.offset(), 0);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherChest, ::testing::Values(false));

}  // namespace
}  // namespace nettest
