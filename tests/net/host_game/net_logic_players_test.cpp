// Whom the host's rules count as playing: the host's own player always, a client's once it entered
// the world; the nearest of them to a cell; and a trade request, which until the host's trades
// arrive tells the asker that nobody on the cell can be asked.

#include <gtest/gtest.h>

#include "game/player/player.h"
#include "tests/net/host_game/host_in_game.h"

namespace nettest {
namespace {

class NetLogicPlayers : public HostInGame {
 protected:
  // Ann takes the join's steps and enters.
  void annEnters() {
    ASSERT_TRUE(server.takeWorldRequest(kAnn));
    ASSERT_TRUE(server.takeWorldReceived(kAnn));
    const wire::WireOut entered = wire::WireOut(wire::outgoing(5, wire::Side::Client)).u8(5).u8(5);
    server.received(entered.data(), entered.size(), kAnn);
    server.dispatchQueued();
  }
};

TEST_F(NetLogicPlayers, AClientsPlayerCountsOnceItEnteredTheWorld) {
  EXPECT_EQ(rules().playerCount(), 1u);
  EXPECT_FALSE(rules().isPlayerPresent(&ann()));
  EXPECT_EQ(rules().distanceToNearestPlayer(cell(22, 5)), 12u) << "only the host, at column 10, counts";

  annEnters();
  EXPECT_EQ(rules().playerCount(), 2u);
  EXPECT_TRUE(rules().isPlayerPresent(&ann()));
  EXPECT_EQ(rules().distanceToNearestPlayer(cell(22, 5)), 2u) << "Ann, at column 20, is nearer";
  EXPECT_EQ(rules().offsetToNearestPlayer(cell(22, 8)), (std::pair<uint16_t, uint16_t>{2, 3}));
  std::vector<PlayerBase*> visited;
  rules().forEachPlayer([&](PlayerBase* p) { visited.push_back(p); });
  EXPECT_EQ(visited, (std::vector<PlayerBase*>{&host(), &ann()})) << "in peer order, the host first";
}

TEST_F(NetLogicPlayers, ATradeRequestAsksTheClickedPlayer) {
  annEnters();
  ann().setCellCoordinates(host().cellX + 2, host().cellY);  // beside the host, within a click
  events.texts.clear();
  bridge->sent.clear();
  rules().requestTrade(&host(), &ann());
  ASSERT_EQ(bridge->sent.size(), 1u);
  const auto& request = bridge->sent[0];
  EXPECT_EQ(request.kind, Sent::To);
  EXPECT_EQ(request.peer, kAnn) << "only the player asked hears it";
  ASSERT_EQ(request.bytes.size(), 36u);
  EXPECT_EQ(request.bytes[0], 11);
  EXPECT_EQ(request.bytes[1], 112);
  EXPECT_EQ(request.bytes[2], 0) << "the host asks";
  EXPECT_EQ(request.bytes[3], kAnn);
}

}  // namespace
}  // namespace nettest
