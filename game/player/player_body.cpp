#include "game/player/player_body.h"

#include <algorithm>
#include <cmath>

#include "world/cells/cell_sides.h"
#include "game/player/player_base.h"
#include "game/player/player_events.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCell = 30.0f;
constexpr float kHalfCell = 15.0f;
constexpr float kEpsilon = 1.1920929e-07f;
constexpr uint8_t kIdle = 255;

// The cell index of a pixel coordinate. A position from elsewhere (a peer's record) may be far
// outside any map: it is held within the 32-bit range, where no map has a cell, so the
// conversion stays defined.
int32_t cellIndex(float pixel) {
  constexpr double kFarthest = 1 << 30;
  const double index = std::floor((static_cast<double>(pixel) + kHalfCell) / kCell);
  if (!(index > -kFarthest)) return -(1 << 30);
  return index < kFarthest ? static_cast<int32_t>(index) : (1 << 30);
}

// The column of a pixel x before folding into the width: neighbouring columns stay neighbours
// across the seam, and cellAt folds them.
int32_t rawColumn(float x) { return cellIndex(x); }

}  // namespace

int32_t pixelColumn(float x, int32_t width) {
  const int32_t column = rawColumn(x);
  if (width <= 0) return column;
  const int32_t folded = column % width;
  return folded < 0 ? folded + width : folded;
}

int32_t pixelRow(float y) { return cellIndex(y); }

MotionEvent PlayerBody::record(const PlayerBase& player, uint8_t code, uint8_t phase) const {
  MotionEvent event{code, phase, player.position.x, player.position.y, velocity.x, velocity.y, accel.x, accel.y};
  if (phase == MotionEvent::kPushPhase) {
    event.ax = impulse.x;
    event.ay = impulse.y;
  }
  return event;
}

void PlayerBody::step(PlayerBase& player, float dt, BodyHooks& hooks) {
  if (player.world == nullptr) return;
  WorldMap& map = player.world->map();
  const BlockPropsTable& props = map.props();
  player.cooldown = player.cooldown > 0 ? player.cooldown - dt / 60 : 0;
  accel = impulse;
  impulse = {0, 0};
  inLiquid = isFullOfLiquid(currentCell) ? 1 : 0;
  const float h = size.y;
  if (onLadder) {
    const MapBlock* below = currentCell != nullptr ? map.cellAt(currentCell->x, currentCell->y - 1) : nullptr;
    const bool nearBottom = currentCell != nullptr && player.position.y - (currentCell->y * kCell - kHalfCell) <= h / 2;
    onLadder = isClimbable(currentCell, props) || (isClimbable(below, props) && nearBottom) ? 1 : 0;
  }
  const bool wasRising = velocity.y >= 0 || onLadder;
  const bool freeFlight = player.inFreeFlight();
  if (!freeFlight && !onLadder) applyGravity(player, dt);
  if (freeFlight) {
    const float boost = player.hasFlag(player_flag::kNoClip) ? 5.0f : 1.0f;
    if (hKey != kNoKey) accel.x += (hKey == 0 ? -kWalkPush : kWalkPush) * boost;
    if (vKey != kNoKey) accel.y += (vKey == 0 ? kWalkPush : -kWalkPush) * boost;
    velocity.x = std::clamp(velocity.x + accel.x, -kMostAcross, kMostAcross) * kFlightKeeps;
    velocity.y = std::clamp(velocity.y + accel.y, -kMostUpDown, kMostUpDown) * kFlightKeeps;
  } else {
    walk(player, map);
  }
  const float oldX = player.position.x;
  player.position.y += velocity.y;
  collideVertically(player, map, hooks);
  player.position.x += velocity.x;
  collideHorizontally(player, map);
  surface(player, map);
  afterMove(player, map, oldX);
  sendSpriteEvents(player, wasRising);
}

void PlayerBody::applyGravity(const PlayerBase& player, float dt) {
  float g = -0.3f;
  if (!inLiquid && player.hasFlag(player_flag::kLowGravity)) {
    g = -0.09f;
  } else if (!inLiquid && player.hasFlag(player_flag::kHighGravity)) {
    g = -0.45f;
  } else if (player.hasFlag(player_flag::kReverseGravity)) {
    g = 0.3f;
  } else if (velocity.y < 0 && player.hasFlag(player_flag::kSlowFall)) {
    g = -0.15f;
  } else if (jumpHold) {
    jumpHoldTime += dt;
    if (jumpHoldTime >= 30) {
      jumpHold = 0;
    } else {
      g = ((jumpHoldTime / 30) * 0.1f + 0.4f) * -0.3f;
    }
  }
  accel.y += g;
}

void PlayerBody::walk(PlayerBase& player, const WorldMap& map) {
  const BlockPropsTable& props = map.props();
  const float* bonus = player.stats.moveBonus;  // walk, climb, jump, swim
  const float x = player.position.x;
  const float centreX = rawColumn(x) * kCell;
  bool airClamp = false;
  if (hKey != kNoKey) {
    const float d = hKey == 0 ? -1.0f : 1.0f;
    if (grounded) {
      accel.x += d * (1 + bonus[0]) * kWalkPush * (lowFriction ? 0.5f : 1.0f) * (inLiquid ? 0.8f : 1.0f);
    } else if (onLadder) {
      accel.x += d * kClimbPush;
    } else if (inLiquid) {
      accel.x += d * (1 + bonus[3]) * 0.48f;
    } else {
      accel.x += d * (1 + bonus[2]) * 0.15f;
      airClamp = true;
    }
  }
  if (vKey == 0) {
    if (inLiquid) {
      accel.y += (1 + bonus[3]) * kSwimPush;
    } else {
      if (!onLadder && isClimbable(currentCell, props) && std::fabs(centreX - x) < kLadderGrab) {
        onLadder = 1;
        velocity = {0, 0};
      }
      if (onLadder && currentCell != nullptr) {
        const MapBlock* above = map.cellAt(currentCell->x, currentCell->y + 1);
        if (pixelRow(player.position.y + size.y / 2) == currentCell->y || isClimbable(above, props) ||
            currentCell->blocksMovement(props)) {
          accel.y += (1 + bonus[1]) * kClimbPush;
        }
      }
    }
  } else if (vKey == 1 && onLadder) {
    accel.y -= (1 + bonus[1]) * kClimbPush;
  }
  if (std::fabs(centreX - x) >= kLadderGrab) onLadder = 0;
  if (inLiquid) {
    velocity.x *= kLiquidKeeps;
    velocity.y *= kLiquidKeeps;
  }
  velocity.x = std::clamp(velocity.x + accel.x, -kMostAcross, kMostAcross);
  velocity.y = std::clamp(velocity.y + accel.y, -kMostUpDown, kMostUpDown);
  if (airClamp) velocity.x = std::clamp(velocity.x, -kMostSteering, kMostSteering);
  if (velocity.y <= -1.0f) jumpHold = 0;
  if (lowFriction && hKey == kNoKey) {
    velocity.x *= 0.96f;
  } else if (!grounded && !onLadder) {
    velocity.x *= 0.95f;
  } else {
    velocity.x *= kGroundKeeps;
  }
  velocity.y *= onLadder ? kGroundKeeps : kFallKeeps;
}

void PlayerBody::collideVertically(PlayerBase& player, WorldMap& map, BodyHooks& hooks) {
  const bool wasGrounded = grounded;
  lowFriction = 0;
  grounded = 0;
  if (player.hasFlag(player_flag::kNoClip)) return;
  const BlockPropsTable& props = map.props();
  engine::Vec2& p = player.position;
  const float w = size.x;
  const float h = size.y;
  const int32_t row = pixelRow(p.y);
  if (velocity.y >= 0) {
    fallStart = nullptr;
    settlingFromPlacement = 0;
  }
  if (velocity.y < 0) {
    if (!inLiquid && !onLadder) {
      if (fallStart == nullptr && settlingFromPlacement == 0) fallStart = currentCell;
    } else {
      fallStart = nullptr;
      settlingFromPlacement = 0;
    }
    const int32_t footRow = pixelRow(p.y - h / 2);
    if (footRow >= row) return;
    MapBlock* left = map.cellAt(rawColumn(p.x - w / 2), footRow);
    MapBlock* right = map.cellAt(rawColumn(p.x + w / 2 - 1), footRow);
    if (left == ignoreCell || right == ignoreCell) return;
    if (!blocksEntryFromAbove(left, props) && !blocksEntryFromAbove(right, props)) return;
    const float speed = -velocity.y;
    velocity.y = 0;
    p.y = (footRow + 1) * kCell - kHalfCell + h / 2;
    grounded = 1;
    settlingFromPlacement = 0;
    lowFriction = !player.hasFlag(player_flag::kFirmFeet) &&
                  (hasLowFriction(left, props) || hasLowFriction(right, props));
    if (wasGrounded) return;
    velocity.x *= 0.2f;
    spriteEvent(player, kIdle);
    auto above = [&map](MapBlock* c) { return c != nullptr ? map.cellAt(c->x, c->y + 1) : nullptr; };
    hooks.landed(above(left), above(right), left, right, speed);
  } else if (velocity.y > 0) {
    const int32_t headRow = pixelRow(p.y + h / 2);
    if (headRow <= row) return;
    const MapBlock* a = map.cellAt(rawColumn(p.x - w / 2), headRow);
    const MapBlock* b = map.cellAt(rawColumn(p.x + w / 2 - 1), headRow);
    if (a == nullptr || b == nullptr || blocksEntryFromBelow(a, props) || blocksEntryFromBelow(b, props)) {
      velocity.y = 0;
      p.y = headRow * kCell - kHalfCell - h / 2;
    }
  }
}

bool PlayerBody::collideHorizontally(PlayerBase& player, WorldMap& map) {
  if (player.hasFlag(player_flag::kNoClip)) return false;
  const BlockPropsTable& props = map.props();
  engine::Vec2& p = player.position;
  const float w = size.x;
  const int32_t centre = rawColumn(p.x);
  const int32_t left = rawColumn(p.x - w / 2);
  const int32_t right = rawColumn(p.x + w / 2);
  const int32_t top = pixelRow(p.y + size.y / 2);
  const int32_t bottom = pixelRow(p.y - size.y / 2);
  if (velocity.x > 0.0005f && right != centre) {
    if (blocksExitRight(currentCell, props) || blocksEntryFromLeft(map.cellAt(right, top), props) ||
        blocksEntryFromLeft(map.cellAt(right, bottom), props)) {
      velocity.x = 0;
      p.x = centre * kCell + kHalfCell - w / 2;
      return true;
    }
  } else if (velocity.x < -0.0005f && left != centre) {
    if (blocksExitLeft(currentCell, props) || blocksEntryFromRight(map.cellAt(left, top), props) ||
        blocksEntryFromRight(map.cellAt(left, bottom), props)) {
      velocity.x = -0.0f;
      p.x = centre * kCell - kHalfCell + w / 2;
      return true;
    }
  }
  return false;
}

void PlayerBody::surface(PlayerBase& player, WorldMap& map) {
  surfacing = 0;
  if (player.inFreeFlight() || !inLiquid || vKey != 0 || currentCell == nullptr) return;
  const float top = player.position.y + size.y / 2;
  const int32_t topRow = pixelRow(top);
  if (topRow <= pixelRow(player.position.y) || top - (topRow * kCell - kHalfCell) <= 6) return;
  if (isFullOfLiquid(map.cellAt(currentCell->x, currentCell->y + 1))) return;
  surfacing = 1;
  player.position.y = topRow * kCell - kHalfCell + 6 - size.y / 2;
}

void PlayerBody::afterMove(PlayerBase& player, WorldMap& map, float oldX) {
  if (ignoreCell == currentCell) ignoreCell = nullptr;
  previousCell = currentCell;
  engine::Vec2& p = player.position;
  currentCell = map.cellAt(rawColumn(p.x), pixelRow(p.y));
  float shift = 0;
  if (currentCell != previousCell && currentCell != nullptr) {
    const int32_t oldColumn = previousCell != nullptr ? previousCell->x : currentCell->x;
    const int32_t oldRow = previousCell != nullptr ? previousCell->y : currentCell->y;
    const int32_t quarter = map.width() / 4;
    const float worldPixels = static_cast<float>(map.width()) * kCell;
    if (currentCell->x < quarter && oldColumn > quarter) shift = -worldPixels;
    if (currentCell->x > quarter && oldColumn < quarter) shift = worldPixels;
    player.cellX = currentCell->x;
    player.cellY = currentCell->y;
    player.moveToCell(previousCell);
    p.x += shift;
    const int dx = std::clamp(currentCell->x - oldColumn, -1, 1);
    const int dy = std::clamp(currentCell->y - oldRow, -1, 1);
    player.events().cellChanged(player, shift != 0 ? 0 : dx, dy, shift != 0);
  }
  if (grounded && std::fabs(velocity.x) > kEpsilon && currentCell != nullptr) {
    const float centreX = rawColumn(p.x) * kCell;
    const float before = oldX + shift - centreX;
    const float after = p.x - centreX;
    if ((before < 0 && after > 0) || (before > 0 && after < 0)) {
      const MapBlock* below = map.cellAt(currentCell->x, currentCell->y - 1);
      if (below != nullptr) player.events().tileSound(*below);
    }
  }
}

void PlayerBody::spriteEvent(PlayerBase& player, uint8_t code) {
  if (code == motionEvent) return;
  motionEvent = code;
  player.events().motionEvent(player, code);
}

void PlayerBody::sendSpriteEvents(PlayerBase& player, bool wasRising) {
  const float vx = velocity.x;
  const float vy = velocity.y;
  const bool anyKey = hKey != kNoKey || vKey != kNoKey;
  if (player.inFreeFlight()) {
    spriteEvent(player, anyKey || std::fabs(vx) + std::fabs(vy) > 0.1f ? 12 : kIdle);
  } else {
    if (inLiquid && !grounded && anyKey) {
      spriteEvent(player, 10);
    } else if (onLadder && anyKey) {
      spriteEvent(player, 7);
    }
    if (wasRising && vy < 0 && !onLadder) {
      spriteEvent(player, 2);
    } else if (vx != 0 && hKey != kNoKey && grounded) {
      spriteEvent(player, vx > 0 ? 1 : 3);
    } else if ((hKey == kNoKey && grounded && !onLadder) || (vKey == kNoKey && onLadder) ||
               (std::fabs(vx) < 0.1f && std::fabs(vy) < 0.1f)) {
      spriteEvent(player, kIdle);
    }
  }
  if (!facingLocked && hKey != kNoKey && std::fabs(vx) > kEpsilon) {
    player.events().setFacing(player, vx <= 0);
  }
}
