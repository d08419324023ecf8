// A joined player's game asks the host instead of acting: each operation sends exactly the
// request the host reads, byte for byte, and does only its own local part. An item a request
// carries is written into it before it goes back to the pool.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <new>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "entities/records/entity_from_record.h"
#include "game/inventory/inventory.h"
#include "game/session/travel_target.h"
#include "entities/mobs/mob_entity.h"
#include "net/client_game/client_swing_targets.h"
#include "net/client_game/game_remote_client.h"
#include "tests/entities/mob_rows.h"
#include "tests/net/client_in_game.h"
#include "world/cells/map_block.h"
#include "world/cells/map_deco.h"
#include "tests/support/item_pool_probe.h"

namespace {

using nettest::Bytes;

// Little-endian bytes, written as the host reads them.
struct Le {
  Bytes bytes;
  Le& u8(uint8_t v) {
    bytes.push_back(v);
    return *this;
  }
  Le& u16(uint16_t v) { return u8(static_cast<uint8_t>(v)).u8(static_cast<uint8_t>(v >> 8)); }
  Le& u32(uint32_t v) { return u16(static_cast<uint16_t>(v)).u16(static_cast<uint16_t>(v >> 16)); }
  Le& f32(float v) { return u32(std::bit_cast<uint32_t>(v)); }
  // word, id, count, durability, variant
  Le& item(uint32_t word, uint16_t id, uint16_t count, uint16_t durability, uint8_t variant) {
    return u32(word).u16(id).u16(count).u16(durability).u8(variant);
  }
};

class Exits final : public ClientGameExit {
 public:
  void leaveJoinedGame() override { ++left; }
  void rejoinHost() override { ++rejoined; }
  int left = 0;
  int rejoined = 0;
};

ItemPtr pooledItem(uint16_t id, uint16_t count, uint32_t word) {
  return ItemPtr(new (allocItem()) Item(id, 2, count, 7, word));
}

class ClientRequests : public ::testing::Test {
 protected:
  ClientRequests() {
    game.lendWorld(in.world.get());
    game.lendPlayer(in.player.get());
    in.player->position = {100.0f, 200.0f};
  }

  // What the operation sent, and nothing else.
  Bytes sentBy(const std::function<void()>& operation) {
    in.bridge->sent.clear();
    operation();
    if (in.bridge->sent.size() != 1) {
      ADD_FAILURE() << in.bridge->sent.size() << " messages sent";
      return {};
    }
    return in.bridge->sent.front();
  }
  bool sendsNothing(const std::function<void()>& operation) {
    in.bridge->sent.clear();
    operation();
    return in.bridge->sent.empty();
  }

  nettest::ClientInGame in;
  Exits exits;
  GameRemoteClient game{in.client, exits};
};

TEST_F(ClientRequests, EachRequestIsTheBytesTheHostReads) {
  MapBlock& cell = *in.world->cellAt(5, 6);
  const uint8_t me = nettest::ClientInGame::kLocalPeer;
  struct Case {
    const char* name;
    std::function<void()> operation;
    Bytes expected;
  };
  const CraftedStack spentOnCraft[] = {{20, 2}, {21, 1}};
  const Case cases[] = {
      {"player action", [&] { game.playPlayerAction(3, 9); }, Le{}.u8(6).u8(94).u8(me).u8(3).u8(9).bytes},
      {"cell effect", [&] { game.playCellEffect(4, cell); }, Le{}.u8(6).u8(95).u16(5).u16(6).u8(4).bytes},
      {"shelf", [&] { game.putItemOnShelf(cell, nullptr, 2); }, Le{}.u8(2).u8(27).u16(5).u16(6).u8(2).bytes},
      {"sign", [&] { game.placeSign(cell, 1); }, Le{}.u8(9).u8(105).u16(5).u16(6).u8(1).bytes},
      {"shoot", [&] { game.shoot(10.0f, 20.0f); },
       Le{}.u8(2).u8(25).u32(0).u16(0xFFFF).u8(0).u8(0).f32(100).f32(200).f32(std::hypot(10.0f, 20.0f)).f32(std::atan2(20.0f, 10.0f)).bytes},
      {"mode", [&] { game.setPlayerMode(1); }, Le{}.u8(2).u8(46).u8(me).u8(1).bytes},
      {"motion", [&] { game.sendPlayerState(PlayerStateRecord{1, 0, 30, 60, 2, -3, 0.5f, -0.25f}); },
       Le{}.u8(2).u8(20).u8(me).u8(1).u8(0).u16(0).f32(30).f32(60).f32(2).f32(-3).f32(0.5f).f32(-0.25f).bytes},
      {"clock mode", [&] { game.setTimeFrozen(1); }, Le{}.u8(4).u8(74).u8(1).bytes},
      {"respawn", [&] { game.respawn(); }, Le{}.u8(2).u8(15).bytes},
      {"leave bed", [&] { game.leaveBed(); }, Le{}.u8(2).u8(51).bytes},
      {"portal", [&] { game.usePortal(); }, Le{}.u8(2).u8(53).u32(0xFFFFFFFFu).bytes},
      {"trade answer", [&] { game.answerTrade(113, 5, 2); }, Le{}.u8(11).u8(113).u8(2).u8(5).bytes},
      {"trade cancel", [&] { game.cancelTrade(); }, Le{}.u8(11).u8(117).bytes},
      {"reel in", [&] { game.reelIn(1500.0f); }, Le{}.u8(13).u8(133).f32(1.5f).bytes},
      {"circuit", [&] { game.editCircuitCell(cell); }, Le{}.u8(14).u8(135).u16(5).u16(6).u32(0).u16(0).bytes},
      {"learned", [&] { game.reportItemLearned(0x1234); }, Le{}.u8(2).u8(59).u16(0x1234).bytes},
      {"crafted", [&] { game.reportCraft(7, spentOnCraft); },
       Le{}.u8(2).u8(49).u16(7).u8(2).item(0, 20, 2, 0, 0).item(0, 21, 1, 0, 0).bytes},
      {"damage", [&] { game.damageLocalPlayer(2.5f, 3); }, Le{}.u8(2).u8(39).f32(2.5f).u8(3).bytes},
      {"consume nothing", [&] { game.consumeItem(nullptr); },
       Le{}.u8(2).u8(31).item(0, 0xFFFF, 0, 0, 0).bytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(sentBy(c.operation), c.expected);
  }
  EXPECT_EQ(in.player->mode, 1);
}

TEST_F(ClientRequests, ABlockEditTravelsWholeBehindAByteWithoutValue) {
  BlockEdit edit;
  edit.kind = 2;
  edit.x = 7;
  edit.y = 9;
  edit.blockId = 12;
  const uint16_t before = in.world->cellAt(7, 9)->front;
  bool accepted = false;
  const Bytes sent = sentBy([&] { accepted = game.editBlock(edit); });
  EXPECT_TRUE(accepted);
  ASSERT_EQ(sent.size(), 19u);
  EXPECT_EQ(sent[0], 4);
  EXPECT_EQ(sent[1], 60);
  // The host reads the edit from bytes 3 to 18, as its catalogue row says.
  wire::WireIn read(*wire::incoming(60, wire::Side::Host), sent);
  read.u8();
  const BlockEdit arrived = read.blockEdit();
  EXPECT_TRUE(read.ok());
  EXPECT_EQ(arrived.kind, 2);
  EXPECT_EQ(arrived.x, 7);
  EXPECT_EQ(arrived.y, 9);
  EXPECT_EQ(arrived.blockId, 12);
  // Nothing changed here: the host's answer changes the cell.
  EXPECT_EQ(in.world->cellAt(7, 9)->front, before);
}

// The request carries the item's bytes; the stack itself goes back to the pool at once (a use
// after free here is what the sanitizer reports).
TEST_F(ClientRequests, ADroppedItemIsWrittenBeforeItGoesBackToThePool) {
  ItemPtr item = pooledItem(33, 4, 0xA1B2C3D4u);
  const size_t freeBefore = freeItemSlots();
  const Bytes sent = sentBy([&] { game.dropItem(std::move(item)); });
  EXPECT_EQ(sent, Le{}.u8(2).u8(42).item(0xA1B2C3D4u, 33, 4, 7, 2).bytes);
  EXPECT_EQ(freeItemSlots(), freeBefore + 1);
}

TEST_F(ClientRequests, AThrownItemIsWrittenWithThePlayersPositionBeforeItIsFreed) {
  const Bytes sent = sentBy([&] { game.throwItem(pooledItem(40, 1, 5), 1.5f, -2.0f, 1); });
  EXPECT_EQ(sent, Le{}.u8(2).u8(24).item(5, 40, 1, 7, 2).f32(100).f32(200).f32(1.5f).f32(-2.0f).u8(1).bytes);
}

// What the player holds is the host's to know: it spends a placed block from the stack it knows,
// and tells the client which slot it spent. Each change of the held item (a slot chosen, the last
// unit used up) goes to the host with the slot.
TEST_F(ClientRequests, ANewHeldItemIsToldToTheHostWithItsSlot) {
  const uint8_t me = nettest::ClientInGame::kLocalPeer;
  in.player->game = &game;
  in.player->inventory->setSlot({SlotKind::Quick, 3, 0}, pooledItem(263, 2, 0));
  const Bytes chosen = sentBy([&] {
    in.player->inventory->select(3);
    in.player->heldItemChanged(in.player->heldItem());
  });
  EXPECT_EQ(chosen, Le{}.u8(2).u8(21).item(0, 263, 2, 7, 2).u8(3).u8(me).bytes);
  EXPECT_TRUE(sendsNothing([&] { in.player->useUpHeldItem(); })) << "one of two used: the host spent it too";
  const Bytes emptied = sentBy([&] { in.player->useUpHeldItem(); });
  EXPECT_EQ(emptied, Le{}.u8(2).u8(21).item(0, 0xFFFF, 0, 0, 0).u8(3).u8(me).bytes);
  in.player->game = nullptr;
}

TEST_F(ClientRequests, ChatLinesAreSaidAndCommandsAskedOfTheHost) {
  const Bytes said = sentBy([&] { game.submitChatLine("hello"); });
  ASSERT_EQ(said.size(), 99u);
  EXPECT_EQ(Bytes(said.begin(), said.begin() + 8), (Bytes{2, 43, 1, 'h', 'e', 'l', 'l', 'o'}));
  const Bytes asked = sentBy([&] { game.submitChatLine("/time"); });
  ASSERT_EQ(asked.size(), 99u);
  EXPECT_EQ(Bytes(asked.begin(), asked.begin() + 8), (Bytes{2, 44, 1, '/', 't', 'i', 'm', 'e'}));
}

TEST_F(ClientRequests, WhatTheLocalPartRefusesIsNeverAskedOfTheHost) {
  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.damageLocalPlayer(0.0f, 1)); }));
  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.brewPotion()); }));
  EXPECT_TRUE(sendsNothing([&] { game.closeContainer(); }));
  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.signalEntities(100.0f, 200.0f)); }));
  EXPECT_TRUE(sendsNothing([&] { game.answerTrade(120, 1, 2); }));
  EXPECT_TRUE(sendsNothing([&] { game.dropItem(nullptr); }));
  MapBlock notACell = *in.world->cellAt(5, 6);
  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.useBlock(notACell, MapBlock::kFront)); }));
}

// A portal is used from next to it, on whichever layer stands; the host is told the cell and the
// layer, and the client does nothing with it itself.
TEST_F(ClientRequests, UsingABackBlockNamesItsCellAndTheBackLayer) {
  constexpr uint16_t kPortal = 44;
  MapBlock& cell = *in.world->cellAt(5, 6);
  cell.back = block_word::compose(cell.back, kPortal, 0);
  bool used = false;
  EXPECT_EQ(sentBy([&] { used = game.useBlock(cell, MapBlock::kBack); }), Le{}.u8(2).u8(26).u16(5).u16(6).u8(1).bytes);
  EXPECT_TRUE(used);
  cell.front = block_word::compose(cell.front, kPortal, 0);
  EXPECT_EQ(sentBy([&] { game.useBlock(cell, MapBlock::kFront); }), Le{}.u8(2).u8(26).u16(5).u16(6).u8(0).bytes);
  // Out of reach: refused here, never asked.
  MapBlock& far = *in.world->cellAt(20, 6);
  far.back = block_word::compose(far.back, kPortal, 0);
  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.useBlock(far, MapBlock::kBack)); }));
}

// An empty hand signals a toy within 300 pixels of the point; a full one, or no toy near, says
// nothing to the host.
TEST_F(ClientRequests, OnlyAnEmptyHandNearAToySignalsIt) {
  constexpr uint16_t kBall = 979;
  EntityRecord toy = nettest::sampleRecord(1);
  toy.state.kind = EntityKind::Toy;
  toy.definition = kBall;
  toy.extra = 1;
  toy.state.x = 150.0f;
  toy.state.y = 90.0f;
  toy.state.cellX = 135.0f;
  toy.state.cellY = 105.0f;
  ASSERT_NE(entityFromRecord(*in.entities, toy), nullptr);
  game.setEntities(in.entities);
  kel::options().invertToyMechanics = true;

  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.signalEntities(150.0f, 400.0f)); }));
  bool signalled = false;
  EXPECT_EQ(sentBy([&] { signalled = game.signalEntities(150.0f, 300.0f); }),
            Le{}.u8(2).u8(55).f32(150.0f).f32(300.0f).u8(1).bytes);
  EXPECT_TRUE(signalled);
  in.player->inventory->setSlot({SlotKind::Quick, 0, 0}, pooledItem(33, 1, 0));
  ASSERT_NE(in.player->heldItem(), nullptr);
  EXPECT_TRUE(sendsNothing([&] { EXPECT_FALSE(game.signalEntities(150.0f, 300.0f)); }));
}

TEST_F(ClientRequests, AShelfIsTheHostsToFill) {
  Item stack(33, 0, 5, 0, 0);
  EXPECT_FALSE(game.putItemOnShelf(*in.world->cellAt(5, 6), &stack, 1));
  EXPECT_EQ(stack.count, 5);
}

TEST_F(ClientRequests, QuittingAndTravellingAreTheOwnersToDo) {
  game.quit();
  EXPECT_EQ(exits.left, 1);
  game.travelToWorld(TravelTarget{});
  EXPECT_EQ(exits.rejoined, 1);
  EXPECT_EQ(game.sessionKind(), 2);
}

}  // namespace

namespace {

// A walker of row 3 standing on the cell beside the player, as the host's record made it.
MobEntity* walkerBeside(nettest::ClientInGame& in) {
  entity_test::defineMob(3, {.ai = 1});
  EntityRecord record = nettest::sampleRecord(4);
  record.state.x = 6 * 30.0f + 15.0f;
  record.state.y = 5 * 30.0f + 15.0f;
  record.state.cellX = record.state.x;
  record.state.cellY = record.state.y;
  return dynamic_cast<MobEntity*>(entityFromRecord(*in.entities, record));
}

TEST_F(ClientRequests, AMobIsHitAndCapturedByItsIdOnTheHost) {
  MobEntity* mob = walkerBeside(in);
  ASSERT_NE(mob, nullptr);
  EXPECT_EQ(sentBy([&] { game.hitMob(mob); }), Le{}.u8(2).u8(37).u32(mob->id()).bytes);
  bool captured = false;
  EXPECT_EQ(sentBy([&] { captured = game.captureMob(mob); }), Le{}.u8(2).u8(36).u32(mob->id()).bytes);
  EXPECT_TRUE(captured);
  EXPECT_TRUE(sendsNothing([&] { game.hitMob(nullptr); }));
}

// The main view's swing meets the mobs of the client's world through the rules it asks, and each
// mob it hits is the host's to hurt.
TEST_F(ClientRequests, ASwingThatMeetsAMobAsksTheHostToHitIt) {
  MobEntity* mob = walkerBeside(in);
  ASSERT_NE(mob, nullptr);
  ClientSwingTargets targets(game);
  targets.setEntities(in.entities);
  std::vector<SwingTarget> found;
  targets.collectMobs(found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found.front().id, mob->id());
  const uint32_t id = mob->id();
  EXPECT_EQ(sentBy([&] { targets.hit(id); }), Le{}.u8(2).u8(37).u32(id).bytes);
  EXPECT_TRUE(sendsNothing([&] { targets.hit(id + 100); }));
  mob->data.removed = true;
  EXPECT_TRUE(sendsNothing([&] { targets.hit(id); }));
}

}  // namespace
