// The stand-in hub as the transports rely on it: sessions, order, partial reads, channels, and
// users who go offline.

#include <gtest/gtest.h>

#include <vector>

#include "platform/steam/steam_api.h"
#include "tests/platform/steam/hub_users.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint64_t kAnn = 11;
constexpr uint64_t kBo = 12;

struct Read {
  Bytes bytes;
  uint64_t sender = 0;
};

// Every packet waiting on the channel, read with a buffer of `capacity` bytes.
std::vector<Read> readAll(kel::SteamApi& api, int channel = 0, uint32_t capacity = 64) {
  std::vector<Read> all;
  uint32_t size = 0;
  while (api.networking()->isP2PPacketAvailable(size, channel)) {
    Bytes buffer(capacity);
    uint32_t written = 0;
    uint64_t sender = 0;
    EXPECT_TRUE(api.networking()->readP2PPacket(buffer.data(), capacity, written, sender, channel));
    buffer.resize(written);
    all.push_back({buffer, sender});
  }
  return all;
}

void send(kel::SteamApi& from, uint64_t to, const Bytes& bytes, int channel = 0) {
  EXPECT_TRUE(from.networking()->sendP2PPacket(to, bytes.data(), static_cast<uint32_t>(bytes.size()), channel));
}

// Records the peer-to-peer callbacks a view hands out.
struct SessionLog {
  explicit SessionLog(kel::SteamApi& api)
      : request(api.callbacks(), kel::STEAM_P2P_SESSION_REQUEST,
                [this](const kel::SteamCallbackData& d) { requests.push_back(d.steamId); }),
        fail(api.callbacks(), kel::STEAM_P2P_SESSION_CONNECT_FAIL,
             [this](const kel::SteamCallbackData& d) { failures.push_back(d.steamId); }) {}
  std::vector<uint64_t> requests;
  std::vector<uint64_t> failures;
  kel::SteamCallback request;
  kel::SteamCallback fail;
};

// Ann and Bo, online; Bo has accepted a session with Ann only where a test says so.
class SteamHub : public ::testing::Test {
 protected:
  testsupport::HubUsers users;
  kel::HubSteamApi& ann = users.add(kAnn, "Ann");
  kel::HubSteamApi& bo = users.add(kBo, "Bo");
};

TEST_F(SteamHub, PacketsWaitForTheSessionRequestAndThenArriveInOrder) {
  SessionLog boLog(bo);
  send(ann, kBo, {1});
  send(ann, kBo, {2, 2});
  EXPECT_TRUE(readAll(bo).empty());
  users.runCallbacks();
  EXPECT_EQ(boLog.requests, (std::vector<uint64_t>{kAnn}));  // one request for the session

  ASSERT_TRUE(bo.networking()->acceptP2PSessionWithUser(kAnn));
  const std::vector<Read> got = readAll(bo);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].bytes, Bytes{1});
  EXPECT_EQ(got[1].bytes, (Bytes{2, 2}));
  EXPECT_EQ(got[1].sender, kAnn);

  SessionLog annLog(ann);
  send(bo, kAnn, {3});  // Ann opened the session by sending: no request on her side
  users.runCallbacks();
  EXPECT_TRUE(annLog.requests.empty());
  EXPECT_EQ(readAll(ann).front().bytes, Bytes{3});
}

TEST_F(SteamHub, AReadCopiesNoMoreThanTheBufferAndTakesThePacket) {
  bo.networking()->acceptP2PSessionWithUser(kAnn);
  send(ann, kBo, Bytes(10, 7));
  send(ann, kBo, {9});

  uint32_t size = 0;
  ASSERT_TRUE(bo.networking()->isP2PPacketAvailable(size, 0));
  EXPECT_EQ(size, 10u);
  Bytes buffer(8, 0xEE);
  uint32_t written = 0;
  uint64_t sender = 0;
  ASSERT_TRUE(bo.networking()->readP2PPacket(buffer.data(), 4, written, sender, 0));
  EXPECT_EQ(written, 4u);
  EXPECT_EQ(buffer, (Bytes{7, 7, 7, 7, 0xEE, 0xEE, 0xEE, 0xEE}));  // nothing past the capacity
  EXPECT_EQ(readAll(bo).front().bytes, Bytes{9});
}

TEST_F(SteamHub, EachChannelKeepsItsOwnQueue) {
  bo.networking()->acceptP2PSessionWithUser(kAnn);
  send(ann, kBo, {1}, 1);
  send(ann, kBo, {0}, 0);
  const std::vector<Read> first = readAll(bo, 0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].bytes, Bytes{0});
  EXPECT_EQ(readAll(bo, 1).size(), 1u);
}

TEST_F(SteamHub, ClosingASessionDropsWhatStillWaitsFromThatUser) {
  bo.networking()->acceptP2PSessionWithUser(kAnn);
  send(ann, kBo, {1});
  bo.networking()->closeP2PSessionWithUser(kAnn);
  EXPECT_TRUE(readAll(bo).empty());
  SessionLog boLog(bo);
  send(ann, kBo, {2});  // a new session must be asked for
  users.runCallbacks();
  EXPECT_EQ(boLog.requests, (std::vector<uint64_t>{kAnn}));
}

TEST_F(SteamHub, AUserWhoGoesOfflineFailsTheSessionsWithItAndCannotBeReached) {
  SessionLog annLog(ann);
  send(ann, kBo, {1});
  bo.shutdown();
  EXPECT_EQ(bo.networking(), nullptr);
  users.runCallbacks();
  EXPECT_EQ(annLog.failures, (std::vector<uint64_t>{kBo}));

  const uint8_t byte = 5;
  EXPECT_FALSE(ann.networking()->sendP2PPacket(kBo, &byte, 1, 0));
  EXPECT_FALSE(ann.networking()->sendP2PPacket(999, &byte, 1, 0));  // nobody of that id
  users.runCallbacks();
  EXPECT_EQ(annLog.failures, (std::vector<uint64_t>{kBo, kBo, 999}));
}

TEST(SteamHubAvatar, AnAvatarIsAWholeImageOfItsOwnForEachId) {
  const Bytes ann = kel::makeHubAvatar(kAnn);
  ASSERT_EQ(ann.size(), kel::SteamFriends::kAvatarBytes);
  EXPECT_NE(ann, kel::makeHubAvatar(kBo));
  for (size_t pixel = 3; pixel < ann.size(); pixel += 4) ASSERT_EQ(ann[pixel], 255);
}

}  // namespace
