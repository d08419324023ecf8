// The host sends a joining client's cells at the pace the client's transport declared it takes in,
// and at its own pace where the transport declares none: measured against a clock the test moves,
// so that no figure depends on the machine's speed. Eight clients joining over real ENet at once
// are each paced at what each declared, after ENet's own exchange of bandwidths has run.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <enet/enet.h>

#include "net/endpoint/net_server.h"
#include "net/transports/enet_server.h"
#include "net/wire/wire_messages.h"
#include "world/map/world_map.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"
#include "tests/net/transfer/transfer_fixture.h"

namespace {

using nettest::Sent;
using Clock = std::chrono::steady_clock;

constexpr uint8_t kPeer = 1;
constexpr size_t kPieceHead = 6;        // [3][71][u32 length]
constexpr size_t kHeaderLengthAt = 38;  // the header's length of the compressed cells

// A transport that says how much each client declared it takes in.
class DeclaringBridge final : public nettest::RecordingServerBridge {
 public:
  explicit DeclaringBridge(uint32_t declared) : declared_(declared) {}
  uint32_t declaredIncomingBandwidth(uint8_t) override { return declared_; }

 private:
  uint32_t declared_;
};

// The packings' ends, handed over by their workers and run on the test's thread.
class HandOvers {
 public:
  void push(std::function<void()> done) {
    std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(done));
    arrived_.notify_one();
  }
  // Runs the next end; false when none came within the limit.
  bool runNext(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, limit, [this] { return !waiting_.empty(); })) return false;
    std::function<void()> done = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    done();
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::function<void()>> waiting_;
};

class WorldPacing : public ::testing::Test {
 protected:
  void SetUp() override {
    transfertest::loadContent();
    world = transfertest::generatedWorld(0);
    // Back walls of noise, which compress little: the cells take seconds at the paces measured.
    uint32_t noise = 12345;
    WorldMap& map = world.world->map();
    for (size_t i = 0; i < map.cellCount(); ++i) {
      noise = noise * 1664525u + 1013904223u;
      map.cells()[i].back = static_cast<uint16_t>(noise >> 16);
    }
  }
  void TearDown() override { resetContentDatabase(); }

  // The client asks for the world; on return its first cells went out (else a failure).
  void requestWorld(uint32_t declared) {
    auto owned = std::make_unique<DeclaringBridge>(declared);
    bridge = owned.get();
    server.setBridge(std::move(owned));
    WorldSender& sender = server.worldSender();
    sender.setHostedWorld(world.world.get());
    sender.setHandOver([this](std::function<void()> done) { handOvers.push(std::move(done)); });
    sender.setClock([this] { return now; });
    sender.worldRequested(kPeer, CellsForm::Compressed);
    // The copy's memory is readied, then the copy packed: two ends, the second starts the sending.
    for (int end = 0; end < 2; ++end) ASSERT_TRUE(handOvers.runNext(std::chrono::seconds(60)));
    ASSERT_GT(cellBytesSent(), 0u);
  }
  // The bytes of cells sent so far, and the most any one piece held.
  uint64_t cellBytesSent() {
    uint64_t bytes = 0;
    for (const Sent& sent : bridge->sent) {
      if (isPiece(sent)) bytes += sent.bytes.size() - kPieceHead;
    }
    return bytes;
  }
  uint64_t largestPiece() {
    uint64_t largest = 0;
    for (const Sent& sent : bridge->sent) {
      if (isPiece(sent)) largest = std::max<uint64_t>(largest, sent.bytes.size() - kPieceHead);
    }
    return largest;
  }
  // The length of the compressed cells, as the world's header announced it.
  uint64_t announcedLength() {
    for (const Sent& sent : bridge->sent) {
      if (sent.kind == Sent::To && sent.bytes.size() >= kHeaderLengthAt + 4 && sent.bytes[0] == 3 &&
          sent.bytes[1] == wire::idOf(wire::WorldDataMsg::WorldHeader)) {
        const uint8_t* at = sent.bytes.data() + kHeaderLengthAt;
        return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<uint64_t>(at[3]) << 24);
      }
    }
    return 0;
  }
  // More cells than `seconds` at `pace` send, so that the pace, not the world's end, stops them.
  void expectLargerThan(double pace, double seconds) {
    ASSERT_GT(static_cast<double>(announcedLength()),
              WorldSender::kPaceBurstBytes + pace * seconds + static_cast<double>(largestPiece()));
  }
  static bool isPiece(const Sent& sent) {
    return sent.kind == Sent::To && sent.peer == kPeer && sent.bytes.size() >= kPieceHead &&
           sent.bytes[0] == 3 && sent.bytes[1] == wire::idOf(wire::WorldDataMsg::WorldPiece);
  }
  // The sender's frames over `seconds` of the clock, in steps of `step`.
  void runFor(double seconds, double step) {
    const auto stepTime = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(step));
    for (double t = 0; t < seconds - step / 2; t += step) {
      now += stepTime;
      server.worldSender().sendPaced();
    }
  }
  // The cells sent after `seconds` at `pace` agree with it to within one piece either way.
  void expectPace(double pace, double seconds) {
    const double expected = WorldSender::kPaceBurstBytes + pace * seconds;
    const double slack = static_cast<double>(largestPiece());
    const double sent = static_cast<double>(cellBytesSent());
    EXPECT_LE(sent, expected + slack) << "after " << seconds << " s at " << pace << " B/s";
    EXPECT_GE(sent, expected - slack) << "after " << seconds << " s at " << pace << " B/s";
  }

  transfertest::HostWorld world;
  nettest::RecordingNotices notices;
  NetServer server{kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host", &notices};
  DeclaringBridge* bridge = nullptr;
  HandOvers handOvers;
  Clock::time_point now = Clock::time_point() + std::chrono::hours(1);
};

}  // namespace

TEST_F(WorldPacing, AClientIsSentItsCellsAtTheBandwidthItDeclared) {
  constexpr uint32_t kDeclared = 32'000;
  requestWorld(kDeclared);
  EXPECT_EQ(server.worldSender().paceFor(kPeer), kDeclared);
  expectPace(kDeclared, 0.0);  // the first burst only
  expectLargerThan(kDeclared, 3.0);
  runFor(1.0, 1.0 / 60);
  expectPace(kDeclared, 1.0);
  runFor(2.0, 0.25);
  expectPace(kDeclared, 3.0);
}

TEST_F(WorldPacing, AClientWhoseTransportDeclaresNothingIsSentCellsAtTheSendersPace) {
  requestWorld(0);
  EXPECT_EQ(server.worldSender().paceFor(kPeer), WorldSender::kPaceBytesPerSecond);
  expectLargerThan(WorldSender::kPaceBytesPerSecond, 0.1);
  runFor(0.1, 1.0 / 60);
  expectPace(WorldSender::kPaceBytesPerSecond, 0.1);
}

TEST_F(WorldPacing, APauseLetsTheCellsCatchUpByNoMoreThanOneBurst) {
  constexpr uint32_t kDeclared = 32'000;
  requestWorld(kDeclared);
  expectLargerThan(kDeclared, 2.0);
  runFor(1.0, 1.0 / 60);
  const uint64_t before = cellBytesSent();
  runFor(30.0, 30.0);  // one frame after a long pause
  EXPECT_LE(cellBytesSent() - before, WorldSender::kPaceBurstBytes + largestPiece());
  EXPECT_GE(cellBytesSent() - before, WorldSender::kPaceBurstBytes - largestPiece());
}

namespace {

constexpr uint32_t kClientIncoming = 640'000;  // what the game's ENet client declares
constexpr uint32_t kClientOutgoing = 128'000;
constexpr int kClients = 8;

// The host's ENet transport, counting the cells it is handed for each peer.
class CountingEnetServer final : public enet::EnetServer {
 public:
  using enet::EnetServer::EnetServer;
  void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) override {
    if (length >= kPieceHead && data[0] == 3 && data[1] == wire::idOf(wire::WorldDataMsg::WorldPiece)) {
      cellBytes[peer] += length - kPieceHead;
      largestPiece = std::max<uint64_t>(largestPiece, length - kPieceHead);
    }
    enet::EnetServer::sendTo(data, length, peer);
  }
  std::array<uint64_t, kClients + 1> cellBytes{};
  uint64_t largestPiece = 0;
};

// A client's ENet host made as the game's client transport makes it, serviced by the test.
struct EnetClientHost {
  ENetHost* host = nullptr;
  ENetPeer* server = nullptr;
  bool connected = false;
  EnetClientHost() = default;
  EnetClientHost(const EnetClientHost&) = delete;
  EnetClientHost& operator=(const EnetClientHost&) = delete;
  ~EnetClientHost() {
    if (host != nullptr) enet_host_destroy(host);
  }
  void service() {
    ENetEvent event{};
    while (host != nullptr && enet_host_service(host, &event, 0) > 0) {
      if (event.type == ENET_EVENT_TYPE_CONNECT) connected = true;
      if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
    }
  }
};

class EnetPacing : public WorldPacing {
 protected:
  void TearDown() override {
    clients.clear();
    server.shutdown();
    server.setBridge(nullptr);
    WorldPacing::TearDown();
  }
  // Services every client until `done`, for at most ten seconds.
  bool serviceUntil(const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!done() && Clock::now() < deadline) {
      for (auto& client : clients) client->service();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
  }
  std::vector<std::unique_ptr<EnetClientHost>> clients;
};

}  // namespace

TEST_F(EnetPacing, EightClientsJoiningAtOnceAreEachPacedAtTheBandwidthTheyDeclared) {
  auto owned = std::make_unique<CountingEnetServer>(server.bridgeListener(),
                                                    kel::NetBridgeSetup{kel::NET_KIND_DIRECT, kClients + 1, ""});
  CountingEnetServer* host = owned.get();
  server.setBridge(std::move(owned));
  ASSERT_TRUE(host->startWith(kel::base::DesktopDirectConnectionInfo("127.0.0.1", 0)));
  ENetAddress address{};
  ASSERT_EQ(enet_address_set_host(&address, "127.0.0.1"), 0);
  address.port = host->port();
  for (int i = 0; i < kClients; ++i) {
    auto client = std::make_unique<EnetClientHost>();
    client->host = enet_host_create(nullptr, 1, 2, kClientIncoming, kClientOutgoing);
    ASSERT_NE(client->host, nullptr);
    client->server = enet_host_connect(client->host, &address, 2, 0);
    ASSERT_NE(client->server, nullptr);
    clients.push_back(std::move(client));
  }
  // Each client's host, once connected, tells the host the bandwidths it settled on (within a
  // second, on its own timer): the wait is for that to have gone out, and a message after it to
  // have arrived, so that the host knows all there is before the world is asked for.
  ASSERT_TRUE(serviceUntil([&] {
    return std::all_of(clients.begin(), clients.end(), [](const auto& c) {
      return c->connected && c->host->recalculateBandwidthLimits == 0 && c->host->bandwidthThrottleEpoch != 0;
    });
  })) << "every client connected and settled its bandwidths";
  const size_t before = server.waiting();
  for (auto& client : clients) {
    const uint8_t word = 0;
    enet_peer_send(client->server, 0, enet_packet_create(&word, 1, ENET_PACKET_FLAG_RELIABLE));
    enet_host_flush(client->host);
  }
  ASSERT_TRUE(serviceUntil([&] { return server.waiting() >= before + kClients; }));

  WorldSender& sender = server.worldSender();
  sender.setHostedWorld(world.world.get());
  sender.setHandOver([this](std::function<void()> done) { handOvers.push(std::move(done)); });
  sender.setClock([this] { return now; });
  for (uint8_t peer = 1; peer <= kClients; ++peer) sender.worldRequested(peer, CellsForm::Compressed);
  // One packing answers all eight: its memory readied, then the copy packed.
  for (int end = 0; end < 2; ++end) ASSERT_TRUE(handOvers.runNext(std::chrono::seconds(60)));

  constexpr double kSeconds = 0.2;  // the world takes longer at the pace declared
  runFor(kSeconds, 1.0 / 60);
  const double slack = static_cast<double>(host->largestPiece);
  const double allowed = WorldSender::kPaceBurstBytes + kClientIncoming * kSeconds;
  for (uint8_t peer = 1; peer <= kClients; ++peer) {
    EXPECT_EQ(sender.paceFor(peer), kClientIncoming) << "peer " << int{peer};
    const auto sent = static_cast<double>(host->cellBytes[peer]);
    EXPECT_LE(sent, allowed + slack) << "peer " << int{peer} << " after " << kSeconds << " s";
    EXPECT_GE(sent, allowed - slack) << "peer " << int{peer} << " after " << kSeconds << " s";
  }
}
