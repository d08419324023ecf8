#include "entities/mobs/mob_jumper_entity.h"

#include <cmath>

#include "content/tables/mob_def.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

bool hasLiquidKindAt(const MapBlock* cell) { return cell != nullptr && cell->hasLiquidKind(); }

}  // namespace

void MobJumperEntity::onStop() {
  state = mob_state::kIdle;
  timer = (0.75f + 0.25f * unit()) * row().idleTime();
  MobEntity::onStop();
}

void MobJumperEntity::hop(bool right) {
  const float turn = uniform(15.0f, 30.0f);
  const float degrees = right ? 90.0f - turn : 90.0f + turn;
  const float strength = uniform(row().moveStrength(0), row().moveStrength(1)) * 2.0f;
  world().rules().leapEntity(this, strength, mobDegrees(degrees));
}

void MobJumperEntity::think() {
  if (timer > 0 || data.cell == nullptr) return;
  const int32_t x = data.cell->x;
  const int32_t y = data.cell->y;
  const bool dry = !hasLiquidKindAt(data.cell);
  const bool liquidLeft = dry && hasLiquidKindAt(cellAtOffset(-1, 0));
  const bool liquidRight = dry && hasLiquidKindAt(cellAtOffset(1, 0));
  const bool passLeft = passable(x - 1, y);
  const bool passRight = passable(x + 1, y);
  const BlockPropsTable& props = map().props();
  const MapBlock* left = cellAtOffset(-1, 0);
  const MapBlock* right = cellAtOffset(1, 0);
  const bool gapLeft = passLeft && left != nullptr && !left->isSolid(props) && y >= 3 && passable(x - 1, y - 2);
  const bool gapRight = passRight && right != nullptr && !right->isSolid(props) && y >= 3 && passable(x + 1, y - 2);

  bool goLeft = false;
  bool goRight = false;
  const bool minds = row().hasFlag(mob_flag::kFollowsTarget) || row().hasFlag(mob_flag::kLooksAtTarget);
  if (minds) {
    const Logic::MobTarget target = world().rules().mobTargetOf(this);
    if (target.found) {
      const float dx = data.x - target.position.x;
      const bool follows = row().hasFlag(mob_flag::kFollowsTarget);
      goLeft = follows ? dx >= 0 : dx < 0;
      goRight = !goLeft;
      if (goLeft && passLeft && !liquidLeft) return hop(false);
      if (goRight && passRight && !liquidRight) return hop(true);
    }
  }
  // Ledges: a whole-pixel offset, so a mob less than a pixel from its centre stays put.
  const float o = std::trunc(offset());
  if ((chance(0.5f) || goLeft || goRight) && !inStable) {
    if (!goRight && o > 0 && passable(x, y + 1) && passable(x - 1, y + 1) && !passable(x - 1, y)) {
      world().rules().leapEntity(this, 5.0f, mobDegrees(105.0f));
      return;
    }
    if (!goLeft && o < 0 && passable(x, y + 1) && passable(x + 1, y + 1) && !passable(x + 1, y)) {
      world().rules().leapEntity(this, 5.0f, mobDegrees(75.0f));
      return;
    }
  }
  const bool dangerLeft = liquidLeft || gapLeft;
  const bool dangerRight = liquidRight || gapRight;
  if (dangerLeft && !dangerRight) return hop(true);
  if (dangerRight && !dangerLeft) return hop(false);
  hop(chance(0.5f));
}

void MobJumperEntity::updateAnimation() {
  if (state == mob_state::kIdle) animation = 0;
  if (state == mob_state::kLeaping || state == mob_state::kPushed) animation = 1;
}
