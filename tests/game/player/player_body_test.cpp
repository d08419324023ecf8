// The player's body frame by frame (one update = one tick of 1/60 s): jumps, ladders, platforms,
// falls and walking across the world's wrap.

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

  static constexpr int32_t kFloor = 5;
  static constexpr float kStandY = 6 * 30 + 9 - 15;  // the body centre of a player standing on row 5
};

TEST_F(PlayerBodyTest, AJumpAddsFiveAndComesBackToTheGround) {
  player->setCell(10, 6);
  ticks(2);
  player->jump();
  ticks(1);
  EXPECT_NEAR(body().velocity.y, (5.0f - 0.3f) * 0.98f, 1e-4f);
  float peak = y();
  for (int i = 0; i < 120 && !player->isGrounded(); ++i) {
    ticks(1);
    peak = std::max(peak, y());
  }
  EXPECT_TRUE(player->isGrounded());
  EXPECT_NEAR(y(), kStandY, 0.01f);
  EXPECT_GT(peak - kStandY, 30.0f);
  EXPECT_LT(peak - kStandY, 45.0f);
}

TEST_F(PlayerBodyTest, ALadderIsGrabbedClimbedAndLeftAtItsSide) {
  fill(10, 6, 10, 9, kLadder);
  player->setCell(10, 6);
  player->setMoveKeys(MotionEvent::kUp);
  ticks(1);
  EXPECT_EQ(body().onLadder, 1);
  ticks(60);
  EXPECT_GT(player->cellY, 7u);
  player->handleKeyRelease(MotionEvent::kUp);
  ticks(20);
  const float held = y();
  ticks(30);
  EXPECT_NEAR(y(), held, 0.01f);  // no gravity on a ladder
  player->setMoveKeys(MotionEvent::kRight);
  ticks(30);
  EXPECT_EQ(body().onLadder, 0);
}

TEST_F(PlayerBodyTest, CrossingTheRightEdgeWrapsThePixelX) {
  player->setCell(kWidth - 1, 6);
  player->setMoveKeys(MotionEvent::kRight);
  for (int i = 0; i < 60 && player->cellX != 0; ++i) ticks(1);
  EXPECT_EQ(player->cellX, 0u);
  EXPECT_EQ(events.wraps, 1);
  EXPECT_LT(std::fabs(x()), 15.0f);
  player->handleKeyRelease(MotionEvent::kRight);
  player->setMoveKeys(MotionEvent::kLeft);
  for (int i = 0; i < 60 && player->cellX == 0; ++i) ticks(1);
  EXPECT_EQ(player->cellX, static_cast<uint32_t>(kWidth - 1));
  EXPECT_EQ(events.wraps, 2);
}

// What stops a body from the side is a full block (passable byte 0), whatever its flags; the solid
// flag on a passable block (a tree's trunk) only holds up what falls onto it.
TEST_F(PlayerBodyTest, SheWalksThroughATrunkStandsOnItAndIsStoppedByAFullBlock) {
  fill(12, 6, 12, 9, kTrunk);
  put(16, 6, kWall);
  player->setCell(10, 6);
  ticks(2);
  player->setMoveKeys(MotionEvent::kRight);
  for (int i = 0; i < 180 && player->cellX < 16; ++i) ticks(1);
  EXPECT_EQ(player->cellX, 15u) << "through the trunk, against the full block";
  player->handleKeyRelease(MotionEvent::kRight);

  player->setCell(12, 14);
  ticks(1);
  for (int i = 0; i < 120 && !player->isGrounded(); ++i) ticks(1);
  EXPECT_TRUE(player->isGrounded());
  EXPECT_EQ(player->cellY, 10u) << "on top of the trunk";
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
  } cases[] = {{11, kDirt, 0.0f}, {12, kDirt, 0.5f}, {14, kHay, 0.0f}};
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

// Where a saved world had her may be in mid-air: the drop from there on entering does not hurt,
// and the first fall after she stood again does.
TEST_F(PlayerBodyTest, TheDropFromASavedPlaceDoesNotHurtButTheNextFallDoes) {
  player->setCellCoordinates(10, 14);
  body().setDownWithoutFall();
  ticks(120);
  EXPECT_TRUE(player->isGrounded());
  EXPECT_EQ(player->cellY, static_cast<uint32_t>(kFloor + 1));
  EXPECT_EQ(player->health, player->stats.maxHealth);

  player->setCellCoordinates(10, 12);
  ticks(120);
  EXPECT_TRUE(player->isGrounded());
  EXPECT_NEAR(player->stats.maxHealth - player->health, 0.5f, 1e-4f);
}

TEST_F(PlayerBodyTest, TheDrawnPlayerReadsTheMotionStateOfItsOwnBody) {
  const PlayerGraphical& drawn = *player;
  ASSERT_EQ(drawn.withBody(), player.get()) << "a desktop player is its own body";
  player->setCell(10, 6);
  ticks(2);
  EXPECT_EQ(drawn.withBody()->motionState(), 0) << "standing";
  player->jump();
  ticks(1);
  EXPECT_EQ(drawn.withBody()->motionState(), -1) << "in the air";
  EXPECT_EQ(drawn.withBody()->motionState(), body().motionState(*player));

  PlayerBase still(world.get(), false);
  still.setCellCoordinates(10, 20);
  EXPECT_EQ(still.withBody(), &still);
  EXPECT_EQ(still.motionState(), 0) << "a player without physics stands, wherever it is";
}

}  // namespace
}  // namespace game_test

TEST(PixelCells, APositionFarOutsideEveryMapHasACellIndexFarOutsideIt) {
  EXPECT_EQ(pixelRow(44.0f), 1);
  EXPECT_EQ(pixelRow(-16.0f), -1);
  EXPECT_EQ(pixelRow(1e20f), 1 << 30);
  EXPECT_EQ(pixelRow(-1e20f), -(1 << 30));
  for (float x : {1e20f, -1e20f, 5.12e14f}) {
    const int32_t column = pixelColumn(x, 40);
    EXPECT_GE(column, 0);
    EXPECT_LT(column, 40);
  }
}
