#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/audio/playhead.h"

using kel::Playhead;

TEST(Playhead, PlaysOnceToItsEnd) {
  Playhead head(100);
  EXPECT_TRUE(head.advance(60));
  EXPECT_DOUBLE_EQ(head.position(), 60);
  EXPECT_FALSE(head.advance(40));
  EXPECT_TRUE(head.finished());
  EXPECT_FALSE(head.advance(10));
}

TEST(Playhead, LoopCountRepeatsTheLoopThatManyTimes) {
  Playhead head(100);
  head.setLooping(true);
  head.setLoopCount(2);  // three plays in all
  EXPECT_TRUE(head.advance(250));
  EXPECT_DOUBLE_EQ(head.position(), 50);
  EXPECT_FALSE(head.advance(50));
}

TEST(Playhead, LoopCountIsIgnoredWithoutLoopMode) {
  Playhead head(100);
  head.setLoopCount(-1);
  EXPECT_FALSE(head.advance(100));
}

TEST(Playhead, LoopPointsWrapFromTheirEndToTheirStartForever) {
  Playhead head(1000);
  head.setLooping(true);
  head.setLoopCount(-1);
  ASSERT_TRUE(head.setLoopPoints(500, 700));
  EXPECT_TRUE(head.advance(650));
  EXPECT_DOUBLE_EQ(head.position(), 650);
  EXPECT_TRUE(head.advance(100));
  EXPECT_DOUBLE_EQ(head.position(), 550);
  // A long jump skips whole loops and lands at the right place.
  EXPECT_TRUE(head.advance(200 * 1000 + 30));
  EXPECT_DOUBLE_EQ(head.position(), 580);
}

TEST(Playhead, SegmentsCoverEveryPlayedFrameAcrossTheLoop) {
  Playhead head(1000);
  head.setLooping(true);
  head.setLoopCount(1);
  ASSERT_TRUE(head.setLoopPoints(100, 300));
  std::vector<std::pair<double, double>> parts;
  head.advance(500, [&](double from, double count) { parts.emplace_back(from, count); });
  const std::vector<std::pair<double, double>> expected = {{0, 300}, {100, 200}};
  EXPECT_EQ(parts, expected);
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

TEST(Playhead, ZeroLengthSoundEndsAtOnceEvenWhenLooping) {
  Playhead head(0);
  head.setLooping(true);
  head.setLoopCount(-1);
  EXPECT_FALSE(head.advance(1));
}
