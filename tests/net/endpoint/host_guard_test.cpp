// The host trusts no client: what it forwards after claiming a message for its sender, byte for
// byte, and what it ignores (another player named, a host-only message, a peer without an entry, a
// second join, an id, slot or amount out of range, an answer for an entity it never offered).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/potions/potion_table.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/inventory/item_kinds.h"
#include "game/rules/player_rules.h"
#include "net/endpoint/host/sender_claim.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_layout.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/forge.h"
#include "world/blocks/logic_blocks.h"
#include "world/blocks/sign.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

using nettest::Bytes;
using nettest::Sent;

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

wire::WireOut fromClient(uint8_t id) { return wire::WireOut(wire::outgoing(id, wire::Side::Client)); }

constexpr uint16_t kBuff = 33 << 6;    // a potion's value (code 33, the second row)
constexpr uint16_t kNoBuff = 1 << 6;   // code 1: no potion has it

// Rules that record the damage they are asked to deal and the players they are asked to bring back.
class DamageRules final : public NullLogic, public PlayerRules {
 public:
  bool damagePlayer(PlayerBase& player, float amount, uint8_t) override {
    hurt.push_back({&player, amount});
    return true;
  }
  void respawnPlayer(PlayerBase* player) override { respawned.push_back(player); }
  std::vector<PlayerBase*> respawned;
  struct Hurt {
    PlayerBase* player;
    float amount;
  };
  std::vector<Hurt> hurt;
};

class HostGuard : public ::testing::Test {
 protected:
  HostGuard() : server(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host", &notices) {
    WorldParams params;
    params.mode = 1;
    world = std::make_unique<World>(nullptr, params, 40, 20);
    world->setContext({.rules = &rules});
    server.setWorld(world.get());
    auto owned = std::make_unique<nettest::RecordingServerBridge>();
    bridge = owned.get();
    server.setBridge(std::move(owned));
    server.transportOpened();
    receive(bytesOf(wire::helloMessage("Ann")), 1);
    receive(bytesOf(wire::helloMessage("Bo")), 2);
    bridge->sent.clear();
  }

  void receive(const Bytes& message, uint8_t peer) {
    server.received(message.data(), static_cast<uint32_t>(message.size()), peer);
    server.dispatchQueued();
  }
  // Bo sends the message; what the host sent in answer.
  std::vector<Sent> fromBo(const Bytes& message) {
    bridge->sent.clear();
    receive(message, 2);
    return bridge->sent;
  }
  PlayerServerDesktop& bo() { return *server.entryOf(2)->remote(); }
  // The peer goes through the join and enters: only then are its requests heard.
  void enters(uint8_t peer) {
    ASSERT_TRUE(server.takeWorldRequest(peer));
    ASSERT_TRUE(server.takeWorldReceived(peer));
    receive(Bytes{0, 5, 100, 100}, peer);
    bridge->sent.clear();
  }

  nettest::RecordingNotices notices;
  DamageRules rules;
  std::unique_ptr<World> world;
  NetServer server;
  nettest::RecordingServerBridge* bridge = nullptr;
};

// The bytes with the peer byte at `offset` set to `peer`.
Bytes withPeer(Bytes bytes, size_t offset, uint8_t peer) {
  bytes[offset] = peer;
  return bytes;
}

}  // namespace

// Every message a client may send, its peer bytes forged: the claim writes the sender's id over each
// byte the layout marks as the sender's and leaves every other byte as it came.
TEST_F(HostGuard, TheClaimOfEveryClientMessageOverwritesExactlyItsOwnPeerBytes) {
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (!spec.receivedBy(wire::Side::Host)) continue;
    SCOPED_TRACE(spec.name);
    const Bytes forged = nettest::sampleMessage(spec, 5);  // peer bytes name Ann (1)
    Bytes claimed = forged;
    ASSERT_TRUE(host::claimForSender(spec, claimed, 2, server.players()));
    Bytes expected = forged;
    size_t offset = wire::kHeaderSize;
    for (wire::LayoutCursor cursor(spec.layout); !cursor.atTail(); cursor.next()) {
      if (cursor.code() == 'P') expected[offset] = 2;
      offset += wire::fieldWidth(cursor.code());
    }
    EXPECT_EQ(claimed, expected);
  }
  Bytes command = bytesOf(fromClient(44).peer(0).chat("/time day"));
  ASSERT_TRUE(host::claimForSender(wire::outgoing(44, wire::Side::Client), command, 2, server.players()));
  EXPECT_EQ(command[2], 2) << "a slash command never runs as the host";
  Bytes reply{11, 114, 7, 2};
  EXPECT_FALSE(host::claimForSender(wire::outgoing(114, wire::Side::Client), reply, 2, server.players()))
      << "another player the reply names must have an entry";
}

TEST_F(HostGuard, ARequestNamingAnotherPlayerIsForwardedAsTheSendersOwn) {
  enters(2);
  const Item sword(7, 0, 1, 0, 0);
  // A piece worn in place 4, as its definition says: the place takes it.
  constexpr uint16_t kPiece = 9;
  const ItemDef kept = contentTables().itemDefs[kPiece];
  struct Restore {
    ItemDef value;
    ~Restore() { contentTables().itemDefs[kPiece] = value; }
  } restore{kept};
  contentTables().itemDefs[kPiece].defined = true;
  contentTables().itemDefs[kPiece].record.bytes[content::item_record::kind] = item_kind::kFirstWorn + 4;
  const Item piece(kPiece, 0, 1, 0, 0);
  struct Case {
    const char* what;
    Bytes forged;        // Bo's message, naming someone else
    size_t peerOffset;   // where its peer byte is
  };
  const std::vector<Case> cases = {
      {"motion as the host", bytesOf(fromClient(20).peer(0).raw(Bytes(16, 3)).f64(1.5).u32(9)), 2},
      {"held item as Ann", bytesOf(fromClient(21).item(&sword).u8(3).peer(1)), 14},
      {"worn item as the host", bytesOf(fromClient(22).item(&piece).u8(1).u8(4).peer(0)), 15},
      {"look as Ann", bytesOf(fromClient(23).u32(0xABCDEF).peer(1)), 6},
      {"chat as the host", bytesOf(fromClient(43).peer(0).chat("I am the host")), 2},
      {"mode as Ann", bytesOf(fromClient(46).peer(1).u8(1)), 2},
      {"action as peer 200", bytesOf(fromClient(94).peer(200).u8(3).u8(1)), 2},
  };
  const auto expectForwardedAsBos = [&](const Case& c) {
    const Bytes claimed = withPeer(c.forged, c.peerOffset, 2);
    std::vector<Sent> forwarded;
    for (const Sent& sent : fromBo(c.forged)) {
      if (sent.kind == Sent::AllBut) forwarded.push_back(sent);  // not what the rules tell everyone
    }
    EXPECT_EQ(forwarded, (std::vector<Sent>{{Sent::AllBut, 2, claimed}})) << c.what;
  };
  for (const Case& c : cases) expectForwardedAsBos(c);
  // The effects she carries in are heard as she enters, right after her craft knowledge.
  fromBo(bytesOf(fromClient(58).u8(0).raw(Bytes(128, 0))));
  expectForwardedAsBos({"effect as the host", bytesOf(fromClient(34).peer(0).u16(kBuff).u16(600)), 2});
  EXPECT_EQ(notices.lines.back(), "[Bo] I am the host");

  // A buff removal for Ann removes Bo's, and every client hears it of Bo.
  bo().addBuff(kBuff);
  const std::vector<Sent> removal = fromBo(bytesOf(fromClient(35).peer(1).u16(kBuff)));
  const Bytes removed = bytesOf(wire::WireOut(wire::outgoing(33, wire::Side::Host)).u16(kBuff).peer(2));
  EXPECT_EQ(removal, (std::vector<Sent>{{Sent::All, 0, removed}}));
  EXPECT_EQ(server.refusedCount(), 0u);
}

TEST_F(HostGuard, RequestsOutOfRangeAreNeitherAppliedNorForwarded) {
  enters(2);
  const Item sword(7, 0, 1, 0, 0);
  EXPECT_TRUE(fromBo(bytesOf(fromClient(22).item(&sword).u8(2).u8(0).peer(2))).empty()) << "part 2";
  EXPECT_TRUE(fromBo(bytesOf(fromClient(22).item(&sword).u8(0).u8(5).peer(2))).empty()) << "index 5";
  EXPECT_TRUE(fromBo(bytesOf(fromClient(34).peer(2).u16(kNoBuff).u16(60))).empty()) << "effect id";
  EXPECT_TRUE(fromBo(bytesOf(fromClient(35).peer(2).u16(kNoBuff))).empty()) << "buff id";
  EXPECT_TRUE(fromBo(bytesOf(fromClient(94).peer(2).u8(7).u8(0))).empty()) << "a revival only the host's rules show";
  Bytes motion(16, 0);
  motion[6] = 0xC0;  // x: a float that is no number
  motion[7] = 0x7F;
  EXPECT_TRUE(fromBo(bytesOf(fromClient(20).peer(2).raw(motion).f64(0).u32(0))).empty()) << "motion not finite";
  ASSERT_NE(potionDefForValue(kBuff), nullptr);
  ASSERT_EQ(potionDefForValue(kNoBuff), nullptr);

  for (const float amount : {-5.0f, -0.0001f}) fromBo(bytesOf(fromClient(39).f32(amount).u8(10)));
  EXPECT_TRUE(rules.hurt.empty()) << "negative damage heals nobody";
  fromBo(bytesOf(fromClient(39).f32(2.5f).u8(10)));
  ASSERT_EQ(rules.hurt.size(), 1u);
  EXPECT_EQ(rules.hurt[0].player, &bo()) << "damage a client reports lands on its own player";

  const Bytes notFinite{2, 39, 0x00, 0x00, 0x80, 0x7F, 10};
  const uint64_t before = server.refusedCount();
  EXPECT_TRUE(fromBo(notFinite).empty());
  EXPECT_EQ(server.refusedCount(), before + 1);
  EXPECT_EQ(rules.hurt.size(), 1u);
}

TEST_F(HostGuard, HostOnlyMessagesAndOtherPartiesWithoutAnEntryAreIgnored) {
  enters(2);
  EXPECT_TRUE(fromBo(Bytes{2, 47, 1, 0, 100, 0}).empty()) << "a statistic only the host sends";
  EXPECT_TRUE(fromBo(Bytes{0, 3, 1, 0}).empty()) << "the host's own admission";
  EXPECT_TRUE(fromBo(Bytes{11, 113, 3, 2}).empty()) << "a trade reply naming a peer with no entry";
  EXPECT_TRUE(fromBo(Bytes{11, 113, 2, 1}).empty()) << "a trade reply naming the sender as the asker";
  EXPECT_EQ(server.refusedCount(), 4u);
  EXPECT_EQ(server.players().occupied(), 3u);
}

TEST_F(HostGuard, APeerWithoutAnEntryIsHeardOnlyInItsHello) {
  bridge->sent.clear();
  receive(bytesOf(fromClient(43).peer(3).chat("hello")), 3);
  receive(bytesOf(fromClient(20).peer(3).raw(Bytes(16, 0)).f64(0).u32(0)), 3);
  receive(Bytes{0, 5, 5, 5}, 3);
  EXPECT_TRUE(bridge->sent.empty());
  EXPECT_EQ(server.refusedCount(), 3u);
  EXPECT_FALSE(server.takeWorldRequest(3));
  receive(bytesOf(wire::helloMessage("Cy")), 0);
  EXPECT_EQ(server.players().at(0)->name(), "Host") << "nothing arrives as the host's own peer";
}

TEST_F(HostGuard, AClientGoesThroughTheJoinOnce) {
  EXPECT_TRUE(fromBo(Bytes{0, 5, 20, 20}).empty()) << "entering before it has the world";
  EXPECT_TRUE(server.takeWorldRequest(2));
  EXPECT_FALSE(server.takeWorldRequest(2)) << "one world transfer per admitted client";
  EXPECT_TRUE(server.takeWorldReceived(2));
  EXPECT_FALSE(server.takeWorldReceived(2));
  const std::vector<Sent> entered = fromBo(Bytes{0, 5, 200, 200});
  ASSERT_EQ(entered.size(), 1u);
  EXPECT_EQ(entered[0].kind, Sent::AllBut);
  EXPECT_EQ(entered[0].peer, 2);
  EXPECT_EQ(entered[0].bytes[0], 2);
  EXPECT_EQ(entered[0].bytes[1], 15);
  EXPECT_EQ(entered[0].bytes[2], 2);
  EXPECT_EQ(notices.lines.back(), "Bo entered the world.");
  EXPECT_LE(bo().health, bo().stats.maxHealth) << "a client's health is no more than its maximum";
  EXPECT_TRUE(fromBo(Bytes{0, 5, 20, 20}).empty()) << "entering twice";
  EXPECT_EQ(server.joinStage(2), host::JoinStage::Entered);

  receive(Bytes{0, 4, 2, 0}, 2);
  EXPECT_EQ(server.joinStage(2), host::JoinStage::None);
  receive(bytesOf(wire::helloMessage("Bo")), 2);
  EXPECT_TRUE(server.takeWorldRequest(2)) << "a client that came back joins afresh";
}

TEST_F(HostGuard, AnAnswerIsTakenOnlyForAnEntityOfferedToTheSender) {
  enters(2);
  const Item apple(9, 0, 1, 0, 0);
  server.entryOf(1)->remote()->offerItem(500, &apple, true);
  bo().offerItem(600, &apple, true);
  bridge->sent.clear();
  fromBo(bytesOf(fromClient(92).u32(500)));  // Ann's offer
  fromBo(bytesOf(fromClient(93).u32(777)));  // never offered
  EXPECT_EQ(server.entryOf(1)->remote()->offeredEntities(), (std::vector<EntityId>{500}));
  EXPECT_EQ(bo().offeredEntities(), (std::vector<EntityId>{600}));
  fromBo(bytesOf(fromClient(93).u32(600)));
  EXPECT_TRUE(bo().offeredEntities().empty());
}

// A client sets a slot only of the container it has open, of the message's kind, on the message's
// cell, and only a slot that container has; every other item goes back to the pool (ASan sees a
// lost one).
TEST_F(HostGuard, ASlotIsSetOnlyInTheSendersOpenContainerAndWithinItsSlots) {
  enters(2);
  auto& forge = static_cast<Forge&>(world->forges().add(std::make_unique<Forge>(world->map().cell(5, 8))));
  AlchemyLab& lab = world->alchemyLabs().add(std::make_unique<AlchemyLab>(world->map().cell(9, 8)));
  bo().setOpenContainer(&forge);
  server.entryOf(1)->remote()->setOpenContainer(&lab);
  const Item coal(11, 0, 3, 0, 0);
  auto slotMessage = [&](uint8_t id, uint16_t column, uint8_t slot) {
    return bytesOf(fromClient(id).cell(column, 8).u8(slot).item(&coal));
  };
  fromBo(slotMessage(107, 5, 3));    // past the forge's three slots
  fromBo(slotMessage(107, 5, 255));
  fromBo(slotMessage(107, 6, 0));    // a cell that is not the open forge's
  fromBo(slotMessage(128, 9, 0));    // Ann's open lab
  fromBo(slotMessage(128, 5, 0));    // the forge's cell, as a lab
  fromBo(slotMessage(99, 5, 0));     // the forge's cell, as a chest
  for (size_t slot = 0; slot < forge.slotCount(); ++slot) EXPECT_EQ(forge.itemAt(slot), nullptr) << slot;
  for (size_t slot = 0; slot < lab.slotCount(); ++slot) EXPECT_EQ(lab.itemAt(slot), nullptr) << slot;

  fromBo(slotMessage(107, 5, 2));
  ASSERT_NE(forge.itemAt(2), nullptr);
  EXPECT_EQ(forge.itemAt(2)->id, 11);
  fromBo(Bytes{15, 110});  // the client closes it
  fromBo(slotMessage(107, 5, 1));
  EXPECT_EQ(forge.itemAt(1), nullptr) << "a closed container takes nothing";
}

TEST_F(HostGuard, ASignIsWrittenOnlyWhenItIsTheSendersOpenSign) {
  enters(2);
  Sign& open = world->signs().add(std::make_unique<Sign>(world->map().cell(3, 8)));
  Sign& other = world->signs().add(std::make_unique<Sign>(world->map().cell(4, 8)));
  bo().setOpenContainer(&open);
  const std::string longText(200, 'w');
  fromBo(bytesOf(fromClient(104).cell(4, 8).signText("forged").u8(1)));
  EXPECT_EQ(other.text(), "");
  fromBo(bytesOf(fromClient(104).cell(3, 8).signText(longText).u8(1)));
  EXPECT_EQ(open.text(), longText.substr(0, Sign::kTextLength)) << "a text is read with its bound";
  server.entryOf(1)->remote()->setOpenContainer(&other);
  fromBo(bytesOf(fromClient(104).cell(4, 8).signText("forged").u8(1)));
  EXPECT_EQ(other.text(), "") << "Ann's open sign is not Bo's";
}

// The respawn itself is the rules' (the same as the host's own player's): the host only decides who
// may ask for it.
TEST_F(HostGuard, OnlyADeadPlayerAskingIsBroughtBackAndThroughTheRules) {
  enters(2);
  bo().health = 2;
  EXPECT_TRUE(fromBo(Bytes{2, 15}).empty()) << "a living player asking to respawn stays where it is";
  EXPECT_TRUE(rules.respawned.empty());
  EXPECT_EQ(bo().health, 2);

  bo().dead = 1;
  bo().health = 0;
  fromBo(Bytes{2, 15});
  EXPECT_EQ(rules.respawned, (std::vector<PlayerBase*>{&bo()}));
}
