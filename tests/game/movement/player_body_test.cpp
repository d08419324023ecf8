// The player's body frame by frame (one update = one tick of 1/60 s): standing, walking, walls,
// jumps, ladders, water, free flight, no clip, platforms, falls and the world's wrap.

#include <cmath>

#include "game/player/player_body.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

using world_test::kDirt;

class PlayerBodyTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    floorAt(kFloor);
    player->stats.maxHealth = 5;
    player->revive();
  }
  PlayerBody& body() { return player->body(); }
  float x() const { return player->position.x; }
  float y() const { return player->position.y; }
  void fill(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t id) {
    for (int32_t cx = x0; cx <= x1; ++cx)
      for (int32_t cy = y0; cy <= y1; ++cy) put(cx, cy, id);
  }
  void water(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t cx = x0; cx <= x1; ++cx)
      for (int32_t cy = y0; cy <= y1; ++cy) at(cx, cy).liquid = static_cast<uint8_t>(4 | (4 << 3) | (1 << 6));
  }

  static constexpr int32_t kFloor = 5;
  static constexpr float kStandY = 6 * 30 + 9 - 15;  // the body centre of a player standing on row 5
};

TEST_F(PlayerBodyTest, PixelColumnsFoldFloorBasedIntoTheWidth) {
  const struct {
    float x;
    int32_t column;
  } cases[] = {{0, 0}, {14.9f, 0}, {15, 1}, {-15, 0}, {-15.5f, 39}, {-45, 39}, {-46, 38},
               {1185, 0}, {1184, 39}, {-1215, 0}, {-1216, 39}};
  for (const auto& c : cases) EXPECT_EQ(pixelColumn(c.x, kWidth), c.column) << c.x;
  EXPECT_EQ(pixelRow(-16), -1);
  EXPECT_EQ(pixelRow(14.9f), 0);
}

TEST_F(PlayerBodyTest, StandingStillStaysGroundedWithoutSounds) {
  player->setCell(10, 6);
  EXPECT_FLOAT_EQ(y(), kStandY);
  ticks(120);
  EXPECT_TRUE(player->isGrounded());
  EXPECT_NEAR(y(), kStandY, 0.01f);
  EXPECT_FLOAT_EQ(x(), 300);
  EXPECT_TRUE(events.tileSounds.empty());
  EXPECT_EQ(player->motionState(), 0);
}

TEST_F(PlayerBodyTest, WalkingReachesTheTerminalSpeedAndStepsSoundAtCellCentres) {
  player->setCell(10, 6);
  player->setMoveKeys(MotionEvent::kRight);
  ticks(60);
  // v = (v + 1.6) * 0.6 settles where v = 2.4.
  EXPECT_NEAR(body().velocity.x, 2.4f, 1e-3f);
  EXPECT_EQ(player->cellY, 6u);
  const int crossed = static_cast<int>(std::floor((x() - 300) / 30));
  EXPECT_EQ(static_cast<int>(events.tileSounds.size()), crossed);
  for (const auto& sound : events.tileSounds) EXPECT_EQ(sound.y, kFloor);
}

TEST_F(PlayerBodyTest, AWallStopsTheBodyAtItsEdge) {
  fill(12, 6, 12, 7, kDirt);
  player->setCell(10, 6);
  player->setMoveKeys(MotionEvent::kRight);
  ticks(60);
  EXPECT_FLOAT_EQ(x(), 11 * 30 + 15 - 6);
  EXPECT_FLOAT_EQ(body().velocity.x, 0);
  player->handleKeyRelease(MotionEvent::kRight);
  player->setMoveKeys(MotionEvent::kLeft);
  fill(8, 6, 8, 6, kDirt);
  ticks(90);
  EXPECT_FLOAT_EQ(x(), 9 * 30 - 15 + 6);
}

TEST_F(PlayerBodyTest, AJumpAddsFiveAndComesBackToTheGround) {
  player->setCell(10, 6);
  ticks(2);
  player->jump();
  ticks(1);
  EXPECT_NEAR(body().velocity.y, (5.0f - 0.3f) * 0.98f, 1e-4f);
  float peak = y();
  int airborne = 0;
  for (int i = 0; i < 120 && !player->isGrounded(); ++i) {
    ticks(1);
    peak = std::max(peak, y());
    ++airborne;
  }
  EXPECT_TRUE(player->isGrounded());
  EXPECT_NEAR(y(), kStandY, 0.01f);
  EXPECT_GT(peak - kStandY, 30.0f);
  EXPECT_LT(peak - kStandY, 45.0f);
  EXPECT_GT(airborne, 20);
}

TEST_F(PlayerBodyTest, HoldingTheJumpSoftensGravityForAtMostThirtyTicks) {
  auto peakOfJump = [this](bool hold) {
    player->setCell(10, 6);
    ticks(2);
    player->jumpOrDrop(0, hold);
    EXPECT_EQ(body().jumpHold, hold ? 1 : 0);
    float peak = 0;
    for (int i = 0; i < 160; ++i) {
      ticks(1);
      if (i == 31) {
        EXPECT_EQ(body().jumpHold, 0);
      }
      peak = std::max(peak, y());
    }
    return peak;
  };
  const float plain = peakOfJump(false);
  const float held = peakOfJump(true);
  EXPECT_GT(held, plain + 30);
}

TEST_F(PlayerBodyTest, WalkingInTheAirNeverPassesThree) {
  player->setCellCoordinates(10, 20);
  body().velocity = {2.9f, 0};
  player->setMoveKeys(MotionEvent::kRight);
  for (int i = 0; i < 30; ++i) {
    ticks(1);
    ASSERT_LE(std::fabs(body().velocity.x), 3.0f);
  }
}

TEST_F(PlayerBodyTest, ALadderIsGrabbedClimbedAndLeftAtItsSide) {
  fill(10, 6, 10, 9, kLadder);
  player->setCell(10, 6);
  player->setMoveKeys(MotionEvent::kUp);
  ticks(1);
  EXPECT_EQ(body().onLadder, 1);
  ticks(60);
  EXPECT_GT(player->cellY, 7u);
  EXPECT_EQ(player->motionState(), 5);
  player->handleKeyRelease(MotionEvent::kUp);
  ticks(20);
  const float held = y();
  ticks(30);
  EXPECT_NEAR(y(), held, 0.01f);  // no gravity on a ladder
  player->setMoveKeys(MotionEvent::kRight);
  ticks(30);
  EXPECT_EQ(body().onLadder, 0);
}

TEST_F(PlayerBodyTest, WaterSlowsTheFallAndSwimmingRises) {
  water(5, 6, 15, 15);
  player->setCellCoordinates(10, 14);
  ticks(3);
  EXPECT_EQ(body().inLiquid, 1);
  ticks(20);
  EXPECT_GT(body().velocity.y, -1.0f);
  EXPECT_EQ(player->motionState(), 9);
  const LiquidAround around = player->liquidAround();
  EXPECT_EQ(around.body, 1);
  EXPECT_EQ(around.head, 1);
  const float sunk = y();
  player->setMoveKeys(MotionEvent::kUp);
  ticks(40);
  EXPECT_GT(y(), sunk + 20);
}

TEST_F(PlayerBodyTest, FlyingCollidesAndNoClipPassesThrough) {
  fill(10, 9, 10, 9, kDirt);
  const struct {
    uint16_t flag;
    bool passes;
  } cases[] = {{player_flag::kFlying, false}, {player_flag::kNoClip, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flag);
    player->stats.flags.reset();
    player->stats.setFlag(c.flag, true);
    player->setCellCoordinates(10, 7);
    body().velocity = {0, 0};
    player->setMoveKeys(MotionEvent::kUp);
    ticks(40);
    player->handleKeyRelease(MotionEvent::kUp);
    EXPECT_EQ(y() > 9 * 30, c.passes);
    EXPECT_EQ(player->motionState(), 9);
  }
}

TEST_F(PlayerBodyTest, CrossingTheRightEdgeWrapsThePixelX) {
  player->setCell(kWidth - 1, 6);
  player->setMoveKeys(MotionEvent::kRight);
  for (int i = 0; i < 60 && player->cellX != 0; ++i) ticks(1);
  EXPECT_EQ(player->cellX, 0u);
  EXPECT_EQ(events.wraps, 1);
  EXPECT_GT(x(), -15.0f);
  EXPECT_LT(x(), 15.0f);
  player->handleKeyRelease(MotionEvent::kRight);
  player->setMoveKeys(MotionEvent::kLeft);
  for (int i = 0; i < 60 && player->cellX == 0; ++i) ticks(1);
  EXPECT_EQ(player->cellX, static_cast<uint32_t>(kWidth - 1));
  EXPECT_EQ(events.wraps, 2);
  EXPECT_GT(x(), (kWidth - 1) * 30 - 15.0f);
}

TEST_F(PlayerBodyTest, ADropFallsThroughExactlyOnePlatform) {
  fill(0, kFloor, kWidth - 1, kFloor, kPlatform);
  fill(0, kFloor - 2, kWidth - 1, kFloor - 2, kDirt);
  player->setCell(10, 6);
  ticks(2);
  EXPECT_TRUE(player->isGrounded());
  player->setMoveKeys(MotionEvent::kDown);
  player->jumpOrDrop(0, false);
  player->handleKeyRelease(MotionEvent::kDown);
  ticks(60);
  EXPECT_TRUE(player->isGrounded());
  EXPECT_EQ(player->cellY, static_cast<uint32_t>(kFloor - 1));
}

TEST_F(PlayerBodyTest, FallsHurtFromSixRowsUnlessSoft) {
  const struct {
    uint32_t startRow;
    uint16_t floor;
    float lost;
  } cases[] = {{11, kDirt, 0.0f}, {12, kDirt, 0.5f}, {14, kDirt, 1.5f}, {14, kHay, 0.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.startRow);
    floorAt(kFloor, c.floor);
    player->revive();
    player->setCellCoordinates(10, c.startRow);
    ticks(120);
    EXPECT_TRUE(player->isGrounded());
    EXPECT_NEAR(player->stats.maxHealth - player->health, c.lost, 1e-4f);
  }
}

TEST_F(PlayerBodyTest, LandingInSpikesHurts) {
  put(10, 6, kSpikes);
  player->setCellCoordinates(10, 8);
  ticks(60);
  EXPECT_NEAR(player->stats.maxHealth - player->health, 3.0f, 1e-4f);
}

}  // namespace
}  // namespace game_test
