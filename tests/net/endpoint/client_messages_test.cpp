// The host's messages applied on a client in the game: each category changes what it names in the
// client's own world, its local player, its copies of the other players and its entities, and
// tells the host what the client answers.

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "engine/io/byte_writer.h"
#include "entities/core/entity_record.h"
#include "entities/items/dress_entity.h"
#include "entities/items/treasure_factory.h"
#include "game/inventory/inventory.h"
#include "net/endpoint/net_player_client.h"
#include "net/players/player_records.h"
#include "net/remote/remote_chest.h"
#include "net/remote/remote_forge.h"
#include "world/blocks/alchemy_lab.h"
#include "tests/net/client_in_game.h"
#include "tests/net/players/wire_bytes.h"
#include "world/cells/map_block.h"
#include "world/edits/edit_kind.h"

namespace {

using nettest::ClientInGame;
using nettest::WireBytes;

class ClientMessagesTest : public ::testing::Test {
 protected:
  ClientInGame game;
  NetClient& client = game.client;
  World& world = *game.world;

  PlayerClientDesktop* ann() const { return client.remotePlayer(ClientInGame::kOtherPeer); }
  std::vector<std::vector<uint8_t>> sent() const { return game.bridge->sent; }
};

}  // namespace

TEST_F(ClientMessagesTest, TheHostsEntriesNameThePlayersAndTheLocalPeer) {
  EXPECT_EQ(client.localPeerId(), ClientInGame::kLocalPeer);
  EXPECT_EQ(client.remotePlayer(ClientInGame::kLocalPeer), nullptr) << "no copy of the local player";
  ASSERT_NE(ann(), nullptr);
  EXPECT_EQ(client.players().at(0)->name(), "Host");
  EXPECT_EQ(client.playerOf(ClientInGame::kLocalPeer), game.player.get());
  EXPECT_EQ(ann()->world, &world);
}

TEST_F(ClientMessagesTest, ABlockEditChangesTheCell) {
  BlockEdit edit;
  edit.kind = edit_kind::kPlace;
  edit.x = 7;
  edit.y = 4;
  edit.blockId = world_test::kDirt;
  game.receive(ClientInGame::fromHost(60).u8(0).blockEdit(edit));
  EXPECT_EQ(world.cellAt(7, 4)->frontId(), world_test::kDirt);
}

TEST_F(ClientMessagesTest, AChatLineReachesTheLocalPlayerWithItsAuthorsName) {
  game.receive(ClientInGame::fromHost(43).peer(0).chat("welcome"));
  game.receive(ClientInGame::fromHost(43).peer(ClientInGame::kOtherPeer).chat("hi"));
  game.receive(ClientInGame::fromHost(43).peer(9).chat("from nobody"));
  EXPECT_EQ(game.events.lines, (std::vector<nettest::ClientEvents::Line>{{0, "[Host] welcome"}, {0, "[Ann] hi"}}));
  game.receive(ClientInGame::fromHost(45).chat("Too far away").u8(255).u8(3));
  EXPECT_EQ(game.events.lines.back(), (nettest::ClientEvents::Line{3, "Too far away"}));
}

TEST_F(ClientMessagesTest, ARemotePlayersMotionMovesItsCopy) {
  wire::WireOut motion = ClientInGame::fromHost(20);
  motion.peer(ClientInGame::kOtherPeer);
  player_record::writeMotion(motion, {MotionEvent::kLeft, MotionEvent::kPressed, 240.0f, 120.0f, -2.0f, 0, 0, 0});
  game.receive(motion);
  EXPECT_EQ(ann()->position.x, 240.0f);
  EXPECT_EQ(ann()->cellX, 8u);
  EXPECT_EQ(ann()->cellY, 4u);
  EXPECT_EQ(ann()->body().hKey, 0);
}

// What a copy tells the interface's view of it.
class CopyEvents final : public PlayerEvents {
 public:
  void motionEvent(PlayerGraphical& player, uint8_t code) override { motions.emplace_back(&player, code); }
  std::vector<std::pair<PlayerGraphical*, uint8_t>> motions;
};

TEST_F(ClientMessagesTest, ACopyTellsTheViewsEventsHowItMoves) {
  CopyEvents copyEvents;
  game.view.copyEventsTo = &copyEvents;
  game.entry(3, 0, "Bob");
  PlayerClientDesktop* bob = game.client.remotePlayer(3);
  ASSERT_NE(bob, nullptr);
  wire::WireOut motion = ClientInGame::fromHost(20);
  motion.peer(3);
  player_record::writeMotion(motion, {MotionEvent::kLeft, MotionEvent::kPressed, 240.0f, 120.0f, -2.0f, 0, 0, 0});
  game.receive(motion);
  for (int i = 0; i < 10; ++i) bob->update(1.0f);
  ASSERT_FALSE(copyEvents.motions.empty());
  EXPECT_EQ(copyEvents.motions.front().first, static_cast<PlayerGraphical*>(bob));
  // A copy made before the view had events to give tells them nothing.
  wire::WireOut annMoves = ClientInGame::fromHost(20);
  annMoves.peer(ClientInGame::kOtherPeer);
  player_record::writeMotion(annMoves, {MotionEvent::kRight, MotionEvent::kPressed, 300.0f, 120.0f, 2.0f, 0, 0, 0});
  game.receive(annMoves);
  for (int i = 0; i < 10; ++i) ann()->update(1.0f);
  for (const auto& [player, code] : copyEvents.motions) EXPECT_EQ(player, static_cast<PlayerGraphical*>(bob)) << int(code);
}

TEST_F(ClientMessagesTest, ThePlayersStateItemsAndDeathReachTheirCopies) {
  game.receive(ClientInGame::fromHost(17).peer(ClientInGame::kOtherPeer).f32(330.0f).f32(90.0f).u32(0).u32(0).u32(0).u32(0));
  EXPECT_EQ(ann()->cellX, 11u);
  EXPECT_EQ(game.view.shown, std::vector<PlayerClientDesktop*>{ann()}) << "its sprite is made";
  const Item held(40, 0, 3, 0, 0);
  game.receive(ClientInGame::fromHost(21).item(&held).u8(6).peer(ClientInGame::kOtherPeer));
  ASSERT_NE(ann()->heldItem(), nullptr);
  EXPECT_EQ(ann()->heldItem()->id, 40);
  EXPECT_EQ(ann()->selectedSlot(), 6);
  game.receive(ClientInGame::fromHost(22).item(&held).u8(1).u8(2).peer(ClientInGame::kOtherPeer));
  EXPECT_EQ(ann()->wornItem(1, 2)->id, 40);
  game.receive(ClientInGame::fromHost(23).u32(0x00ABCDEFu).peer(ClientInGame::kOtherPeer));
  EXPECT_EQ(ann()->drawnLookWord(), 0x00ABCDEFu);
  game.receive(ClientInGame::fromHost(41).peer(ClientInGame::kOtherPeer));
  EXPECT_EQ(ann()->dead, 1);
  EXPECT_EQ(game.player->dead, 0);
}

TEST_F(ClientMessagesTest, TheLocalPlayerFollowsTheHostsDecisions) {
  game.player->health = 2;
  game.receive(ClientInGame::fromHost(40).f32(1.0f).u8(0));
  EXPECT_FLOAT_EQ(game.player->health, 3.0f);
  game.receive(ClientInGame::fromHost(39).f32(0.5f).u8(24));
  EXPECT_FLOAT_EQ(game.player->health, 2.5f);
  game.receive(ClientInGame::fromHost(16).u16(12).u16(3));
  EXPECT_EQ(game.player->spawnCellX, 12);
  game.receive(ClientInGame::fromHost(38).u32(static_cast<uint32_t>(-5)));
  EXPECT_EQ(game.player->breath, 0) << "a breath below none is none";
  game.receive(ClientInGame::fromHost(57).peer(ClientInGame::kLocalPeer).point(95.0f, 150.0f));
  EXPECT_EQ(game.player->cellX, 3u);
  EXPECT_EQ(game.player->cellY, 5u);
  game.receive(ClientInGame::fromHost(18).peer(ClientInGame::kLocalPeer).cell(20, 6));
  EXPECT_EQ(game.player->cellX, 20u);
  game.receive(ClientInGame::fromHost(95).cell(2, 2).u8(13));
  EXPECT_EQ(game.events.tileEffects, std::vector<uint8_t>{13});
}

TEST_F(ClientMessagesTest, SleepingThroughTheNightOnTheHostWakesTheLocalPlayerFromItsViews) {
  const int before = game.events.mainViews;
  game.receive(ClientInGame::fromHost(50));
  EXPECT_EQ(game.events.mainViews, before + 1) << "the after-sleep step closes the open view";
}

TEST_F(ClientMessagesTest, AnEntityRecordCreatesTheEntityAndItsRemovalEndsIt) {
  DressEntity* original = createDressEntity(*game.entities, 700, 4, {300.0f, 300.0f});
  ASSERT_NE(original, nullptr);
  EntityRecord record;
  original->toRecord(record);
  record.entityId = 7777;
  game.receive(ClientInGame::fromHost(77).entityRecord(record));
  Entity* copy = game.entities->findById(7777);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->kind(), original->kind());
  game.receive(ClientInGame::fromHost(78).count(2).u32(7777).u32(123456));
  EXPECT_TRUE(copy->data.removed) << "the unknown id beside it is skipped";
}

TEST_F(ClientMessagesTest, AWokenEntityStandsWhereTheHostHasItAndDriftsSideways) {
  DressEntity* dress = createDressEntity(*game.entities, 700, 4, {300.0f, 300.0f});
  ASSERT_NE(dress, nullptr);
  engine::ByteWriter drift;
  drift.f32(0.05f);
  game.receive(ClientInGame::fromHost(81).u32(dress->id()).point(330.0f, 300.0f).raw(drift.data()));
  EXPECT_EQ(dress->data.x, 330.0f);
  EXPECT_FLOAT_EQ(dress->data.impulseX, 0.05f);

  engine::ByteWriter notANumber;
  notANumber.f32(std::numeric_limits<float>::quiet_NaN());
  game.receive(ClientInGame::fromHost(81).u32(dress->id()).point(360.0f, 300.0f).raw(notANumber.data()));
  EXPECT_EQ(dress->data.x, 330.0f) << "a drift that is not a number moves nothing";
}

TEST_F(ClientMessagesTest, TheHostSetsThePlayersDayClockAndAPhaseThatIsNoneChangesNothing) {
  game.receive(ClientInGame::fromHost(69).u8(2).u32(1234));
  EXPECT_EQ(static_cast<int>(world.dayClock().phase), 2);
  EXPECT_EQ(world.dayClock().tickCounter, 1234u);
  game.receive(ClientInGame::fromHost(69).u8(200).u32(99));
  EXPECT_EQ(world.dayClock().tickCounter, 1234u);
}

TEST_F(ClientMessagesTest, AnOfferedItemIsTakenAndAnsweredOnlyWhenAnAnswerIsWanted) {
  const Item stone(40, 0, 2, 0, 0);
  game.receive(ClientInGame::fromHost(91).u32(55).item(&stone).u8(0));
  EXPECT_TRUE(game.bridge->sent.empty()) << "no answer wanted";
  game.receive(ClientInGame::fromHost(91).u32(56).item(nullptr).u8(1));
  EXPECT_EQ(sent(), std::vector<std::vector<uint8_t>>{WireBytes(5, 93).u32(56)}) << "nothing to take";
}

TEST_F(ClientMessagesTest, AChestOpensAsACopyWhoseChangesGoToTheHost) {
  const Item gem(105, 0, 1, 0, 0x9);
  game.receive(ClientInGame::fromHost(98).count(3).u8(0).cell(6, 7).item(nullptr).item(&gem).item(nullptr));
  auto* chest = dynamic_cast<RemoteChest*>(game.player->openContainer());
  ASSERT_NE(chest, nullptr);
  EXPECT_EQ(world.chests().findAt(*world.cellAt(6, 7)), chest) << "the world keeps the copy";
  EXPECT_EQ(chest->slotCount(), 3u);
  EXPECT_EQ(chest->itemAt(1)->id, 105);
  EXPECT_EQ(game.events.inventoryViews, 1);
  chest->setItem(0, nullptr);
  chest->prevPage(3);
  EXPECT_EQ(sent(), (std::vector<std::vector<uint8_t>>{WireBytes(7, 99).cell(6, 7).u8(0).noItem(),
                                                        WireBytes(7, 100).cell(6, 7).u8(0xFD)}));
  EXPECT_EQ(chest->offset(), 0);
  game.receive(ClientInGame::fromHost(110));
  EXPECT_EQ(game.events.mainViews, 1) << "the host closed it";
}

// The host's lab brewed for her: the copy she has open brews the same, once, and asks nothing back.
TEST_F(ClientMessagesTest, WhatTheHostsLabBrewedIsBrewedOnceInTheLabSheHasOpen) {
  const Item herb(431, 0, 2, 0, 0);
  const Item root(175, 0, 2, 0, 0);
  const Item bottle(1934, 0, 2, 0, 0);
  game.receive(ClientInGame::fromHost(127).cell(6, 8).item(&herb).item(&herb).item(&root).item(&bottle).item(nullptr));
  auto* lab = dynamic_cast<AlchemyLab*>(game.player->openContainer());
  ASSERT_NE(lab, nullptr);
  game.bridge->sent.clear();
  const PotionResult brewed{nullptr, 2702, 2133};
  game.receive(ClientInGame::fromHost(130).raw(player_record::brewBytes(brewed)));
  const Item* potion = lab->itemAt(AlchemyLab::kOutputSlot);
  ASSERT_NE(potion, nullptr);
  EXPECT_EQ(potion->id, 2702);
  EXPECT_EQ(potion->count, 1);
  EXPECT_EQ(lab->itemAt(0), nullptr) << "its ingredients are spent";
  EXPECT_FALSE(lab->brewing());
  EXPECT_TRUE(game.bridge->sent.empty()) << "the host brewed its own lab: nothing goes back";
}

TEST_F(ClientMessagesTest, AContainerOpenedWhileTheInventoryViewIsCurrentIsRefused) {
  game.view.inventoryCurrent = true;
  game.receive(ClientInGame::fromHost(98).count(0).u8(0).cell(6, 7));
  game.receive(ClientInGame::fromHost(127).cell(6, 8).item(nullptr).item(nullptr).item(nullptr).item(nullptr).item(nullptr));
  EXPECT_EQ(sent(), (std::vector<std::vector<uint8_t>>{WireBytes(15, 110), WireBytes(15, 110)}));
  EXPECT_EQ(game.player->openContainer(), nullptr);
  EXPECT_EQ(world.chests().size(), 0u);
}

TEST_F(ClientMessagesTest, AForgeOpensAndFollowsTheHostsCounters) {
  const player_record::ForgeCounters counters{4, 3, 9, 6, true};
  const Item coal(20, 0, 5, 0, 0);
  game.receive(ClientInGame::fromHost(106).cell(4, 4).u64(counters.packed()).u16(1).item(&coal).item(nullptr).item(nullptr));
  auto* forge = dynamic_cast<RemoteForge*>(game.player->openContainer());
  ASSERT_NE(forge, nullptr);
  EXPECT_EQ(forge->fuelTotal(), 9);
  EXPECT_TRUE(forge->burning());
  game.receive(ClientInGame::fromHost(108).u64(player_record::ForgeCounters{1, 2, 9, 6, false}.packed()).u16(0));
  EXPECT_EQ(forge->fuelLeft(), 1);
  EXPECT_FALSE(forge->burning());
  game.receive(ClientInGame::fromHost(109).cell(0, 0).u64(counters.packed()).u16(1).item(nullptr).item(nullptr).item(&coal));
  EXPECT_EQ(forge->itemAt(0), nullptr);
  EXPECT_EQ(forge->itemAt(2)->id, 20);
  EXPECT_EQ(game.events.forgeRefreshes, (std::vector<int>{1, 3}));
}

TEST_F(ClientMessagesTest, ASignToReadIsShownAndNotKept) {
  game.receive(ClientInGame::fromHost(103).cell(9, 9).signText("hello\nmoor").u8(0));
  EXPECT_EQ(game.events.signLines, (std::vector<std::string>{"hello", "moor"}));
  EXPECT_EQ(world.signs().size(), 0u);
  EXPECT_EQ(game.player->openContainer(), nullptr);
}

TEST_F(ClientMessagesTest, PlayersJoinAndLeaveTheTable) {
  game.receive(wire::helloMessage("Cid", 3));
  ASSERT_NE(client.remotePlayer(3), nullptr);
  EXPECT_EQ(game.events.lines.back(), (nettest::ClientEvents::Line{1, "Cid connected."}));
  PlayerClientDesktop* cid = client.remotePlayer(3);
  game.receive(wire::departureMessage(wire::Side::Host, 3));
  EXPECT_EQ(client.remotePlayer(3), nullptr);
  EXPECT_EQ(game.view.gone, std::vector<PlayerClientDesktop*>{cid}) << "its sprite goes before it";
  const size_t before = client.players().occupied();
  game.receive(wire::departureMessage(wire::Side::Host, 9));
  EXPECT_EQ(client.players().occupied(), before) << "a peer without an entry";
}

TEST_F(ClientMessagesTest, TheJoiningCountChangesInAnyStateButTheViewOnlyInTheGame) {
  game.view.statuses.clear();  // what entering announced
  NetClient joining("Late");
  joining.setView(&game.view);
  const wire::WireOut started = ClientInGame::fromHost(11).u8(2);
  joining.received(started.data(), started.size(), 0);
  joining.dispatchQueued();
  EXPECT_EQ(joining.joiningCount(), 1);
  EXPECT_TRUE(game.view.statuses.empty());
  game.receive(ClientInGame::fromHost(11).u8(2));
  game.receive(ClientInGame::fromHost(11).u8(1));
  game.receive(ClientInGame::fromHost(11).u8(1));
  EXPECT_EQ(client.joiningCount(), 0) << "never below none";
  EXPECT_EQ(game.view.statuses, (std::vector<bool>{true, false, false}));
  joining.setView(nullptr);
}

TEST_F(ClientMessagesTest, EnteringTellsTheHostThePlayersStateInOrder) {
  ClientInGame fresh;
  fresh.player->stats.buffs.clear();
  NetClient entering("Me");
  auto owned = std::make_unique<nettest::RecordingClientBridge>();
  nettest::RecordingClientBridge* bridge = owned.get();
  entering.setBridge(std::move(owned));
  entering.setLocalPlayer(fresh.player.get());
  fresh.player->health = 3.7f;
  fresh.player->lookWord = 0x01020304u;
  fresh.player->inventory->setSlot({SlotKind::Backpack, 2, 1}, newItem(33, 0, 4, 0, 0));
  entering.enterWorld();
  EXPECT_EQ(entering.state(), NetClient::kInGame);
  ASSERT_EQ(bridge->sent.size(), 1u + 1 + 1 + 10 + 1 + 1 + 1);
  EXPECT_EQ(bridge->sent[0], std::vector<uint8_t>(WireBytes(0, 5).u8(5).u8(3)));
  EXPECT_EQ(bridge->sent[1], std::vector<uint8_t>(WireBytes(2, 23).u32(0x01020304u).u8(0)));
  // Every stack she carries, so that the host spends only what she has: before what she holds and
  // wears, which the host takes from its copy of what she carries.
  EXPECT_EQ(bridge->sent[2], std::vector<uint8_t>(WireBytes(2, 19).u8(1).item(Item(33, 0, 4, 0, 0))));
  EXPECT_EQ(bridge->sent[3][1], 21);
  for (size_t i = 4; i < 14; ++i) {
    EXPECT_EQ(bridge->sent[i][1], 22);
    EXPECT_EQ(bridge->sent[i][13], (i - 4) % 2) << "part 0 then part 1 of each index";
    EXPECT_EQ(bridge->sent[i][14], (i - 4) / 2);
  }
  EXPECT_EQ(bridge->sent[14], std::vector<uint8_t>(WireBytes(2, 46).u8(0).u8(0)));
  EXPECT_EQ(bridge->sent[15].size(), 131u);
}
