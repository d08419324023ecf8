#include "platform/audio/playhead.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using kel::Playhead;

TEST(Playhead, PlaysOnceToItsEndUnlessLooping) {
  Playhead head(100);
  head.setLoopCount(-1);  // ignored without loop mode
  EXPECT_TRUE(head.advance(60));
  EXPECT_DOUBLE_EQ(head.position(), 60);
  EXPECT_FALSE(head.advance(40));
  EXPECT_TRUE(head.finished());
  EXPECT_FALSE(head.advance(10));
  Playhead empty(0);  // ends at once, even looping forever
  empty.setLooping(true);
  empty.setLoopCount(-1);
  EXPECT_FALSE(empty.advance(1));
}

TEST(Playhead, LoopCountAndLoopPointsShapeThePlay) {
  Playhead thrice(100);
  thrice.setLooping(true);
  thrice.setLoopCount(2);
  EXPECT_TRUE(thrice.advance(250));
  EXPECT_DOUBLE_EQ(thrice.position(), 50);
  EXPECT_FALSE(thrice.advance(50));

  Playhead forever(1000);
  forever.setLooping(true);
  forever.setLoopCount(-1);
  ASSERT_TRUE(forever.setLoopPoints(500, 700));
  EXPECT_TRUE(forever.advance(750));
  EXPECT_DOUBLE_EQ(forever.position(), 550);
  EXPECT_TRUE(forever.advance(200 * 1000 + 30));  // a long jump skips whole loops
  EXPECT_DOUBLE_EQ(forever.position(), 580);
}

TEST(Playhead, SegmentsCoverEveryPlayedFrameAcrossTheLoop) {
  Playhead head(1000);
  head.setLooping(true);
  head.setLoopCount(1);
  ASSERT_TRUE(head.setLoopPoints(100, 300));
  std::vector<std::pair<double, double>> parts;
  head.advance(500, [&](double from, double count) { parts.emplace_back(from, count); });
  EXPECT_EQ(parts, (std::vector<std::pair<double, double>>{{0, 300}, {100, 200}}));
  // The loop is spent: play goes on past the loop end to the sound's end.
  EXPECT_DOUBLE_EQ(head.position(), 300);
  EXPECT_TRUE(head.advance(600));
  EXPECT_FALSE(head.advance(100));
}

TEST(Playhead, RefusesEmptyOrOutsideLoopPoints) {
  Playhead head(100);
  EXPECT_FALSE(head.setLoopPoints(50, 50));
  EXPECT_FALSE(head.setLoopPoints(60, 40));
  EXPECT_FALSE(head.setLoopPoints(150, 200));
  EXPECT_TRUE(head.setLoopPoints(50, 500));  // end clamped to the length
  EXPECT_DOUBLE_EQ(head.loopEnd(), 100);
}
