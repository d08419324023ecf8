// The server transport's peer slots: the host's slot 0 is never given, a full table gives no slot,
// and a slot is given again only once the connection has ended and the endpoint has dropped it.

#include <gtest/gtest.h>

#include "net/transports/peer_slots.h"
#include "platform/net_bridge.h"

namespace {
int connections[8];
void* connection(int i) { return &connections[i]; }
}  // namespace

TEST(PeerSlots, APlayerLimitOfFourGivesIdsOneToThreeAndThenNone) {
  enet::PeerSlots slots(4);
  EXPECT_EQ(slots.add(connection(1)), 1);
  EXPECT_EQ(slots.add(connection(2)), 2);
  EXPECT_EQ(slots.add(connection(3)), 3);
  EXPECT_EQ(slots.add(connection(4)), kel::NET_NO_PEER);
  EXPECT_EQ(slots.connected(0), nullptr);
  EXPECT_EQ(slots.connected(2), connection(2));
}

TEST(PeerSlots, AnEndedConnectionKeepsItsSlotUntilTheEndpointDropsIt) {
  enet::PeerSlots slots(3);
  ASSERT_EQ(slots.add(connection(1)), 1);
  ASSERT_EQ(slots.add(connection(2)), 2);
  EXPECT_TRUE(slots.connectionEnded(1));
  EXPECT_EQ(slots.connected(1), nullptr);
  EXPECT_EQ(slots.add(connection(3)), kel::NET_NO_PEER);  // the departure is not handled yet
  EXPECT_EQ(slots.drop(1), nullptr);                       // nothing left to close
  EXPECT_EQ(slots.add(connection(3)), 1);
}

TEST(PeerSlots, ADroppedPeerIsClosedAndItsSlotWaitsForTheEnd) {
  enet::PeerSlots slots(3);
  ASSERT_EQ(slots.add(connection(1)), 1);
  EXPECT_EQ(slots.drop(1), connection(1));
  EXPECT_EQ(slots.connected(1), nullptr);
  EXPECT_EQ(slots.add(connection(2)), 2);  // slot 1 is still closing
  EXPECT_FALSE(slots.connectionEnded(1));  // asked for: the endpoint is not told again
  EXPECT_EQ(slots.add(connection(3)), 1);
}

TEST(PeerSlots, IdsOutsideTheTableAreIgnored) {
  enet::PeerSlots slots(2);
  EXPECT_FALSE(slots.connectionEnded(0));
  EXPECT_FALSE(slots.connectionEnded(200));
  EXPECT_EQ(slots.drop(0), nullptr);
  EXPECT_EQ(slots.drop(kel::NET_NO_PEER), nullptr);
}
