#include "platform/audio/playhead.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using kel::Playhead;

TEST(Playhead, LoopPointsAreCheckedAndALongJumpSkipsWholeLoops) {
  Playhead empty(0);  // ends at once, even looping forever
  empty.setLooping(true);
  empty.setLoopCount(-1);
  EXPECT_FALSE(empty.advance(1));
  Playhead forever(1000);
  EXPECT_FALSE(forever.setLoopPoints(600, 400));
  EXPECT_FALSE(forever.setLoopPoints(1500, 2000));
  forever.setLooping(true);
  forever.setLoopCount(-1);
  ASSERT_TRUE(forever.setLoopPoints(500, 700));
  EXPECT_TRUE(forever.advance(750));
  EXPECT_DOUBLE_EQ(forever.position(), 550);
  EXPECT_TRUE(forever.advance(200 * 1000 + 30));
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
