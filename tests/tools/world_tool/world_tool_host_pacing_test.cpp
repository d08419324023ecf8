// `world_tool host` sends the world to clients made as the game's ENet client is made (640,000
// bytes a second in): eight of them join at once over real ENet on 127.0.0.1, and each is sent
// the whole world, paced, as the host's own frames allow. The pace itself is the world sender's,
// checked on its own clock by the transfer's tests; what each client measured is printed here,
// for the note, since a wall clock read on a busy machine says nothing of the host's pace.

#include <gtest/gtest.h>

#include <enet/enet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/wire/connection_messages.h"
#include "net/wire/wire_messages.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"
#include "tests/tools/world_tool/tool_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using world_tool_test::lastLineAfter;
using world_tool_test::ToolProcess;

constexpr uint32_t kClientIncoming = 640'000;  // what the game's ENet client declares
constexpr uint32_t kClientOutgoing = 128'000;
constexpr int kClients = 8;
constexpr size_t kPieceHead = 6;  // [3][71] and the piece's length

// One joining client, serviced by the test: what it received of the cells and when.
struct Joining {
  ENetHost* host = nullptr;
  ENetPeer* server = nullptr;
  bool connected = false;
  bool admitted = false;
  bool explored = false;  // the explored cells: the last of the world's transfer
  uint64_t cellBytes = 0;
  Clock::time_point header;  // the world's header: its cells follow at once
  Clock::time_point lastPiece;

  Joining() = default;
  Joining(const Joining&) = delete;
  Joining& operator=(const Joining&) = delete;
  ~Joining() {
    if (host != nullptr) enet_host_destroy(host);
  }
  // Its host made as the game's client transport makes it, connecting.
  bool connect(const ENetAddress& address) {
    host = enet_host_create(nullptr, 1, 2, kClientIncoming, kClientOutgoing);
    server = host != nullptr ? enet_host_connect(host, &address, 2, 0) : nullptr;
    return server != nullptr;
  }
  void send(const uint8_t* data, size_t length) {
    enet_peer_send(server, 0, enet_packet_create(data, length, ENET_PACKET_FLAG_RELIABLE));
    enet_host_flush(host);
  }
  void service() {
    ENetEvent event{};
    while (host != nullptr && enet_host_service(host, &event, 0) > 0) {
      if (event.type == ENET_EVENT_TYPE_CONNECT) connected = true;
      if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
      received(event.packet->data, event.packet->dataLength);
      enet_packet_destroy(event.packet);
    }
  }
  void received(const uint8_t* data, size_t length) {
    if (length < 2) return;
    if (data[0] == 0 && data[1] == wire::idOf(wire::ConnectionMsg::Admission)) admitted = true;
    if (data[0] == 3 && data[1] == wire::idOf(wire::WorldDataMsg::ExploredCells)) explored = true;
    if (data[0] == 3 && data[1] == wire::idOf(wire::WorldDataMsg::WorldHeader)) header = Clock::now();
    const bool piece = data[0] == 3 && (data[1] == wire::idOf(wire::WorldDataMsg::WorldPiece) ||
                                        data[1] == wire::idOf(wire::WorldDataMsg::WorldColumn));
    if (piece && length > kPieceHead) {
      cellBytes += length - kPieceHead;
      lastPiece = Clock::now();
    }
  }
  double rate() const {
    const double seconds = std::chrono::duration<double>(lastPiece - header).count();
    return seconds > 0 ? static_cast<double>(cellBytes) / seconds : 0.0;
  }
};

class WorldToolHostPacing : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(enet_initialize(), 0); }
  void TearDown() override {
    clients.clear();
    enet_deinitialize();
  }
  bool serviceUntil(const std::function<bool()>& done, int seconds) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (!done() && Clock::now() < deadline) {
      for (auto& client : clients) client->service();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  bool all(bool Joining::*flag) const {
    return std::all_of(clients.begin(), clients.end(), [flag](const auto& c) { return (*c).*flag; });
  }

  testsupport::TempDir dir;
  std::vector<std::unique_ptr<Joining>> clients;
};

TEST_F(WorldToolHostPacing, EightClientsJoiningAtOnceAreEachSentTheWholeWorld) {
  ToolProcess host({"host", "--planet", "terra", "--size", "3", "--seed", "7", "--port", "0", "--listen",
                    "127.0.0.1", "--limit", std::to_string(kClients + 1), "--save", dir.file("Hosted.dat")},
                   dir.file("host.out"));
  ASSERT_TRUE(host.waitForOutput("\nhosting ", 300)) << host.out() << host.err();
  ENetAddress address{};
  ASSERT_EQ(enet_address_set_host(&address, "127.0.0.1"), 0);
  address.port = static_cast<uint16_t>(std::stoi(lastLineAfter(host.out(), "listening on 127.0.0.1:")));

  for (int i = 0; i < kClients; ++i) {
    clients.push_back(std::make_unique<Joining>());
    ASSERT_TRUE(clients.back()->connect(address));
  }
  // Each client's host tells the host the bandwidths it settled on once connected (within a second,
  // on its own timer): the world is asked for only once that has gone out.
  ASSERT_TRUE(serviceUntil(
      [&] {
        return std::all_of(clients.begin(), clients.end(), [](const auto& c) {
          return c->connected && c->host->recalculateBandwidthLimits == 0 && c->host->bandwidthThrottleEpoch != 0;
        });
      },
      30));
  for (int i = 0; i < kClients; ++i) {
    const wire::WireOut hello = wire::helloMessage("Joiner " + std::to_string(i + 1));
    clients[i]->send(hello.data(), hello.size());
  }
  ASSERT_TRUE(serviceUntil([&] { return all(&Joining::admitted); }, 60)) << host.out();
  const uint8_t request[] = {0, 9, 0, 0};
  for (auto& client : clients) client->send(request, sizeof request);
  ASSERT_TRUE(serviceUntil([&] { return all(&Joining::explored); }, 300)) << "every client received the world";

  for (size_t i = 0; i < clients.size(); ++i) {
    const Joining& client = *clients[i];
    std::printf("client %zu: %llu bytes of cells at %.0f bytes/s (%.2f x declared)\n", i + 1,
                static_cast<unsigned long long>(client.cellBytes), client.rate(), client.rate() / kClientIncoming);
    EXPECT_GT(client.cellBytes, 0u) << "client " << i + 1;
  }
  host.interrupt();
  EXPECT_EQ(host.wait(), 0) << host.err();
}

}  // namespace
