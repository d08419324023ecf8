// A client's requests on the host, byte for byte: each acts through the host's rules for the
// sender's own player where that player stands, and what the rules then send is what every client
// sees. Forged requests (an item the content does not know, a speed past any throw, a cell out of
// the player's reach, a float that is no reaction time, a clock mode that is none) change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "entities/core/real_entity.h"
#include "entities/items/treasure_entity.h"
#include "game/session/session_entities.h"
#include "net/players/player_messages.h"
#include "net/players/player_records.h"
#include "net/wire/wire_messages.h"
#include "platform/settings/settings.h"
#include "tests/net/host_game/host_in_game.h"
#include "world/blocks/chest.h"
#include "world/blocks/logic_blocks.h"
#include "world/blocks/shelf.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"
#include "world/seams/entity_effects.h"

namespace nettest {
namespace {

using Kind = Sent::Kind;

Bytes le16(uint16_t value) { return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)}; }
Bytes le32(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}
Bytes f32(float value) { return le32(std::bit_cast<uint32_t>(value)); }
Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
// An item as the wire carries it: word, id, count, durability, variant.
Bytes itemBytes(uint16_t id, uint16_t count) { return concat({le32(0), le16(id), le16(count), {0, 0, 0}}); }
const Bytes kNoItem = concat({le32(0), le16(0xFFFF), le16(0), {0, 0, 0}});

class HostRequests : public HostInGame {
 protected:
  // Ann sends the bytes; what the host sent in answer.
  std::vector<Sent> fromAnn(const Bytes& message) {
    bridge->sent.clear();
    server.received(message.data(), static_cast<uint32_t>(message.size()), kAnn);
    server.dispatchQueued();
    return bridge->sent;
  }
  // The items lying or flying in the hosted world.
  std::vector<TreasureEntity*> entities() {
    std::vector<TreasureEntity*> all;
    session->entities().lists().forEach([&](RealEntity& entity) {
      if (auto* treasure = dynamic_cast<TreasureEntity*>(&entity)) all.push_back(treasure);
    });
    return all;
  }
  Bytes recordOf(RealEntity& entity) {
    EntityRecord record;
    entity.toRecord(record);
    const wire::WireOut out = wire::WireOut(wire::outgoing(77, wire::Side::Host)).entityRecord(record);
    return Bytes(out.data(), out.data() + out.size());
  }
  // Only a client in the game is heard; she entered carrying dirt, all the host lets her spend.
  void SetUp() override {
    HostInGame::SetUp();
    annEnters();
    declare(world_test::kDirt, 10);
  }
  void declare(uint16_t id, uint16_t count) { fromAnn(concat({{2, 19, 1}, itemBytes(id, count)})); }
  // A chest as a player places one: its block on the cell and the chest behind it.
  Chest& chestAt(int32_t x, int32_t y) {
    cell(x, y).setLayer(kChestBlock, 0, MapBlock::kFront);
    return world().chests().add(std::make_unique<Chest>(cell(x, y), Chest::SlotCount{2}));
  }
  static constexpr uint16_t kChestBlock = 213;
};

TEST_F(HostRequests, AThrownItemLeavesFromWhereTheHostKnowsThePlayerIsAndEveryoneSeesIt) {
  ann().position = {20 * 30.0f, 5 * 30.0f};
  const Bytes thrown = concat({{2, 24}, itemBytes(world_test::kDirt, 1), f32(900.0f), f32(90.0f), f32(5.0f),
                               f32(0.5f), {0}});
  ASSERT_EQ(thrown.size(), 30u);
  const std::vector<Sent> sent = fromAnn(thrown);
  const std::vector<TreasureEntity*> made = entities();
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0]->item().id, world_test::kDirt);
  EXPECT_EQ(made[0]->item().count, 1);
  EXPECT_NEAR(made[0]->data.x, 20 * 30.0f, 30.0f) << "not at the point the client claimed";
  EXPECT_EQ(sent, (std::vector<Sent>{{Kind::All, 0, recordOf(*made[0])}}));
}

TEST_F(HostRequests, AThrowOfNoKnownItemOrPastAnySpeedMakesNothing) {
  const Bytes unknown = concat({{2, 24}, itemBytes(0xFFF0, 1), f32(0), f32(0), f32(5.0f), f32(0), {0}});
  const Bytes flung = concat({{2, 24}, itemBytes(world_test::kDirt, 1), f32(0), f32(0), f32(1e9f), f32(0), {0}});
  EXPECT_TRUE(fromAnn(unknown).empty());
  EXPECT_TRUE(fromAnn(flung).empty());
  EXPECT_TRUE(entities().empty());
}

TEST_F(HostRequests, ADroppedItemLandsOnThePlayersCell) {
  const std::vector<Sent> sent = fromAnn(concat({{2, 42}, itemBytes(world_test::kDirt, 1)}));
  const std::vector<TreasureEntity*> made = entities();
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0]->item().count, 1);
  EXPECT_NEAR(made[0]->data.x, 20 * 30.0f, 30.0f);
  EXPECT_EQ(sent, (std::vector<Sent>{{Kind::All, 0, recordOf(*made[0])}}));
  EXPECT_TRUE(fromAnn(concat({{2, 42}, kNoItem})).empty()) << "no item, nothing dropped";
}

TEST_F(HostRequests, ABlockSheHoldsAndPlacesIsUsedUpOnTheHostAndOnHerSide) {
  game_test::defineItem(world_test::kDirt, 4, true);  // the dirt item places dirt
  auto& record = contentTables().itemDefs[world_test::kDirt].record.bytes;
  record[content::item_record::placesBlock] = static_cast<uint8_t>(world_test::kDirt);
  record[content::item_record::placesBlock + 1] = 0;
  fromAnn(concat({{2, 21}, itemBytes(world_test::kDirt, 3), {2}, {kAnn}}));
  ASSERT_NE(ann().heldItem(), nullptr);
  BlockEdit placed;
  placed.kind = edit_kind::kSetLayerBlock;
  placed.x = 21;
  placed.y = kFloorRow + 1;
  placed.blockId = world_test::kDirt;
  placed.takeHeld = 1;
  uint8_t edit[BlockEdit::kWireSize];
  placed.encode(edit);
  const int held = ann().heldItem()->count;
  const std::vector<Sent> sent = fromAnn(concat({{4, 60, 0}, Bytes(edit, edit + sizeof edit)}));
  EXPECT_EQ(cell(21, kFloorRow + 1).frontId(), world_test::kDirt);
  const int left = ann().heldItem() != nullptr ? ann().heldItem()->count : 0;
  EXPECT_EQ(left, held - 1) << "the host's copy of her stack";
  EXPECT_NE(std::find(sent.begin(), sent.end(), Sent{Kind::To, kAnn, {2, 28, 2}}), sent.end())
      << "she is told to use up one of quick slot 2";
}

TEST_F(HostRequests, UsingAChestNextToThePlayerOpensItForHerAlone) {
  Chest& chest = chestAt(21, kFloorRow + 1);
  chest.setItem(1, newItem(world_test::kDirt, 0, 4, -1, 0));
  const std::vector<Sent> sent = fromAnn(concat({{2, 26}, le16(21), le16(kFloorRow + 1), {0}}));
  const Bytes sound = concat({{6, 97}, le16(21), le16(kFloorRow + 1), le16(20), le16(0)});
  const Bytes contents = concat({{7, 98, 2, 0}, le16(21), le16(kFloorRow + 1), kNoItem, itemBytes(world_test::kDirt, 4)});
  // The chest's sound and its in-use mark reach everyone; what it holds, her alone.
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent.front(), (Sent{Kind::All, 0, sound}));
  EXPECT_EQ(sent[1].kind, Kind::All);
  EXPECT_EQ(sent.back(), (Sent{Kind::To, kAnn, contents}));
  EXPECT_EQ(ann().openContainer(), &chest);
  EXPECT_TRUE(chest.inUse());

  // Her slot change reaches the chest she has open; closing lets it go.
  fromAnn(concat({{7, 99}, le16(21), le16(kFloorRow + 1), {0}, itemBytes(world_test::kDirt, 1)}));
  ASSERT_NE(chest.itemAt(0), nullptr);
  EXPECT_EQ(chest.itemAt(0)->count, 1);
  fromAnn({15, 110});
  EXPECT_EQ(ann().openContainer(), nullptr);
  EXPECT_FALSE(chest.inUse());
}

TEST_F(HostRequests, AChestOutOfReachOrInUseStaysShut) {
  Chest& far = chestAt(30, kFloorRow + 1);
  EXPECT_TRUE(fromAnn(concat({{2, 26}, le16(30), le16(kFloorRow + 1), {0}})).empty());
  EXPECT_FALSE(far.inUse());
  Chest& near = chestAt(19, kFloorRow + 1);
  near.open();  // the host's own player has it open
  fromAnn(concat({{2, 26}, le16(19), le16(kFloorRow + 1), {0}}));
  EXPECT_EQ(ann().openContainer(), nullptr);
}

TEST_F(HostRequests, DrinkingAPotionGivesHerPlayerItsBuffAndEveryoneSeesIt) {
  constexpr uint16_t kPotion = 2126;
  constexpr uint16_t kBuff = 33 << 6;  // a potion's value: its buff
  game_test::defineItem(kPotion, 2, false);  // drunk as the inventory drinks it
  server.entryOf(kAnn)->remote()->items().add(Item(kPotion, 0, 2, 0, kBuff));  // she carries two
  const Bytes potion = concat({{2, 31}, le32(kBuff), le16(kPotion), le16(1), {0, 0, 0}});
  const std::vector<Sent> sent = fromAnn(potion);
  ASSERT_EQ(ann().stats.buffs.size(), 1u);
  EXPECT_EQ(ann().stats.buffs[0].id, kBuff);
  EXPECT_EQ(sent, (std::vector<Sent>{{Kind::All, 0, concat({{2, 32}, le16(kBuff), {kAnn}})}}));
  EXPECT_TRUE(fromAnn(potion).empty()) << "a buff of the same family is not taken twice";
}

TEST_F(HostRequests, AUnitOfWhatSheHoldsGoesOnAShelfBesideHerAndHerStackLosesIt) {
  constexpr uint16_t kTwoSlotShelf = 210;
  cell(21, kFloorRow + 1).setLayer(kTwoSlotShelf, 0, MapBlock::kFront);
  server.entryOf(kAnn)->remote()->items().add(Item(world_test::kDirt, 0, 2, 0, 0));  // she brought two
  fromAnn(concat({{2, 21}, itemBytes(world_test::kDirt, 1), {4, kAnn}}));
  ASSERT_NE(ann().heldItem(), nullptr);
  const std::vector<Sent> sent = fromAnn(concat({{2, 27}, le16(21), le16(kFloorRow + 1), {0}}));
  LogicItemBlock* shelf = world().shelves().findAt(cell(21, kFloorRow + 1));
  ASSERT_NE(shelf, nullptr);
  ASSERT_NE(shelf->itemAt(0), nullptr);
  EXPECT_EQ(shelf->itemAt(0)->id, world_test::kDirt);
  EXPECT_EQ(ann().heldItem(), nullptr) << "her only unit went onto the shelf";
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back(), (Sent{Kind::To, kAnn, {2, 28, 4}})) << "her client uses up the unit in quick slot 4";

  const std::vector<Sent> emptyHanded = fromAnn(concat({{2, 27}, le16(21), le16(kFloorRow + 1), {1}}));
  EXPECT_TRUE(emptyHanded.empty()) << "nothing held, nothing put";
  EXPECT_TRUE(fromAnn(concat({{2, 21}, itemBytes(world_test::kDirt, 1), {4, kAnn}})).size() == 1u);
  cell(35, kFloorRow + 1).setLayer(kTwoSlotShelf, 0, MapBlock::kFront);
  EXPECT_TRUE(fromAnn(concat({{2, 27}, le16(35), le16(kFloorRow + 1), {1}})).empty()) << "out of her reach";
  EXPECT_EQ(world().shelves().findAt(cell(35, kFloorRow + 1)), nullptr);
  EXPECT_NE(ann().heldItem(), nullptr);
}

TEST_F(HostRequests, EatingFoodOrDrinkingIsTheRulesForHerPlayer) {
  const Bytes none = concat({{2, 31}, kNoItem});
  EXPECT_TRUE(fromAnn(none).empty());
  const Bytes unknown = concat({{2, 31}, itemBytes(0xFFF0, 1)});
  EXPECT_TRUE(fromAnn(unknown).empty());
  EXPECT_TRUE(ann().stats.buffs.empty());
}

TEST_F(HostRequests, MobRequestsNamingNoMobNearHerDoNothing) {
  Entity* drop = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {20 * 30.0f, 5 * 30.0f}, 7);
  ASSERT_NE(drop, nullptr);
  EXPECT_TRUE(fromAnn(concat({{2, 36}, le32(drop->id())})).empty()) << "an item is no mob to catch";
  EXPECT_TRUE(fromAnn(concat({{2, 37}, le32(drop->id())})).empty()) << "nor one to hit";
  EXPECT_TRUE(fromAnn(concat({{2, 37}, le32(0xFFFFFFFF)})).empty());
  EXPECT_TRUE(server.entryOf(kAnn)->remote()->offeredEntities().empty());
}

TEST_F(HostRequests, AShotWithNothingHeldAndAPetNoItemStandsForMakeNothing) {
  EXPECT_TRUE(fromAnn(concat({{2, 25}, f32(700.0f), f32(150.0f), f32(0), f32(0), f32(0), f32(0)})).empty());
  EXPECT_TRUE(fromAnn(concat({{2, 56}, itemBytes(world_test::kDirt, 1)})).empty());
  EXPECT_TRUE(fromAnn(concat({{2, 56}, kNoItem})).empty());
  EXPECT_TRUE(entities().empty());
}

TEST_F(HostRequests, ACommandFromAClientNamingTheHostIsAnsweredToHerAlone) {
  Bytes command{2, 44, 0};
  const std::string line = "/time day";
  command.insert(command.end(), line.begin(), line.end());
  command.resize(99, 0);
  const std::vector<Sent> sent = fromAnn(command);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].kind, Kind::To);
  EXPECT_EQ(sent[0].peer, kAnn);
  EXPECT_EQ(sent[0].bytes[1], 45) << "the refusal, on her console";
  EXPECT_TRUE(notices.lines.empty());
  EXPECT_TRUE(events.messages.empty()) << "nothing ran as the host's own player";
}

TEST_F(HostRequests, TheClockModeReachesEveryClientAndNoOtherValueIsOne) {
  EXPECT_EQ(fromAnn({4, 74, 1}), (std::vector<Sent>{{Kind::To, kAnn, {4, 74, 1}}}));
  EXPECT_TRUE(fromAnn({4, 74, 7}).empty());
}

TEST_F(HostRequests, AReelInWithoutABobberOrWithNoTimeAtAllCatchesNothing) {
  EXPECT_TRUE(fromAnn(concat({{13, 133}, f32(0.2f)})).empty());
  EXPECT_TRUE(fromAnn(concat({{13, 133}, le32(0x7FC00000)})).empty()) << "not a number";
  EXPECT_TRUE(fromAnn(concat({{13, 133}, f32(-1.0f)})).empty());
  EXPECT_TRUE(entities().empty());
}

TEST_F(HostRequests, ASignOrACircuitDeviceOutOfReachIsLeftAlone) {
  EXPECT_TRUE(fromAnn(concat({{9, 105}, le16(38), le16(20), {1}})).empty());
  EXPECT_TRUE(fromAnn(concat({{14, 135}, le16(38), le16(20), Bytes(6, 0)})).empty());
  EXPECT_TRUE(fromAnn(concat({{14, 135}, le16(21), le16(kFloorRow + 1), Bytes(6, 0)})).empty())
      << "no device there";
}

TEST_F(HostRequests, ACircuitDeviceBesideHerOpensHerConfiguratorWithItsSetting) {
  constexpr uint16_t kDispenser = 2116;
  cell(21, kFloorRow + 1).setLayer(kDispenser, 0, MapBlock::kFront);
  const std::vector<Sent> sent = fromAnn(concat({{14, 135}, le16(21), le16(kFloorRow + 1), Bytes(6, 0)}));
  const std::array<uint8_t, 6> setting = player_record::circuitBytes(world().circuits().getCellConfig(cell(21, kFloorRow + 1)));
  EXPECT_EQ(sent, (std::vector<Sent>{{Kind::To, kAnn, concat({{14, 135}, le16(21), le16(kFloorRow + 1),
                                                                Bytes(setting.begin(), setting.end())})}}));
}

// Her motion into the cell of an item offers it to her; a record that puts her far away walked over
// nothing and takes nothing there.
TEST_F(HostRequests, WalkingOntoAnItemOffersItButAFarJumpTakesNothing) {
  const auto motionTo = [](int32_t x, int32_t y) {
    MotionEvent motion;
    motion.x = static_cast<float>(x) * 30.0f;
    motion.y = static_cast<float>(y) * 30.0f;
    wire::WireOut out = wire::WireOut(wire::outgoing(wire::idOf(wire::PlayerMsg::PlayerMotion), wire::Side::Client)).peer(kAnn);
    player_record::writeMotion(out, motion);
    return Bytes(out.data(), out.data() + out.size());
  };
  Entity* far = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {35 * 30.0f, (kFloorRow + 1) * 30.0f}, 7);
  Entity* near = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {21 * 30.0f, (kFloorRow + 1) * 30.0f}, 7);
  ASSERT_NE(far, nullptr);
  ASSERT_NE(near, nullptr);
  for (int tick = 0; tick < 600 && (far->data.moving || near->data.moving); ++tick) session->entities().lists().tick();
  ASSERT_FALSE(near->data.moving) << "both came to rest on the floor";
  const auto offers = [](const std::vector<Sent>& sent) {
    std::vector<Sent> found;
    for (const Sent& each : sent) {
      if (each.bytes[0] == 5 && each.bytes[1] == wire::idOf(wire::EntityMsg::ItemOffer)) found.push_back(each);
    }
    return found;
  };

  EXPECT_TRUE(offers(fromAnn(motionTo(35, kFloorRow + 1))).empty()) << "fifteen cells in one record";
  EXPECT_EQ(ann().cellX, 20u) << "no body goes that far at once: the host keeps her where she stood";
  const std::vector<Sent> offered = offers(fromAnn(motionTo(21, kFloorRow + 1)));
  const Bytes offer = concat({{5, 91}, le32(near->id()), itemBytes(world_test::kDirt, 1), {1}});
  EXPECT_EQ(offered, (std::vector<Sent>{{Kind::To, kAnn, offer}}));
  EXPECT_TRUE(static_cast<TreasureEntity*>(near)->taken) << "kept for her answer";

  fromAnn(concat({{5, 93}, le32(near->id())}));  // not taken: free for the next who comes
  EXPECT_FALSE(static_cast<TreasureEntity*>(near)->taken);

  // She comes back and takes it; a find counts in her statistics (when the host shares them).
  kel::options().disableRemoteStats = false;
  static_cast<TreasureEntity*>(near)->foundFlag = true;
  fromAnn(motionTo(20, kFloorRow + 1));
  ASSERT_EQ(offers(fromAnn(motionTo(21, kFloorRow + 1))).size(), 1u);
  const std::vector<Sent> taken = fromAnn(concat({{5, 92}, le32(near->id())}));
  EXPECT_EQ(taken, (std::vector<Sent>{{Kind::To, kAnn, concat({{2, 47}, le16(1), le16(world_test::kDirt)})}}));
  EXPECT_TRUE(near->data.removed);
  kel::options().disableRemoteStats = true;
}

// An item that comes to rest on the cell where she already stands is offered to her as walking
// onto it would: she need not step out and back to get what falls at her feet.
TEST_F(HostRequests, AnItemComingToRestWhereSheStandsIsOfferedToHer) {
  ASSERT_EQ(ann().cellX, 20u);
  ASSERT_NE(host().cellX, 20u) << "the host's own player stands elsewhere";
  bridge->sent.clear();
  const engine::Vec2 above{20 * 30.0f, (kFloorRow + 3) * 30.0f};
  Entity* falling = rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), above, 7);
  ASSERT_NE(falling, nullptr);
  for (int tick = 0; tick < 600 && falling->data.moving; ++tick) session->entities().lists().tick();
  ASSERT_FALSE(falling->data.moving);
  ASSERT_EQ(falling->data.cell, &cell(20, kFloorRow + 1)) << "it lies on her cell";
  std::vector<Sent> offered;
  for (const Sent& each : bridge->sent) {
    if (each.bytes[0] == 5 && each.bytes[1] == wire::idOf(wire::EntityMsg::ItemOffer)) offered.push_back(each);
  }
  const Bytes offer = concat({{5, 91}, le32(falling->id()), itemBytes(world_test::kDirt, 1), {1}});
  EXPECT_EQ(offered, (std::vector<Sent>{{Kind::To, kAnn, offer}}));
  EXPECT_TRUE(static_cast<TreasureEntity*>(falling)->taken) << "kept for her answer";
  EXPECT_FALSE(falling->data.removed);

  fromAnn(concat({{5, 92}, le32(falling->id())}));
  EXPECT_TRUE(falling->data.removed) << "taken: gone from the world";
}

TEST_F(HostRequests, LeavingABedAndAPortalWithoutOneChangeNothingForHer) {
  EXPECT_TRUE(fromAnn({2, 51}).empty());
  EXPECT_TRUE(fromAnn(concat({{2, 53}, le32(player_msg::kNoPortal)})).empty());
  EXPECT_EQ(ann().cellX, 20u);
}

}  // namespace
}  // namespace nettest

namespace nettest {
namespace {

class Newcomer : public HostInGame {
 protected:
  // The peer goes through the join and enters with full health; what it was sent of the players.
  std::vector<Bytes> enters(uint8_t peer) {
    EXPECT_TRUE(server.takeWorldRequest(peer));
    EXPECT_TRUE(server.takeWorldReceived(peer));
    bridge->sent.clear();
    const Bytes entered{0, 5, 100, 100};
    server.received(entered.data(), static_cast<uint32_t>(entered.size()), peer);
    server.dispatchQueued();
    std::vector<Bytes> players;
    for (const Sent& sent : bridge->sent) {
      if (sent.kind == Sent::To && sent.peer == peer && sent.bytes[0] == 2) players.push_back(sent.bytes);
    }
    return players;
  }
  void fromPeer(const Bytes& message, uint8_t peer) {
    server.received(message.data(), static_cast<uint32_t>(message.size()), peer);
    server.dispatchQueued();
  }
  // What a newcomer is sent of the player at `peer`, standing at `x`, `y` with nothing held or worn.
  static std::vector<Bytes> plainPlayer(uint8_t peer, float x, float y, uint32_t look, const Bytes& held,
                                        uint8_t slot) {
    std::vector<Bytes> all{concat({{2, 17, peer}, f32(x), f32(y), Bytes(16, 0)}),
                           concat({{2, 23}, le32(look), {peer}}), concat({{2, 21}, held, {slot, peer}}),
                           {2, 46, peer, 0}};
    for (uint8_t index = 0; index < 5; ++index) {
      for (uint8_t part = 0; part <= 1; ++part) all.push_back(concat({{2, 22}, kNoItem, {part, index, peer}}));
    }
    return all;
  }
};

TEST_F(Newcomer, AClientEnteringMeetsTheHostsPlayerAndTheOthersLearnWhereItStands) {
  host().inventory->select(4);
  const std::vector<Bytes> met = enters(kAnn);
  const PlayerBase& own = host();
  const std::vector<Bytes> expected = plainPlayer(0, own.position.x, own.position.y, own.drawnLookWord(), kNoItem, 4);
  ASSERT_GE(met.size(), expected.size());
  EXPECT_EQ(std::vector<Bytes>(met.begin(), met.begin() + static_cast<long>(expected.size())), expected);
  const Sent cellOfAnn{Kind::AllBut, kAnn, concat({{2, 15, kAnn}, le16(20), le16(kFloorRow + 1)})};
  EXPECT_NE(std::find(bridge->sent.begin(), bridge->sent.end(), cellOfAnn), bridge->sent.end());
}

TEST_F(Newcomer, ALaterNewcomerSeesWhatTheFirstClientHoldsAndHowItLooks) {
  enters(kAnn);
  fromPeer(concat({{2, 23}, le32(0x0A0B0C0D), {kAnn}}), kAnn);
  server.entryOf(kAnn)->remote()->items().add(Item(world_test::kDirt, 0, 1, 0, 0));
  fromPeer(concat({{2, 21}, itemBytes(world_test::kDirt, 1), {3, kAnn}}), kAnn);
  server.entryOf(kAnn)->remote()->addBuff(33 << 6);
  const wire::WireOut hello = wire::helloMessage("Bo");
  server.received(hello.data(), hello.size(), 2);
  server.dispatchQueued();
  const std::vector<Bytes> met = enters(2);
  std::vector<Bytes> ofAnn;
  for (const Bytes& bytes : met) {
    if (bytes.size() >= 3 && (bytes[2] == kAnn || bytes[bytes.size() - 1] == kAnn) && bytes[1] != 15) ofAnn.push_back(bytes);
  }
  std::vector<Bytes> expected = plainPlayer(kAnn, ann().position.x, ann().position.y, 0x0A0B0C0D,
                                            itemBytes(world_test::kDirt, 1), 3);
  expected.push_back(concat({{2, 32}, le16(33 << 6), {kAnn}}));
  EXPECT_EQ(ofAnn, expected);
}

}  // namespace
}  // namespace nettest
