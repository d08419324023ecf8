#include "entities/mobs/mob_walker_entity.h"

#include <cmath>

#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "world/cells/map_block.h"
#include "world/rules/mob_movement.h"
#include "world/world.h"

namespace {

constexpr float kAttackReachSquared = 225.0f;  // 15 cells
constexpr float kPi = 3.14159265f;

}  // namespace

void MobWalkerEntity::onStop() {
  if (state == mob_state::kLeaping || state == mob_state::kPushed) {
    state = mob_state::kIdle;
    timer = -1;
  }
  MobEntity::onStop();
}

void MobWalkerEntity::hitLeftWall() {
  MovingEntity::hitLeftWall();
  if (state == mob_state::kWalkingLeft) {
    state = mob_state::kWalkingRight;
    face(true);
  }
}

void MobWalkerEntity::hitRightWall() {
  MovingEntity::hitRightWall();
  if (state == mob_state::kWalkingRight) {
    state = mob_state::kWalkingLeft;
    face(false);
  }
}

void MobWalkerEntity::startWalk(int32_t walkState, float speed, float time) {
  state = walkState;
  data.moving = true;
  timer = time;
  walkSpeed = speed;
  face(walkState == mob_state::kWalkingRight);
}

void MobWalkerEntity::recover() {
  const bool walking = state == mob_state::kWalkingLeft || state == mob_state::kWalkingRight;
  if (timer > 0) {
    if (walking) {
      data.vx = state == mob_state::kWalkingRight ? walkSpeed : -walkSpeed;
      data.moving = true;
    } else if (state >= mob_state::kLeaping) {
      data.moving = true;
    }
    return;
  }
  if (walking) state = mob_state::kIdle;
  if (state == mob_state::kHalted) {
    state = mob_state::kIdle;
    drawLight();
  }
}

void MobWalkerEntity::think() {
  const Logic::MobTarget target = world().rules().mobTargetOf(this);
  if (timer <= 0) decide(target);
  if (state == mob_state::kAttacking && fireShots()) return;
  if (!row().hasFlag(mob_flag::kNoRandomJumps) && chance(0.5f)) tryJumps(target);
}

void MobWalkerEntity::decide(const Logic::MobTarget& target) {
  const bool shooter = row().hasFlag(mob_flag::kShooter);
  if (engine::randomNext() % (shooter ? 3 : 2) == 0) {
    int32_t direction = engine::randomNext() % 2 == 0 ? mob_state::kWalkingLeft : mob_state::kWalkingRight;
    if (row().hasFlag(mob_flag::kFollowsTarget) && target.found) {
      direction = data.x - target.position.x >= 0 ? mob_state::kWalkingLeft : mob_state::kWalkingRight;
    }
    justAttacked = false;
    const float speed = uniform(row().moveStrength(0), row().moveStrength(1)) * 0.5f;
    const float time = (0.75f + 0.25f * unit()) * row().walkTime();
    world().rules().steerMob(this, MobMovement{static_cast<uint32_t>(direction), speed, time});
    return;
  }
  // A target outside the map rows has no cell to measure: no attack.
  if (target.found && target.cell != nullptr && data.cell != nullptr && !justAttacked && shooter &&
      chance(row().attackChance()) && cellDistanceSquared(map(), *data.cell, *target.cell) < kAttackReachSquared) {
    startAttack(target);
    return;
  }
  state = mob_state::kIdle;
  timer = (0.75f + 0.25f * unit()) * row().idleTime();
  justAttacked = false;
}

void MobWalkerEntity::startAttack(const Logic::MobTarget& target) {
  state = mob_state::kAttacking;
  timer = row().attackTime();
  shotsFired = 0;
  const int16_t bullet = row().bulletRow();
  const bool falls = bullet >= 0 && bullet < static_cast<int16_t>(contentTables().bulletDefs.size()) &&
                     contentTables().bulletDefs[static_cast<size_t>(bullet)].falls();
  if (!falls) {
    shotAngle = std::atan2(target.position.y - data.y, target.position.x - data.x);
    face(std::fabs(shotAngle) < kPi / 2);
  } else {
    const float earlier = static_cast<float>(engine::randomNext()) / 32768.0f;
    if (chance(0.5f) || earlier >= 0.5f) {
      face(true);
      shotAngle = mobDegrees(45.0f);
    } else {
      face(false);
      shotAngle = mobDegrees(135.0f);
    }
  }
  justAttacked = true;
  world().rules().startMobAttack(this, facingRight());
}

bool MobWalkerEntity::fireShots() {
  const int16_t shots = row().shots();
  if (shots <= 0 || shotsFired >= shots) return false;
  const float total = row().attackTime();
  if (timer < total - (total / static_cast<float>(shots)) * static_cast<float>(shotsFired)) {
    const float speed = uniform(row().bulletSpeed(0), row().bulletSpeed(1)) * 3.0f;
    world().rules().shootMobBullet(this, static_cast<uint16_t>(row().bulletRow()), speed, shotAngle);
    ++shotsFired;
  }
  return true;
}

void MobWalkerEntity::tryJumps(const Logic::MobTarget& target) {
  if (std::fabs(data.vy) >= 0.05f || data.cell == nullptr) return;
  const int32_t x = data.cell->x;
  const int32_t y = data.cell->y;
  const bool stepLeft = !passable(x - 1, y) && passable(x, y + 1) && passable(x - 1, y + 1);
  const bool stepRight = !passable(x + 1, y) && passable(x, y + 1) && passable(x + 1, y + 1);
  const bool gapLeft = passable(x - 1, y) && passable(x - 2, y) && passable(x - 1, y - 1) && !passable(x - 2, y - 1);
  const bool gapRight = passable(x + 1, y) && passable(x + 2, y) && passable(x + 1, y - 1) && !passable(x + 2, y - 1);
  bool leftOk = true;
  bool rightOk = true;
  float leftChance = 0.3f;
  float rightChance = 0.3f;
  if (row().hasFlag(mob_flag::kFollowsTarget) && target.found && target.cell != nullptr) {
    const int32_t tx = target.cell->x;
    const int32_t ty = target.cell->y;
    leftOk = x >= tx;
    rightOk = x <= tx;
    if (ty == y) leftChance = rightChance = 1.0f;
    if (ty < y && tx == x - 1) leftChance = 0;
    if (ty < y && tx == x + 1) rightChance = 0;
  }
  const float o = offset();
  LogicEntities& rules = world().rules();
  if (!row().hasFlag(mob_flag::kNoGapJumps)) {
    if (leftOk && gapLeft && chance(leftChance) && o < 0 && state == mob_state::kWalkingLeft) {
      return rules.leapEntity(this, 4.0f, mobDegrees(150.0f));
    }
    if (rightOk && gapRight && chance(rightChance) && o > 0 && state == mob_state::kWalkingRight) {
      return rules.leapEntity(this, 4.0f, mobDegrees(30.0f));
    }
  }
  if (stepLeft && stepRight && state == mob_state::kIdle) {
    return rules.leapEntity(this, 5.0f, mobDegrees(engine::randomNext() % 2 == 0 ? 108.0f : 72.0f));
  }
  if (leftOk && stepLeft && o > 0 && state == mob_state::kWalkingLeft) {
    return rules.leapEntity(this, 5.0f, mobDegrees(108.0f));
  }
  if (rightOk && stepRight && o < 0 && state == mob_state::kWalkingRight) {
    rules.leapEntity(this, 5.0f, mobDegrees(72.0f));
  }
}

void MobWalkerEntity::updateAnimation() {
  switch (state) {
    case mob_state::kIdle:
      animation = 0;
      break;
    case mob_state::kLeaping:
    case mob_state::kPushed:
      animation = 1;
      break;
    case mob_state::kAttacking:
      animation = 7;
      break;
    case mob_state::kWalkingLeft:
    case mob_state::kWalkingRight:
      animation = cycleFrames(walkFrame, 2, 3);
      break;
    default:
      break;
  }
}
