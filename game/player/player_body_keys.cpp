// The body's keys, jumps, drops and pushes, and the questions other code asks about the body.

#include <cmath>

#include "world/cells/cell_sides.h"
#include "game/player/player_base.h"
#include "game/player/player_body.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCell = 30.0f;
constexpr float kHalfCell = 15.0f;
constexpr float kEpsilon = 1.1920929e-07f;

int32_t column(float x) { return static_cast<int32_t>(std::floor((x + kHalfCell) / kCell)); }

}  // namespace

void PlayerBody::pressKey(uint8_t code) {
  switch (code) {
    case MotionEvent::kUp: vKey = 0; break;
    case MotionEvent::kDown: vKey = 1; break;
    case MotionEvent::kLeft: hKey = 0; break;
    case MotionEvent::kRight: hKey = 1; break;
    default: break;
  }
}

void PlayerBody::releaseKey(uint8_t code) {
  switch (code) {
    case MotionEvent::kHeldJump: jumpHold = 0; break;
    case MotionEvent::kUp: if (vKey == 0) vKey = kNoKey; break;
    case MotionEvent::kDown: if (vKey == 1) vKey = kNoKey; break;
    case MotionEvent::kLeft: if (hKey == 0) hKey = kNoKey; break;
    case MotionEvent::kRight: if (hKey == 1) hKey = kNoKey; break;
    default: break;
  }
}

void PlayerBody::setMoveKeys(uint8_t code, PlayerBase& player, BodyHooks& hooks) {
  pressKey(code);
  hooks.sendMotion(record(player, code, MotionEvent::kPressed));
}

void PlayerBody::handleKeyRelease(uint8_t code, PlayerBase& player, BodyHooks& hooks) {
  releaseKey(code);
  hooks.sendMotion(record(player, code, MotionEvent::kReleased));
}

// The copy takes the sender's position and velocity as they were when the key changed, so the
// steps that follow run as the sender's did; nothing is sent again. Her jump and her drop through
// a platform are replayed too: else the copy walks into the step she jumped or falls into the gap
// she cleared, and the host judges her reach, pick-ups and hazards from that body.
void PlayerBody::applyMotion(PlayerBase& player, const MotionEvent& motion, BodyHooks& hooks) {
  player.position = {motion.x, motion.y};
  velocity = {motion.vx, motion.vy};
  placeCopy(player, motion);
  switch (motion.phase) {
    case MotionEvent::kPressed: replayPress(player, motion.code, hooks); break;
    case MotionEvent::kReleased: releaseKey(motion.code); break;
    case MotionEvent::kPushPhase: impulse = {motion.ax, motion.ay}; break;
    default: break;
  }
}

void PlayerBody::replayPress(PlayerBase& player, uint8_t code, BodyHooks& hooks) {
  switch (code) {
    case MotionEvent::kJump: jumpOrDrop(player, 0.0f, false, hooks); break;
    case MotionEvent::kHeldJump: jumpOrDrop(player, 0.0f, true, hooks); break;
    case MotionEvent::kDrop: drop(player, hooks); break;
    default: pressKey(code); break;
  }
}

// The cell under the recorded position: a jump judges the ground from there.
void PlayerBody::placeCopy(PlayerBase& player, const MotionEvent& motion) {
  if (player.world == nullptr) return;
  WorldMap& map = player.world->map();
  MapBlock* cell = map.cellAt(pixelColumn(motion.x, map.width()), pixelRow(motion.y));
  previousCell = currentCell;
  currentCell = cell;
  if (cell == nullptr) return;
  player.cellX = cell->x;
  player.cellY = cell->y;
}

void PlayerBody::releaseAllKeys(PlayerBase& player, BodyHooks& hooks) {
  if (hKey != kNoKey) {
    hooks.sendMotion(record(player, hKey == 0 ? MotionEvent::kLeft : MotionEvent::kRight, MotionEvent::kReleased));
  }
  if (vKey != kNoKey) {
    hooks.sendMotion(record(player, vKey == 0 ? MotionEvent::kUp : MotionEvent::kDown, MotionEvent::kReleased));
  }
  hKey = kNoKey;
  vKey = kNoKey;
}

void PlayerBody::jumpOrDrop(PlayerBase& player, float strength, bool hold, BodyHooks& hooks) {
  if (vKey != 1) {
    if (onLadder) {
      if (vKey == kNoKey) {
        velocity.y = 0;
        onLadder = 0;
      }
      return;
    }
    if (!((grounded && !inLiquid) || surfacing)) return;
    if (std::fabs(strength) < kEpsilon) {
      if (hold) {
        jumpHold = 1;
        jumpHoldTime = 0;
      }
      strength = (surfacing ? kSurfacingJumpStrength : kJumpStrength) * (1 + player.stats.moveBonus[2]);
    }
    impulse.y += strength;
    onLadder = 0;
    hooks.sendMotion(record(player, hold ? MotionEvent::kHeldJump : MotionEvent::kJump, MotionEvent::kPressed));
    spriteEvent(player, 0);
    return;
  }
  drop(player, hooks);
}

// Down through the platform under the feet (onto a ladder below, when there is one); refused over
// anything else.
void PlayerBody::drop(PlayerBase& player, BodyHooks& hooks) {
  if (player.world == nullptr) return;
  WorldMap& map = player.world->map();
  const BlockPropsTable& props = map.props();
  const float x = player.position.x;
  const int32_t below = static_cast<int32_t>(player.cellY) - 1;
  for (const MapBlock* cell : {map.cellAt(column(x - size.x / 2), below), map.cellAt(column(x + size.x / 2 - 1), below)}) {
    if (cell == nullptr || (cell->frontId() != 0 && !isPlatformCell(cell, props))) {
      onLadder = 0;
      return;
    }
  }
  hooks.sendMotion(record(player, MotionEvent::kDrop, MotionEvent::kPressed));
  MapBlock* under = currentCell != nullptr ? map.cellAt(currentCell->x, currentCell->y - 1) : nullptr;
  const float centreX = column(x) * kCell;
  if (!player.inFreeFlight() && isClimbable(under, props) && std::fabs(centreX - x) < kLadderGrab) {
    onLadder = 1;
    velocity = {0, 0};
  } else {
    impulse.y += 1.5f;
  }
  ignoreCell = under;
}

void PlayerBody::push(PlayerBase& player, float strength, float angle, BodyHooks& hooks) {
  impulse.x += strength * std::cos(angle);
  impulse.y += strength * std::sin(angle);
  hooks.sendMotion(record(player, MotionEvent::kPush, MotionEvent::kPushPhase));
}

void PlayerBody::placeOnCell(PlayerBase& player) {
  player.position = {player.cellX * kCell, player.cellY * kCell + size.y / 2 - kHalfCell};
  previousCell = currentCell;
  // A placed body starts any fall afresh: a stale start cell from the ground it stood on before
  // would measure the fall from there.
  fallStart = nullptr;
  currentCell = player.world != nullptr ? player.world->map().cellAt(column(player.position.x),
                                                                     pixelRow(player.position.y))
                                        : nullptr;
}

int32_t PlayerBody::motionState(const PlayerBase& player) const {
  if (player.inFreeFlight()) return grounded ? 0 : 9;
  if (onLadder && !grounded) return 5;
  if (inLiquid && !grounded) return 9;
  return grounded ? 0 : -1;
}

bool PlayerBody::hasHeadroom(const PlayerBase& player) const {
  if (player.inFreeFlight() || inLiquid || !grounded || player.world == nullptr) return false;
  WorldMap& map = player.world->map();
  const int32_t row = static_cast<int32_t>(player.cellY) + 1;
  const MapBlock* left = map.cellAt(column(player.position.x - size.x / 2), row);
  const MapBlock* right = map.cellAt(column(player.position.x + size.x / 2 - 1), row);
  if (left == nullptr || !map.props()[left->frontId()].fullyClear()) return false;
  return left == right || (right != nullptr && map.props()[right->frontId()].fullyClear());
}

bool PlayerBody::occupiesCell(const PlayerBase& player, const MapBlock& cell) const {
  const int32_t width = player.world != nullptr ? player.world->map().width() : 0;
  const engine::Vec2& p = player.position;
  const int32_t left = pixelColumn(p.x - size.x / 2, width);
  const int32_t right = pixelColumn(p.x + size.x / 2 - 1, width);
  const int32_t top = pixelRow(p.y + size.y / 2);
  const int32_t bottom = pixelRow(p.y - size.y / 2);
  const bool columnMatches = cell.x == left || (right != left && cell.x == right);
  return columnMatches && (cell.y == top || (top != bottom && cell.y == bottom));
}

void PlayerBody::liquidAround(const PlayerBase& player, uint8_t& body, uint8_t& head) const {
  body = inLiquid && currentCell != nullptr ? static_cast<uint8_t>(currentCell->liquidKind()) : 0;
  head = body;
  if (currentCell == nullptr || player.world == nullptr) return;
  if (pixelRow(player.position.y + size.y / 2) == currentCell->y) return;
  const MapBlock* above = player.world->map().cellAt(currentCell->x, currentCell->y + 1);
  if (above != nullptr) head = static_cast<uint8_t>(above->liquidKind());
}
