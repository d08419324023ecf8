// The map's judgement of a motion record's path, against the body's own physics: every frame of
// an honest body (walking, jumping through and dropping through platforms, climbing a ladder,
// swimming, walking into a wall, stepping through an open door) is a step the map allows, and a
// place inside solid ground, past a wall, through a shut door's side or out of a sealed room is not.

#include <gtest/gtest.h>

#include <string>

#include "game/player/player_body.h"
#include "net/players/motion_path.h"
#include "tests/game/game_fixture.h"
#include "world/cells/cell_sides.h"

namespace game_test {
namespace {

using world_test::kDirt;

constexpr uint16_t kDoor = 25;  // a shaped block: stands against one side of its cell while shut

class MotionPathTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kDoor, {.flags = bits({21}), .transparency = 1});
    remakeWorld();
    floorAt(kFloor);
    player->stats.maxHealth = 5;
    player->revive();
  }
  // Each frame the body takes is a record the host would judge against where it was a frame before.
  void honestTicks(int count, const std::string& what) {
    for (int i = 0; i < count; ++i) {
      const engine::Vec2 before = player->position;
      player->update(1.0f);
      ASSERT_TRUE(reaches(before, player->position)) << what << ", frame " << i << " from (" << before.x << ", "
                                                     << before.y << ") to (" << player->position.x << ", "
                                                     << player->position.y << ")";
    }
  }
  bool reaches(engine::Vec2 from, engine::Vec2 to) {
    return motion_path::bodyMayReach(world->map(), from, to, player->body().size);
  }
  static engine::Vec2 centreOf(int32_t x, int32_t y) { return {x * 30.0f, y * 30.0f}; }

  static constexpr int32_t kFloor = 5;
};

TEST_F(MotionPathTest, AnHonestBodyIsNeverRefusedAFrame) {
  fill(6, kFloor + 2, 14, kFloor + 2, kPlatform);  // a platform to stand on, drop through, jump into
  fill(18, kFloor + 1, 18, kFloor + 6, kLadder);
  fill(22, kFloor + 1, 22, kFloor + 3, kDirt);     // a wall three cells high
  player->setCell(8, kFloor + 4);
  honestTicks(40, "falling onto the platform");
  EXPECT_EQ(player->cellY, static_cast<uint32_t>(kFloor + 3)) << "she stands on the platform";
  player->setMoveKeys(MotionEvent::kDown);
  player->jumpOrDrop(0, false);
  player->handleKeyRelease(MotionEvent::kDown);
  honestTicks(60, "dropping through it");
  EXPECT_EQ(player->cellY, static_cast<uint32_t>(kFloor + 1));
  player->jump();
  honestTicks(60, "jumping up into the platform above her");
  player->setMoveKeys(MotionEvent::kRight);
  honestTicks(80, "walking to the ladder and into the wall");
  player->handleKeyRelease(MotionEvent::kRight);
  player->setMoveKeys(MotionEvent::kLeft);
  honestTicks(10, "walking back");
  player->handleKeyRelease(MotionEvent::kLeft);
  player->setCell(18, kFloor + 1);
  player->setMoveKeys(MotionEvent::kUp);
  honestTicks(60, "climbing the ladder");
  player->handleKeyRelease(MotionEvent::kUp);
  player->setMoveKeys(MotionEvent::kRight);
  honestTicks(60, "leaving the ladder onto the wall");
  player->handleKeyRelease(MotionEvent::kRight);

  water(26, kFloor + 1, 32, kFloor + 4);
  player->setCell(28, kFloor + 3);
  player->setMoveKeys(MotionEvent::kUp);
  player->setMoveKeys(MotionEvent::kRight);
  honestTicks(90, "swimming");
}

TEST_F(MotionPathTest, AShutDoorStopsAtItsSideAndAnOpenOneLetsThrough) {
  fill(12, kFloor + 1, 12, kFloor + 2, kDoor);  // shut, standing against the cell's left side
  fill(12, kFloor + 3, 12, kFloor + 9, kDirt);  // and a wall above it
  player->setCell(10, kFloor + 1);
  honestTicks(2, "standing");
  const engine::Vec2 beyond = centreOf(13, kFloor + 1);
  EXPECT_FALSE(reaches(player->position, beyond)) << "through the shut door's side";
  player->setMoveKeys(MotionEvent::kRight);
  honestTicks(60, "walking into the shut door");
  EXPECT_LT(player->cellX, 12u);

  for (int32_t y : {kFloor + 1, kFloor + 2}) at(12, y).setLayer(kDoor, 1, MapBlock::kFront);  // open
  EXPECT_TRUE(reaches(player->position, beyond));
  honestTicks(40, "walking through the open door");
  EXPECT_GT(player->cellX, 12u);
}

TEST_F(MotionPathTest, SolidGroundAndASealedRoomAreRefused) {
  player->setCell(10, kFloor + 1);
  honestTicks(2, "standing");
  fill(8, kFloor - 4, 12, kFloor, kDirt);
  EXPECT_FALSE(reaches(player->position, centreOf(10, kFloor - 3))) << "six cells into the ground";
  EXPECT_FALSE(reaches(player->position, {player->position.x, player->position.y - 3.0f}))
      << "a few pixels into the floor it stands on";

  fill(9, kFloor + 1, 9, kFloor + 3, kDirt);
  fill(11, kFloor + 1, 11, kFloor + 3, kDirt);
  fill(10, kFloor + 3, 10, kFloor + 3, kDirt);
  EXPECT_FALSE(reaches(player->position, centreOf(13, kFloor + 1))) << "out of the sealed room";
  EXPECT_FALSE(reaches(player->position, centreOf(10, kFloor + 5))) << "up through its roof";
  EXPECT_TRUE(reaches(player->position, centreOf(10, kFloor + 2))) << "within the room";
  fill(11, kFloor + 1, 11, kFloor + 2, 0);
  EXPECT_TRUE(reaches(player->position, centreOf(13, kFloor + 1))) << "through the opened wall";
}

TEST_F(MotionPathTest, ABodyShutInByABlockMayStepOut) {
  player->setCell(10, kFloor + 1);
  honestTicks(2, "standing");
  put(10, kFloor + 1, kDirt);  // fallen onto her
  EXPECT_TRUE(reaches(player->position, centreOf(11, kFloor + 1)));
  EXPECT_FALSE(reaches(player->position, centreOf(10, kFloor - 1))) << "but not deeper in";
}

}  // namespace
}  // namespace game_test
