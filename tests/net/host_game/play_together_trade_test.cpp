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
  // Ann offers six of the first stacking item, Bo three of the second: both see the other's offer.
  void offerStoneForApples() {
    const std::vector<uint16_t> ids = stackingItems(2);
    ASSERT_EQ(ids.size(), 2u);
    stone = ids[0];
    apple = ids[1];
    carry(*ann, 0, stone, 6);
    carry(*bo, 0, apple, 3);
    ASSERT_TRUE(openTrade(*ann, *bo, kBo));
    ASSERT_TRUE(ann->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
    ASSERT_TRUE(bo->inventory().trade()->offer({SlotKind::Quick, 0, 0}));
    ASSERT_TRUE(runUntil([&] {
      return ann->inventory().trade()->otherOffer(0) != nullptr && bo->inventory().trade()->otherOffer(0) != nullptr;
    }));
  }
  uint16_t stone = 0;
  uint16_t apple = 0;
};

TEST_P(PlayTogetherTrade, AConfirmationThatArrivesWithHerPartnersDepartureExchangesNothing) {
  offerStoneForApples();
  ASSERT_FALSE(HasFatalFailure());
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

// A partner's death ends the trade for both: each page closes, each offer is back with its owner
// on her screen and in the host's copy of her items, and nothing changed hands.
TEST_P(PlayTogetherTrade, APartnersDeathEndsTheTradeOnBothSides) {
  offerStoneForApples();
  ASSERT_FALSE(HasFatalFailure());

  // Bo's game reports the fall that kills him.
  ASSERT_TRUE(bo->game().damageLocalPlayer(bo->player().stats.maxHealth * 100, 24));
  ASSERT_TRUE(runUntil([&] { return onHost(kBo).dead != 0; })) << "Bo died on the host";
  EXPECT_TRUE(runUntil([&] { return ann->inventory().trade() == nullptr; })) << "Ann's page stayed open";
  EXPECT_TRUE(runUntil([&] { return bo->inventory().trade() == nullptr; })) << "Bo's page stayed open";
  EXPECT_TRUE(session->game().trades()->sessions().empty());
  settle();
  EXPECT_EQ(ann->inventory().countItems(stone, false, true), 6u) << "Ann's offer is back with her";
  EXPECT_EQ(ann->inventory().countItems(apple, false, true), 0u);
  EXPECT_EQ(onHost(kAnn).items().countOf(stone), 6u);
  EXPECT_EQ(onHost(kBo).items().countOf(stone), 0u);
  EXPECT_EQ(everyItem()[stone], 6u) << "a stone was lost or made";
  EXPECT_EQ(everyItem()[apple], 3u) << "an apple was lost or made";
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
