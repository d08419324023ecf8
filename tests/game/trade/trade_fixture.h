#pragma once
// Two players in one world, each with its own inventory and its own game whose trade windows are
// the host's (`TradeLocal`), so a whole trade runs through the host's session without a network.
// The items of both inventories, of what fell to the ground and of the item pool are counted, so
// a test can tell that a trade made or lost nothing.

#include <memory>
#include <string>
#include <vector>

#include "content/items/item_pool.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_local.h"
#include "game/trade/trade_requests.h"
#include "game/trade/trade_session.h"
#include "tests/game/game_fixture.h"
#include "tests/support/item_pool_probe.h"

namespace game_test {

// A game whose player trades on the host; what falls to the ground is counted and given back.
class TradingGame final : public NullGame {
 public:
  TradeAbstract* createTrade(const std::string& partner) override { return new TradeLocal(*player, partner); }
  void dropItem(ItemPtr item) override { dropped.push_back(*item); }
  Player* player = nullptr;
  std::vector<Item> dropped;
};

struct Trader {
  explicit Trader(World* world, std::string traderName) {
    player = std::make_unique<PlayerDesktopLocal>(&game, &events);
    player->setWorld(world);
    player->name = std::move(traderName);
    game.player = player.get();
  }
  Inventory& inventory() { return *player->inventory; }
  TradeAbstract* window() { return player->inventory->trade(); }
  // Every unit of the id the player holds or dropped.
  uint32_t units(uint16_t id) {
    uint32_t dropped = 0;
    for (const Item& item : game.dropped) dropped += item.id == id ? item.count : 0;
    return inventory().countItems(id, false, true) + dropped;
  }

  TradingGame game;
  RecordingEvents events;
  std::unique_ptr<PlayerDesktopLocal> player;
};

class TradeTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ann->player->setWorld(world.get());
    bob->player->setWorld(world.get());
    // All three play in one game that trades.
    for (PlayerBase* each : {static_cast<PlayerBase*>(ann->player.get()), static_cast<PlayerBase*>(bob->player.get()),
                             static_cast<PlayerBase*>(player.get())}) {
      each->setTrades(trades);
    }
    // Slots the pool has given back before, so the trade's copies come from and return to its
    // free list and the free count tells how many items are alive.
    std::vector<ItemPtr> warm;
    for (int i = 0; i < 64; ++i) warm.push_back(makeItem(kStone, 1));
  }
  void TearDown() override {
    trades->clear();
    ann.reset();
    bob.reset();
    GameTest::TearDown();
  }

  // Ann asked Bob and Bob accepted: both windows are open.
  void startTrade() {
    recordTradeRequest(*ann->player, *bob->player);
    answerTradeRequest(trade::kAccept, *ann->player, *bob->player, "Bob", "Ann");
  }
  // Ann offers ten stones from her first quick slot, Bob a pick from his; the items alive before
  // the trade started.
  long offerStonesForPick() {
    ann->inventory().setSlot(quick(0), makeItem(kStone, 10));
    bob->inventory().setSlot(quick(0), makeItem(kPick, 1));
    const long before = alive();
    startTrade();
    ann->window()->offer(quick(0));
    bob->window()->offer(quick(0));
    return before;
  }
  std::shared_ptr<TradeBook> trades = std::make_shared<TradeBook>();

  static SlotRef quick(uint8_t i) { return {SlotKind::Quick, i, 0}; }
  static SlotRef pack(uint8_t x, uint8_t y) { return {SlotKind::Backpack, x, y}; }
  // Items alive in the pool, relative to a count taken earlier (warm free list).
  static long alive() { return -static_cast<long>(freeItemSlots()); }

  std::unique_ptr<Trader> ann = std::make_unique<Trader>(nullptr, "Ann");
  std::unique_ptr<Trader> bob = std::make_unique<Trader>(nullptr, "Bob");
};

}  // namespace game_test
