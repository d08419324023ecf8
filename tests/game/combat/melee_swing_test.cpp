// The melee swing: the quadrilateral overlap at the edges of the arc, and each mob hit once per
// swing.

#include <cmath>

#include "game/combat/melee_swing.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

SwingQuad box(float cx, float cy, float hw, float hh) {
  return {engine::Vec2{cx - hw, cy - hh}, engine::Vec2{cx + hw, cy - hh}, engine::Vec2{cx + hw, cy + hh},
          engine::Vec2{cx - hw, cy + hh}};
}

// A box rotated by `angle` about its centre.
SwingQuad rotated(float cx, float cy, float hw, float hh, float angle) {
  SwingQuad quad = box(0, 0, hw, hh);
  for (engine::Vec2& p : quad) {
    const float x = p.x * std::cos(angle) - p.y * std::sin(angle);
    const float y = p.x * std::sin(angle) + p.y * std::cos(angle);
    p = {cx + x, cy + y};
  }
  return quad;
}

TEST(SwingHitsRect, OverlapAtTheEdgesOfTheArc) {
  const SwingQuad mob = box(0, 0, 10, 10);
  const float diagonal = static_cast<float>(M_PI / 4);
  const struct {
    const char* name;
    SwingQuad swing;
    bool hit;
  } cases[] = {
      {"edges touch", box(20, 0, 10, 10), true},
      {"just apart", box(20.01f, 0, 10, 10), false},
      {"blade turned away misses", rotated(24, 24, 20, 2, -diagonal), false},
      {"blade turned in along the diagonal", rotated(20, 20, 20, 2, diagonal), true},
      {"only the turned shape's axes separate", rotated(11.5f, 11.5f, 10, 1, -diagonal), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(swingHitsRect(c.swing, mob), c.hit) << c.name;
    EXPECT_EQ(swingHitsRect(mob, c.swing), c.hit) << c.name << " (reversed)";
  }
}

class RecordingTargets final : public SwingTargets {
 public:
  void collectMobs(std::vector<SwingTarget>& out) override { out = mobs; }
  bool lineOfCellsClear(int32_t, int32_t, int32_t, int32_t) override { return true; }
  void hit(uint32_t id) override { hits.push_back(id); }
  std::vector<SwingTarget> mobs;
  std::vector<uint32_t> hits;
};

class MeleeSwingTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    player->setCellCoordinates(10, 10);
    pose.animating = true;
    pose.acting = true;
    pose.duration = 1;
    pose.elapsed = 0.3f;
    // The body node sits at the player's position.
    pose.transform.m[12] = player->position.x;
    pose.transform.m[13] = player->position.y;
  }
  void swing() { player->meleeSwing->updateWithBox(*player, pose, {20, 0}, {30, 20}, targets); }
  SwingTarget mobAt(uint32_t id, float dx, float dy, uint8_t kind = 1) {
    return {id, kind, {player->position.x + dx, player->position.y + dy}, {5, 5}, 11, 10};
  }

  SwingPose pose;
  RecordingTargets targets;
};

TEST_F(MeleeSwingTest, EachMobIsHitOncePerSwing) {
  targets.mobs = {mobAt(1, 25, 0), mobAt(2, 60, 0), mobAt(3, 20, 5, 8)};
  swing();
  swing();
  EXPECT_EQ(targets.hits, std::vector<uint32_t>{1});
  pose.animating = false;
  swing();
  pose.animating = true;
  swing();
  EXPECT_EQ(targets.hits, (std::vector<uint32_t>{1, 1}));
}

}  // namespace
}  // namespace game_test
