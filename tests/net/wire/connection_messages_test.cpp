// The handshake's messages as their bytes.

#include <gtest/gtest.h>

#include <vector>

#include "net/wire/connection_messages.h"
#include "net/wire/wire_check.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

}  // namespace

TEST(ConnectionMessages, TheHelloIsThirtyNineBytesWithNameAndVersion) {
  const Bytes hello = bytesOf(wire::helloMessage("Ann"));
  ASSERT_EQ(hello.size(), 39u);
  Bytes expected{0, 2, 0, 'A', 'n', 'n'};
  expected.resize(35, 0);
  expected.insert(expected.end(), {0x30, 0x75, 0x00, 0x00});  // 30000
  EXPECT_EQ(hello, expected);
}

TEST(ConnectionMessages, TheHostsAnswersAreTheirFewBytes) {
  EXPECT_EQ(bytesOf(wire::readyMessage()), (Bytes{0, 0, 0x30, 0x75, 0, 0}));
  EXPECT_EQ(bytesOf(wire::admissionMessage()), (Bytes{0, 3, 1, 0}));
  EXPECT_EQ(bytesOf(wire::refusalMessage(wire::kRefusedFull)), (Bytes{0, 12, 0}));
  EXPECT_EQ(bytesOf(wire::refusalMessage(wire::kRefusedVersion)), (Bytes{0, 12, 1}));
  EXPECT_EQ(bytesOf(wire::departureMessage(wire::Side::Host, 2)), (Bytes{0, 4, 2, 0}));
  EXPECT_EQ(bytesOf(wire::worldRequestMessage()), (Bytes{0, 9, 0, 0}));
}

TEST(ConnectionMessages, ARelayedHelloCarriesTheNewPeerAndReadsBack) {
  const Bytes relayed = bytesOf(wire::helloMessage("Bo", 3));
  const wire::Checked checked = wire::checkIncoming(relayed, wire::Side::Client);
  ASSERT_TRUE(checked.accepted());
  wire::WireIn in(*checked.spec, relayed);
  const wire::Hello hello = wire::readHello(in);
  EXPECT_EQ(hello.peer, 3);
  EXPECT_EQ(hello.name, "Bo");
  EXPECT_EQ(hello.version, wire::kProtocolVersion);
}
