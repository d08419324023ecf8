// A joining client's endpoint: the hello, the answers it takes, the texts of a lost connection,
// and a drain that stops when a handler ends the networked game.

#include <gtest/gtest.h>

#include <memory>

#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "net/endpoint/connection_lost.h"
#include "net/endpoint/net_client.h"
#include "net/wire/connection_messages.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"

namespace {

using nettest::Bytes;

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

std::unique_ptr<NetClient> connectedClient(nettest::RecordingNotices& notices,
                                           nettest::RecordingClientBridge*& bridge) {
  auto client = std::make_unique<NetClient>("Ann", &notices);
  auto owned = std::make_unique<nettest::RecordingClientBridge>();
  bridge = owned.get();
  client->setBridge(std::move(owned));
  client->transportOpened();
  return client;
}

void push(Net& endpoint, const Bytes& message) {
  endpoint.received(message.data(), static_cast<uint32_t>(message.size()), 0);
}

class NetClientTest : public ::testing::Test {
 protected:
  NetClientTest() : client(connectedClient(notices, bridge)) {}

  void receive(const Bytes& message) {
    push(*client, message);
    client->dispatchQueued();
  }

  nettest::RecordingNotices notices;
  nettest::RecordingClientBridge* bridge = nullptr;
  std::unique_ptr<NetClient> client;
};

}  // namespace

TEST_F(NetClientTest, OnceConnectedItSaysHelloAndWaitsForTheHost) {
  EXPECT_EQ(bridge->sent, (std::vector<Bytes>{bytesOf(wire::helloMessage("Ann"))}));
  EXPECT_EQ(client->state(), NetClient::kHelloSent);
  // The frames drain what arrives: the admission is answered with the world request.
  push(*client, Bytes{0, 3, 1, 0});
  for (int frame = 0; frame < 2; ++frame) engine::Director::getInstance()->getScheduler()->update(1.0f / 60.0f);
  EXPECT_EQ(client->waiting(), 0u);
  EXPECT_EQ(bridge->sent.back(), (Bytes{0, 9, 0, 0}));
}

TEST_F(NetClientTest, AdmissionCancelsTheTimeoutAndAsksForTheWorld) {
  receive(Bytes{0, 3, 1, 0});
  EXPECT_EQ(bridge->sent.back(), (Bytes{0, 9, 0, 0}));
  for (int i = 0; i < 60; ++i) engine::Director::getInstance()->getScheduler()->update(0.5f);  // 30 s
  EXPECT_FALSE(client->isShutDown());
  EXPECT_TRUE(notices.lostReasons.empty());
}

TEST_F(NetClientTest, TheReadyMessageIsAnsweredOnlyBeforeTheHello) {
  receive(Bytes{0, 0, 0x30, 0x75, 0, 0});
  EXPECT_EQ(bridge->sent.size(), 1u);
}

TEST(NetClientLoss, EachEndShowsItsOwnText) {
  struct Case {
    Bytes message;
    uint8_t reason;
    const char* text;
  };
  const Case cases[] = {
      {{0, 12, 0}, 1, "Can't join! Server is full."},
      {{0, 12, 1}, 3, "Can't join! Server version is different from local."},
      {{0, 4, 0, 0}, 0, "The host has quit the game."},
  };
  for (const Case& c : cases) {
    nettest::RecordingNotices notices;
    nettest::RecordingClientBridge* bridge = nullptr;
    std::unique_ptr<NetClient> client = connectedClient(notices, bridge);
    push(*client, c.message);
    client->dispatchQueued();
    EXPECT_TRUE(client->isShutDown()) << c.text;
    EXPECT_EQ(bridge->stops, 1);
    EXPECT_EQ(notices.lostReasons, (std::vector<uint8_t>{c.reason}));
    EXPECT_EQ(notices.lostTexts, (std::vector<std::string>{c.text}));
  }
}

TEST(NetClientLoss, TheReasonTextsAndAnEmptyOneForAnyOtherReason) {
  EXPECT_STREQ(connectionLostText(2), "The connection with the host has timed out.");
  EXPECT_STREQ(connectionLostText(4), "Can't join! Your character is still in this game: join again in a moment.");
  EXPECT_STREQ(connectionLostText(5), "");
  EXPECT_STREQ(connectionLostText(255), "");
}

TEST_F(NetClientTest, OnlyTheHostsLossCounts) {
  client->onPeerLost(3, 0);
  receive(Bytes{0, 4, 0, 1});  // the host's player entry, not the host itself
  receive(Bytes{0, 4, 2, 0});  // a player with no entry
  EXPECT_FALSE(client->isShutDown());
  EXPECT_TRUE(notices.lostReasons.empty());
}

TEST_F(NetClientTest, AHandlerThatEndsTheGameStopsTheDrainThere) {
  push(*client, Bytes{0, 12, 0});
  push(*client, Bytes{0, 3, 1, 0});
  EXPECT_EQ(client->dispatchQueued(), 1u);
  EXPECT_EQ(bridge->sent.size(), 1u);  // no world request after the refusal
  EXPECT_EQ(client->dispatchQueued(), 0u);
}

TEST_F(NetClientTest, NoAnswerWithinTwentySecondsEndsTheJoin) {
  engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
  const auto frames = [&](int count) {
    for (int i = 0; i < count; ++i) scheduler->update(0.5f);
  };
  frames(38);  // 19 s
  EXPECT_FALSE(client->isShutDown());
  frames(4);
  EXPECT_TRUE(client->isShutDown());
  EXPECT_EQ(notices.lostReasons, (std::vector<uint8_t>{2}));
}

TEST(NetClientEnding, AnEndpointEndedByItsOwnHandlerHandlesNothingAfter) {
  nettest::RecordingNotices notices;
  nettest::RecordingClientBridge* bridge = nullptr;
  std::unique_ptr<NetClient> endpoint = connectedClient(notices, bridge);
  push(*endpoint, Bytes{0, 4, 0, 0});
  push(*endpoint, Bytes{0, 3, 1, 0});
  EXPECT_EQ(endpoint->dispatchQueued(), 1u);
  EXPECT_TRUE(endpoint->isShutDown());
  EXPECT_EQ(notices.lostReasons, (std::vector<uint8_t>{0}));
}

TEST_F(NetClientTest, ThePlayersMessagesCarryTheLocalPeerAndTheirFields) {
  bridge->sent.clear();
  const Item held(0x0102, 0, 3, 0, 0);
  client->sendItemUpdate(&held, 4);
  client->sendItemUpdateTo(nullptr, 2, 1);
  client->sendChat("hi");
  client->sendCommand("/time");
  ASSERT_EQ(bridge->sent.size(), 4u);
  EXPECT_EQ(bridge->sent[0], (Bytes{2, 21, 0, 0, 0, 0, 0x02, 0x01, 3, 0, 0, 0, 0, 4, 0}));
  EXPECT_EQ(bridge->sent[1], (Bytes{2, 22, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 1, 2, 0}));
  Bytes chat{2, 43, 0, 'h', 'i'};
  chat.resize(99, 0);
  EXPECT_EQ(bridge->sent[2], chat);
  EXPECT_EQ(bridge->sent[3].size(), 99u);
  EXPECT_EQ(bridge->sent[3][1], 44);
  EXPECT_EQ(notices.lines, (std::vector<std::string>{"[Ann] hi"}));
}
