// Where a joined player stands is the host's to say, over real ENet on 127.0.0.1: a motion record
// that puts her further than a body could have gone leaves the host's copy where it was, her
// client is told where that is, and her reach is measured from there. So does one that puts her
// inside solid ground or outside a room sealed around her. Forged speeds and records a little
// ahead of her move her no higher than a jump and no faster than a walk. An honest player whose
// records arrive 300 ms late walks, jumps, falls, dies and comes back without once being put back.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <deque>
#include <thread>
#include <utility>

#include "content/items/block_edit.h"
#include "game/rules/player_rules.h"
#include "world/edits/edit_kind.h"
#include "net/players/motion_allowance.h"
#include "net/players/player_remote_base.h"
#include "tests/net/host_game/play_together.h"
#include "world/cells/cell_sides.h"

namespace nettest {
namespace {

constexpr int kHeldBackFrames = 18;  // 300 ms of game time

// A body on the joined player's world that moves under her keys as her own does, whose motion
// records wait in a queue the link delivers late.
class LaggedWalker final : public PlayerDesktop<PlayerRemoteBase<PlayerBase>> {
 public:
  explicit LaggedWalker(World* home) : PlayerDesktop<PlayerRemoteBase<PlayerBase>>(home, false) {}
  std::deque<std::pair<int, MotionEvent>> queued;
  int frame = 0;

 protected:
  void sendMotion(const MotionEvent& motion) override { queued.emplace_back(frame, motion); }
};

class PlayTogetherMotion : public PlayTogether {
 protected:
  // One frame of both sides: her body steps, the host's copy of it steps (the fixture's frame, as
  // the host's view steps every player it draws), and what waited long enough goes out.
  void lagFrame(LaggedWalker& walker) {
    ++walker.frame;
    // Her own player is the walker: what her game itself sends names where the walker is. A dead
    // walker stands for nothing: her game's own player dies and is put back by the host.
    if (walker.dead == 0) {
      walker.update(1.0f);
      ann->player().position = walker.position;
      ann->player().cellX = walker.cellX;
      ann->player().cellY = walker.cellY;
    }
    while (!walker.queued.empty() && walker.queued.front().first + kHeldBackFrames <= walker.frame) {
      const size_t waiting = server.waiting();
      ann->game().sendPlayerState(walker.queued.front().second);
      walker.queued.pop_front();
      // The link's delay is the 300 ms held back, in game time: the frames wait for this record
      // to arrive rather than the machine's speed adding to it.
      ASSERT_TRUE(waitForHost(waiting));
    }
    frame(*engine::Director::getInstance()->getScheduler());
    ASSERT_EQ(placementsTold(), 0u) << "the host put her back at frame " << walker.frame;
  }
  // Until more than `before` messages wait at the host.
  bool waitForHost(size_t before) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (server.waiting() <= before && std::chrono::steady_clock::now() < deadline) {
      meeting->pump();
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return server.waiting() > before;
  }
  bool lagUntil(LaggedWalker& walker, const std::function<bool()>& done) {
    for (int frames = 0; frames < 60 * 60 && !done() && !HasFatalFailure(); ++frames) lagFrame(walker);
    return done();
  }
  void lagFrames(LaggedWalker& walker, int frames) {
    for (int i = 0; i < frames && !HasFatalFailure(); ++i) lagFrame(walker);
  }
  // Where the host has her once she stands still, and the block of the ground under her.
  struct Stand {
    int32_t x, y;
    uint16_t solid;
  };
  Stand standStill() {
    settle();
    const PlayerServerDesktop& copy = onHost(kAnn);
    const auto x = static_cast<int32_t>(copy.cellX);
    const auto y = static_cast<int32_t>(copy.cellY);
    const MapBlock* under = hostWorld->cellAt(x, y - 1);
    return {x, y, under != nullptr ? under->frontId() : uint16_t{0}};
  }
  // The host's map only: the host judges her records against its own.
  void setHostCells(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t id) {
    for (int32_t x = x0; x <= x1; ++x) {
      for (int32_t y = y0; y <= y1; ++y) hostWorld->map().setBlockAt(id, 0, x, y, 0);
    }
  }
  bool impassableOnHost(int32_t x, int32_t y) {
    return isImpassable(hostWorld->cellAt(x, y), hostWorld->map().props());
  }
  // A record that changes no key, placing her at `at` with the speed `speed`.
  static MotionEvent forged(engine::Vec2 at, engine::Vec2 speed) {
    MotionEvent motion;
    motion.code = MotionEvent::kRight;
    motion.phase = MotionEvent::kReleased;
    motion.x = at.x;
    motion.y = at.y;
    motion.vx = speed.x;
    motion.vy = speed.y;
    return motion;
  }
  // One frame that begins with her forged record, made from where the host has her: the host takes
  // it, then steps its copy of her. The machine's speed neither bunches the records nor spreads
  // them out.
  void forgeFrame(const MotionEvent& motion) {
    const size_t waiting = server.waiting();
    ann->net.sendMotion(motion);
    ASSERT_TRUE(waitForHost(waiting));
    server.dispatchQueued();
    frame(*engine::Director::getInstance()->getScheduler());
  }
  // A body of the host's world standing on the cell, settled there.
  std::unique_ptr<LaggedWalker> bodyOn(int32_t x, int32_t y) {
    auto body = std::make_unique<LaggedWalker>(hostWorld);
    body->setCellCoordinates(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
    for (int i = 0; i < 30; ++i) body->update(1.0f);
    return body;
  }
  // The highest a body standing on the cell reaches in one jump.
  float jumpFrom(int32_t x, int32_t y) {
    std::unique_ptr<LaggedWalker> body = bodyOn(x, y);
    body->jump();
    float highest = body->position.y;
    for (int i = 0; i < 120; ++i) {
      body->update(1.0f);
      highest = std::max(highest, body->position.y);
    }
    return highest;
  }
  // How far a body standing on the cell walks right in `frames` frames.
  float walkFrom(int32_t x, int32_t y, int frames) {
    std::unique_ptr<LaggedWalker> body = bodyOn(x, y);
    const float start = body->position.x;
    body->setMoveKeys(MotionEvent::kRight);
    for (int i = 0; i < frames; ++i) body->update(1.0f);
    return body->position.x - start;
  }
  // The host's word to her client of where she stands ([2][57]), which it sends only when it put
  // her back.
  size_t placementsTold() const {
    return static_cast<size_t>(std::count_if(ann->net.seen.begin(), ann->net.seen.end(), [](const Received& r) {
      return r.bytes.size() >= 2 && r.bytes[0] == 2 && r.bytes[1] == 57;
    }));
  }
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
  ASSERT_TRUE(runUntil([&] {
    const auto& told = ann->log.messages;
    return std::find(told.begin(), told.end(), "That is out of your reach.") != told.end();
  }));
  settle();
  EXPECT_EQ(farGround->frontId(), farBlock) << "the far cell was not mined";
}

// A single record six cells down, well within how far a body falls in the time allowed: but the
// ground there is solid, and the host keeps her standing on it.
TEST_P(PlayTogetherMotion, ARecordIntoSolidGroundIsPutBack) {
  const Stand at = standStill();
  setHostCells(at.x - 1, at.y - 7, at.x + 1, at.y - 1, at.solid);
  ASSERT_TRUE(impassableOnHost(at.x, at.y - 6)) << "the ground's block stops a body";

  walk(*ann, *hostWorld->cellAt(at.x, at.y - 6));
  ASSERT_TRUE(runUntil([&] { return placementsTold() > 0; })) << "her client is told where the host has her";
  EXPECT_EQ(static_cast<int32_t>(onHost(kAnn).cellY), at.y) << "the host's copy stays on the ground";
  EXPECT_TRUE(runUntil([&] { return static_cast<int32_t>(ann->player().cellY) == at.y; }));
}

// Walls on both sides, a roof above and the ground below: a record two cells outside is refused,
// though the place is free and near. With the wall opened the same record is a step she may take.
TEST_P(PlayTogetherMotion, ASealedRoomHoldsHer) {
  const Stand at = standStill();
  ASSERT_NE(at.solid, 0);
  setHostCells(at.x - 1, at.y - 1, at.x + 1, at.y - 1, at.solid);  // the floor
  setHostCells(at.x - 1, at.y, at.x - 1, at.y + 2, at.solid);      // the walls and the roof
  setHostCells(at.x + 1, at.y, at.x + 1, at.y + 2, at.solid);
  setHostCells(at.x, at.y + 2, at.x, at.y + 2, at.solid);
  setHostCells(at.x + 2, at.y - 1, at.x + 2, at.y - 1, at.solid);  // outside: ground, room to stand
  setHostCells(at.x + 2, at.y, at.x + 2, at.y + 1, 0);
  ASSERT_TRUE(impassableOnHost(at.x + 1, at.y));

  const MapBlock& outside = *hostWorld->cellAt(at.x + 2, at.y);
  walk(*ann, outside);
  ASSERT_TRUE(runUntil([&] { return placementsTold() > 0; }));
  EXPECT_EQ(static_cast<int32_t>(onHost(kAnn).cellX), at.x) << "the host's copy stays in the room";

  setHostCells(at.x + 1, at.y, at.x + 1, at.y + 1, 0);  // a door-sized gap in the wall
  settle();
  walk(*ann, outside);
  ASSERT_TRUE(runUntil([&] { return static_cast<int32_t>(onHost(kAnn).cellX) == at.x + 2; }))
      << "through the gap the step is hers to take";
  EXPECT_EQ(placementsTold(), 1u);
}

// Her forged records, each at the very place the host has her, all say she rises at the body's
// clamp: the host's copy goes no higher than a jump from that ground takes a body.
TEST_P(PlayTogetherMotion, ForgedUpwardSpeedAtHerPlaceLiftsHerNoHigherThanAJump) {
  const Stand at = standStill();
  setHostCells(at.x - 3, at.y, at.x + 3, at.y + 16, 0);  // open sky above her
  setHostCells(at.x - 3, at.y - 1, at.x + 3, at.y - 1, at.solid);
  settle();
  const float standing = onHost(kAnn).position.y;
  const float apex = jumpFrom(at.x, at.y) - standing;
  ASSERT_GT(apex, 10.0f);

  float highest = 0;
  for (int frames = 0; frames < 120 && !HasFatalFailure(); ++frames) {
    forgeFrame(forged(onHost(kAnn).position, {0, PlayerBody::kMostUpDown}));
    highest = std::max(highest, onHost(kAnn).position.y - standing);
  }
  std::printf("forged upward records lifted her %.1f px (a jump: %.1f px)\n", highest, apex);
  EXPECT_LE(highest, apex + 1.0f) << "no higher than a jump";
}

// Her forged records each put her a few pixels ahead of where the host has her, frame after frame:
// over five seconds the copy goes no faster than her body walks there.
TEST_P(PlayTogetherMotion, RecordsALittleAheadMoveHerNoFasterThanAWalk) {
  const Stand at = standStill();
  setHostCells(at.x - 2, at.y - 1, at.x + 60, at.y - 1, at.solid);  // a long flat floor
  setHostCells(at.x - 2, at.y, at.x + 60, at.y + 3, 0);
  settle();
  constexpr int kFrames = 300;
  const float walked = walkFrom(at.x, at.y, kFrames);
  ASSERT_GT(walked, 100.0f);

  const float start = onHost(kAnn).position.x;
  for (int frames = 0; frames < kFrames && !HasFatalFailure(); ++frames) {
    const PlayerServerDesktop& copy = onHost(kAnn);
    forgeFrame(forged({copy.position.x + 6.0f, copy.position.y}, {0, 0}));
  }
  const float moved = onHost(kAnn).position.x - start;
  // What a link may hold back and deliver at once is the most she may be ahead of a walk.
  const float heldBack = MotionAllowance::kMostTicks * PlayerBody::kMostSteering;
  std::printf("records 6 px ahead moved her %.0f px in %d frames (a walk: %.0f px)\n", moved, kFrames, walked);
  EXPECT_LE(moved, walked + heldBack) << "no faster than a walk";
}

TEST_P(PlayTogetherMotion, AnHonestPlayerOverALaggedLinkIsNeverPutBack) {
  LaggedWalker walker(ann->world());
  // Both bodies start where the host has her and settle on the ground.
  const PlayerServerDesktop& copy = onHost(kAnn);
  walker.setCellCoordinates(copy.cellX, copy.cellY);
  walker.position = copy.position;
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

  // She dies with records still on their way, and comes back on her spawn cell.
  MapBlock* spawnGround = groundIn(column + 4);
  ASSERT_NE(spawnGround, nullptr);
  onHost(kAnn).setSpawnCell(static_cast<uint16_t>(spawnGround->x), static_cast<uint16_t>(spawnGround->y + 1));
  walker.setMoveKeys(MotionEvent::kRight);
  lagFrames(walker, 5);
  // She lets go of the key as the blow comes: its record is still on the link when she dies.
  walker.handleKeyRelease(MotionEvent::kRight);
  auto* rules = dynamic_cast<PlayerRules*>(&hostWorld->rules());
  ASSERT_NE(rules, nullptr);
  rules->damagePlayer(onHost(kAnn), 100000.0f, 10);
  walker.dead = 1;
  // What the link held back arrives while she lies dead, well before she asks to come back.
  while (!walker.queued.empty() && !HasFatalFailure()) lagFrame(walker);
  ASSERT_TRUE(lagUntil(walker, [&] { return ann->player().dead != 0; }));
  ann->game().respawn();
  ASSERT_TRUE(lagUntil(walker, [&] { return ann->player().dead == 0; }));
  ASSERT_EQ(placementsTold(), 0u) << "her death and return put her nowhere else";
  ASSERT_EQ(ann->player().cellX, onHost(kAnn).cellX) << "back where the host has her";
  walker.dead = 0;
  walker.releaseAllKeys();
  walker.setCellCoordinates(ann->player().cellX, ann->player().cellY);
  walker.position = onHost(kAnn).position;
  lagFrames(walker, 30);

  // A pit opens two cells to her left, four deep: she walks into it and falls to its bottom.
  const int32_t pitX = static_cast<int32_t>(walker.cellX) - 2;
  MapBlock* pitTop = groundIn(pitX);
  ASSERT_NE(pitTop, nullptr);
  const int32_t top = pitTop->y;
  for (int32_t x : {pitX - 1, pitX}) {
    for (int32_t y = top + 2; y > top - 4; --y) {
      BlockEdit dig;
      dig.kind = edit_kind::kRemoveLayer;
      dig.x = static_cast<uint16_t>(x);
      dig.y = static_cast<uint16_t>(y);
      dig.extra = 1;
      if (hostWorld->cellAt(x, y)->frontId() != 0) hostWorld->rules().editBlock(dig, nullptr);
    }
  }
  ASSERT_TRUE(runUntil([&] { return ann->world()->cellAt(pitX, top - 3)->frontId() == 0; })) << "her world shows the pit";
  const uint32_t before = walker.cellY;
  walker.setMoveKeys(MotionEvent::kLeft);
  lagFrames(walker, 40);
  walker.handleKeyRelease(MotionEvent::kLeft);
  lagFrames(walker, 60);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_LT(walker.cellY + 2, before) << "she fell";
  EXPECT_LT(onHost(kAnn).cellY + 2, before) << "and the host's copy of her with her";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherMotion, ::testing::Values(false));

}  // namespace
}  // namespace nettest
