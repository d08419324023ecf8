// A trade between the host's own player and a client's player over real ENet: the client asks by
// the cell it clicked, the host accepts, both offer, both are ready, both confirm, and each side
// moves its own items; every category-11 message crosses the wire as the catalogue lays it out.
// Hostile trade messages (an answer to a request nobody made, forged peers, an item the content
// does not know, a host-only event) change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_local.h"
#include "game/trade/trade_requests.h"
#include "game/trade/trade_session.h"
#include "net/endpoint/net_player_server.h"
#include "net/trade/trade_remote.h"
#include "platform/settings/settings.h"
#include "tests/net/loopback_fixture.h"
#include "tests/world/world_test_blocks.h"
#include "world/rules/game.h"
#include "world/world.h"
#include "tests/support/settings_reset.h"

namespace {

using nettest::Bytes;
using nettest::Received;

constexpr uint16_t kStone = 100;
constexpr uint16_t kPick = 101;

// A trading player's game: its windows are the host's own or a client's, as the test wires it.
class TradingGame final : public NullGame {
 public:
  TradeAbstract* createTrade(const std::string& partner) override {
    if (net != nullptr) return new TradeRemote(*player, partner, *net);
    return new TradeLocal(*player, partner);
  }
  Player* player = nullptr;
  Net* net = nullptr;
};

class AskedEvents final : public PlayerEvents {
 public:
  bool tradeRequest(uint8_t askingPeer, uint8_t, const std::string& name) override {
    asked.emplace_back(askingPeer, name);
    return true;
  }
  void message(uint8_t kind, const std::string&) override { kinds.push_back(kind); }
  std::vector<std::pair<uint8_t, std::string>> asked;
  std::vector<uint8_t> kinds;
};

struct Trader {
  explicit Trader(World& world) {
    player = std::make_unique<PlayerDesktopLocal>(&game, &events);
    player->setWorld(&world);
    game.player = player.get();
  }
  Inventory& inventory() { return *player->inventory; }
  TradingGame game;
  AskedEvents events;
  std::unique_ptr<PlayerDesktopLocal> player;
};

Bytes named(uint8_t id, const std::string& name) {
  Bytes bytes(34, 0);
  bytes[0] = 11;
  bytes[1] = id;
  std::copy_n(name.begin(), std::min<size_t>(name.size(), bytes.size() - 2), bytes.begin() + 2);
  return bytes;
}

// [11][id] with the 11-byte item: word, id, count, durability, variant.
Bytes withItem(uint8_t id, uint16_t item, uint16_t count) {
  return Bytes{11, id, 0, 0, 0, 0, static_cast<uint8_t>(item), static_cast<uint8_t>(item >> 8),
               static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8), 0, 0, 0};
}

class TradeOverEnet : public nettest::LoopbackTest {
 protected:
  void SetUp() override {
    testsupport::resetSettings();
    resetContentTables();
    world_test::defineStandardBlocks();
    for (uint16_t id : {kStone, kPick}) contentTables().itemDefs[id].defined = true;
    contentTables().itemDefs[kStone].record.bytes[content::item_record::freeStack] = 1;  // stacks
    hostWorld = std::make_unique<World>(nullptr, WorldParams{}, 40, 20);
    clientWorld = std::make_unique<World>(nullptr, WorldParams{}, 40, 20);
    hostSide = std::make_unique<Trader>(*hostWorld);
    annSide = std::make_unique<Trader>(*clientWorld);
    hostSide->player->setCellCoordinates(5, 5);
    startHost(4);
    host->setWorld(hostWorld.get());
    host->setHostPlayer(hostSide->player.get());
    // The hosting game's trades: its own player's and each client's as it enters.
    hostSide->player->setTrades(trades);
    host->setTrades(trades);
    ann = join("Ann");
    ASSERT_NE(ann, nullptr);
    annSide->game.net = ann;
    ann->setWorld(clientWorld.get());
    ann->setLocalPlayer(annSide->player.get());
    ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
    // Ann asked for the world on her admission; she says it arrived, then enters: only then is she
    // heard in the game.
    ASSERT_TRUE(pumpUntil([&] { return host->joinStage(1) == host::JoinStage::ReceivingWorld; }));
    send(Bytes{0, 6, 0, 0});
    ann->enterWorld();
    ASSERT_TRUE(pumpUntil([&] { return host->joinStage(1) == host::JoinStage::Entered; }));
    annOnHost = host->entryOf(1)->remote();
    ASSERT_NE(annOnHost, nullptr);
    annOnHost->setCellCoordinates(7, 5);
  }
  void TearDown() override {
    trades->clear();
    if (ann != nullptr) {
      ann->setLocalPlayer(nullptr);
      ann->setWorld(nullptr);
    }
    host->setHostPlayer(nullptr);
    host.reset();
    clients.clear();
  }
  void send(const Bytes& bytes) { ann->send(bytes.data(), static_cast<uint32_t>(bytes.size()), 0); }
  bool annHas(const Bytes& bytes) { return nettest::hasSeen(ann->seen, Received{bytes, 0}); }
  bool hostHas(const Bytes& bytes) { return nettest::hasSeen(host->seen, Received{bytes, 1}); }
  // Ann asks the host, whom she clicked on its cell, and the host accepts: both windows open.
  void openTrade() {
    send(Bytes{11, 111, 5, 0, 5, 0, 0});
    ASSERT_TRUE(pumpUntil([&] { return !hostSide->events.asked.empty(); }));
    EXPECT_EQ(hostSide->events.asked[0], (std::pair<uint8_t, std::string>{1, "Ann"}));
    answerTradeRequest(trade::kAccept, *annOnHost, *hostSide->player, "Host", "Ann");
    ASSERT_TRUE(pumpUntil([&] { return annSide->inventory().trade() != nullptr; }));
  }

  std::shared_ptr<TradeBook> trades = std::make_shared<TradeBook>();
  std::unique_ptr<World> hostWorld;
  std::unique_ptr<World> clientWorld;
  std::unique_ptr<Trader> hostSide;
  std::unique_ptr<Trader> annSide;
  nettest::LoopbackClient* ann = nullptr;
  PlayerServerDesktop* annOnHost = nullptr;
};

}  // namespace

TEST_F(TradeOverEnet, AClientAndTheHostTradeThroughCategoryElevenMessages) {
  annSide->inventory().setSlot({SlotKind::Quick, 0, 0}, newItem(kStone, 0, 10, 0, 0));
  annOnHost->items().add(Item(kStone, 0, 10, 0, 0));  // she carried them when she entered
  hostSide->inventory().setSlot({SlotKind::Quick, 0, 0}, newItem(kPick, 0, 1, 0, 0));
  openTrade();
  EXPECT_TRUE(annHas(named(116, "Host")));
  EXPECT_EQ(annSide->inventory().trade()->partner(), "Host");

  ASSERT_TRUE(annSide->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(pumpUntil([&] { return hostSide->inventory().trade()->otherOffer(0) != nullptr; }));
  EXPECT_TRUE(hostHas(withItem(118, kStone, 10)));
  ASSERT_TRUE(hostSide->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(pumpUntil([&] { return annSide->inventory().trade()->otherOffer(0) != nullptr; }));
  EXPECT_TRUE(annHas(withItem(118, kPick, 1)));

  annSide->inventory().trade()->setReady(true);
  ASSERT_TRUE(pumpUntil([&] { return hostSide->inventory().trade()->otherReady(); }));
  hostSide->inventory().trade()->setReady(true);
  ASSERT_TRUE(pumpUntil([&] { return annSide->inventory().trade() == nullptr && hostSide->inventory().trade() == nullptr; }));

  EXPECT_TRUE(hostHas(Bytes{11, 120}));
  EXPECT_TRUE(annHas(Bytes{11, 120}));
  EXPECT_TRUE(annHas(Bytes{11, 122}));
  EXPECT_TRUE(hostHas(Bytes{11, 123}));
  EXPECT_TRUE(annHas(Bytes{11, 125}));
  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(annSide->inventory().countItems(kPick, false, true), 1u);
  EXPECT_EQ(annSide->inventory().countItems(kStone, false, true), 0u);
  EXPECT_EQ(hostSide->inventory().countItems(kStone, false, true), 10u);
  EXPECT_EQ(hostSide->inventory().countItems(kPick, false, true), 0u);
}

TEST_F(TradeOverEnet, HostileTradeMessagesChangeNothing) {
  const size_t before = host->seen.size();
  send(Bytes{11, 113, 0, 1});   // an acceptance of a request nobody made
  send(Bytes{11, 113, 0, 9});   // the same, naming another answerer (the claim makes it Ann)
  send(withItem(118, kStone, 5));  // an offer outside any trade
  send(Bytes{11, 120});         // an event outside any trade
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= before + 4; }));
  EXPECT_TRUE(trades->sessions().empty());
  EXPECT_EQ(hostSide->inventory().trade(), nullptr);

  openTrade();
  TradeSession& session = *trades->sessions().front();
  const size_t during = host->seen.size();
  send(withItem(118, 9000, 5));  // an id past the content's items
  send(Bytes{11, 125});          // the completion only the host decides
  send(Bytes{11, 122});          // as is both ready
  send(Bytes{11, 123});          // a confirmation before both are ready
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= during + 3; }));
  pumpOnce();
  EXPECT_EQ(session.offersA[0], nullptr);
  EXPECT_EQ(session.bothReady, 0);
  ASSERT_EQ(trades->sessions().size(), 1u);
  EXPECT_NE(hostSide->inventory().trade(), nullptr);
}

// Her ten stones offered once are all she has: the same ten offered again, or one more, would
// hand the host stones she does not carry.
TEST_F(TradeOverEnet, AStackOfferedTwiceIsRefusedTheSecondTime) {
  annOnHost->items().add(Item(kStone, 0, 10, 0, 0));
  openTrade();
  TradeSession& session = *trades->sessions().front();
  const std::array<ItemPtr, trade::kOfferPlaces>& offered = session.offersOf(*annOnHost);
  send(withItem(118, kStone, 6));
  ASSERT_TRUE(pumpUntil([&] { return offered[0] != nullptr; }));
  const size_t during = host->seen.size();
  send(withItem(118, kStone, 6));  // twelve in all
  send(withItem(118, kStone, 4));  // ten in all: hers
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= during + 2; }));
  pumpOnce();
  EXPECT_EQ(session.offeredCountOf(*annOnHost, Item(kStone, 0, 1, 0, 0)), 10u);
  ASSERT_NE(offered[1], nullptr);
  EXPECT_EQ(offered[1]->count, 4);
  EXPECT_EQ(offered[2], nullptr);
}

// Her pickaxe is worn and plain: one sent with another word (its made-up make) is none of hers and
// is not offered; named unworn, as her window may show it, it goes to the other side as the host
// knows it.
TEST_F(TradeOverEnet, AnOfferedStackIsTheHostsCopyOfItNotWhatTheClientSaysItIs) {
  annOnHost->items().add(Item(kPick, 0, 1, 3, 0));
  openTrade();
  Bytes forged = withItem(118, kPick, 1);
  forged[2] = 0x2A;  // the item's word
  send(forged);
  send(withItem(118, kPick, 1));
  const std::array<ItemPtr, trade::kOfferPlaces>& offered = trades->sessions().front()->offersOf(*annOnHost);
  ASSERT_TRUE(pumpUntil([&] { return offered[0] != nullptr; }));
  EXPECT_EQ(offered[0]->word, 0u);
  EXPECT_EQ(offered[0]->durability, 3);
  EXPECT_EQ(offered[1], nullptr) << "the made-up one was not offered";
}

// Her worn pickaxe goes on offer as the host's copy of it; she takes it back, naming it as her
// own window holds it (unworn: the host's copy alone knows the wear), and then the host's player
// and she confirm: nothing is left on offer and nothing changes hands.
TEST_F(TradeOverEnet, AStackOfferedAsTheHostsCopyIsWithdrawnAsTheClientNamesIt) {
  annOnHost->items().add(Item(kPick, 0, 1, 3, 0));
  openTrade();
  TradeSession& session = *trades->sessions().front();
  const std::array<ItemPtr, trade::kOfferPlaces>& offered = session.offersOf(*annOnHost);
  send(withItem(118, kPick, 1));
  ASSERT_TRUE(pumpUntil([&] { return offered[0] != nullptr; }));
  ASSERT_EQ(offered[0]->durability, 3);
  send(withItem(119, kPick, 1));
  ASSERT_TRUE(pumpUntil([&] { return offered[0] == nullptr; }));
  handleTradeEvent(session, *hostSide->player, trade::kReady);
  send(Bytes{11, 120});
  ASSERT_TRUE(pumpUntil([&] { return session.bothReady != 0; }));
  handleTradeEvent(session, *hostSide->player, trade::kConfirm);
  send(Bytes{11, 123});
  ASSERT_TRUE(pumpUntil([&] { return trades->sessions().empty(); }));
  EXPECT_EQ(hostSide->inventory().countItems(kPick, false, true), 0u);
  EXPECT_EQ(annOnHost->items().countOf(kPick), 1u);
}

// She offers her ten stones, then drops them before both confirm: the trade ends and the host's
// player receives nothing she no longer carries.
TEST_F(TradeOverEnet, StonesSpentAfterTheyWereOfferedEndTheTradeAtItsConfirmation) {
  annOnHost->items().add(Item(kStone, 0, 10, 0, 0));
  openTrade();
  TradeSession& session = *trades->sessions().front();
  send(withItem(118, kStone, 10));
  ASSERT_TRUE(pumpUntil([&] { return session.offeredCountOf(*annOnHost, Item(kStone, 0, 1, 0, 0)) == 10; }));
  ASSERT_NE(annOnHost->items().take(kStone, 4), nullptr);  // what her drop takes out of the copy
  handleTradeEvent(session, *hostSide->player, trade::kReady);
  send(Bytes{11, 120});
  ASSERT_TRUE(pumpUntil([&] { return session.bothReady != 0; }));
  handleTradeEvent(session, *hostSide->player, trade::kConfirm);
  send(Bytes{11, 123});
  ASSERT_TRUE(pumpUntil([&] { return trades->sessions().empty(); }));
  EXPECT_EQ(hostSide->inventory().countItems(kStone, false, true), 0u);
  EXPECT_EQ(annOnHost->items().countOf(kStone), 6u) << "what she still carries stays hers";
}

TEST_F(TradeOverEnet, TheHostAsksTheClientItClickedAndItsAnswerOpensTheTrade) {
  host->requestTradeWith(*hostSide->player, annOnHost);
  Bytes asked = named(112, "Host");
  asked.insert(asked.begin() + 2, {0, 1});  // the asking peer (the host), the asked one (Ann)
  asked.resize(36);
  ASSERT_TRUE(pumpUntil([&] { return !annSide->events.asked.empty(); }));
  EXPECT_TRUE(annHas(asked));
  EXPECT_EQ(annSide->events.asked[0], (std::pair<uint8_t, std::string>{0, "Host"}));

  send(Bytes{11, trade::kAccept, 0, 1});
  ASSERT_TRUE(pumpUntil([&] { return annSide->inventory().trade() != nullptr; }));
  ASSERT_EQ(trades->sessions().size(), 1u);
  EXPECT_EQ(trades->sessions().front()->a, hostSide->player.get()) << "the asker is side A";
  EXPECT_EQ(hostSide->inventory().trade()->partner(), "Ann");
}

TEST_F(TradeOverEnet, NobodyFreeUnderThePointerIsWhatTheAskerReads) {
  openTrade();
  const size_t before = hostSide->events.kinds.size();
  host->requestTradeWith(*hostSide->player, annOnHost);  // Ann trades already
  host->requestTradeWith(*hostSide->player, nullptr);    // nobody was clicked
  EXPECT_EQ(hostSide->events.kinds.size(), before + 2);
  EXPECT_EQ(hostSide->events.kinds.back(), trade::kRefusalKind);
  EXPECT_EQ(trades->sessions().size(), 1u);
}

// Several players may stand on one cell (the shared spawn): the one under the pointer is asked,
// named by its peer; one too far to be clicked, or a peer with nobody in the game, is not.
TEST_F(TradeOverEnet, AClientsRequestAsksThePlayerUnderThePointerNotTheFirstOnTheCell) {
  nettest::LoopbackClient* bo = join("Bo");
  ASSERT_NE(bo, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return host->joinStage(2) == host::JoinStage::ReceivingWorld; }));
  const Bytes complete{0, 6, 0, 0};
  bo->send(complete.data(), static_cast<uint32_t>(complete.size()), 0);
  bo->enterWorld(100, 100);
  ASSERT_TRUE(pumpUntil([&] { return host->joinStage(2) == host::JoinStage::Entered; }));
  PlayerServerDesktop* boOnHost = host->entryOf(2)->remote();
  boOnHost->setCellCoordinates(5, 5);  // on the host's own cell

  send(Bytes{11, 111, 5, 0, 5, 0, 2});  // Ann clicked Bo there
  ASSERT_TRUE(pumpUntil([&] { return nettest::hasSeen(bo->seen, Received{[] {
    Bytes asked = named(112, "Ann");
    asked.insert(asked.begin() + 2, {1, 2});  // Ann asks, Bo is asked
    asked.resize(36);
    return asked;
  }(), 0}); })) << "Bo is asked";
  EXPECT_TRUE(hostSide->events.asked.empty()) << "not the host, first in the table on that cell";
  trades->clear();

  boOnHost->setCellCoordinates(30, 5);  // far beyond a click
  const size_t before = host->seen.size();
  send(Bytes{11, 111, 5, 0, 5, 0, 2});
  send(Bytes{11, 111, 5, 0, 5, 0, 3});  // a peer with no entry: refused before any handler
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= before + 2; }));
  pumpOnce();
  EXPECT_TRUE(hostSide->events.asked.empty());
  EXPECT_EQ(std::count_if(bo->seen.begin(), bo->seen.end(), [](const Received& r) { return r.bytes[1] == 112; }), 1)
      << "Bo, too far now, is not asked again";
}
