// A joined player who carries two stacks of one item with different words spends, stores and trades
// the one she names, over real ENet on 127.0.0.1: the host's copy of her items loses that stack and
// keeps the other untouched, as her own inventory does, and a stack she names but does not hold is
// refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "content/potions/potion_table.h"
#include "content/tables/content_tables.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr uint16_t kPotion = 2126;
constexpr uint32_t kOtherWord = 9;

// The word of the `nth` potion the content defines: the buff it gives, each of its own family.
uint32_t potionWord(int nth) {
  for (uint32_t code = 1; code < 1024; ++code) {
    if (potionDefForValue(static_cast<uint16_t>(code << 6)) != nullptr && nth-- == 0) return code << 6;
  }
  return 0;
}

class PlayTogetherNamedStacks : public PlayTogether {
 protected:
  // Her stack with the word in the quick slot, counted by the host's copy of her items too.
  void carryWithWord(Joiner& joiner, uint8_t quickSlot, uint16_t id, uint16_t count, uint32_t word) {
    joiner.inventory().setSlot({SlotKind::Quick, quickSlot, 0}, newItem(id, 0, count, 0, word));
    onHost(joiner.net.localPeerId()).items().add(Item(id, 0, count, 0, word));
  }
  const Item* quick(Joiner& joiner, uint8_t slot) { return joiner.inventory().slotItem({SlotKind::Quick, slot, 0}); }
  bool told(const Joiner& joiner, const std::string& text) const {
    return std::find(joiner.log.messages.begin(), joiner.log.messages.end(), text) != joiner.log.messages.end();
  }
  // Her first stack is in quick slot 0 as she brought it, and the host's copy holds it whole.
  void expectFirstStackUntouched(uint16_t id, uint16_t count, uint32_t word) {
    const Item* first = quick(*ann, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->word, word);
    EXPECT_EQ(first->count, count);
    EXPECT_EQ(onHost(kAnn).items().countWithWord(id, word), count) << "the host's copy keeps her first stack";
  }
};

TEST_P(PlayTogetherNamedStacks, SheDrinksThePotionSheNamesAndAForgedOneIsRefused) {
  contentTables().itemDefs[kPotion].defined = true;
  const uint32_t firstBuff = potionWord(0);
  const uint32_t secondBuff = potionWord(1);
  const uint32_t neverCarried = potionWord(2);
  ASSERT_NE(neverCarried, 0u) << "the content has three potions";
  carryWithWord(*ann, 0, kPotion, 2, firstBuff);
  carryWithWord(*ann, 1, kPotion, 2, secondBuff);
  const auto before = everyItem();

  Item* second = ann->inventory().slotItem({SlotKind::Quick, 1, 0});
  ASSERT_TRUE(ann->game().consumeItem(second));
  second->count = 1;  // her window uses up the unit she drank
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countWithWord(kPotion, secondBuff) == 1; }))
      << "the unit she drank left the host's copy";
  ASSERT_EQ(onHost(kAnn).stats.buffs.size(), 1u);
  EXPECT_EQ(onHost(kAnn).stats.buffs[0].id, secondBuff) << "the buff of the potion she drank";
  expectFirstStackUntouched(kPotion, 2, firstBuff);
  EXPECT_EQ(everyItem()[kPotion] + 1, before.at(kPotion)) << "one potion drunk, no more";

  // A potion of a word she never carried: nothing is drunk, and she is told so.
  const Item forged(kPotion, 0, 1, 0, neverCarried);
  wire::WireOut out = wire::clientMessage(wire::PlayerMsg::ConsumeItem);
  out.item(&forged);
  ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  ASSERT_TRUE(runUntil([&] { return told(*ann, onHost(kAnn).notHeldText()); })) << "she is told she does not hold it";
  settle();
  EXPECT_EQ(onHost(kAnn).stats.buffs.size(), 1u) << "no buff of a potion she does not hold";
  EXPECT_EQ(onHost(kAnn).items().countOf(kPotion), 3u);
  expectFirstStackUntouched(kPotion, 2, firstBuff);
}

TEST_P(PlayTogetherNamedStacks, SheStoresTheStackSheNamesInAChest) {
  const uint16_t id = stackingItems(1)[0];
  carryWithWord(*ann, 0, id, 3, 0);
  carryWithWord(*ann, 1, id, 2, kOtherWord);
  const auto before = everyItem();
  MapBlock& chestCell = *hostWorld->cellAt(column + 1, ground->y + 1);
  Chest& chest = placeChest(chestCell, 8);
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(ann->player().openContainer()) != nullptr; }));

  auto* open = dynamic_cast<Chest*>(ann->player().openContainer());
  open->setItem(0, ann->inventory().takeSlot({SlotKind::Quick, 1, 0}));
  ASSERT_TRUE(runUntil([&] { return chest.itemAt(0) != nullptr; })) << "the host's chest takes her stack";
  EXPECT_EQ(chest.itemAt(0)->word, kOtherWord) << "the stack she stored, not her other one";
  EXPECT_EQ(chest.itemAt(0)->count, 2u);
  EXPECT_EQ(onHost(kAnn).items().countWithWord(id, kOtherWord), 0u);
  expectFirstStackUntouched(id, 3, 0);
  EXPECT_EQ(everyItem(), before) << "the same items overall";

  // A stack of a word she never carried is not stored from her other one.
  Item forged(id, 0, 1, 0, 0x77);
  wire::WireOut out = wire::clientMessage(wire::ChestMsg::ChestSlot);
  out.cell(chestCell.x, chestCell.y).u8(1).item(&forged);
  ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  ASSERT_TRUE(runUntil([&] { return told(*ann, onHost(kAnn).notHeldText()); })) << "she is told she does not hold it";
  EXPECT_EQ(chest.itemAt(1), nullptr);
  EXPECT_EQ(onHost(kAnn).items().countWithWord(id, 0), 3u);
}

TEST_P(PlayTogetherNamedStacks, SheTradesTheStackSheOffers) {
  const uint16_t id = stackingItems(1)[0];
  carryWithWord(*ann, 0, id, 3, 0);
  carryWithWord(*ann, 1, id, 2, kOtherWord);
  const auto before = everyItem();
  ASSERT_TRUE(openTrade(*ann, *bo, kBo));
  ASSERT_TRUE(ann->inventory().trade()->offer({SlotKind::Quick, 1, 0}));
  ASSERT_TRUE(runUntil([&] { return bo->inventory().trade()->otherOffer(0) != nullptr; }));
  EXPECT_EQ(bo->inventory().trade()->otherOffer(0)->word, kOtherWord) << "Bo is shown the stack she offered";
  ann->inventory().trade()->setReady(true);
  bo->inventory().trade()->setReady(true);
  ASSERT_TRUE(runUntil([&] { return ann->inventory().trade() == nullptr && bo->inventory().trade() == nullptr; }));
  ASSERT_TRUE(runUntil([&] { return onHost(kBo).items().countWithWord(id, kOtherWord) == 2; }))
      << "Bo's copy holds what she gave";
  settle();
  EXPECT_EQ(bo->inventory().countItems(id, false, true), 2u);
  EXPECT_EQ(onHost(kAnn).items().countWithWord(id, kOtherWord), 0u) << "the stack she gave left her copy";
  expectFirstStackUntouched(id, 3, 0);
  EXPECT_EQ(everyItem(), before) << "the same items overall";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherNamedStacks, ::testing::Values(false));

}  // namespace
}  // namespace nettest
