// The rules a host runs for a client's player tell that client what its own player would hear
// alone: the shared sleep heals and wakes every sleeper (the host's own player and the client's
// alike), a language text the rules show reaches the client's console, and a fish biting at its
// bobber or getting away is heard by the client who cast it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/session/session_fishing.h"
#include "net/players/player_messages.h"
#include "tests/net/host_game/host_in_game.h"

namespace nettest {
namespace {

using Kind = Sent::Kind;

class HostPlayerRules : public HostInGame {
 protected:
  // Ann goes through the join and is in the game, among the present players.
  void SetUp() override {
    HostInGame::SetUp();
    ASSERT_TRUE(server.takeWorldRequest(kAnn));
    ASSERT_TRUE(server.takeWorldReceived(kAnn));
    const Bytes entered{0, 5, 100, 100};
    server.received(entered.data(), static_cast<uint32_t>(entered.size()), kAnn);
    server.dispatchQueued();
    bridge->sent.clear();
  }
  // The message ids sent to Ann alone.
  std::vector<uint8_t> idsToAnn() const {
    std::vector<uint8_t> ids;
    for (const Sent& each : bridge->sent) {
      if (each.kind == Kind::To && each.peer == kAnn && each.bytes.size() >= 2) ids.push_back(each.bytes[1]);
    }
    return ids;
  }
  bool annHeard(uint8_t id) const {
    const std::vector<uint8_t> ids = idsToAnn();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
  }
};

TEST_F(HostPlayerRules, NobodySleepsUntilEveryPlayerLiesInBedThenEveryoneWakesHealed) {
  host().health = 1.0f;
  ann().health = 1.0f;
  rules().setPlayerInBed(&ann(), 1);
  EXPECT_FALSE(annHeard(player_msg::kRestored)) << "the host's player is still up";
  EXPECT_TRUE(events.texts.empty());
  EXPECT_FLOAT_EQ(host().health, 1.0f);

  rules().setPlayerInBed(&host(), 1);
  EXPECT_TRUE(annHeard(player_msg::kRestored)) << "her client runs her after-sleep step";
  EXPECT_TRUE(annHeard(player_msg::kHeal));
  EXPECT_FLOAT_EQ(ann().health, ann().stats.maxHealth);
  EXPECT_FLOAT_EQ(host().health, host().stats.maxHealth);
  ASSERT_FALSE(events.texts.empty()) << "the host's own player slept too";
  EXPECT_EQ(events.texts.back().id, 176);
}

TEST_F(HostPlayerRules, APlayerWhoLeftHerBedIsWaitedForAgain) {
  rules().setPlayerInBed(&ann(), 1);
  rules().setPlayerInBed(&ann(), 0);
  bridge->sent.clear();
  rules().setPlayerInBed(&host(), 1);
  EXPECT_FALSE(annHeard(player_msg::kRestored));
  EXPECT_TRUE(events.texts.empty()) << "the host's player waits for her";
}

TEST_F(HostPlayerRules, ATextTheRulesShowAClientsPlayerReachesHerConsole) {
  rules().showTextById(&ann(), 159, 3);
  EXPECT_EQ(idsToAnn(), std::vector<uint8_t>{player_msg::kText});
  EXPECT_TRUE(events.texts.empty());
}

TEST_F(HostPlayerRules, HerBobbersBiteAndLossAreHeardByHerClient) {
  SessionFishing fishing(rules());
  const uint32_t her = ann().playerId();
  EXPECT_TRUE(fishing.present(her));
  fishing.biteStarted(her);
  EXPECT_TRUE(annHeard(player_msg::kBiteTime));
  bridge->sent.clear();
  fishing.fishGotAway(her);
  EXPECT_TRUE(annHeard(player_msg::kText)) << "the fish got away";
  EXPECT_TRUE(annHeard(player_msg::kForgetBobber)) << "her fishing is over";
  EXPECT_TRUE(events.texts.empty()) << "nothing of it on the host's own console";
}

}  // namespace
}  // namespace nettest
