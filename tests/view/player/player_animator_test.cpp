// The player's key-frame animator: blending in, key-to-key steps, loops and one-shots, and the
// arm channel laid over the body.

#include "view/player/player_animator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/base/ref.h"

namespace {

constexpr float kTick = 1.0f / 60.0f;

class RecordingOwner : public PlayerAnimatorOwner {
 public:
  void poseForState() override { ++poses; }
  engine::Vec2 heldItemPosition() const override { return held; }
  int poses = 0;
  engine::Vec2 held{-20, 3};
};

class PlayerAnimatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    animator = PlayerAnimator::create(&owner);
    animator->retain();
    const auto& rest = *art::playerRestPose(0);
    for (int i = 0; i < art::kCharacterPartCount; ++i) {
      engine::Node* part = engine::InnerNode::create();
      part->setPosition(rest[i]);
      animator->addChild(part, 0, i);
      animator->setPart(i, part);
    }
  }
  void TearDown() override { animator->release(); }

  void run(int ticks) {
    for (int i = 0; i < ticks; ++i) animator->update(kTick);
  }
  engine::Vec2 at(int part) const { return animator->part(part)->getPosition(); }
  static engine::Vec2 key(uint32_t id, int part, int k) {
    return art::playerKeyFrameRecord(id)->table->keys[part][k];
  }

  engine::AutoreleasePool pool;
  RecordingOwner owner;
  PlayerAnimator* animator = nullptr;
};

void expectNear(engine::Vec2 actual, engine::Vec2 expected, float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
}

TEST_F(PlayerAnimatorTest, BodyStatesAndUnknownIdsLeaveTheBodyIdle) {
  for (uint32_t id : {0u, 5u, 9u, 10u, 99u}) {
    animator->play(id);
    EXPECT_FALSE(animator->body().running()) << id;
    EXPECT_EQ(animator->currentId(), id);
  }
  const engine::Vec2 before = at(3);
  run(10);
  expectNear(at(3), before);
}

TEST_F(PlayerAnimatorTest, FirstKeyIsReachedByBlendingFromWhereThePartsStood) {
  animator->play(2);  // the jump: 0.38 s, four keys of 0.095 s
  const engine::Vec2 start = at(0);
  run(1);
  // One tick's share of the way from the rest place to the first key.
  const float share = kTick / 0.095f;
  expectNear(at(0), start + (key(2, 0, 0) - start) * share);
}

TEST_F(PlayerAnimatorTest, OneShotEndsExactlyOnItsLastKeyAndStops) {
  animator->play(2);
  run(60);
  EXPECT_FALSE(animator->body().running());
  for (int part = 0; part < art::kCharacterPartCount; ++part) expectNear(at(part), key(2, part, 3));
  // Record 7 plays the last two keys only, ending on the same crouch.
  animator->play(7);
  run(30);
  expectNear(at(0), key(7, 0, 3));
}

TEST_F(PlayerAnimatorTest, BetweenKeysThePartsMoveLinearly) {
  animator->play(1);  // the walk: 0.45 s loop, keys 0.1125 s apart
  animator->update(0.1125f);
  animator->update(0.05625f);  // half way from key 0 to key 1
  expectNear(at(3), (key(1, 3, 0) + key(1, 3, 1)) * 0.5f);
}

TEST_F(PlayerAnimatorTest, LoopWrapsKeepingTheOvershootWithoutAJump) {
  animator->play(1);
  float largestStep = 0;
  engine::Vec2 last = at(8);
  for (int i = 0; i < 120; ++i) {
    animator->update(kTick);
    const engine::Vec2 now = at(8);
    largestStep = std::max(largestStep, std::hypot(now.x - last.x, now.y - last.y));
    last = now;
  }
  EXPECT_TRUE(animator->body().running());
  // The legs move 2 px per key; no tick may jump further than a key's worth.
  EXPECT_LT(largestStep, 1.5f);
  // 120 ticks = 2 s = four loops and 0.2 s: the overshoot is kept.
  EXPECT_NEAR(animator->body().elapsed, std::fmod(2.0f, 0.45f), 1e-3f);
}

TEST_F(PlayerAnimatorTest, ArmChannelMovesOnlyTheArmsAndPosesWhenItEnds) {
  const engine::Vec2 leg = at(8);
  animator->playArm(10, 0.22f, false);
  run(5);
  EXPECT_NE(at(3), (*art::playerRestPose(0))[3]);
  expectNear(at(8), leg);
  EXPECT_EQ(owner.poses, 0);
  run(20);
  EXPECT_FALSE(animator->arm().running());
  EXPECT_EQ(owner.poses, 1);
}

TEST_F(PlayerAnimatorTest, ArmOverBodyAndTheHandFollowsASwungItem) {
  animator->play(1);
  animator->playArm(10, 0.22f, true);
  run(3);
  expectNear(at(3), owner.held);
  // The walk still moves the legs while the arm swings; the swing ending under a running walk
  // leaves the pose to the walk.
  EXPECT_NE(at(8), (*art::playerRestPose(0))[8]);
  run(20);
  EXPECT_EQ(owner.poses, 0);
}

TEST(PlayerKeyFrames, EveryRecordHasItsTableAndRestPosesExistForTheThreeStates) {
  for (uint32_t id : {1u, 2u, 3u, 4u, 6u, 7u, 8u, 10u, 11u, 12u}) {
    const art::PlayerKeyFrameRecord* record = art::playerKeyFrameRecord(id);
    ASSERT_NE(record, nullptr) << id;
    EXPECT_LE(record->firstKey + record->keyCount, uint32_t(art::kKeysPerPart));
    // Deltas are the steps between keys.
    const auto& table = *record->table;
    expectNear(table.keys[5][1] + table.deltas[5][1], table.keys[5][2]);
  }
  EXPECT_EQ(art::playerKeyFrameRecord(5), nullptr);
  EXPECT_NE(art::playerRestPose(5), nullptr);
  EXPECT_EQ(art::playerRestPose(1), nullptr);
  // The walk's hands as drawn.
  expectNear(art::playerKeyFrameRecord(1)->table->keys[3][1], {-3.5f, -6.5f});
}

}  // namespace
