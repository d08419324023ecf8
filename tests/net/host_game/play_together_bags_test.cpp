// A bag a joined player opens is rolled by the host, over real ENet on 127.0.0.1: the host takes
// the bag out of its copy of her items and counts the find in, and her inventory gets the same
// find, so that she may drop it like anything she brought.

#include <gtest/gtest.h>

#include <algorithm>

#include "content/items/item_rules.h"
#include "game/inventory/item_kinds.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr uint8_t kBagKind = 2;

bool definedItem(uint16_t id) {
  const auto& defs = contentTables().itemDefs;
  return id < defs.size() && defs[id].defined;
}

// A bag of the content that always holds something; 0xFFFF for none.
uint16_t aBagThatAlwaysHoldsSomething() {
  for (uint16_t id = 0; id < contentTables().itemDefs.size(); ++id) {
    const FixedDrop* drop = fixedDropFor(id);
    if (drop == nullptr || drop->chance < 1.0f || !definedItem(id) || !definedItem(drop->dropId)) continue;
    const Item bag(id, 0, 1, 0, 0);
    if (itemKindOf(&bag) == kBagKind) return id;
  }
  return ITEM_NONE;
}

class PlayTogetherBags : public PlayTogether {
 protected:
  uint32_t hostCounts(uint16_t id) { return onHost(kAnn).items().countOf(id); }
  uint32_t annCounts(uint16_t id) { return ann->inventory().countItems(id, false, false); }
  // Her game asks the host to open the bag in the quick slot and spends it, as her inventory view does.
  void openBagIn(uint8_t quickSlot) {
    const SlotRef slot{SlotKind::Quick, quickSlot, 0};
    const Item* bag = ann->inventory().slotItem(slot);
    ASSERT_NE(bag, nullptr);
    ASSERT_EQ(ann->game().openBag(*bag), GameHostRequests::BagRequest::Sent) << "a joined game has its host roll the bag";
    ann->inventory().setSlot(slot, nullptr);
  }
};

TEST_P(PlayTogetherBags, WhatTheHostRolledIsInHerInventoryAndInTheHostsCopy) {
  const uint16_t bag = aBagThatAlwaysHoldsSomething();
  ASSERT_NE(bag, ITEM_NONE) << "the content has a bag that always holds something";
  const FixedDrop& content = *fixedDropFor(bag);
  carry(*ann, 3, bag, 1);
  openBagIn(3);
  ASSERT_TRUE(runUntil([&] { return annCounts(content.dropId) > 0; })) << "the host's find reached her";
  settle();
  const uint32_t found = annCounts(content.dropId);
  EXPECT_GE(found, content.minCount);
  EXPECT_LE(found, content.maxCount);
  EXPECT_EQ(hostCounts(content.dropId), found) << "the host's copy holds what she found";
  EXPECT_EQ(hostCounts(bag), 0u) << "and no longer the bag";

  // Hers to drop: the host lets all of it fall.
  const SlotRef slot = carriedSlot(ann->inventory(), content.dropId);
  ASSERT_FALSE(slot.isNone());
  ann->game().dropItem(ann->inventory().takeSlot(slot));
  ASSERT_TRUE(runUntil([&] { return hostCounts(content.dropId) == 0; }));
  for (const std::string& text : ann->log.messages) EXPECT_EQ(text.find("You do not hold"), std::string::npos) << text;
}

TEST_P(PlayTogetherBags, TheSameBagOpensOnce) {
  const uint16_t bag = aBagThatAlwaysHoldsSomething();
  ASSERT_NE(bag, ITEM_NONE);
  const uint16_t find = fixedDropFor(bag)->dropId;
  carry(*ann, 3, bag, 1);
  openBagIn(3);
  ASSERT_TRUE(runUntil([&] { return annCounts(find) > 0; }));
  const uint32_t found = annCounts(find);
  // Her game asks again for the bag it no longer holds: the host refuses and gives nothing.
  const Item again(bag, 0, 1, 0, 0);
  const size_t told = ann->log.messages.size();
  ann->game().openBag(again);
  ASSERT_TRUE(runUntil([&] { return ann->log.messages.size() > told; }));
  EXPECT_EQ(ann->log.messages.back(), "You do not hold that.");
  settle();
  EXPECT_EQ(annCounts(find), found);
  EXPECT_EQ(hostCounts(find), found);
}

TEST_P(PlayTogetherBags, ABagTheHostRefusesComesBackToHer) {
  const uint16_t bag = aBagThatAlwaysHoldsSomething();
  ASSERT_NE(bag, ITEM_NONE);
  const uint16_t find = fixedDropFor(bag)->dropId;
  // A bag her client shows but the host's copy of her items never counted.
  ann->inventory().setSlot({SlotKind::Quick, 3, 0}, newItem(bag, 0, 1, 0, 0));
  openBagIn(3);
  EXPECT_EQ(annCounts(bag), 0u) << "her game spent it on asking";
  ASSERT_TRUE(runUntil([&] { return annCounts(bag) == 1; })) << "the refused bag came back";
  // The refusal's line may arrive in a message of its own, after the bag.
  EXPECT_TRUE(runUntil([&] {
    return std::find(ann->log.messages.begin(), ann->log.messages.end(), "You do not hold that.") !=
           ann->log.messages.end();
  }));
  settle();
  EXPECT_EQ(annCounts(find), 0u) << "and nothing came out of it";
  EXPECT_EQ(hostCounts(bag), 0u) << "the host's copy does not grow by what it handed back";
}

// Her inventory full, the bag stays shut, as when she plays alone ("no room"): the host keeps the
// bag in its copy of her items and rolls nothing, and nothing falls at her feet. Given room, it opens.
TEST_P(PlayTogetherBags, WithNoRoomForItsFindTheBagStaysShut) {
  const uint16_t bag = aBagThatAlwaysHoldsSomething();
  ASSERT_NE(bag, ITEM_NONE);
  const uint16_t find = fixedDropFor(bag)->dropId;
  uint16_t filler = 0;
  for (uint16_t id : stackingItems(3)) {
    if (filler == 0 && id != find && id != bag) filler = id;
  }
  ASSERT_NE(filler, 0);
  Inventory& items = ann->inventory();
  const auto fill = [&](SlotKind kind, uint8_t x, uint8_t y) {
    if (items.slotItem({kind, x, y}) == nullptr) items.setSlot({kind, x, y}, newItem(filler, 0, 1, 0, 0));
  };
  carry(*ann, 3, bag, 1);
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) fill(SlotKind::Quick, x, 0);
  for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
    for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) fill(SlotKind::Backpack, x, y);
  }
  for (uint8_t x = 0; x < Inventory::kGridSide; ++x) {
    for (uint8_t y = 0; y < Inventory::kGridSide; ++y) fill(SlotKind::CraftGrid, x, y);
  }
  ASSERT_FALSE(items.hasRoomFor(Item(find, 0, 1, 0, 0)));

  EXPECT_EQ(ann->game().openBag(*items.slotItem({SlotKind::Quick, 3, 0})), GameHostRequests::BagRequest::NoRoom);
  // A forged request after it, which the host answers: it read whatever her game sent before.
  const Item notABag(filler, 0, 1, 0, 0);
  wire::WireOut forged = wire::clientMessage(wire::PlayerMsg::OpenBag);
  forged.item(&notABag);
  ann->net.send(forged.data(), static_cast<uint32_t>(forged.size()), 0);
  ASSERT_TRUE(runUntil([&] {
    return std::find(ann->log.messages.begin(), ann->log.messages.end(), "That does not open.") != ann->log.messages.end();
  }));
  EXPECT_EQ(annCounts(bag), 1u) << "her bag was spent";
  EXPECT_EQ(hostCounts(bag), 1u) << "the host's copy lost the bag";
  EXPECT_EQ(hostCounts(find), 0u);
  EXPECT_EQ(everyItem()[find], 0u) << "a find fell at her feet";

  items.setSlot({SlotKind::Backpack, 0, 0}, nullptr);
  ASSERT_EQ(ann->game().openBag(*items.slotItem({SlotKind::Quick, 3, 0})), GameHostRequests::BagRequest::Sent);
  items.setSlot({SlotKind::Quick, 3, 0}, nullptr);
  ASSERT_TRUE(runUntil([&] { return annCounts(find) > 0; })) << "with room the bag opens";
  EXPECT_EQ(hostCounts(bag), 0u);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherBags, ::testing::Values(false));

}  // namespace
}  // namespace nettest
