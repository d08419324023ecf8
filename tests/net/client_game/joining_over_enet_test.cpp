// A player joins a host over real ENet on 127.0.0.1 through the program's one way in: the host
// (an endpoint handed a generated world, as a hosting game hands it) sends its world, the joining
// game becomes the current one and enters it, and its edit reaches the host as the exact request;
// when the host goes, the player is back in a local game with the reason shown.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/session/game_local.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/game_saves.h"
#include "game/session/game_timers.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "game/session/travel_target.h"
#include "net/client_game/client_game_swap.h"
#include "net/endpoint/net_client.h"
#include "net/transports/enet_bridge_factory.h"
#include "platform/desktop_platform.h"
#include "platform/settings/settings.h"
#include "tests/net/loopback_fixture.h"
#include "tests/net/transfer/transfer_fixture.h"
#include "world/cells/map_block.h"
#include "world/current_world.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using nettest::Bytes;
using transfertest::HostWorld;

constexpr float kFrame = 1.0f / 60.0f;

// Which player the saves would write when the character is saved (the running one), and how many
// items it carried then.
class CharacterSaves final : public NullGameSaves {
 public:
  explicit CharacterSaves(RunningWorld& running) : running_(running) {}
  void saveCharacter(SaveDone done) override {
    const PlayerDesktopLocal* player = running_.player.get();
    saved.push_back(player);
    carried.push_back(player != nullptr && player->inventory != nullptr ? player->inventory->countItems(kCarried, false, true) : 0);
    if (done) done(true);
  }
  static constexpr uint16_t kCarried = 1;
  std::vector<const PlayerDesktopLocal*> saved;
  std::vector<uint32_t> carried;

 private:
  RunningWorld& running_;
};

class JoiningOverEnet : public nettest::LoopbackTest {
 protected:
  void SetUp() override {
    transfertest::loadContent();
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    platform->setNetBridgeFactory(kel::NET_KIND_DIRECT, &bridges);
    kel::Platform::setInstance(platform.get());
    local.bindCurrent();
  }
  void TearDown() override {
    swap.reset();
    host.reset();
    local.unbindCurrent();
    kel::Platform::setInstance(nullptr);
    resetContentDatabase();
  }

  void hostWorld(HostWorld& world) {
    startHost(4);
    WorldSender& sender = host->worldSender();
    sender.setHostedWorld(world.world.get());
    sender.setPlayerCells([](uint8_t) { return PlayerCells{44, 21, 40, 20}; });
  }

  // Frames of the program's scheduler (the client's drain is its slot) with the host drained too.
  bool runUntil(const std::function<bool()>& done, int seconds = nettest::kHangSeconds) {
    engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
      scheduler->update(kFrame);
      if (host != nullptr) host->dispatchQueued();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }

  // A port on 127.0.0.1 that a host listened on a moment ago, now closed.
  static uint16_t closedPort() {
    nettest::RawListener nobody;
    enet::EnetServer gone(&nobody, kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""});
    if (!gone.startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, 0))) return 0;
    const uint16_t port = gone.port();
    gone.stop();
    return port;
  }

  bool joinedGameIsCurrent() const {
    return swap->joined() != nullptr && &currentGame() == &swap->joined()->game();
  }

  enet::EnetBridgeFactory bridges;
  std::unique_ptr<kel::DesktopPlatform> platform;
  RunningWorld running;
  CharacterSaves characterSaves{running};  // the local and the joined games' saves
  LocalSession local{{}, &running, nullptr, {}, {.saves = &characterSaves}};
  nettest::RecordingNotices notices;
  std::unique_ptr<ClientGameSwap> swap = std::make_unique<ClientGameSwap>(local, WorldContext{}, &notices, nullptr);
};

TEST_F(JoiningOverEnet, TheJoinedGameEntersTheHostsWorldAndAsksItForEdits) {
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(joinedGameIsCurrent());
  ASSERT_NE(swap->endpoint(), nullptr);

  GameRemoteClient& game = swap->joined()->game();
  ASSERT_TRUE(runUntil([&] { return game.isStarted() && swap->endpoint()->state() == NetClient::kInGame; }));
  EXPECT_EQ(game.sessionKind(), 2);
  EXPECT_EQ(&currentLogic(), &swap->joined()->rules());
  // A swing of the main view meets the mobs through the current rules.
  EXPECT_NE(dynamic_cast<SwingTargets*>(&swap->joined()->rules().entities()), nullptr);
  World* received = swap->endpoint()->worldReceiver().world();
  ASSERT_NE(received, nullptr);
  EXPECT_EQ(game.world(), received);
  EXPECT_EQ(currentWorld(), received);
  EXPECT_EQ(received->map().width(), world.world->map().width());
  EXPECT_EQ(swap->endpoint()->localPlayer(), swap->joined()->player());
  EXPECT_EQ(swap->joined()->player()->cellX, 44u);
  // The world's follow-up edits go to the joined game, not to the local one; it runs no rules.
  EXPECT_EQ(&received->edits(), static_cast<GameInterface*>(&game));
  EXPECT_EQ(received->context().rules, nullptr);

  BlockEdit edit;
  edit.kind = 2;
  edit.x = 41;
  edit.y = 22;
  edit.blockId = 12;
  ASSERT_TRUE(currentGame().editBlock(edit));
  Bytes expected{4, 60, 0};
  const std::array<uint8_t, 16> editBytes = [&] {
    wire::WireOut out(wire::outgoing(60, wire::Side::Client));
    out.u8(0).blockEdit(edit);
    std::array<uint8_t, 16> bytes{};
    std::copy(out.data() + 3, out.data() + 19, bytes.begin());
    return bytes;
  }();
  expected.insert(expected.end(), editBytes.begin(), editBytes.end());
  // From the peer the host admitted with the hello.
  const uint8_t peer = host->seen.front().peer;
  ASSERT_EQ(Bytes(host->seen.front().bytes.begin(), host->seen.front().bytes.begin() + 2), (Bytes{0, 2}));
  EXPECT_TRUE(runUntil([&] { return nettest::hasSeen(host->seen, {expected, peer}); }));

}

TEST_F(JoiningOverEnet, WhenTheHostGoesThePlayerIsBackInALocalGameWithTheReason) {
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));

  host->shutdown();
  ASSERT_TRUE(runUntil([&] { return swap->joined() == nullptr; }));
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local.game()));
  EXPECT_EQ(&currentLogic(), static_cast<Logic*>(&local.rules()));
  EXPECT_FALSE(local.game().isStarted());
  EXPECT_EQ(currentWorld(), nullptr);
  EXPECT_EQ(swap->endpoint(), nullptr);
  EXPECT_EQ(notices.lostTexts, (std::vector<std::string>{"The host has quit the game."}));
  // A frame later nothing of the joined game is left to run.
  runUntil([] { return false; }, 0);
}

TEST_F(JoiningOverEnet, QuittingLeavesTheHostAndReturnsToALocalGame) {
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));
  const uint8_t peer = host->seen.front().peer;
  ASSERT_NE(host->players().at(peer), nullptr);

  currentGame().quit();
  EXPECT_EQ(swap->joined(), nullptr);
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local.game()));
  EXPECT_EQ(currentWorld(), nullptr);
  EXPECT_EQ(swap->endpoint(), nullptr);
  EXPECT_TRUE(runUntil([&] { return host->players().at(peer) == nullptr; }));
  // Leaving of one's own accord shows no lost connection.
  EXPECT_TRUE(notices.lostTexts.empty());
}

// The joined player is the running one while the joined game plays, so that quitting saves its
// character (its inventory and statistics gathered at the host), and the running world is empty
// again afterwards.
TEST_F(JoiningOverEnet, QuittingSavesTheJoinedPlayersCharacter) {
  CharacterSaves& saves = characterSaves;
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));
  const PlayerDesktopLocal* joined = swap->joined()->player();
  EXPECT_EQ(local.running().player.get(), joined);
  EXPECT_EQ(local.running().world.get(), swap->endpoint()->worldReceiver().world());

  currentGame().quit();
  EXPECT_EQ(saves.saved, (std::vector<const PlayerDesktopLocal*>{joined}));
  EXPECT_EQ(local.running().player, nullptr);
  EXPECT_EQ(local.running().world, nullptr);
  runUntil([] { return false; }, 0);
}

// What she gained while joined is in her file when the host goes: the game quits as if she chose to.
TEST_F(JoiningOverEnet, WhenTheHostGoesTheJoinedPlayersGainsAreSaved) {
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));
  const PlayerDesktopLocal* joined = swap->joined()->player();
  swap->joined()->player()->inventory->setSlot({SlotKind::Quick, 3, 0}, newItem(CharacterSaves::kCarried, 0, 12, 0, 0));

  host->shutdown();
  ASSERT_TRUE(runUntil([&] { return swap->joined() == nullptr; }));
  EXPECT_EQ(characterSaves.saved, (std::vector<const PlayerDesktopLocal*>{joined}));
  EXPECT_EQ(characterSaves.carried, (std::vector<uint32_t>{12}));
  EXPECT_EQ(notices.lostTexts, (std::vector<std::string>{"The host has quit the game."}));
  runUntil([] { return false; }, 0);
}

// A joined game keeps the character on the autosave interval as a game alone does, and says so.
TEST_F(JoiningOverEnet, TheJoinedGameAutosavesTheCharacter) {
  const bool autosaving = kel::options().shouldAutosave;
  kel::options().shouldAutosave = true;
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));
  const PlayerDesktopLocal* joined = swap->joined()->player();
  ASSERT_TRUE(characterSaves.saved.empty());

  // A timer's first frame starts its clock.
  engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
  scheduler->update(kFrame);
  scheduler->update(game_interval::kAutosaveInterval + 1.0f);
  EXPECT_EQ(characterSaves.saved, (std::vector<const PlayerDesktopLocal*>{joined}));
  kel::options().shouldAutosave = autosaving;
}

// She joins where the host stands, which may be in mid-air: coming down from there does not hurt.
TEST_F(JoiningOverEnet, JoiningBesideAHostInMidAirIsNoFallThatHurts) {
  HostWorld world = transfertest::generatedWorld(0);
  startHost(4);
  // A shaft 14 rows deep under where the host stands, at the top of it.
  WorldMap& map = world.world->map();
  int32_t ground = map.height() - 1;
  while (ground > 0 && !map.cell(44, ground).isSolid(map.props())) --ground;
  for (int32_t row = ground; row > ground - 14; --row) map.cell(44, row).setLayer(0, 0, MapBlock::kFront);
  const uint16_t inTheAir = static_cast<uint16_t>(ground + 1);
  WorldSender& sender = host->worldSender();
  sender.setHostedWorld(world.world.get());
  sender.setPlayerCells([inTheAir](uint8_t) { return PlayerCells{44, inTheAir, 40, 20}; });
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));
  PlayerDesktopLocal* joined = swap->joined()->player();
  ASSERT_EQ(joined->cellY, inTheAir);
  joined->stats.maxHealth = 5.0f;
  joined->revive();

  // Her body steps with the frame, as the view's player node steps it.
  ASSERT_TRUE(runUntil([&] {
    joined->update(kFrame);
    return joined->cellY + 5u < inTheAir && joined->isGrounded();
  }));
  // A fall's damage is the host's to apply: none was asked of it. A blow she takes on purpose is.
  wire::WireOut damage = wire::clientMessage(wire::PlayerMsg::Damage);
  damage.f32(0.5f).u8(0);
  const Bytes damageHead(damage.data(), damage.data() + damage.size() - 5);  // without amount and cause
  const auto askedDamage = [&] {
    return std::any_of(host->seen.begin(), host->seen.end(), [&](const auto& seen) {
      return seen.bytes.size() >= damageHead.size() && std::equal(damageHead.begin(), damageHead.end(), seen.bytes.begin());
    });
  };
  runUntil([] { return false; }, 1);
  EXPECT_FALSE(askedDamage());
  ASSERT_TRUE(currentGame().damageLocalPlayer(0.5f, 0));
  EXPECT_TRUE(runUntil(askedDamage));
}

// Another of the host's worlds is the host's to give: the client leaves and joins the same host
// again a moment later, and enters the world it is sent then.
TEST_F(JoiningOverEnet, TravellingJoinsTheSameHostAgain) {
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann"));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));

  currentGame().travelToWorld(TravelTarget{2, 10, 10});
  EXPECT_EQ(swap->joined(), nullptr);
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local.game()));
  ASSERT_TRUE(runUntil([&] { return swap->joined() != nullptr && swap->joined()->game().isStarted(); }));
  EXPECT_TRUE(joinedGameIsCurrent());
  ASSERT_NE(swap->endpoint(), nullptr);
  EXPECT_EQ(swap->endpoint()->state(), NetClient::kInGame);
  EXPECT_TRUE(notices.lostTexts.empty());
}

TEST_F(JoiningOverEnet, AHostThatNeverAnswersEndsTheJoinAfterTheWait) {
  // A transport that listens but is no endpoint: the hello is never answered.
  nettest::RawListener silent;
  enet::EnetServer quiet(&silent, kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""});
  ASSERT_TRUE(quiet.startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, 0)));
  ASSERT_TRUE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, quiet.port()), "Ann"));
  engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
  for (int second = 0; second < 21 && swap->joined() != nullptr; ++second) scheduler->update(1.0f);
  EXPECT_EQ(swap->joined(), nullptr);
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local.game()));
  EXPECT_EQ(notices.lostTexts, (std::vector<std::string>{"The connection with the host has timed out."}));
  quiet.stop();
}

TEST_F(JoiningOverEnet, NoHostToReachLeavesTheLocalGameCurrent) {
  EXPECT_FALSE(swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, closedPort()), "Ann"));
  EXPECT_EQ(swap->joined(), nullptr);
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local.game()));
  EXPECT_EQ(swap->endpoint(), nullptr);
}

}  // namespace
