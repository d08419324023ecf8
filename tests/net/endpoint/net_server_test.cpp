// The host's endpoint: admission by the hello, refusals, departures, and a drain that waits for
// the hosted world.

#include <gtest/gtest.h>

#include <memory>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "net/endpoint/net_server.h"
#include "net/wire/connection_messages.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"

namespace {

using nettest::Bytes;
using nettest::Sent;

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

// Two frames of the director's scheduler: the first starts a freshly scheduled drain, the second
// runs it.
void runTwoFrames() {
  for (int frame = 0; frame < 2; ++frame) engine::Director::getInstance()->getScheduler()->update(1.0f / 60.0f);
}

class NetServerTest : public ::testing::Test {
 protected:
  explicit NetServerTest(uint8_t limit = 4)
      : server(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, limit, ""}, "Host", &notices) {
    auto owned = std::make_unique<nettest::RecordingServerBridge>();
    bridge = owned.get();
    server.setBridge(std::move(owned));
    server.transportOpened();
  }

  void receive(const Bytes& message, uint8_t peer) {
    server.received(message.data(), static_cast<uint32_t>(message.size()), peer);
    server.dispatchQueued();
  }
  void hello(const std::string& name, uint8_t peer, uint32_t version = wire::kProtocolVersion) {
    receive(bytesOf(wire::helloMessage(name, 0, version)), peer);
  }

  nettest::RecordingNotices notices;
  NetServer server;
  nettest::RecordingServerBridge* bridge = nullptr;
};

class FullServerTest : public NetServerTest {
 protected:
  FullServerTest() : NetServerTest(2) {}
};

}  // namespace

TEST_F(NetServerTest, TheHostIsEntryZeroOnceItListens) {
  ASSERT_NE(server.players().at(0), nullptr);
  EXPECT_EQ(server.players().at(0)->name(), "Host");
  EXPECT_EQ(server.localPeerId(), 0);
  EXPECT_EQ(server.playerLimit(), 4);
}

TEST_F(NetServerTest, AHelloIsAdmittedAndRelayedToTheOthersWithTheNewId) {
  hello("Ann", 1);
  ASSERT_EQ(bridge->sent.size(), 3u);
  EXPECT_EQ(bridge->sent[0], (Sent{Sent::To, 1, Bytes{0, 3, 1, 0}}));
  // Her identity: the token the host knows her character by, and the name she plays under.
  EXPECT_EQ(bridge->sent[1].kind, Sent::To);
  ASSERT_EQ(bridge->sent[1].bytes.size(), 50u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bridge->sent[1].bytes.data()) + 18), "Ann");
  EXPECT_EQ(bridge->sent[2], (Sent{Sent::AllBut, 1, bytesOf(wire::helloMessage("Ann", 1))}));
  EXPECT_EQ(bridge->sent[2].bytes[2], 1);
  ASSERT_NE(server.players().at(1), nullptr);
  EXPECT_EQ(server.players().at(1)->name(), "Ann");
}

TEST_F(NetServerTest, AHelloOfAnotherVersionIsRefusedAndItsPeerDropped) {
  hello("Old", 2, 29999);
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Sent::To, 2, Bytes{0, 12, 1}}}));
  EXPECT_EQ(bridge->dropped, (std::vector<uint8_t>{2}));
  EXPECT_EQ(server.players().at(2), nullptr);
  EXPECT_EQ(notices.lines, (std::vector<std::string>{"Player canceled before entering."}));
}

TEST_F(FullServerTest, AHelloToAFullGameGetsExactlyTheRefusalAndNothingGoesToTheOthers) {
  hello("Ann", 1);
  bridge->sent.clear();
  hello("Bo", 2);
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Sent::To, 2, Bytes{0, 12, 0}}}));
  EXPECT_EQ(bridge->dropped, (std::vector<uint8_t>{2}));
  EXPECT_EQ(server.players().occupied(), 2u);
}

TEST_F(NetServerTest, ASecondHelloFromAnAdmittedPeerChangesNothing) {
  hello("Ann", 1);
  bridge->sent.clear();
  hello("Mallory", 1);
  EXPECT_TRUE(bridge->sent.empty());
  EXPECT_EQ(server.players().at(1)->name(), "Ann");
}

// Whatever peer a client's departure names, even the host's own (a shutdown notice), it is the
// sender that leaves: nobody else is removed and the host stays up.
TEST_F(NetServerTest, ADepartureFromAClientIsOnlyEverItsOwn) {
  for (const Bytes& notice : {Bytes{0, 4, 1, 0}, Bytes{0, 4, 0, 0}, Bytes{0, 4, 2, 0}, Bytes{0, 4, 0, 1}}) {
    hello("Ann", 1);
    hello("Bo", 2);
    bridge->sent.clear();
    bridge->dropped.clear();
    receive(notice, 2);
    EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Sent::AllBut, 2, Bytes{0, 4, 2, 0}}}));
    EXPECT_EQ(server.players().at(2), nullptr);
    EXPECT_NE(server.players().at(1), nullptr);
    EXPECT_NE(server.players().at(0), nullptr) << "entry 0 is never removed by a message";
    EXPECT_EQ(bridge->dropped, (std::vector<uint8_t>{2}));
    EXPECT_EQ(bridge->stops, 0);
    EXPECT_FALSE(server.isShutDown());
    EXPECT_EQ(notices.lines.back(), "Bo has left the world.");
  }
}

TEST_F(NetServerTest, AClientSayingItHasNoCharacterLeavesAndTheHostStaysUp) {
  hello("Ann", 1);
  hello("Bo", 2);
  bridge->sent.clear();
  receive(Bytes{0, 1, 2}, 2);
  EXPECT_FALSE(server.isShutDown());
  EXPECT_EQ(bridge->stops, 0);
  EXPECT_EQ(server.players().at(2), nullptr);
  EXPECT_NE(server.players().at(1), nullptr);
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Sent::AllBut, 2, Bytes{0, 4, 2, 0}}}));
}

TEST_F(NetServerTest, MessagesWaitInTheQueueUntilTheWorldIsReadyThenTheFramesDrainThem) {
  const Bytes message = bytesOf(wire::helloMessage("Ann"));
  server.received(message.data(), static_cast<uint32_t>(message.size()), 1);
  runTwoFrames();
  EXPECT_EQ(server.waiting(), 1u);
  EXPECT_EQ(server.players().at(1), nullptr);

  server.worldReady();
  EXPECT_EQ(bridge->sent.front(), (Sent{Sent::All, 0, Bytes{0, 0, 0x30, 0x75, 0, 0}}));
  runTwoFrames();
  EXPECT_EQ(server.waiting(), 0u);
  EXPECT_NE(server.players().at(1), nullptr);
}

TEST_F(NetServerTest, RefusedMessagesReachNoHandler) {
  receive(Bytes{0, 2, 0}, 1);      // a hello cut short
  receive(Bytes{0, 3, 1, 0}, 1);   // the host's own admission
  receive(Bytes{99, 200, 1}, 1);   // no such message
  EXPECT_EQ(server.refusedCount(), 3u);
  EXPECT_TRUE(bridge->sent.empty());
  EXPECT_EQ(server.players().occupied(), 1u);
}

TEST_F(NetServerTest, ShuttingDownStopsTheBridgeAndTheDrain) {
  server.worldReady();
  server.shutdown();
  EXPECT_EQ(bridge->stops, 1);
  EXPECT_TRUE(server.isShutDown());
  const Bytes message = bytesOf(wire::helloMessage("Early"));
  server.received(message.data(), static_cast<uint32_t>(message.size()), 2);
  runTwoFrames();
  EXPECT_EQ(server.waiting(), 1u);  // no frame drains a shut-down endpoint
  EXPECT_EQ(server.players().at(2), nullptr);
  hello("Late", 1);
  EXPECT_EQ(server.players().at(1), nullptr);
}

TEST(NetServerLimit, ASetupWithoutALimitMeansFourPlayersForTheEndpointAndItsTransport) {
  const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 0, ""};
  const NetServer server(setup, "Host");
  const nettest::RecordingServerBridge bridge(setup);
  EXPECT_EQ(server.playerLimit(), 4);
  EXPECT_EQ(bridge.playerLimit(), 4);
}
