// Two hosted games in one process, each with its own joined player over real ENet on 127.0.0.1,
// every endpoint drained by its own timer on the program's scheduler (no drain run by hand): one
// game quitting ends its own trades, endpoint and drain, and the other goes on trading and draining.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

// One hosted game: its endpoint, its hosting session and one joined player.
struct HostedGame {
  explicit HostedGame(const std::string& joinerName) : joiner(std::make_unique<Joiner>(joinerName)) {}
  ~HostedGame() {
    joiner.reset();
    server.shutdown();
    server.setBridge(nullptr);  // before the transport it uses
    session.reset();
  }

  // The host listens in its world; false when the transport could not open.
  bool open() {
    session = hostingSession(server, hosting);
    World* world = session->running().world.get();
    const int32_t column = world->map().width() / 2;
    const MapBlock* ground = groundIn(world->map(), column);
    if (ground == nullptr) return false;
    host().setCellCoordinates(static_cast<uint32_t>(column), static_cast<uint32_t>(ground->y + 1));
    if (!meeting.open(server)) return false;
    server.setHostPlayer(&host());
    server.setWorld(world);
    server.worldSender().setHostedWorld(world);
    server.worldReady();
    return meeting.connect(joiner->net, joiner->net.localName(), 0);
  }
  bool joined() const {
    return joiner->game().isStarted() && joiner->net.state() == NetClient::kInGame &&
           server.joinStage(kJoiner) == host::JoinStage::Entered;
  }
  Player& host() { return *session->running().player; }
  TradeBook& trades() { return *session->game().trades(); }
  // The host asks its joined player to trade, who accepts: both windows open.
  void askAndAccept() {
    session->game().requestTrade(server.entryOf(kJoiner)->remote());
  }
  bool hostHeardChat(const std::string& text) const {
    for (const std::string& line : notices.lines) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }

  static constexpr uint8_t kJoiner = 1;
  RecordingHosting hosting;
  RecordingNotices notices;
  NetServer server{kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host", &notices};
  std::unique_ptr<LocalSession> session;
  EnetMeeting meeting;
  std::unique_ptr<Joiner> joiner;
};

class TwoHostedGames : public ::testing::Test {
 protected:
  void SetUp() override {
    scenetest::resetScene();
    transfertest::loadContent();
    first = std::make_unique<HostedGame>("Ann");
    second = std::make_unique<HostedGame>("Bo");
    ASSERT_TRUE(first->open());
    ASSERT_TRUE(second->open());
    ASSERT_TRUE(runUntil([&] { return first->joined() && second->joined(); }));
  }
  void TearDown() override {
    first.reset();
    second.reset();
    scenetest::resetScene();
  }

  // Frames of the program's scheduler only: every endpoint drains on its own timer. Waits on the
  // event, with a limit.
  static bool runUntil(const std::function<bool()>& done, int seconds = nettest::kHangSeconds) {
    engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
      scheduler->update(kFrame);
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  // Each host trades with its joined player: the request, the acceptance, both windows open.
  static bool openTrade(HostedGame& game) {
    game.askAndAccept();
    if (!runUntil([&] { return !game.joiner->log.asked.empty(); })) return false;
    const PlayerLog::Asked asked = game.joiner->log.asked.back();
    game.joiner->game().answerTrade(trade::kAccept, asked.askedAs, asked.asking);
    return runUntil([&] {
      return game.host().inventory->trade() != nullptr && game.joiner->inventory().trade() != nullptr;
    });
  }

  std::unique_ptr<HostedGame> first;
  std::unique_ptr<HostedGame> second;
};

TEST_F(TwoHostedGames, EitherQuittingLeavesTheOtherTradingAndDraining) {
  ASSERT_TRUE(openTrade(*first));
  ASSERT_TRUE(openTrade(*second));
  EXPECT_EQ(first->trades().sessions().size(), 1u);
  EXPECT_EQ(second->trades().sessions().size(), 1u);

  first->session->game().quit();
  EXPECT_TRUE(first->server.isShutDown());
  EXPECT_TRUE(first->trades().sessions().empty());
  ASSERT_EQ(second->trades().sessions().size(), 1u) << "the other game's trade goes on";
  EXPECT_FALSE(second->server.isShutDown());

  // The other host still drains its joined player's messages on its own timer...
  second->joiner->net.sendChat("still here");
  EXPECT_TRUE(runUntil([&] { return second->hostHeardChat("still here"); }));
  // ...and its trade runs to the end: an offer reaches the host's window, a cancel closes both.
  const uint16_t offered = stackingItems(1).front();
  second->joiner->inventory().setSlot({SlotKind::Quick, 0, 0}, newItem(offered, 0, 3, 0, 0));
  // The host lets her offer only what its copy of her items holds: as if she carried it on entering.
  second->server.entryOf(HostedGame::kJoiner)->remote()->items().add(Item(offered, 0, 3, 0, 0));
  ASSERT_TRUE(second->joiner->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  EXPECT_TRUE(runUntil([&] { return second->host().inventory->trade()->otherOffer(0) != nullptr; }));
  second->joiner->inventory().trade()->sendEvent(trade::kCancel);
  EXPECT_TRUE(runUntil([&] { return second->trades().sessions().empty() && second->host().inventory->trade() == nullptr; }));
}

TEST_F(TwoHostedGames, TheSecondQuittingLeavesTheFirstDraining) {
  ASSERT_TRUE(openTrade(*first));
  second->session->game().quit();
  EXPECT_TRUE(second->server.isShutDown());
  ASSERT_EQ(first->trades().sessions().size(), 1u);
  first->joiner->net.sendChat("hello again");
  EXPECT_TRUE(runUntil([&] { return first->hostHeardChat("hello again"); }));
}

}  // namespace
}  // namespace nettest
