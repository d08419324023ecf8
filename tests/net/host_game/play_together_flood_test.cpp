// One client's cosmetic messages cannot cut the others off, over real ENet on 127.0.0.1: Mallory, a
// hostile transport admitted beside Ann and Bo, sends a hundred thousand effect messages ([2][34])
// at once. The host passes on only what her budget allows, so Ann, watching, stays connected, and
// Bo's chat line reaches her behind no more of Mallory's effects than an honest game ever sends in
// the time the flood took: it is not held behind the hundred thousand.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "net/endpoint/host/cosmetic_budget.h"
#include "net/wire/connection_messages.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint16_t kBuff = 33 << 6;  // a potion's value: its buff
constexpr int kFlood = 100000;

class PlayTogetherFlood : public PlayTogether {
 protected:
  void TearDown() override {
    if (mallory != nullptr) mallory->stop();
    mallory.reset();
    PlayTogether::TearDown();
  }

  // Mallory joins as a game would, through the whole world transfer, and enters.
  void malloryEnters() {
    auto* enet = dynamic_cast<EnetMeeting*>(meeting.get());
    ASSERT_NE(enet, nullptr);
    mallory = std::make_unique<enet::EnetClient>(&malloryHears, kel::NetBridgeSetup{});
    ASSERT_TRUE(mallory->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, enet->port())));
    send(wire::helloMessage("Mallory"));
    ASSERT_TRUE(runUntil([&] { return malloryHeard(0, 3); }));
    sendBytes({0, 9, 0, 0});
    ASSERT_TRUE(runUntil([&] { return malloryHeard(3, 75); })) << "the whole world reached her";
    sendBytes({0, 6, 0, 0});
    ASSERT_TRUE(runUntil([&] { return malloryHeard(3, 68); }));
    sendBytes({0, 5, 100, 100});
    ASSERT_TRUE(runUntil([&] { return server.joinStage(kMallory) == host::JoinStage::Entered; }));
  }
  bool malloryHeard(uint8_t category, uint8_t id) {
    for (Received& r : malloryHears.take()) malloryGot.push_back(std::move(r));
    return std::any_of(malloryGot.begin(), malloryGot.end(), [&](const Received& r) {
      return r.bytes.size() >= 2 && r.bytes[0] == category && r.bytes[1] == id;
    });
  }
  void send(const wire::WireOut& out) { mallory->send(out.data(), out.size()); }
  void sendBytes(const Bytes& bytes) { mallory->send(bytes.data(), static_cast<uint32_t>(bytes.size())); }
  void sendChat(uint8_t peer, const std::string& text) {
    Bytes chat{2, 43, peer};
    chat.resize(99, 0);
    std::copy(text.begin(), text.end(), chat.begin() + 3);
    sendBytes(chat);
  }
  // Mallory's effects that Ann's game handled before the message at `end` of what she saw.
  size_t malloryEffectsAnnSaw(size_t end) {
    return static_cast<size_t>(std::count_if(ann->net.seen.begin(), ann->net.seen.begin() + static_cast<long>(end),
                                              [](const Received& r) {
                                                return r.bytes.size() == 7 && r.bytes[0] == 2 && r.bytes[1] == 34 &&
                                                       r.bytes[2] == kMallory;
                                              }));
  }
  bool hostPrinted(const std::string& line) {
    return std::find(hostNotices.lines.begin(), hostNotices.lines.end(), line) != hostNotices.lines.end();
  }
  // Where in what Ann saw Bo's line is; none: not yet.
  std::optional<size_t> boLineAt() {
    for (size_t i = 0; i < ann->net.seen.size(); ++i) {
      const Bytes& bytes = ann->net.seen[i].bytes;
      if (bytes.size() == 99 && bytes[0] == 2 && bytes[1] == 43 && bytes[2] == kBo) return i;
    }
    return std::nullopt;
  }

  static constexpr uint8_t kMallory = 3;
  RawListener malloryHears;
  std::vector<Received> malloryGot;
  std::unique_ptr<enet::EnetClient> mallory;
};

TEST_P(PlayTogetherFlood, EffectsByTheHundredThousandDelayNobodyElsesChat) {
  malloryEnters();
  ASSERT_FALSE(HasFatalFailure());
  const auto floodStarts = Clock::now();
  const Bytes effect{2, 34, kMallory, static_cast<uint8_t>(kBuff & 0xFF), static_cast<uint8_t>(kBuff >> 8), 100, 0};
  for (int i = 0; i < kFlood; ++i) sendBytes(effect);
  // Her own chat follows her flood on her link: once the host printed it, it took every effect.
  sendChat(kMallory, "flooded");

  // Bo speaks while the flood pours in.
  bo->net.sendChat("hello Ann");
  ASSERT_TRUE(runUntil([&] { return boLineAt().has_value(); }, kHangSeconds));
  // The budget refills with time, so what it lets through before Bo's line is bounded by the time
  // that passed until then, however long a busy machine took.
  const double floodSeconds = std::chrono::duration<double>(Clock::now() - floodStarts).count();
  const size_t before = malloryEffectsAnnSaw(*boLineAt());
  ASSERT_TRUE(runUntil([&] { return hostPrinted("[Mallory] flooded"); }, kHangSeconds)) << "the host took her whole flood";
  std::printf("%zu of %d effects reached Ann before Bo's chat (flood %.1f s)\n", before, kFlood, floodSeconds);
  EXPECT_LE(static_cast<double>(before), host::CosmeticBudget::kMost + host::CosmeticBudget::kPerSecond * floodSeconds)
      << "Bo's chat is held behind no more of her effects than an honest game sends in that time";

  settle();
  EXPECT_TRUE(inGame(*ann) && server.players().at(kAnn) != nullptr) << "Ann stays";
  EXPECT_TRUE(inGame(*bo) && server.players().at(kBo) != nullptr) << "and so does Bo";
  EXPECT_TRUE(ann->notices.lostTexts.empty());
  EXPECT_TRUE(std::find(ann->log.messages.begin(), ann->log.messages.end(), "[Bo] hello Ann") != ann->log.messages.end());
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherFlood, ::testing::Values(false));

}  // namespace
}  // namespace nettest
