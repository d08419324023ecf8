// Every message the catalogue lets through reaches the handler of its own category, on either
// side; a refused one reaches none.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/endpoint/net_client.h"
#include "net/endpoint/net_server.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_catalogue.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"

namespace {

struct Routed {
  std::string handler;
  uint8_t id;
  bool operator==(const Routed&) const = default;
};

// Records which handler each message reached; the connection's own rules are not run.
template <class Endpoint>
class RoutingProbe : public Endpoint {
 public:
  using Endpoint::Endpoint;
  std::vector<Routed> routed;
  // Where each handled message's bytes were read from.
  std::vector<const uint8_t*> readFrom;

 protected:
  void handleConnection(wire::WireIn& in, uint8_t) override { note("connection", in); }
  void handlePlayers(wire::WireIn& in, uint8_t) override { note("players", in); }
  void handleWorldData(wire::WireIn& in, uint8_t) override { note("world data", in); }
  void handleWorldChanges(wire::WireIn& in, uint8_t) override { note("world changes", in); }
  void handleEntities(wire::WireIn& in, uint8_t) override { note("entities", in); }
  void handleEffects(wire::WireIn& in, uint8_t) override { note("effects", in); }
  void handleBlockEntities(wire::WireIn& in, uint8_t) override { note("block entities", in); }
  void handleTrades(wire::WireIn& in, uint8_t) override { note("trades", in); }
  void handleFishing(wire::WireIn& in, uint8_t) override { note("fishing", in); }
  void handleCircuits(wire::WireIn& in, uint8_t) override { note("circuits", in); }

 private:
  void note(const char* handler, wire::WireIn& in) {
    routed.push_back({handler, in.spec().id});
    readFrom.push_back(in.bytes().data());
  }
};

std::string handlerOf(uint8_t category) {
  switch (category) {
    case 0: return "connection";
    case 2: return "players";
    case 3: return "world data";
    case 4: return "world changes";
    case 5: return "entities";
    case 6: return "effects";
    case 11: return "trades";
    case 13: return "fishing";
    case 14: return "circuits";
    default: return "block entities";
  }
}

template <class Probe>
void expectEveryMessageRouted(Probe& probe, wire::Side side) {
  std::vector<Routed> expected;
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (!spec.receivedBy(side)) continue;
    const nettest::Bytes message = nettest::sampleMessage(spec, 6);
    probe.received(message.data(), static_cast<uint32_t>(message.size()), 1);
    expected.push_back({handlerOf(spec.category), spec.id});
  }
  const nettest::Bytes refused{5, 77, 1};
  probe.received(refused.data(), static_cast<uint32_t>(refused.size()), 1);
  probe.dispatchQueued();
  EXPECT_EQ(probe.routed, expected);
}

}  // namespace

// A host that admits its clients' hellos and lets them enter, so that their later messages have a
// sender to act for.
class AdmittingHost : public RoutingProbe<NetServer> {
 public:
  using RoutingProbe<NetServer>::RoutingProbe;

 protected:
  void handleConnection(wire::WireIn& in, uint8_t peer) override {
    if (in.spec().is(wire::ConnectionMsg::Hello) || in.spec().is(wire::ConnectionMsg::Entered)) NetServer::handleConnection(in, peer);
    RoutingProbe<NetServer>::handleConnection(in, peer);
  }
};

TEST(MessageRouting, TheHostHandsEachMessageOfAClientInTheGameToItsCategorysHandler) {
  AdmittingHost host(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host");
  host.setBridge(std::make_unique<nettest::RecordingServerBridge>());
  host.transportOpened();
  for (uint8_t peer : {1, 2}) {  // the sample trade replies name peer 2 as the other party
    const wire::WireOut hello = wire::helloMessage("Ann", 0);
    host.received(hello.data(), hello.size(), peer);
  }
  host.dispatchQueued();
  for (uint8_t peer : {1, 2}) {
    ASSERT_TRUE(host.takeWorldRequest(peer));
    ASSERT_TRUE(host.takeWorldReceived(peer));
    const nettest::Bytes entered{0, 5, 100, 100};
    host.received(entered.data(), static_cast<uint32_t>(entered.size()), peer);
  }
  host.dispatchQueued();
  host.routed.clear();
  expectEveryMessageRouted(host, wire::Side::Host);
}

// The longest message first: every later one fits the buffer it left and is claimed there, with no
// new allocation per message.
TEST(MessageRouting, TheHostClaimsEveryMessageInOneReusedBuffer) {
  AdmittingHost host(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host");
  host.setBridge(std::make_unique<nettest::RecordingServerBridge>());
  host.transportOpened();
  const wire::WireOut hello = wire::helloMessage("Ann", 0);
  host.received(hello.data(), hello.size(), 1);
  host.dispatchQueued();
  ASSERT_TRUE(host.takeWorldRequest(1));
  ASSERT_TRUE(host.takeWorldReceived(1));
  const nettest::Bytes entered{0, 5, 100, 100};
  host.received(entered.data(), static_cast<uint32_t>(entered.size()), 1);
  host.dispatchQueued();
  host.readFrom.clear();
  for (const wire::PlayerMsg id : {wire::PlayerMsg::CraftKnowledge, wire::PlayerMsg::Chat, wire::PlayerMsg::Look,
                                   wire::PlayerMsg::RespawnRequest, wire::PlayerMsg::ThrowItem}) {
    const nettest::Bytes message = nettest::sampleMessage(wire::outgoing(id, wire::Side::Client), 1);
    host.received(message.data(), static_cast<uint32_t>(message.size()), 1);
  }
  host.dispatchQueued();
  ASSERT_EQ(host.readFrom.size(), 5u);
  for (const uint8_t* bytes : host.readFrom) EXPECT_EQ(bytes, host.readFrom.front());
}

TEST(MessageRouting, TheHostHandsNothingButTheHelloAndTheDepartureOfAPeerWithoutAnEntry) {
  RoutingProbe<NetServer> host(kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host");
  host.setBridge(std::make_unique<nettest::RecordingServerBridge>());
  host.transportOpened();
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (!spec.receivedBy(wire::Side::Host)) continue;
    const nettest::Bytes message = nettest::sampleMessage(spec, 6);
    host.received(message.data(), static_cast<uint32_t>(message.size()), 1);
  }
  host.dispatchQueued();
  EXPECT_EQ(host.routed, (std::vector<Routed>{{"connection", wire::idOf(wire::ConnectionMsg::Hello)}, {"connection", wire::idOf(wire::ConnectionMsg::Departure)}}));
}

// A client as it is once in the game, when it takes every category.
class InGameClient : public RoutingProbe<NetClient> {
 public:
  using RoutingProbe<NetClient>::RoutingProbe;

 protected:
  bool admits(uint8_t) const override { return true; }
};

TEST(MessageRouting, AClientInTheGameHandsEachMessageToItsCategorysHandler) {
  InGameClient client("Ann");
  client.setBridge(std::make_unique<nettest::RecordingClientBridge>());
  expectEveryMessageRouted(client, wire::Side::Client);
}

TEST(MessageRouting, AJoiningClientTakesOnlyTheConnectionAndTheWorld) {
  RoutingProbe<NetClient> client("Ann");
  client.setBridge(std::make_unique<nettest::RecordingClientBridge>());
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (!spec.receivedBy(wire::Side::Client)) continue;
    const nettest::Bytes message = nettest::sampleMessage(spec, 6);
    client.received(message.data(), static_cast<uint32_t>(message.size()), 0);
  }
  client.dispatchQueued();
  ASSERT_FALSE(client.routed.empty());
  for (const Routed& routed : client.routed) {
    EXPECT_TRUE(routed.handler == "connection" || routed.handler == "world data") << routed.handler;
  }
}
