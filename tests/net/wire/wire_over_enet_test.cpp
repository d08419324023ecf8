// Every message of the catalogue crosses real ENet unchanged in its direction, and damaged
// packets from a peer are refused by the host without harm.

#include <gtest/gtest.h>

#include "net/wire/connection_messages.h"
#include "net/wire/wire_catalogue.h"
#include "tests/net/loopback_fixture.h"

namespace {

using nettest::Bytes;
using nettest::Received;

class WireOverEnet : public nettest::LoopbackTest {};

// A seed whose peer bytes name the host (the other player a trade reply may name); no sample ends
// the connection it travels on.
constexpr uint8_t kSeed = 8;

// What a client says when it leaves: the host then drops it.
bool endsTheSendersConnection(const wire::MessageSpec& spec) {
  return spec.category == 0 && (spec.is(wire::ConnectionMsg::Departure) || spec.is(wire::ConnectionMsg::NoCharacter));
}
constexpr uint8_t kWorldHeader = 67;

}  // namespace

TEST_F(WireOverEnet, EveryCatalogueMessageArrivesAsItWasSent) {
  startHost(4);
  nettest::LoopbackClient* ann = join("Ann");
  ASSERT_NE(ann, nullptr);
  // The hello, the admission and the world request it brings.
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= 2 && !ann->seen.empty(); }));
  // She enters: until then the host hears nothing but her join.
  const Bytes cellsArrived{0, 6, 0, 0};
  ann->send(cellsArrived.data(), static_cast<uint32_t>(cellsArrived.size()), 0);
  ann->enterWorld(100, 100);
  ASSERT_TRUE(pumpUntil([&] { return host->joinStage(1) == host::JoinStage::Entered; }));
  // What the host answered to her entry is on its way before this mark, in order.
  const Bytes mark{0, 11, 9};
  host->bridge()->sendTo(mark.data(), static_cast<uint32_t>(mark.size()), 1);
  ASSERT_TRUE(pumpUntil([&] { return nettest::hasSeen(ann->seen, Received{mark, 0}); }));
  host->seen.clear();
  ann->seen.clear();

  // The host's messages first, then the client's: what the host answers to those is not compared.
  std::vector<Received> toClient;
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (!spec.receivedBy(wire::Side::Client)) continue;
    const Bytes message = nettest::sampleMessage(spec, kSeed);
    // A sample world header names no world a client could build, and ends its join; the
    // transfer's own tests send real ones.
    if (spec.id == kWorldHeader) continue;
    host->bridge()->sendTo(message.data(), static_cast<uint32_t>(message.size()), 1);
    toClient.push_back({message, 0});
  }
  ASSERT_TRUE(pumpUntil([&] { return ann->seen.size() >= toClient.size(); }));
  EXPECT_EQ(ann->seen, toClient);
  // Ann, in the game, answers some of them (an offer, a window): those answers reach the host
  // before her mark, and are not compared.
  const Bytes progress{0, 10, 0, 0};
  ann->send(progress.data(), static_cast<uint32_t>(progress.size()), 0);
  ASSERT_TRUE(pumpUntil([&] { return nettest::hasSeen(host->seen, Received{progress, 1}); }));
  host->seen.clear();
  const uint64_t refusedBefore = host->refusedCount();

  std::vector<Received> toHost;
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (!spec.receivedBy(wire::Side::Host) || endsTheSendersConnection(spec)) continue;
    const Bytes message = nettest::sampleMessage(spec, kSeed);
    ann->send(message.data(), static_cast<uint32_t>(message.size()), 0);
    toHost.push_back({message, 1});
  }
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= toHost.size(); }));
  EXPECT_EQ(host->seen, toHost);
  EXPECT_EQ(host->refusedCount(), refusedBefore);
  EXPECT_EQ(ann->refusedCount(), 0u);
  EXPECT_FALSE(ann->isShutDown());
}

TEST_F(WireOverEnet, TruncatedAndCorruptedPacketsAreRefusedByTheHostAndALongOneIsReadToItsLayout) {
  startHost(4);
  nettest::LoopbackClient* ann = join("Ann");
  ASSERT_NE(ann, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  const Bytes hello(nettest::sampleMessage(*wire::incoming(wire::idOf(wire::ConnectionMsg::Hello), wire::Side::Host), 1));
  Bytes oversized = hello;
  oversized.resize(70000, 0xEE);
  Bytes corrupted = hello;
  corrupted[1] = 8;  // an id no message has
  const Bytes damaged[] = {
      Bytes{},                                                     // nothing at all
      Bytes{0},                                                    // half a header
      Bytes(hello.begin(), hello.begin() + 20),                    // cut short
      corrupted,
      Bytes{0, 3, 1, 0},                                           // the host's own admission
      Bytes{5, 78, 0xFF, 0xFF, 1, 2, 3, 4},                        // a count past the length
  };
  for (const Bytes& packet : damaged) {
    ann->send(packet.data(), static_cast<uint32_t>(packet.size()), 0);
  }
  // Far longer than a hello: read as one, a second hello from an admitted client, and ignored.
  ann->send(oversized.data(), static_cast<uint32_t>(oversized.size()), 0);
  ASSERT_TRUE(pumpUntil([&] { return host->seen.size() >= 2 + std::size(damaged); }));
  EXPECT_EQ(host->refusedCount(), std::size(damaged));
  EXPECT_TRUE(admitted("Ann", 1));
  EXPECT_EQ(host->players().occupied(), 2u);
  EXPECT_FALSE(host->isShutDown());
}

// The host sends a joining client's world at the pace the client's transport said it takes in:
// the ENet client declares its incoming bandwidth when it connects, and the host reads it back.
TEST_F(WireOverEnet, TheHostKnowsTheBandwidthAClientDeclared) {
  startHost(4);
  nettest::LoopbackClient* ann = join("Ann");
  ASSERT_NE(ann, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  EXPECT_EQ(hostBridge->declaredIncomingBandwidth(1), 640'000u);
  EXPECT_EQ(hostBridge->declaredIncomingBandwidth(2), 0u) << "no client there";
}
