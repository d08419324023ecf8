// Where a joined player stands is the host's to say, over real ENet on 127.0.0.1: a motion record
// that puts her further than a body could have gone leaves the host's copy where it was, her
// client is told where that is, and her reach is measured from there. An honest player whose
// records arrive 300 ms late walks, jumps, falls, dies and comes back without once being put back.

#include <gtest/gtest.h>

#include <deque>
#include <utility>

#include "game/rules/player_rules.h"
#include "net/players/player_remote_base.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr int kHeldBackFrames = 18;  // 300 ms of game time

// A body on the joined player's world that moves under her keys as her own does, whose motion
// records wait in a queue the link delivers late.
class LaggedWalker final : public PlayerDesktop<PlayerRemoteBase<PlayerBase>> {
 public:
  explicit LaggedWalker(World* world) : PlayerDesktop<PlayerRemoteBase<PlayerBase>>(world, false) {}
  std::deque<std::pair<int, MotionEvent>> queued;
  int frame = 0;

 protected:
  void sendMotion(const MotionEvent& motion) override { queued.emplace_back(frame, motion); }
};

class PlayTogetherMotion : public PlayTogether {
 protected:
  // Far enough that no body covers it in a frame.
  static constexpr float kFar = 1.0e6f;

  // One frame of both sides: her body steps, the host's copy of it steps (as the host's view steps
  // every player it draws), and what waited long enough goes out.
  void lagFrame(LaggedWalker& walker) {
    ++walker.frame;
    if (walker.dead == 0) walker.update(1.0f);
    if (onHost(kAnn).dead == 0) onHost(kAnn).update(1.0f);
    while (!walker.queued.empty() && walker.queued.front().first + kHeldBackFrames <= walker.frame) {
      ann->game().sendPlayerState(walker.queued.front().second);
      walker.queued.pop_front();
    }
    frame(*engine::Director::getInstance()->getScheduler());
    ASSERT_GT(ann->player().position.x, kFar / 2) << "the host put her back at frame " << walker.frame;
  }
  void lagFrames(LaggedWalker& walker, int frames) {
    for (int i = 0; i < frames && !HasFatalFailure(); ++i) lagFrame(walker);
  }
  // Her own player stands nowhere the walker goes: any placement by the host shows.
  void watchForPlacement() { ann->player().position = {kFar, kFar}; }
};

TEST_P(PlayTogetherMotion, ATeleportIsRefusedAndAFarEditStaysOutOfReach) {
  ItemPtr tool = toolBreaking(ground->frontId());
  ASSERT_NE(tool, nullptr);
  carryTool(*ann, 3, std::move(tool));
  hold(*ann, 3);
  settle();
  const uint32_t stoodAt = onHost(kAnn).cellX;

  MapBlock* farGround = groundIn(column + 60);
  ASSERT_NE(farGround, nullptr);
  const uint16_t farBlock = farGround->frontId();
  ASSERT_NE(farBlock, 0);
  walk(*ann, *hostWorld->cellAt(farGround->x, farGround->y + 1));
  ASSERT_TRUE(runUntil([&] { return ann->player().cellX == stoodAt; }))
      << "her client is told where the host has her";
  EXPECT_EQ(onHost(kAnn).cellX, stoodAt) << "the host's copy stayed";

  edit(*ann, edit_kind::kRemoveLayer, *farGround, 0);
  ASSERT_TRUE(runUntil([&] { return !ann->log.messages.empty() && ann->log.messages.back() == "That is out of your reach."; }));
  settle();
  EXPECT_EQ(farGround->frontId(), farBlock) << "the far cell was not mined";
}

TEST_P(PlayTogetherMotion, AnHonestPlayerOverALaggedLinkIsNeverPutBack) {
  LaggedWalker walker(ann->world());
  // Both bodies start where the host has her and settle on the ground.
  const PlayerServerDesktop& copy = onHost(kAnn);
  walker.setCellCoordinates(copy.cellX, copy.cellY);
  walker.position = copy.position;
  watchForPlacement();
  lagFrames(walker, 60);

  // Walking right, jumping on the way, walking back left.
  walker.setMoveKeys(MotionEvent::kRight);
  lagFrames(walker, 90);
  walker.jump();
  lagFrames(walker, 40);
  walker.handleKeyRelease(MotionEvent::kRight);
  walker.setMoveKeys(MotionEvent::kLeft);
  lagFrames(walker, 60);
  walker.jump();
  lagFrames(walker, 50);
  walker.handleKeyRelease(MotionEvent::kLeft);
  lagFrames(walker, 40);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_NEAR(onHost(kAnn).position.x, walker.position.x, 1.0f) << "the host followed her walk";
  EXPECT_NEAR(onHost(kAnn).position.y, walker.position.y, 1.0f);

  // She dies with records still on their way, and comes back on a spawn cell high in the air:
  // she falls from there to the ground.
  MapBlock* spawnGround = groundIn(column + 4);
  ASSERT_NE(spawnGround, nullptr);
  onHost(kAnn).setSpawnCell(static_cast<uint16_t>(spawnGround->x), static_cast<uint16_t>(spawnGround->y + 9));
  walker.setMoveKeys(MotionEvent::kRight);
  lagFrames(walker, 5);
  auto* rules = dynamic_cast<PlayerRules*>(&hostWorld->rules());
  ASSERT_NE(rules, nullptr);
  rules->damagePlayer(onHost(kAnn), 100000.0f, 10);
  walker.dead = 1;
  ASSERT_TRUE(runUntil([&] { return ann->player().dead != 0; }));
  ann->game().respawn();
  ASSERT_TRUE(runUntil([&] { return ann->player().dead == 0; }));
  ASSERT_EQ(ann->player().cellY, static_cast<uint32_t>(spawnGround->y + 9)) << "back on her spawn cell";
  walker.dead = 0;
  walker.releaseAllKeys();
  walker.setCellCoordinates(ann->player().cellX, ann->player().cellY);
  walker.position = onHost(kAnn).position;
  watchForPlacement();
  lagFrames(walker, 90);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_LT(walker.cellY, static_cast<uint32_t>(spawnGround->y + 9)) << "she fell";
  walker.setMoveKeys(MotionEvent::kLeft);
  lagFrames(walker, 30);
  walker.handleKeyRelease(MotionEvent::kLeft);
  lagFrames(walker, 40);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_NEAR(onHost(kAnn).position.x, walker.position.x, 1.0f) << "the host followed her after the respawn";
  EXPECT_NEAR(onHost(kAnn).position.y, walker.position.y, 1.0f);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherMotion, ::testing::Values(false));

}  // namespace
}  // namespace nettest
