// A game played alone has none of the networked game's roles, and a player whose game has none
// does what playing alone does: its motion goes nowhere, a trade request it cannot show gets no
// answer, and no trade window opens. A player of a networked game hands each of them to its game.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/player/player_desktop.h"
#include "game/trade/trade_abstract.h"
#include "game/trade/trade_codes.h"
#include "tests/game/game_fixture.h"
#include "world/rules/player_state_record.h"

namespace game_test {
namespace {

// A networked game as its player sees it: every report, answer and trade window is recorded.
class NetworkedGame final : public NullGame {
 public:
  void sendPlayerState(const PlayerStateRecord& record) override { motions.push_back(record); }
  void answerTrade(uint8_t answer, uint8_t askedPeer, uint8_t askingPeer) override {
    answers.push_back({answer, askedPeer, askingPeer});
  }
  TradeAbstract* createTrade(const std::string& partner) override {
    partners.push_back(partner);
    return nullptr;
  }
  struct Answer {
    int answer, value, peer;
    bool operator==(const Answer&) const = default;
  };
  std::vector<PlayerStateRecord> motions;
  std::vector<Answer> answers;
  std::vector<std::string> partners;
};

class GameRolesTest : public GameTest {};

TEST_F(GameRolesTest, AGamePlayedAloneHasNoneOfTheNetworkedRoles) {
  GameInterface& whole = game;
  EXPECT_EQ(whole.peerReports(), nullptr);
  EXPECT_EQ(whole.hostRequests(), nullptr);
  EXPECT_EQ(whole.tradeWindows(), nullptr);
  EXPECT_EQ(whole.chat(), nullptr);
  NetworkedGame networked;
  GameInterface& other = networked;
  EXPECT_EQ(other.peerReports(), &networked);
  EXPECT_EQ(other.tradeWindows(), &networked);
}

TEST_F(GameRolesTest, APlayersMotionReachesOnlyANetworkedGame) {
  NetworkedGame networked;
  PlayerDesktopLocal remote(&networked, &events);
  remote.setWorld(world.get());
  remote.setMoveKeys(PlayerStateRecord::kRight);
  ASSERT_EQ(networked.motions.size(), 1u);
  EXPECT_EQ(networked.motions[0].code, PlayerStateRecord::kRight);
  EXPECT_EQ(networked.motions[0].phase, PlayerStateRecord::kPressed);

  player->setMoveKeys(PlayerStateRecord::kRight);  // alone: nobody else sees the player
  EXPECT_EQ(networked.motions.size(), 1u);
  EXPECT_EQ(player->motionState(), remote.motionState()) << "the key moves the player all the same";
}

TEST_F(GameRolesTest, ABusyPlayerAnswersThroughANetworkedGameAndAloneNotAtAll) {
  NetworkedGame networked;
  PlayerDesktopLocal remote(&networked, &events);
  remote.setWorld(world.get());
  // The recording sink cannot show the request, so the player is busy.
  remote.tradeMessage(4, 1, "Ann");
  EXPECT_EQ(networked.answers, (std::vector<NetworkedGame::Answer>{{trade::kBusy, 1, 4}}));

  player->tradeMessage(4, 1, "Ann");
  EXPECT_EQ(networked.answers.size(), 1u) << "the other game hears nothing of this player";
  EXPECT_TRUE(events.messages.empty());
}

TEST_F(GameRolesTest, ATradeWindowOpensOnlyWhereTheGameMakesOne) {
  NetworkedGame networked;
  PlayerDesktopLocal remote(&networked, &events);
  remote.setWorld(world.get());
  remote.tradeStarted("Bob");
  EXPECT_EQ(networked.partners, std::vector<std::string>{"Bob"});
  EXPECT_EQ(remote.inventory->trade(), nullptr) << "this game made none";

  player->tradeStarted("Bob");
  EXPECT_EQ(player->inventory->trade(), nullptr);
  EXPECT_EQ(networked.partners.size(), 1u);
}

}  // namespace
}  // namespace game_test
