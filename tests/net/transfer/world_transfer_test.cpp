// A world sent from a host to a client over real ENet on 127.0.0.1, in both forms: the client
// builds its own world from what arrives, and once it entered, the two worlds are the same cell
// by cell, with the surface line, the explored cells, the clock, the queued liquids, the timed
// cells, the circuits and the entities. Also what the host and the other clients see meanwhile.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/io/byte_reader.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "net/endpoint/client/net_client_view.h"
#include "net/transfer/world_pieces.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_messages.h"
#include "platform/settings/settings.h"
#include "tests/support/two_pass_relight_reference.h"
#include "tests/net/loopback_fixture.h"
#include "tests/net/transfer/transfer_fixture.h"
#include "tests/net/transfer/transfer_recorders.h"

namespace {

// What a client in the game shows of the others' joins.
class JoinStatuses final : public NullNetClientView {
 public:
  void joiningStatus(bool joining) override { statuses.push_back(joining); }
  std::vector<bool> statuses;
};

using nettest::LoopbackClient;
using nettest::Received;
using transfertest::EnteringArrival;
using transfertest::HostWorld;
using transfertest::RecordingScreen;

constexpr wire::Cell kSpawn{40, 20};
constexpr wire::Cell kStanding{44, 21};

std::vector<Received> messagesOf(const std::vector<Received>& seen, uint8_t category, uint8_t id) {
  std::vector<Received> found;
  for (const Received& r : seen) {
    if (r.bytes.size() >= 2 && r.bytes[0] == category && r.bytes[1] == id) found.push_back(r);
  }
  return found;
}

class WorldTransfer : public nettest::LoopbackTest {
 protected:
  void SetUp() override { transfertest::loadContent(); }
  void TearDown() override {
    clients.clear();
    host.reset();
    kel::options().netWorldDataCompression = true;
    resetContentDatabase();
  }

  void hostWorld(HostWorld& world) {
    startHost(4);
    WorldSender& sender = host->worldSender();
    sender.setHostedWorld(world.world.get());
    sender.setScreen(&hostScreen);
    sender.setPlayerCells([](uint8_t) { return PlayerCells{kStanding.column, kStanding.row, kSpawn.column, kSpawn.row}; });
  }

  // A client that enters the world as soon as it can.
  LoopbackClient* joinAndEnter(const std::string& name) {
    LoopbackClient* client = join(name);
    if (client == nullptr) return nullptr;
    arrivals.push_back(std::make_unique<EnteringArrival>(client));
    screens.push_back(std::make_unique<RecordingScreen>());
    client->worldReceiver().setArrival(arrivals.back().get());
    client->worldReceiver().setScreen(screens.back().get());
    return client;
  }

  // Frames until `done` holds: the scheduler (a zero step, so that no world's timers run: the
  // worlds are compared as sent) hands back the packings and paces the cells; the endpoints drain.
  bool runUntil(const std::function<bool()>& done, int seconds = 30) {
    engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
      scheduler->update(0.0f);
      pumpOnce();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }

  // Hosts the world and lets a client join it; the client has entered it on return (else null).
  LoopbackClient* hostAndSettle(HostWorld& world) {
    hostWorld(world);
    return joinAndSettle("Ann", world);
  }
  LoopbackClient* joinAndSettle(const std::string& name, HostWorld& world) {
    LoopbackClient* client = joinAndEnter(name);
    if (client == nullptr || !runUntil([&] { return settled(client, world); })) return nullptr;
    return client;
  }

  // The client entered and has every entity the host sent.
  bool settled(LoopbackClient* client, HostWorld& world) {
    WorldEntities* entities = client->worldReceiver().entities();
    return client->state() == NetClient::kInGame && entities != nullptr &&
           entities->count() == world.entities->count() && host->worldSender().receivingCount() == 0;
  }

  RecordingScreen hostScreen;
  std::vector<std::unique_ptr<EnteringArrival>> arrivals;
  std::vector<std::unique_ptr<RecordingScreen>> screens;
};

TEST_F(WorldTransfer, ACompressedWorldArrivesWholeInItsPieces) {
  HostWorld world = transfertest::generatedWorld(0);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);

  World* received = ann->worldReceiver().world();
  ASSERT_NE(received, nullptr);
  EXPECT_NE(received, world.world.get());
  transfertest::expectSameWorld(world, *received, *ann->worldReceiver().entities(), false);
  // The packed cells came without light or shadow edges: the client found both, under the surface
  // line that came before the cells, as the shadows and then the light would have them.
  WorldMap& receivedMap = received->map();
  size_t shaded = 0;
  for (size_t i = 0; i < receivedMap.cellCount(); ++i) shaded += receivedMap.cells()[i].shadowEdges() != 0 ? 1 : 0;
  EXPECT_GT(shaded, 100u);
  EXPECT_EQ(testsupport::cellsLitOtherwiseThanByTheReference(receivedMap), 0u);

  const std::vector<Received> headers = messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldHeader));
  ASSERT_EQ(headers.size(), 1u);
  engine::ByteReader header(headers[0].bytes);
  header.skip(38);
  const uint32_t length = header.u32();
  const std::vector<uint64_t> ends = pieceEnds(length);
  const std::vector<Received> pieces = messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldPiece));
  ASSERT_EQ(pieces.size(), ends.size());
  uint64_t start = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].bytes.size(), 6 + (ends[i] - start)) << "piece " << i;
    start = ends[i];
  }
  EXPECT_EQ(messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldColumn)).size(), 0u);

  const EnteringArrival& arrival = *arrivals[0];
  EXPECT_EQ(arrival.created, 1);
  EXPECT_EQ(arrival.started, 1);
  EXPECT_EQ(arrival.completed, 1);
  EXPECT_EQ(arrival.cells, (PlayerCells{kStanding.column, kStanding.row, kSpawn.column, kSpawn.row}));
  EXPECT_EQ(ann->worldReceiver().refusedCount(), 0u);
  EXPECT_EQ(hostScreen.waits.front(), "Sending world.. 0%");
  EXPECT_EQ(hostScreen.waits.back(), "Sending world.. 100%");
  EXPECT_EQ(hostScreen.ended, 1);
  EXPECT_EQ(screens[0]->loading.front().rfind("Downloading.. ", 0), 0u);
  // Progress went back once a piece.
  EXPECT_EQ(messagesOf(host->seen, 0, wire::idOf(wire::ConnectionMsg::WorldProgress)).size(), pieces.size());
}

TEST_F(WorldTransfer, AWorldByColumnsArrivesWholeWithItsLight) {
  kel::options().netWorldDataCompression = false;
  HostWorld world = transfertest::generatedWorld(0);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);

  World* received = ann->worldReceiver().world();
  ASSERT_NE(received, nullptr);
  transfertest::expectSameWorld(world, *received, *ann->worldReceiver().entities(), true);
  const std::vector<Received> columns = messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldColumn));
  ASSERT_EQ(columns.size(), static_cast<size_t>(world.world->map().width()));
  EXPECT_EQ(messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldPiece)).size(), 0u);
  const std::vector<Received> headers = messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldHeader));
  ASSERT_EQ(headers.size(), 1u);
  EXPECT_EQ(std::vector<uint8_t>(headers[0].bytes.begin() + 38, headers[0].bytes.end()),
            (std::vector<uint8_t>{0, 0, 0, 0}));
}

// The largest world, 4096 x 512: two million cells in 256 pieces and a remainder.
TEST_F(WorldTransfer, TheLargestWorldArrivesWhole) {
  HostWorld world = transfertest::generatedWorld(4);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);
  transfertest::expectSameWorld(world, *ann->worldReceiver().world(), *ann->worldReceiver().entities(), false);
  EXPECT_EQ(messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldPiece)).size(), 257u);
}

// Peers asking together are answered from one packing of the world: each still gets all of it,
// while the others' transfers go on or have ended.
TEST_F(WorldTransfer, PeersJoiningTogetherEachArriveWithTheWholeWorld) {
  HostWorld world = transfertest::generatedWorld(0);
  hostWorld(world);
  std::vector<LoopbackClient*> joined;
  for (const char* name : {"Ann", "Bo", "Cy"}) joined.push_back(joinAndEnter(name));
  for (LoopbackClient* client : joined) ASSERT_NE(client, nullptr);
  ASSERT_TRUE(runUntil([&] {
    return std::all_of(joined.begin(), joined.end(), [&](LoopbackClient* client) { return settled(client, world); });
  }));
  // Each one's player explores as soon as it entered: the explored cells part ways, the cells not.
  for (LoopbackClient* client : joined) {
    const WorldMap& received = client->worldReceiver().world()->map();
    transfertest::expectSameCells(world.world->map(), received, false);
    EXPECT_EQ(world.world->map().surfaceLines(), received.surfaceLines());
    EXPECT_EQ(messagesOf(client->seen, 3, wire::idOf(wire::WorldDataMsg::WorldHeader)).size(), 1u);
  }
  EXPECT_EQ(hostScreen.waits.back(), "Sending world.. 100%");
}

TEST_F(WorldTransfer, ListsOfMoreThan65535EntriesGoInSeveralMessages) {
  HostWorld world = transfertest::generatedWorld(1, true);
  ASSERT_GT(world.world->markedCells().size(), 65'535u);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);

  transfertest::expectSameWorld(world, *ann->worldReceiver().world(), *ann->worldReceiver().entities(), false);
  for (uint8_t id : {wire::idOf(wire::WorldChangeMsg::LiquidCells), wire::idOf(wire::WorldChangeMsg::TimedCells), wire::idOf(wire::WorldChangeMsg::CircuitState)}) {
    const std::vector<Received> sent = messagesOf(ann->seen, 4, id);
    EXPECT_GE(sent.size(), 2u) << "id " << int{id};
    for (const Received& message : sent) {
      engine::ByteReader in(message.bytes);
      in.skip(2);
      if (id == wire::idOf(wire::WorldChangeMsg::CircuitState)) {
        const uint64_t records = uint64_t{in.u32()} + in.u32() + in.u32() + in.u32();
        EXPECT_LE(records, 65'535u);
      } else {
        EXPECT_LE(message.bytes.size(), 4u + 4u * 65'535u);
      }
    }
  }
}

TEST_F(WorldTransfer, TheOtherClientsSeeAJoinStartAndEnd) {
  HostWorld world = transfertest::generatedWorld(0);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);

  JoinStatuses annView;
  ann->setView(&annView);
  LoopbackClient* bo = joinAndSettle("Bo", world);
  ASSERT_NE(bo, nullptr);
  ASSERT_TRUE(runUntil([&] { return messagesOf(ann->seen, 0, wire::idOf(wire::ConnectionMsg::Joining)).size() == 2; }));
  const std::vector<Received> notices = messagesOf(ann->seen, 0, wire::idOf(wire::ConnectionMsg::Joining));
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].bytes, (nettest::Bytes{0, 11, 2}));
  EXPECT_EQ(notices[1].bytes, (nettest::Bytes{0, 11, 1}));
  EXPECT_EQ(annView.statuses, (std::vector<bool>{true, false}));
  EXPECT_EQ(ann->joiningCount(), 0);
  EXPECT_TRUE(messagesOf(bo->seen, 0, wire::idOf(wire::ConnectionMsg::Joining)).empty());
  EXPECT_EQ(hostScreen.ended, 2);
  ann->setView(nullptr);
}

TEST_F(WorldTransfer, APeerThatLeavesWhileReceivingEndsItsTransfer) {
  kel::options().netWorldDataCompression = false;  // 512 messages: the client leaves among them
  HostWorld world = transfertest::generatedWorld(0);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);

  LoopbackClient* bo = joinAndEnter("Bo");
  ASSERT_NE(bo, nullptr);
  ASSERT_TRUE(runUntil([&] { return bo->worldReceiver().world() != nullptr; }));
  bo->shutdown();
  ASSERT_TRUE(runUntil([&] { return host->players().at(2) == nullptr; }));
  EXPECT_EQ(hostNotices.lines.back(), "Bo disconnected before entering.");
  EXPECT_EQ(host->worldSender().receivingCount(), 0);
  ASSERT_TRUE(runUntil([&] { return messagesOf(ann->seen, 0, wire::idOf(wire::ConnectionMsg::Joining)).size() == 2; }));
  EXPECT_EQ(messagesOf(ann->seen, 0, wire::idOf(wire::ConnectionMsg::Joining))[1].bytes, (nettest::Bytes{0, 11, 1}));
  EXPECT_EQ(ann->joiningCount(), 0);
}

TEST_F(WorldTransfer, AWorldIsSentOnceAndOnlyToAnAdmittedPeerThatAsked) {
  HostWorld world = transfertest::generatedWorld(0);
  LoopbackClient* ann = hostAndSettle(world);
  ASSERT_NE(ann, nullptr);

  const wire::WireOut again = wire::worldRequestMessage();
  ann->send(again.data(), again.size(), 0);
  ASSERT_TRUE(runUntil([&] { return messagesOf(host->seen, 0, wire::idOf(wire::ConnectionMsg::WorldRequest)).size() == 2; }));
  runUntil([] { return false; }, 1);
  EXPECT_EQ(messagesOf(ann->seen, 3, wire::idOf(wire::WorldDataMsg::WorldHeader)).size(), 1u);
  EXPECT_EQ(host->worldSender().receivingCount(), 0);
}

}  // namespace
