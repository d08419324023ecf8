// A shaped block (a door) shut in its cell stands against one side of it: a walking body stops
// at that side, coming in or going out, and passes the cell's open sides; opened, it stops nobody.

#include "game/player/player_body.h"
#include "tests/game/game_fixture.h"
#include "world/cells/block_flags.h"

namespace game_test {
namespace {

constexpr uint16_t kDoor = 30;
constexpr int32_t kFloor = 5;
constexpr int32_t kRow = kFloor + 1;
constexpr int32_t kDoorColumn = 12;
constexpr uint8_t kShut = 0, kOpen = 1;
constexpr uint8_t kLeftSide = 0, kRightSide = 4;
// Two seconds of game time: far longer than a walk of a few cells takes.
constexpr int kWalkTicks = 120;

class ShapedBlockBodyTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    floorAt(kFloor);
    shape(kDoor, BlockProps{.flags = bits({block_flag::kCircuitOutput}), .variantCount = 2, .transparency = 1});
    player->stats.maxHealth = 5;
    player->revive();
  }
  void door(uint8_t variant, uint8_t state) { at(kDoorColumn, kRow).setFront(kDoor, variant, state); }
  // Starts in the column and walks in the direction for the walk's time; the column it ends in.
  uint32_t walkFrom(int32_t column, uint8_t key) {
    player->setCell(static_cast<uint16_t>(column), kRow);
    ticks(2);
    player->setMoveKeys(key);
    ticks(kWalkTicks);
    player->handleKeyRelease(key);
    return player->cellX;
  }
  // Starts in the column and walks in the direction until it is in the target column (at most
  // the walk's time); whether it got there.
  bool walksFromTo(int32_t column, int32_t target, uint8_t key) {
    player->setCell(static_cast<uint16_t>(column), kRow);
    ticks(2);
    player->setMoveKeys(key);
    for (int i = 0; i < kWalkTicks && player->cellX != static_cast<uint32_t>(target); ++i) ticks(1);
    player->handleKeyRelease(key);
    return player->cellX == static_cast<uint32_t>(target);
  }
  float x() const { return player->position.x; }
};

TEST_F(ShapedBlockBodyTest, AShutDoorOnItsLeftSideKeepsOutABodyWalkingRight) {
  door(kShut, kLeftSide);
  EXPECT_EQ(walkFrom(kDoorColumn - 3, MotionEvent::kRight), static_cast<uint32_t>(kDoorColumn - 1));
  EXPECT_LT(x(), kDoorColumn * 30.0f - 15.0f);
}

TEST_F(ShapedBlockBodyTest, AShutDoorOnItsLeftSideLetsABodyInFromTheRightButNotOutToTheLeft) {
  door(kShut, kLeftSide);
  EXPECT_EQ(walkFrom(kDoorColumn + 3, MotionEvent::kLeft), static_cast<uint32_t>(kDoorColumn));
  EXPECT_GT(x(), kDoorColumn * 30.0f - 15.0f);
  // The open right side lets it out again.
  player->setMoveKeys(MotionEvent::kRight);
  ticks(kWalkTicks / 4);
  EXPECT_GT(player->cellX, static_cast<uint32_t>(kDoorColumn));
}

TEST_F(ShapedBlockBodyTest, AShutDoorOnItsRightSideStopsABodyLeavingRightwards) {
  door(kShut, kRightSide);
  EXPECT_EQ(walkFrom(kDoorColumn - 3, MotionEvent::kRight), static_cast<uint32_t>(kDoorColumn));
  EXPECT_LT(x(), kDoorColumn * 30.0f + 15.0f);
  // Walking left, the body comes to the door's right side and stops there.
  EXPECT_EQ(walkFrom(kDoorColumn + 3, MotionEvent::kLeft), static_cast<uint32_t>(kDoorColumn + 1));
}

TEST_F(ShapedBlockBodyTest, AnOpenDoorStopsNobody) {
  door(kOpen, kLeftSide);
  EXPECT_TRUE(walksFromTo(kDoorColumn - 3, kDoorColumn + 2, MotionEvent::kRight));
  door(kOpen, kRightSide);
  EXPECT_TRUE(walksFromTo(kDoorColumn + 3, kDoorColumn - 2, MotionEvent::kLeft));
}

}  // namespace
}  // namespace game_test
