// What a joined player wears follows her during play, over real ENet on 127.0.0.1: a piece she puts
// on from her backpack is worn by the host's copy of her (and seen on her by the others) without
// being counted twice among her items, and taken off it is worn no more; a wear of something she
// does not hold, or of her one piece in a second place, is refused and changes nothing. A piece she
// moves to her look set is worn there, and what the host's own player puts on every guest sees.
// A piece that leaves her by any road (dropped, stored in a chest, traded away) is worn no more on
// the host and on the other guest's screen, whether or not her game says the place emptied.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "net/wire/wire_out.h"
#include "platform/net_bridge.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

class PlayTogetherWorn : public PlayTogether {
 protected:
  // Her game's worn-place message as it is, past her inventory: what a hostile client sends.
  void sendWorn(const Item& item, uint8_t part, uint8_t place) {
    wire::WireOut out = wire::clientMessage(wire::PlayerMsg::WornItem);
    out.item(&item).u8(part).u8(place).peer(kAnn);
    ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  }
  size_t refusals() {
    const std::string notHeld = onHost(kAnn).notHeldText();
    return static_cast<size_t>(std::count(ann->log.messages.begin(), ann->log.messages.end(), notHeld));
  }
  const Item* wornOnHost(uint8_t part, uint8_t place) { return onHost(kAnn).wornItem(part, place); }
  bool boSeesHerWear(uint8_t place) {
    const PlayerClientDesktop* seen = bo->net.remotePlayer(kAnn);
    return seen != nullptr && seen->wornItem(0, place) != nullptr;
  }
  // Her game's message as it is, without the word of the emptied place that would follow it.
  void sendAlone(wire::WireOut& out) { ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0); }
  // She carries a piece of the content and puts it on from her backpack: the host's copy wears it.
  Armour putOnAPiece() {
    const Armour armour = anyArmour();
    EXPECT_NE(armour.id, 0) << "the content has a piece to wear";
    if (armour.id == 0) return armour;
    const SlotRef backpack{SlotKind::Backpack, 0, 0};
    carry(*ann, backpack, armour.id, 1);
    putOn(*ann, backpack, armour.place);
    EXPECT_TRUE(runUntil([&] { return wornOnHost(0, armour.place) != nullptr; }));
    return armour;
  }
};

TEST_P(PlayTogetherWorn, ArmourSheTakesFromHerBackpackIsWornOnTheHostAndForgedWearsAreRefused) {
  const Armour armour = anyArmour();
  ASSERT_NE(armour.id, 0) << "the content has a piece to wear";
  const SlotRef backpack{SlotKind::Backpack, 0, 0};
  carry(*ann, backpack, armour.id, 1);

  putOn(*ann, backpack, armour.place);
  ASSERT_TRUE(runUntil([&] {
    const Item* worn = wornOnHost(0, armour.place);
    return worn != nullptr && worn->id == armour.id;
  })) << "the host's copy of her wears it";
  EXPECT_EQ(onHost(kAnn).items().countOf(armour.id), 1u) << "one piece, worn, not two";
  EXPECT_TRUE(runUntil([&] {
    const PlayerClientDesktop* seen = bo->net.remotePlayer(kAnn);
    const Item* worn = seen != nullptr ? seen->wornItem(0, armour.place) : nullptr;
    return worn != nullptr && worn->id == armour.id;
  })) << "Bo sees her wear it";

  // Her one piece in the look set's place too, and a piece of a word she never carried.
  sendWorn(Item(armour.id, 0, 1, -1, 0), 1, armour.place);
  sendWorn(Item(armour.id, 0, 1, -1, 0x55), 0, armour.place);
  ASSERT_TRUE(runUntil([&] { return refusals() == 2; })) << "she is told she does not hold either";
  EXPECT_EQ(wornOnHost(1, armour.place), nullptr) << "her one piece is worn once";
  ASSERT_NE(wornOnHost(0, armour.place), nullptr);
  EXPECT_EQ(wornOnHost(0, armour.place)->word, 0u) << "the place keeps her own piece";

  ASSERT_TRUE(ann->inventory().swapSlots({SlotKind::Equipment, armour.place, 0}, backpack));
  ASSERT_TRUE(runUntil([&] { return wornOnHost(0, armour.place) == nullptr; })) << "taken off, worn no more";
  EXPECT_EQ(onHost(kAnn).items().countOf(armour.id), 1u) << "and still hers";
}

// A piece moved from her armour place to the same place of her look set is one piece all along:
// the host's copy of her wears it in the look set (not refused as worn twice), and Bo sees it so.
TEST_P(PlayTogetherWorn, APieceMovedToHerLookSetIsWornThereOnTheHost) {
  const Armour armour = putOnAPiece();
  ASSERT_FALSE(HasFailure());

  ASSERT_TRUE(ann->inventory().swapSlots({SlotKind::Equipment, armour.place, 0}, {SlotKind::Equipment2, armour.place, 0}));
  EXPECT_TRUE(runUntil([&] {
    const Item* look = wornOnHost(1, armour.place);
    return look != nullptr && look->id == armour.id && wornOnHost(0, armour.place) == nullptr;
  })) << "the host's copy of her does not wear it in the look set";
  EXPECT_TRUE(runUntil([&] {
    const PlayerClientDesktop* seen = bo->net.remotePlayer(kAnn);
    const Item* look = seen != nullptr ? seen->wornItem(1, armour.place) : nullptr;
    return look != nullptr && look->id == armour.id;
  })) << "Bo does not see it in her look";
  settle();
  EXPECT_EQ(refusals(), 0u) << "her own move was refused";
}

// A piece she drops from where she wears it is worn no longer: not by the host's copy of her (whose
// stats lose it), not on Bo's screen, whether or not her game's word that the place emptied ever
// reaches the host.
TEST_P(PlayTogetherWorn, APieceSheDropsIsWornNoLongerOnTheHost) {
  const Armour armour = putOnAPiece();
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(runUntil([&] {
    const PlayerClientDesktop* seen = bo->net.remotePlayer(kAnn);
    return seen != nullptr && seen->wornItem(0, armour.place) != nullptr;
  }));

  // Her drop alone reaches the host: the piece leaves her copy and falls.
  const Item piece(armour.id, 0, 1, -1, 0);
  wire::WireOut out = wire::clientMessage(wire::PlayerMsg::DropItem);
  out.item(&piece);
  ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(armour.id) == 0; })) << "the host took her drop";
  EXPECT_EQ(wornOnHost(0, armour.place), nullptr) << "the host's copy of her still wears what she dropped";
  EXPECT_TRUE(runUntil([&] {
    const PlayerClientDesktop* seen = bo->net.remotePlayer(kAnn);
    return seen != nullptr && seen->wornItem(0, armour.place) == nullptr;
  })) << "Bo still sees her wear it";
}

// She stores the piece she wears in a chest: it leaves her copy on the host, and with it her place.
TEST_P(PlayTogetherWorn, APieceSheStoresInAChestIsWornNoLongerOnTheHost) {
  const Armour armour = putOnAPiece();
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(runUntil([&] { return boSeesHerWear(armour.place); }));
  const MapBlock& chestCell = *hostWorld->cellAt(column + 1, ground->y + 1);
  Chest& chest = placeChest(chestCell, 8);
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(onHost(kAnn).openContainer()) == &chest; }));

  const Item piece(armour.id, 0, 1, -1, 0);
  wire::WireOut out = wire::clientMessage(wire::ChestMsg::ChestSlot);
  out.cell(chestCell.x, chestCell.y).u8(0).item(&piece);
  sendAlone(out);
  ASSERT_TRUE(runUntil([&] { return chest.itemAt(0) != nullptr; })) << "the chest took her piece";
  EXPECT_EQ(onHost(kAnn).items().countOf(armour.id), 0u);
  EXPECT_EQ(wornOnHost(0, armour.place), nullptr) << "the host's copy of her still wears what she stored";
  EXPECT_TRUE(runUntil([&] { return !boSeesHerWear(armour.place); })) << "Bo still sees her wear it";
}

// She trades the piece she wears to Bo: it is his on the host, and she wears it no more.
TEST_P(PlayTogetherWorn, APieceSheTradesAwayIsWornNoLongerOnTheHost) {
  const Armour armour = putOnAPiece();
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(runUntil([&] { return boSeesHerWear(armour.place); }));
  ASSERT_TRUE(openTrade(*ann, *bo, kBo));

  const Item piece(armour.id, 0, 1, -1, 0);
  wire::WireOut out = wire::clientMessage(wire::TradeMsg::TradeOffer);
  out.item(&piece);
  sendAlone(out);
  ASSERT_TRUE(runUntil([&] { return bo->inventory().trade()->otherOffer(0) != nullptr; })) << "Bo sees her offer";
  ann->inventory().trade()->setReady(true);
  bo->inventory().trade()->setReady(true);
  ASSERT_TRUE(runUntil([&] { return onHost(kBo).items().countOf(armour.id) == 1u; })) << "the trade completed";
  EXPECT_EQ(onHost(kAnn).items().countOf(armour.id), 0u);
  EXPECT_EQ(wornOnHost(0, armour.place), nullptr) << "the host's copy of her still wears what she traded";
  EXPECT_TRUE(runUntil([&] { return !boSeesHerWear(armour.place); })) << "Bo still sees her wear it";
}

// The host's own player puts on a piece during play: every guest sees her wear it.
TEST_P(PlayTogetherWorn, WhatTheHostsPlayerPutsOnIsSeenByEveryGuest) {
  const Armour armour = anyArmour();
  ASSERT_NE(armour.id, 0);
  const SlotRef backpack{SlotKind::Backpack, 0, 0};
  hostPlayer().inventory->setSlot(backpack, newItem(armour.id, 0, 1, 0, 0));
  ASSERT_TRUE(hostPlayer().inventory->swapSlots(backpack, {SlotKind::Equipment, armour.place, 0}));
  for (Joiner* joiner : {ann.get(), bo.get()}) {
    EXPECT_TRUE(runUntil([&] {
      const PlayerClientDesktop* seen = joiner->net.remotePlayer(kel::NET_HOST_PEER);
      const Item* worn = seen != nullptr ? seen->wornItem(0, armour.place) : nullptr;
      return worn != nullptr && worn->id == armour.id;
    })) << "a guest does not see the host's player wear it";
  }
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherWorn, ::testing::Values(false));

}  // namespace
}  // namespace nettest
