// A trade ends the same for both sides, over real ENet on 127.0.0.1: when one side's confirmation
// and her departure reach the host together, nothing changes hands and the one still there is
// told the trade was cancelled.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

class PlayTogetherTrade : public PlayTogether {
 protected:
  // Frames in which only the named endpoints read what reached them (no scheduler: no endpoint
  // drains on its own), so that what the host sends the others waits in their queues.
  bool runReading(const std::function<void()> reads, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      meeting->pump();
      reads();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  bool waitForHostQueue(size_t messages) {
    return runReading([] {}, [&] { return server.waiting() >= messages; });
  }
};

TEST_P(PlayTogetherTrade, AConfirmationThatArrivesWithHerPartnersDepartureExchangesNothing) {
  const std::vector<uint16_t> ids = stackingItems(2);
  ASSERT_EQ(ids.size(), 2u);
  const uint16_t stone = ids[0];
  const uint16_t apple = ids[1];
  carry(*ann, 0, stone, 6);
  carry(*bo, 0, apple, 3);
  ASSERT_TRUE(openTrade(*ann, *bo, kBo));
  ASSERT_TRUE(ann->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(bo->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
  ASSERT_TRUE(runUntil([&] {
    return ann->inventory().trade()->otherOffer(0) != nullptr && bo->inventory().trade()->otherOffer(0) != nullptr;
  }));
  const auto& sessions = session->game().trades()->sessions();
  ASSERT_EQ(sessions.size(), 1u);
  ann->inventory().trade()->setReady(true);
  settle();

  // Bo is ready too; Ann's game reads the host's word and confirms, Bo's has not read it yet.
  bo->inventory().trade()->setReady(true);
  ASSERT_TRUE(runReading([&] { server.dispatchQueued(); ann->net.dispatchQueued(); }, [&] {
    return !sessions.empty() && sessions.front()->confirmedA != 0;
  })) << "Ann confirmed";
  ASSERT_EQ(server.waiting(), 0u);

  // Bo's game confirms, and Ann's game ends, before the host reads either.
  bo->net.dispatchQueued();
  ASSERT_TRUE(waitForHostQueue(1)) << "Bo's confirmation reached the host";
  ann->net.bridge()->stop();
  ASSERT_TRUE(waitForHostQueue(2)) << "and Ann's departure after it";
  server.dispatchQueued();
  EXPECT_EQ(server.players().at(kAnn), nullptr) << "Ann left";
  ASSERT_TRUE(runUntil([&] { return bo->inventory().trade() == nullptr; })) << "Bo's window closed";
  settle();
  EXPECT_EQ(bo->inventory().countItems(stone, false, true), 0u) << "Bo received nothing";
  EXPECT_EQ(bo->inventory().countItems(apple, false, true), 3u) << "and gave nothing";
  EXPECT_EQ(onHost(kBo).items().countOf(stone), 0u);
  EXPECT_EQ(onHost(kBo).items().countOf(apple), 3u);
  EXPECT_TRUE(sessions.empty());
}

TEST_P(PlayTogetherTrade, TheSixByteRequestAsksTheFreePlayerOnTheClickedCell) {
  MapBlock& boBeside = *hostWorld->cellAt(column + 1, groundIn(column + 1)->y + 1);
  walk(*bo, boBeside);
  ASSERT_TRUE(runUntil([&] { return onHost(kBo).cellX == boBeside.x && onHost(kBo).cellY == boBeside.y; }));
  // The request as every client speaks it: the cell and nothing more.
  const Bytes request{11, 111, static_cast<uint8_t>(boBeside.x), static_cast<uint8_t>(boBeside.x >> 8),
                      static_cast<uint8_t>(boBeside.y), static_cast<uint8_t>(boBeside.y >> 8)};
  ann->net.send(request.data(), static_cast<uint32_t>(request.size()), 0);
  ASSERT_TRUE(runUntil([&] { return !bo->log.asked.empty(); })) << "Bo, on that cell, is asked";
  EXPECT_EQ(bo->log.asked[0].name, "Ann");
  EXPECT_EQ(bo->log.asked[0].asking, kAnn);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherTrade, ::testing::Values(false));

}  // namespace
}  // namespace nettest
