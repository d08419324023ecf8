// The host's proxy of a client's player: every operation sends its message, laid out byte by
// byte, to the client alone or to every client, and the proxy's own state follows the operation.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/crafting/craft_book.h"
#include "game/inventory/item_kinds.h"
#include "game/rules/player_rules.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_records.h"
#include "net/players/player_server.h"
#include "net/wire/connection_messages.h"
#include "platform/settings/settings.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/players/wire_bytes.h"
#include "tests/world/world_recorders.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/edits/edit_kind.h"

namespace {

using nettest::Sent;
using nettest::WireBytes;

constexpr uint8_t kPeer = 2;
constexpr uint16_t kSmallChest = 213;
constexpr uint16_t kSignBlock = 2599;
constexpr uint16_t kForgeBlock = 33;
constexpr uint16_t kAlchemyLabBlock = 45;

class PlayerServerTest : public world_test::EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    for (uint16_t id : {kSmallChest, kSignBlock, kForgeBlock, kAlchemyLabBlock}) {
      world_test::defineBlock(id, {.transparency = 1});
    }
    makeWorld(WorldParams{});
    auto owned = std::make_unique<nettest::RecordingServerBridge>();
    bridge = owned.get();
    server.setBridge(std::move(owned));
    server.setWorld(world.get());
    player = std::make_unique<PlayerServerDesktop>(server, world.get(), kPeer, 5, 6);
    player->health = 3;
  }
  void TearDown() override {
    player.reset();
    EditWorldTest::TearDown();
  }

  Forge& forgeAt(int32_t x, int32_t y) {
    apply(edit(edit_kind::kPlace, x, y, kForgeBlock));
    return *static_cast<Forge*>(world->forges().findAt(at(x, y)));
  }
  AlchemyLab& labAt(int32_t x, int32_t y) {
    apply(edit(edit_kind::kPlace, x, y, kAlchemyLabBlock));
    return *world->alchemyLabs().findAt(at(x, y));
  }
  // What the operation sent, and nothing else.
  std::vector<Sent> sentBy(const std::function<void(PlayerServer&)>& operation) {
    bridge->sent.clear();
    operation(*player);
    return bridge->sent;
  }

  NetServer server{kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host"};
  nettest::RecordingServerBridge* bridge = nullptr;
  std::unique_ptr<PlayerServerDesktop> player;
};

struct Case {
  const char* name;
  std::function<void(PlayerServer&)> operation;
  Sent expected;
};

Sent client(const WireBytes& bytes) { return {Sent::To, kPeer, bytes}; }
Sent everyone(const WireBytes& bytes) { return {Sent::All, 0, bytes}; }

}  // namespace

TEST_F(PlayerServerTest, EachMessageOfTheBodyAndTheNoticesIsLaidOutForItsReceivers) {
  const Item offered(700, 2, 9, 40, 0x1234u);
  const std::vector<Case> cases = {
      {"position", [](PlayerServer& p) { p.setPosition(31.5f, -12.0f); },
       client(WireBytes(2, 57).u8(kPeer).f32(31.5f).f32(-12.0f))},
      {"death", [](PlayerServer& p) { p.die(); }, everyone(WireBytes(2, 41).u8(kPeer))},
      {"buff removed", [](PlayerServer& p) { p.removeBuff(0x0203); },
       everyone(WireBytes(2, 33).u16(0x0203).u8(kPeer))},
      {"offer", [&](PlayerServer& p) { p.offerItem(0xA1B2C3D4u, &offered, true); },
       client(WireBytes(5, 91).u32(0xA1B2C3D4u).item(offered).u8(1))},
      {"offer of nothing", [](PlayerServer& p) { p.offerItem(7, nullptr, false); },
       client(WireBytes(5, 91).u32(7).noItem().u8(0))},
      {"bait", [](PlayerServer& p) { p.consumeBait(); }, client(WireBytes(2, 30))},
      {"entity effect", [](PlayerServer& p) { p.playEntityEffect(0x01020304u, 22, 9); },
       client(WireBytes(6, 96).u32(0x01020304u).u8(22).u8(9))},
      {"heal", [](PlayerServer& p) { p.addHealth(1.25f); }, client(WireBytes(2, 40).f32(1.25f).u8(0))},
      {"damage", [](PlayerServer& p) { p.takeDamage(0.5f, 24); }, client(WireBytes(2, 39).f32(0.5f).u8(24))},
      {"revive", [](PlayerServer& p) { p.revive(); }, client(WireBytes(2, 15).u8(kPeer).cell(5, 6))},
      {"spawn cell", [](PlayerServer& p) { p.setSpawnCell(0x0102, 0x0304); },
       client(WireBytes(2, 16).u16(0x0102).u16(0x0304))},
      {"text", [](PlayerServer& p) { p.showMessage(3, "Too far away"); },
       client(WireBytes(2, 45).text("Too far away", 96).u8(255).u8(3))},
      {"trade asked", [](PlayerServer& p) { p.tradeMessage(1, kPeer, "Ann"); },
       client(WireBytes(11, 112).u8(1).u8(kPeer).text("Ann", 32))},
      {"trade started", [](PlayerServer& p) { p.tradeStarted("Bob"); },
       client(WireBytes(11, 116).text("Bob", 32))},
      {"trade ended", [](PlayerServer& p) { p.tradeEnded(); }, client(WireBytes(11, 117))},
      {"trade event", [](PlayerServer& p) { p.tradeEvent(122); }, client(WireBytes(11, 122))},
      {"trade offer", [&](PlayerServer& p) { p.tradeOfferChanged(true, &offered); },
       client(WireBytes(11, 118).item(offered))},
      {"trade withdrawn", [](PlayerServer& p) { p.tradeOfferChanged(false, nullptr); },
       client(WireBytes(11, 119).noItem())},
      {"restored", [](PlayerServer& p) { p.notifyRestored(); }, client(WireBytes(2, 50))},
      {"portal dialog", [](PlayerServer& p) { p.showPortalTravelDialog(0x0A0B0C0Du); },
       client(WireBytes(2, 53).u32(0x0A0B0C0Du))},
      {"portal travel", [](PlayerServer& p) { p.travelThroughPortal(); }, client(WireBytes(2, 54))},
      {"weather", [](PlayerServer& p) { p.setWeather(3, false); }, client(WireBytes(4, 73).u8(3))},
      {"clock mode", [](PlayerServer& p) { p.setClockMode(2); }, client(WireBytes(4, 74).u8(2))},
      {"day clock", [](PlayerServer& p) { p.setDayClock(4, 0x00ABCDEFu); },
       client(WireBytes(3, 69).u8(4).u32(0x00ABCDEFu))},
      {"forget bobber", [](PlayerServer& p) { p.forgetBobber(); }, client(WireBytes(13, 131))},
      {"remember bobber", [](PlayerServer& p) { p.rememberBobber(); }, client(WireBytes(13, 132))},
      {"bite time", [](PlayerServer& p) { p.stampBiteTime(); }, client(WireBytes(13, 134))},
      {"circuit", [&](PlayerServer& p) { p.editCircuit(at(7, 8), CircuitRecord{2, 0, 0x0506, 0x0708}); },
       client(WireBytes(14, 135).cell(7, 8).u8(2).u8(0).u16(0x0506).u16(0x0708))},
      {"cell effect", [&](PlayerServer& p) { p.playTileEffect(at(9, 3), 13); },
       client(WireBytes(6, 95).cell(9, 3).u8(13))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sentBy(c.operation), std::vector<Sent>{c.expected}) << c.name;
  }
  EXPECT_EQ(player->offeredEntities(), (std::vector<EntityId>{0xA1B2C3D4u, 7}));
  player->forgetOffer(7);
  effects.ids.gone.insert(0xA1B2C3D4u);  // the entity went before the player
  EXPECT_EQ(player->offeredEntities(), std::vector<EntityId>{0xA1B2C3D4u});
}

TEST_F(PlayerServerTest, ABuffReachesEveryClientWithThePlayersPeerAndChangesItsStats) {
  const size_t before = player->stats.buffs.size();
  EXPECT_EQ(sentBy([](PlayerServer& p) { p.addBuff(0x0107); }),
            std::vector<Sent>{everyone(WireBytes(2, 32).u16(0x0107).u8(kPeer))});
  EXPECT_EQ(player->stats.buffs.size(), before) << "an id no potion stands for adds no buff";
}

TEST_F(PlayerServerTest, TheHeldSlotIsTheOneItsClientLastToldAndABlastLeavesItsBodyToTheClient) {
  const PlayerBase& asBody = *player;
  EXPECT_EQ(asBody.selectedSlot(), PlayerBase::kNoSlot) << "nothing told yet";
  player->heldItemChanged(wire::PooledItem(), 6);
  EXPECT_EQ(asBody.selectedSlot(), 6);
  player->pushLocalBody(4.0f, 0.0f);
  EXPECT_EQ(player->body().impulse.x, 0.0f) << "its client moves it";
}

TEST_F(PlayerServerTest, OperationsThatDidNothingSendNothing) {
  player->stats.setFlag(player_flag::kGodmode, true);
  EXPECT_TRUE(sentBy([](PlayerServer& p) { p.takeDamage(2, 1); }).empty()) << "godmode";
  EXPECT_TRUE(sentBy([](PlayerServer& p) { p.tradeEvent(119); }).empty()) << "not a trade event";
  EXPECT_TRUE(sentBy([](PlayerServer& p) { p.refreshForge(1); }).empty()) << "no forge open";
  const std::array<uint8_t, 16> record{};
  EXPECT_TRUE(sentBy([&](PlayerServer& p) { p.alchemyLabOperation(record); }).empty()) << "no lab open";
  EXPECT_TRUE(sentBy([](PlayerServer& p) { p.leaveContainer(true); }).empty()) << "nothing open";
  kel::options().disableRemoteStats = true;
  EXPECT_TRUE(sentBy([](PlayerServer& p) { p.recordStat(5, 1); }).empty());
  kel::options().disableRemoteStats = false;
  EXPECT_EQ(sentBy([](PlayerServer& p) { p.recordStat(0x0105, 2); }),
            std::vector<Sent>{client(WireBytes(2, 47).u16(0x0105).u16(2))});
}

TEST_F(PlayerServerTest, UsingUpTheHeldItemTellsTheSlotAndFreesTheEmptiedStack) {
  player->items().add(Item(600, 0, 2, 0, 0));  // the stack is one she carries
  player->heldItemChanged(newItem(600, 0, 2, 0, 0), 4);
  EXPECT_EQ(sentBy([](PlayerServer& p) { p.consumeHeldItem(); }),
            std::vector<Sent>{client(WireBytes(2, 28).u8(4))});
  ASSERT_NE(player->heldItem(), nullptr);
  EXPECT_EQ(player->heldItem()->count, 1);
  player->consumeHeldItem();
  EXPECT_EQ(player->heldItem(), nullptr) << "the last unit is gone";

  // A stack that is no tool or weapon does not wear: a blow struck holding it costs nothing.
  player->items().add(Item(600, 0, 3, 0, 0));
  player->heldItemChanged(newItem(600, 0, 3, 0, 0), 4);
  player->wearHeldTool();
  ASSERT_NE(player->heldItem(), nullptr);
  EXPECT_EQ(player->heldItem()->count, 3);

  ItemDef& tool = contentTables().itemDefs[601];
  tool.record.bytes[content::item_record::kind] = item_kind::kTool;
  tool.defined = true;
  player->items().add(Item(601, 0, 1, 2, 0));
  player->heldItemChanged(newItem(601, 0, 1, 2, 0), 7);
  EXPECT_EQ(sentBy([](PlayerServer& p) { p.wearHeldTool(); }),
            std::vector<Sent>{client(WireBytes(2, 29).u8(7))});
  EXPECT_EQ(player->heldItem()->durability, 1);
  EXPECT_EQ(player->items().peek(601, 1)->durability, 1) << "the copy of her items wore it too";
  player->wearHeldTool();
  EXPECT_EQ(player->heldItem(), nullptr) << "a worn-out tool of one unit is gone";
  EXPECT_EQ(player->items().peek(601, 1)->durability, 0) << "in her items it stays, broken, as in hers";
  tool = ItemDef{};
}

TEST_F(PlayerServerTest, AChestIsSentWithItsSlotsPageAndCellAndBecomesTheOpenContainer) {
  apply(edit(edit_kind::kPlace, 3, 4, kSmallChest));
  Chest& chest = *world->chests().findAt(at(3, 4));
  chest.setItem(1, newItem(500, 1, 7, 3, 0x22));
  chest.nextPage(2);
  WireBytes expected(7, 98);
  expected.u8(static_cast<uint8_t>(chest.slotCount())).u8(2).cell(3, 4);
  for (size_t slot = 0; slot < chest.slotCount(); ++slot) {
    if (slot == 1) expected.item(*chest.itemAt(1)); else expected.noItem();
  }
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.openChest(chest); }), std::vector<Sent>{client(expected)});
  EXPECT_EQ(expected.bytes().size(), 8 + 11 * chest.slotCount());
  EXPECT_EQ(player->openContainer(), &chest);
  EXPECT_EQ(sentBy([](PlayerServer& p) { p.leaveContainer(true); }),
            std::vector<Sent>{client(WireBytes(15, 110))});
  EXPECT_EQ(player->openContainer(), nullptr);
  EXPECT_FALSE(chest.inUse());
}

TEST_F(PlayerServerTest, AChestWithoutSlotsSendsItsHeaderAlone) {
  Chest empty(at(2, 2), Chest::SlotCount{0});
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.openChest(empty); }),
            std::vector<Sent>{client(WireBytes(7, 98).u8(0).u8(0).cell(2, 2))});
}

TEST_F(PlayerServerTest, AStableSendsItsEmptyPlacesAsAllOnesWithNoCounter) {
  Stable stable(at(6, 2), *world);
  stable.setItem(newItem(410, 0, 3, 0, 0));
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.openStable(stable); }),
            std::vector<Sent>{client(WireBytes(8, 101).cell(6, 2).u16(0xFFFF).u16(0xFFFF).u16(0xFFFF)
                                         .u8(0).u8(0).u8(0).item(*stable.feed()))});
}

TEST_F(PlayerServerTest, ASignOfAFullTextFillsItsFieldAndOpensOnlyForEditing) {
  apply(edit(edit_kind::kPlace, 8, 5, kSignBlock));
  Sign& sign = *world->signs().findAt(at(8, 5));
  const std::string full(128, 'q');
  sign.setText(full.c_str());
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.showSign(sign, false); }),
            std::vector<Sent>{client(WireBytes(9, 103).cell(8, 5).text(full, 128).u8(0))});
  EXPECT_EQ(player->openContainer(), nullptr) << "reading keeps nothing open";
  sign.setText("short");
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.showSign(sign, true); }),
            std::vector<Sent>{client(WireBytes(9, 103).cell(8, 5).text("short", 128).u8(1))});
  EXPECT_EQ(player->openContainer(), &sign);
}

TEST_F(PlayerServerTest, AForgeIsSentWithItsCountersAndRefreshedByKind) {
  Forge& forge = forgeAt(10, 4);
  forge.restore({newItem(20, 0, 4, 0, 0), nullptr, newItem(22, 0, 1, 0, 0)}, 12, 5);
  const player_record::ForgeCounters counters = player_record::ForgeCounters::of(forge);
  auto contents = [&](uint8_t id) {
    return WireBytes(10, id).cell(10, 4).u64(counters.packed()).u16(1).item(*forge.itemAt(0)).noItem()
        .item(*forge.itemAt(2));
  };
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.openForge(forge); }), std::vector<Sent>{client(contents(106))});
  EXPECT_EQ(sentBy([](PlayerServer& p) { p.refreshForge(PlayerServer::kForgeCounters); }),
            std::vector<Sent>{client(WireBytes(10, 108).u64(counters.packed()).u16(1))});
  for (int kind : {PlayerServer::kForgeItems, PlayerServer::kForgeStep}) {
    EXPECT_EQ(sentBy([&](PlayerServer& p) { p.refreshForge(kind); }), std::vector<Sent>{client(contents(109))});
  }
  EXPECT_TRUE(sentBy([](PlayerServer& p) { p.refreshForge(2); }).empty());
  EXPECT_EQ(player_record::ForgeCounters::unpack(counters.packed(), 1), counters);
}

TEST_F(PlayerServerTest, AnAlchemyLabIsSentWholeAndItsOperationEndsTheBrew) {
  AlchemyLab& lab = labAt(12, 4);
  lab.setItem(4, newItem(900, 0, 1, 0, 0));
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.openAlchemyLab(lab); }),
            std::vector<Sent>{client(WireBytes(12, 127).cell(12, 4).noItem().noItem().noItem().noItem()
                                         .item(*lab.itemAt(4)))});
  lab.setBrewing(true);
  std::array<uint8_t, 16> record{};
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 3);
  WireBytes expected(12, 130);
  for (uint8_t byte : record) expected.u8(byte);
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.alchemyLabOperation(record); }), std::vector<Sent>{client(expected)});
  EXPECT_FALSE(lab.brewing());
}

TEST_F(PlayerServerTest, TheBreathIsSentOnlyWhenTheEnvironmentStepChangedIt) {
  struct NoHurt final : PlayerRules {
    bool damagePlayer(PlayerBase&, float, uint8_t) override { return false; }
  } hurt;
  player->breath = PlayerBase::kFullBreath;
  EXPECT_TRUE(sentBy([&](PlayerServer& p) { p.applyEnvironmentDamage(hurt); }).empty()) << "full breath stays full";
  player->breath = 10;
  EXPECT_EQ(sentBy([&](PlayerServer& p) { p.applyEnvironmentDamage(hurt); }),
            std::vector<Sent>{client(WireBytes(2, 38).u32(16))});
}

TEST_F(PlayerServerTest, TheUnknownCraftEntriesAreLearnedOneByOne) {
  installCraftBookEntries({{"a", 0, ""}, {"b", 3, ""}, {"c", 3, ""}});
  RecipeKnowledge::Bitset known{};
  known[0] = 0b001;  // entry 0 known
  player->setCraftKnowledge(true, known);
  EXPECT_FALSE(player->hasUnknownEntries()) << "with everything known";
  player->setCraftKnowledge(false, known);
  EXPECT_TRUE(player->hasUnknownEntries());
  EXPECT_FALSE(player->learnEntry(0)) << "already known";
  for (uint16_t entry : {1, 2}) {
    EXPECT_TRUE(player->learnEntry(entry));
    EXPECT_FALSE(player->learnEntry(entry)) << "an entry is learned once";
  }
  EXPECT_FALSE(player->hasUnknownEntries());
  EXPECT_EQ(player->pickUnknownEntry(), RecipeKnowledge::kNoEntry);
  installCraftBookEntries({});
}

TEST_F(PlayerServerTest, AnAdmittedClientGetsItsPlayerAtTheHostsSpawnAndCell) {
  PlayerBase host(world.get(), true);
  host.setSpawnCell(11, 12);
  host.setCellCoordinates(13, 9);
  server.setHostPlayer(&host);
  server.transportOpened();
  EXPECT_EQ(server.entryOf(0)->player(), &host);
  const wire::WireOut hello = wire::helloMessage("Ann", 0, wire::kProtocolVersion);
  server.received(hello.data(), hello.size(), 3);
  server.dispatchQueued();
  ASSERT_NE(server.entryOf(3), nullptr);
  PlayerServerDesktop* ann = server.entryOf(3)->remote();
  ASSERT_NE(ann, nullptr);
  EXPECT_EQ(ann->peer(), 3);
  EXPECT_EQ(ann->spawnCellX, 11);
  EXPECT_EQ(ann->spawnCellY, 12);
  EXPECT_EQ(ann->cellX, 13u);
  EXPECT_EQ(ann->cellY, 9u);
  EXPECT_EQ(ann->world, world.get());
}

TEST_F(PlayerServerTest, TheTableTellsAClientsPlayerFromTheHostsOwn) {
  PlayerBase host(world.get(), true);
  server.setHostPlayer(&host);
  server.transportOpened();
  const wire::WireOut hello = wire::helloMessage("Ann", 0, wire::kProtocolVersion);
  server.received(hello.data(), hello.size(), 3);
  server.dispatchQueued();
  ASSERT_NE(server.entryOf(3), nullptr);
  PlayerServerDesktop* ann = server.entryOf(3)->remote();
  const PlayerBase* annAsPlayer = ann;
  EXPECT_EQ(server.remoteOf(annAsPlayer), ann);
  EXPECT_EQ(server.remoteOf(&host), nullptr) << "the host's own player is no client's";
  EXPECT_EQ(server.remoteOf(player.get()), nullptr) << "a player no entry holds";
  EXPECT_EQ(server.remoteOf(nullptr), nullptr);
}
