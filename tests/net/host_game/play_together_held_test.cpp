// What a joined player holds and wears is what the host's copy of her items holds, over real ENet
// on 127.0.0.1: a block item or a tool her client names but never brought is held as nothing, so
// she neither places nor mines with it, and armour she never had is worn by nobody. A tool she
// drops while it is still in her hand mines no more, though her client never says she let go.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

using PlayTogetherHeld = PlayTogether;

TEST_P(PlayTogetherHeld, AStackSheNeverCarriedNeitherPlacesNorMinesNorIsWorn) {
  MapBlock& stands = *hostWorld->cellAt(column, ground->y + 1);
  walk(*ann, stands);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == stands.x; }));

  // A block item only her client shows: the host has her hold nothing, and Bo sees nothing.
  const BlockItem placer = stackingBlockItem();
  ASSERT_NE(placer.item, 0);
  give(ann->inventory(), 2, placer.item, 5);
  hold(*ann, 2);
  settle();
  EXPECT_EQ(onHost(kAnn).heldItem(), nullptr);
  ASSERT_NE(bo->net.remotePlayer(kAnn), nullptr);
  EXPECT_EQ(bo->net.remotePlayer(kAnn)->heldItem(), nullptr) << "the others see what the host has her hold";
  MapBlock& above = *hostWorld->cellAt(stands.x + 1, stands.y + 1);
  ASSERT_EQ(above.frontId(), 0);
  edit(*ann, edit_kind::kSetLayerBlock, above, placer.block);
  ASSERT_TRUE(runUntil([&] {
    return std::find(ann->log.messages.begin(), ann->log.messages.end(), "You do not hold that.") != ann->log.messages.end();
  })) << "she is told why";
  settle();
  EXPECT_EQ(above.frontId(), 0) << "nothing was placed";

  // A tool only her client shows mines nothing.
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  const uint16_t groundBlock = ground->frontId();
  const Item toolCopy = *tool;
  ann->inventory().setSlot({SlotKind::Quick, 3, 0}, std::move(tool));
  hold(*ann, 3);
  settle();
  EXPECT_EQ(onHost(kAnn).heldItem(), nullptr);
  edit(*ann, edit_kind::kRemoveLayer, *ground, 0);
  settle();
  EXPECT_EQ(ground->frontId(), groundBlock) << "her ground was not mined";

  // Worn: nothing the copy lacks counts in the host's rules.
  ann->net.sendItemUpdateTo(&toolCopy, 0, 0);
  settle();
  EXPECT_EQ(onHost(kAnn).wornItem(0, 0), nullptr);
}

TEST_P(PlayTogetherHeld, TheHeldStackIsTheCopysOwnNotTheBytesSheSent) {
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  tool->durability = 3;
  const uint16_t id = tool->id;
  carryTool(*ann, 3, std::move(tool));
  // Her client names the same tool, mended and with a word of its own.
  Item mended(id, 0, 1, 0, 0);
  mended.durability = 999;
  mended.word = 0x12345678u;
  ann->net.sendItemUpdate(&mended, 3);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).heldItem() != nullptr; }));
  EXPECT_EQ(onHost(kAnn).heldItem()->durability, 3);
  EXPECT_NE(onHost(kAnn).heldItem()->word, 0x12345678u);
}

TEST_P(PlayTogetherHeld, AToolDroppedWhileHeldNoLongerMines) {
  MapBlock& stands = *hostWorld->cellAt(column, ground->y + 1);
  walk(*ann, stands);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == stands.x; }));
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  const uint16_t toolId = tool->id;
  const uint16_t groundBlock = ground->frontId();
  carryTool(*ann, 3, std::move(tool));
  hold(*ann, 3);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).heldItem() != nullptr; })) << "the host has her hold it";
  ASSERT_TRUE(runUntil([&] {
    const auto* seen = bo->net.remotePlayer(kAnn);
    return seen != nullptr && seen->heldItem() != nullptr;
  }));

  // Dropped from her hand; her client sends the drop and no word of what she holds now.
  const size_t dropsBefore = onHost(kAnn).items().countOf(toolId);
  ann->game().dropItem(ann->inventory().takeSlot({SlotKind::Quick, 3, 0}));
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(toolId) < dropsBefore; })) << "the host took the drop";
  ASSERT_NE(onHost(kAnn).heldItem(), nullptr) << "nothing said she let go";

  // Her empty hands are refused in the words the ground asks for: the rules name the tool a block
  // needs ("You need a shovel to break this."), the host says it where they refuse without a word.
  // Which one depends on the block the generated world put under her.
  const auto refusedEmptyHanded = [](const std::string& text) {
    const std::string need = "You need ";
    const std::string tail = " to break this.";
    if (text == "That does not break with what you hold.") return true;
    return text.size() > need.size() + tail.size() && text.compare(0, need.size(), need) == 0 &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  };
  edit(*ann, edit_kind::kRemoveLayer, *ground, 0);
  ASSERT_TRUE(runUntil([&] {
    const auto& told = ann->log.messages;
    return std::any_of(told.begin(), told.end(), refusedEmptyHanded);
  })) << "she is told her hands are empty";
  settle();
  EXPECT_EQ(ground->frontId(), groundBlock) << "the dropped tool mined nothing";
  EXPECT_EQ(onHost(kAnn).heldItem(), nullptr);
  EXPECT_TRUE(runUntil([&] { return bo->net.remotePlayer(kAnn)->heldItem() == nullptr; }))
      << "the others see her empty-handed";
}

// Her game tells the host what she carries before what she holds and wears as she enters: else
// the host, whose copy of her items is still empty, holds nothing for her until she picks a slot
// again, and her first throw or shot does nothing.
TEST_P(PlayTogetherHeld, WhatSheHoldsAsSheEntersIsHeldOnTheHost) {
  const uint16_t stack = stackingItems(1)[0];
  Joiner cy("Cy");
  give(cy.inventory(), 0, stack, 5);
  cy.inventory().select(0);
  ASSERT_TRUE(meeting->connect(cy.net, "Cy", 203));
  const auto entered = [&] {
    const uint8_t peer = cy.net.localPeerId();
    return inGame(cy) && server.joinStage(peer) == host::JoinStage::Entered && onHost(peer).items().declared();
  };
  ASSERT_TRUE(runUntil(entered));
  PlayerServerDesktop& onHostCy = onHost(cy.net.localPeerId());
  EXPECT_TRUE(runUntil([&] { return onHostCy.heldItem() != nullptr && onHostCy.heldItem()->id == stack; }))
      << "the host holds nothing for her";
  cy.net.shutdown();
  runUntil([&] { return server.players().at(cy.net.localPeerId()) == nullptr; });
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherHeld, ::testing::Values(false));

}  // namespace
}  // namespace nettest
