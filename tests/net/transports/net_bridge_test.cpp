// What every bridge shares: it keeps its own copy of the last connection info it was started with.

#include <gtest/gtest.h>

#include "platform/net_bridge.h"

namespace {

class CountingBridge : public kel::NetBridgeClient {
 public:
  using kel::NetBridgeClient::NetBridgeClient;
  void send(const uint8_t*, uint32_t) override {}
  void stop() override {}
  bool start(const kel::base::DesktopConnectionInfo& info) override {
    startedWith = &info;
    return true;
  }
  const kel::base::DesktopConnectionInfo* startedWith = nullptr;
};

}  // namespace

TEST(NetBridge, StartingTwiceKeepsACopyOfOnlyTheSecondInfo) {
  CountingBridge bridge(nullptr, kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, "text"});
  EXPECT_EQ(bridge.connectionInfo(), nullptr);
  const kel::base::DesktopDirectConnectionInfo first("127.0.0.1", 1000);
  const kel::base::DesktopDirectConnectionInfo second("127.0.0.1", 2000);
  ASSERT_TRUE(bridge.startWith(first));
  ASSERT_TRUE(bridge.startWith(second));
  EXPECT_EQ(bridge.startedWith, &second);  // the caller's own object
  const auto* kept = dynamic_cast<const kel::base::DesktopDirectConnectionInfo*>(bridge.connectionInfo());
  ASSERT_NE(kept, nullptr);
  EXPECT_NE(kept, &second);
  EXPECT_EQ(kept->port(), 2000);
  EXPECT_EQ(bridge.text(), "text");
  EXPECT_EQ(bridge.playerLimit(), 4);
}
