// The store-front transports over the stand-in hub: a host and two clients as three users, each
// behind the endpoint's receive queue. Messages both ways and in order, packets larger than the
// receive buffer, the player limit, who may open a session, departures, rich presence, and the
// receive thread that a stop joins.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/steam/steam_presence.h"
#include "tests/net/transports/steam_hub_fixture.h"

namespace {

using steamtest::Bytes;
using steamtest::Received;
using steamtest::kAnnId;
using steamtest::kBoId;
using steamtest::kHostId;
using steamtest::kStrangerId;

class SteamTransport : public steamtest::SteamHubTest {
 protected:
  // Ann (peer 1) and Bo (peer 2) have said hello and the host has both hellos.
  void joinBoth() {
    ann = &join(*annApi, "Ann");
    ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 1; }));
    bo = &join(*boApi, "Bo");
    ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 2; }));
    ASSERT_EQ(host.seen[0], (Received{steamtest::bytesOf(wire::helloMessage("Ann")), 1}));
    ASSERT_EQ(host.seen[1], (Received{steamtest::bytesOf(wire::helloMessage("Bo")), 2}));
    host.seen.clear();
  }
  Joined* ann = nullptr;
  Joined* bo = nullptr;
};

TEST_F(SteamTransport, ThreeUsersExchangeMessagesBothWaysInOrder) {
  startHost(4);
  EXPECT_EQ(host.opened, 1);
  joinBoth();
  EXPECT_EQ(ann->listener.opened, 1);
  for (uint8_t i = 0; i < 10; ++i) {
    sendFrom(*ann->bridge, {2, 43, i});
    sendFrom(*bo->bridge, {2, 43, static_cast<uint8_t>(100 + i)});
    const Bytes toAnn{5, i}, toAll{6, i}, toOthers{7, i};
    server->sendTo(toAnn.data(), 2, 1);
    server->send(toAll.data(), 2);
    server->sendToAllBut(toOthers.data(), 2, 1);
  }
  ASSERT_TRUE(pumpUntil([&] {
    return host.seen.size() == 20 && ann->listener.seen.size() == 20 && bo->listener.seen.size() == 20;
  }));
  for (uint8_t i = 0; i < 10; ++i) {
    EXPECT_EQ(host.from(1)[i], (Received{{2, 43, i}, 1}));
    EXPECT_EQ(host.from(2)[i], (Received{{2, 43, static_cast<uint8_t>(100 + i)}, 2}));
    EXPECT_EQ(ann->listener.seen[2 * i], (Received{{5, i}, 0}));
    EXPECT_EQ(ann->listener.seen[2 * i + 1], (Received{{6, i}, 0}));
    EXPECT_EQ(bo->listener.seen[2 * i], (Received{{6, i}, 0}));
    EXPECT_EQ(bo->listener.seen[2 * i + 1], (Received{{7, i}, 0}));
  }
}

TEST_F(SteamTransport, APacketLargerThanTheReceiveBufferIsDroppedAndTheNextStillArrives) {
  startHost(4);
  joinBoth();
  constexpr uint32_t kBuffer = steam::SteamReceiver::kBufferBytes;
  const Bytes tooLarge(kBuffer + 1, 0xAB);
  Bytes whole(kBuffer, 0xCD);
  whole[0] = 2;
  sendFrom(*ann->bridge, tooLarge);
  sendFrom(*ann->bridge, whole);
  sendFrom(*ann->bridge, {2, 1});
  server->sendTo(tooLarge.data(), kBuffer + 1, 1);
  server->sendTo(whole.data(), kBuffer, 1);
  const Bytes small{3, 3};
  server->sendTo(small.data(), 2, 1);
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 2 && ann->listener.seen.size() == 2; }));
  // Only the bytes read are queued: the whole buffer's worth, then two bytes, never a stale tail.
  EXPECT_EQ(host.seen[0], (Received{whole, 1}));
  EXPECT_EQ(host.seen[1], (Received{{2, 1}, 1}));
  EXPECT_EQ(ann->listener.seen[0], (Received{whole, 0}));
  EXPECT_EQ(ann->listener.seen[1], (Received{small, 0}));
}

TEST_F(SteamTransport, APeerBeyondThePlayerLimitIsToldTheGameIsFullAndReachesNothing) {
  startHost(2);  // the host and one peer
  Joined& first = join(*annApi, "Ann");
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 1; }));
  Joined& late = join(*boApi, "Bo");
  ASSERT_TRUE(pumpUntil([&] { return late.listener.seen.size() == 1; }));
  EXPECT_EQ(late.listener.seen[0], (Received{{0, 12, wire::kRefusedFull}, 0}));
  sendFrom(*late.bridge, steamtest::bytesOf(wire::helloMessage("Bo")));
  pumpOnce();  // the second hello asks for a session again, and is refused again
  sendFrom(*first.bridge, {2, 9});
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 2; }));
  EXPECT_EQ(host.seen[1], (Received{{2, 9}, 1}));  // nothing of Bo's came before Ann's packet

  // Once the endpoint is done with Ann, her record is Bo's.
  server->dropPeer(1);
  sendFrom(*late.bridge, steamtest::bytesOf(wire::helloMessage("Bo")));
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 3; }));
  EXPECT_EQ(host.seen[2], (Received{steamtest::bytesOf(wire::helloMessage("Bo")), 1}));
}

TEST_F(SteamTransport, AStrangersSessionIsAcceptedButOnlyAHelloOrTheHostReachesAnEndpoint) {
  startHost(4);
  joinBoth();
  kel::SteamNetworking& stranger = *strangerApi->networking();
  const Bytes chat{2, 43, 1};
  const Bytes admission{0, 3, 1, 0};
  stranger.sendP2PPacket(kHostId, chat.data(), 3, 0);
  stranger.sendP2PPacket(kAnnId, admission.data(), 4, 0);
  pumpOnce();  // both sessions accepted: the packets are on their way to the receive threads
  sendFrom(*bo->bridge, {2, 7});
  const Bytes fromHost{2, 8};
  server->sendTo(fromHost.data(), 2, 1);
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 1 && ann->listener.seen.size() == 1; }));
  EXPECT_EQ(host.seen[0], (Received{{2, 7}, 2}));
  EXPECT_EQ(ann->listener.seen[0], (Received{fromHost, 0}));

  // A whole hello is the one way in: cut or padded ones take no record and reach nothing, and
  // the stranger's whole hello gets the next record.
  const Bytes hello = steamtest::bytesOf(wire::helloMessage("Stranger"));
  for (const size_t length : {size_t{1}, size_t{2}, hello.size() - 1, hello.size() + 1}) {
    Bytes damaged(hello);
    damaged.resize(length);
    stranger.sendP2PPacket(kHostId, damaged.data(), static_cast<uint32_t>(length), 0);
  }
  stranger.sendP2PPacket(kHostId, hello.data(), static_cast<uint32_t>(hello.size()), 0);
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 2; }));
  EXPECT_EQ(host.seen[1], (Received{hello, 3}));
}

TEST_F(SteamTransport, AClientThatStopsSaysWhichPeerLeavesAndClosesItsSession) {
  startHost(4);
  joinBoth();
  ann->listener.ownId = 1;  // as the host named it
  ann->bridge->stop();
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 1; }));
  EXPECT_EQ(host.seen[0], (Received{{0, 4, 1, 0}, 1}));
  EXPECT_TRUE(presenceOf(kAnnId, kel::presence::kPlayerStatus).empty());
  const Bytes late{2, 5};
  server->sendTo(late.data(), 2, 1);
  pumpOnce();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  pumpOnce();
  EXPECT_TRUE(ann->listener.seen.empty());  // the stopped client's thread is gone
}

TEST_F(SteamTransport, AHostThatStopsTellsEveryPeerAndHearsNothingMore) {
  startHost(4);
  joinBoth();
  server->stop();
  ASSERT_TRUE(pumpUntil([&] { return ann->listener.seen.size() == 1 && bo->listener.seen.size() == 1; }));
  EXPECT_EQ(ann->listener.seen[0], (Received{{0, 4, 0, 0}, 0}));
  EXPECT_EQ(bo->listener.seen[0], (Received{{0, 4, 0, 0}, 0}));
  EXPECT_TRUE(presenceOf(kHostId, kel::presence::kPlayerStatus).empty());
  sendFrom(*ann->bridge, {2, 6});
  pumpOnce();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  pumpOnce();
  EXPECT_TRUE(host.seen.empty());
}

TEST_F(SteamTransport, AFailedSessionIsTheDepartureOfThatPeerOnce) {
  startHost(4);
  joinBoth();
  boApi->shutdown();  // Bo's game ends without a word
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 1; }));
  EXPECT_EQ(host.seen[0], (Received{{0, 4, 2, 0}, 2}));
  for (const uint64_t user : {kBoId, kStrangerId}) {
    server->sessionFailed({kel::STEAM_P2P_SESSION_CONNECT_FAIL, kel::STEAM_RESULT_FAIL, user});
  }
  pumpOnce();
  EXPECT_EQ(host.seen.size(), 1u);

  hostApi->shutdown();  // and the host's
  ASSERT_TRUE(pumpUntil([&] { return ann->listener.seen.size() == 1; }));
  EXPECT_EQ(ann->listener.seen[0], (Received{{0, 4, 0, 0}, 0}));
}

TEST_F(SteamTransport, RichPresenceNamesTheHostWhileAGameIsHostedOrJoined) {
  startHost(4);
  Joined& joined = join(*annApi, "Ann");
  const char* keys[] = {kel::presence::kPlayerStatus, kel::presence::kServerReference,
                        kel::presence::kStatus, kel::presence::kConnect};
  const std::string hosting[] = {"server", "100", "Hosting a game!", "-connectsteam 100"};
  const std::string joinedGame[] = {"client", "100", "Hosting a game!", "-connectsteam 100"};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(presenceOf(kHostId, keys[k]), hosting[k]);
    EXPECT_EQ(presenceOf(kAnnId, keys[k]), joinedGame[k]);
  }
  joined.bridge.reset();  // a client's end clears it too
  server->stop();
  for (const char* key : keys) {
    EXPECT_TRUE(presenceOf(kHostId, key).empty());
    EXPECT_TRUE(presenceOf(kAnnId, key).empty());
  }
}

TEST_F(SteamTransport, WithoutTheNetworkingOrAStoreFrontHostNoBridgeStarts) {
  kel::NullSteamApi none;
  steamtest::QueueListener listener;
  steam::SteamServer hostBridge(&listener, kel::NetBridgeSetup{kel::NET_KIND_STEAM, 4, ""}, none);
  EXPECT_FALSE(hostBridge.startWith(kel::base::DesktopClientSteamConnectionInfo(0)));
  steam::SteamClient client(&listener, kel::NetBridgeSetup{kel::NET_KIND_STEAM, 4, ""}, none);
  EXPECT_FALSE(client.startWith(kel::base::DesktopClientSteamConnectionInfo(kHostId)));
  steam::SteamClient direct(&listener, kel::NetBridgeSetup{kel::NET_KIND_STEAM, 4, ""}, *annApi);
  EXPECT_FALSE(direct.startWith(kel::base::DesktopDirectConnectionInfo("127.0.0.1", 1)));
  EXPECT_EQ(listener.opened, 0);
}

TEST_F(SteamTransport, StoppingJoinsTheReceiveThreadSoNothingMoreArrives) {
  startHost(4);
  Joined& annJoined = join(*annApi, "Ann");
  ASSERT_TRUE(pumpUntil([&] { return host.seen.size() == 1; }));
  // Each returns once its thread is joined: a thread left running would still pass on what comes.
  // The host stops while Ann is still connected, and she sends; then Ann stops, and what reached
  // her before (the host's goodbye) is put aside; then the host's user sends to her past it.
  server->stop();
  sendFrom(*annJoined.bridge, {2, 43, 1});
  annJoined.bridge->stop();
  pumpOnce();
  annJoined.listener.seen.clear();
  const Bytes toAnn{5, 1};
  ASSERT_TRUE(hostApi->networking()->sendP2PPacket(kAnnId, toAnn.data(), static_cast<uint32_t>(toAnn.size()),
                                                  steam::SteamReceiver::kChannel));
  // A thread still polling would pick each up within a few of its 1 ms polls; a slow machine can
  // only make this check weaker, never fail it.
  for (int frame = 0; frame < 10; ++frame) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    pumpOnce();
  }
  EXPECT_EQ(host.seen.size(), 1u);
  EXPECT_TRUE(annJoined.listener.seen.empty());
}

}  // namespace
