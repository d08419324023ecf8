// How fast the body may go by its own rules, and a record from the machine that moves it held to
// that: what the host lets a client's record of her body say.

#include <algorithm>
#include <cmath>

#include "game/player/player_base.h"
#include "game/player/player_body.h"
#include "world/cells/cell_sides.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCell = 30.0f;
constexpr float kHalfCell = 15.0f;

// The speed a push each frame settles at when each frame keeps `keeps` of the speed after it.
float settled(float push, float keeps) { return push * keeps / (1 - keeps); }

// Her walk at its fastest with her bonus: the key's push on the ground, settled.
float fastestWalk(const PlayerBase& player) {
  return settled((1 + player.stats.moveBonus[0]) * PlayerBody::kWalkPush, PlayerBody::kGroundKeeps);
}

float jumpSpeed(const PlayerBase& player) { return PlayerBody::kJumpStrength * (1 + player.stats.moveBonus[2]); }

}  // namespace

bool PlayerBody::mayLeaveGround(const PlayerBase& player, engine::Vec2 at) const {
  if (grounded || onLadder || inLiquid || surfacing) return true;
  if (player.world == nullptr) return false;
  const WorldMap& map = player.world->map();
  const BlockPropsTable& props = map.props();
  const int32_t width = map.width();
  const MapBlock* here = map.cellAt(pixelColumn(at.x, width), pixelRow(at.y));
  if (isClimbable(here, props) || isFullOfLiquid(here)) return true;
  // Feet on the floor of the row below: standing there, as the fall's own test finds it.
  const float feet = at.y - size.y / 2;
  const int32_t footRow = pixelRow(feet - 1);
  const float floorTop = static_cast<float>(footRow + 1) * kCell - kHalfCell;
  if (feet - floorTop > 1.0f) return false;
  const MapBlock* left = map.cellAt(pixelColumn(at.x - size.x / 2, width), footRow);
  const MapBlock* right = map.cellAt(pixelColumn(at.x + size.x / 2 - 1, width), footRow);
  return blocksEntryFromAbove(left, props) || blocksEntryFromAbove(right, props);
}

PlayerBody::Pace PlayerBody::mostPace(const PlayerBase& player) const {
  if (player.inFreeFlight()) return {kMostAcross, kMostUpDown, kMostUpDown};
  const float* bonus = player.stats.moveBonus;  // walk, climb, jump, swim
  // On the ground she goes no faster than her walk settles at; off it, than she steers.
  const float walk = fastestWalk(player);
  const float across = grounded ? walk : std::max(walk, kMostSteering);
  const float climb = settled((1 + bonus[1]) * kClimbPush, kGroundKeeps);
  // In liquid each frame keeps part of the speed, takes the push, then keeps part again.
  const float swim = (1 + bonus[3]) * kSwimPush * kFallKeeps / (1 - kFallKeeps * kLiquidKeeps);
  // Off the ground a record may only catch up with the body's own rise or fall (a late or early
  // frame of it), or with a climb's or a swim's speed.
  const float own = std::fabs(velocity.y + impulse.y);
  float up = mayLeaveGround(player, player.position) ? std::max(jumpSpeed(player), own) : std::max({own, climb, swim});
  if (player.hasFlag(player_flag::kReverseGravity)) up = kMostUpDown;
  return {across, up, kMostUpDown};
}

void PlayerBody::boundRecord(const PlayerBase& player, MotionEvent& motion) const {
  if (player.inFreeFlight() || player.hasFlag(player_flag::kReverseGravity)) return;
  // The body's own speed, with what is about to push it (a jump replayed, not yet stepped).
  const engine::Vec2 own{velocity.x + impulse.x, velocity.y + impulse.y};
  const float up = mayLeaveGround(player, {motion.x, motion.y}) ? std::max(jumpSpeed(player), own.y)
                                                                 : std::max(0.0f, own.y);
  const float across = std::max(std::fabs(own.x), std::max(fastestWalk(player), kMostSteering));
  motion.vy = std::min(motion.vy, up);
  motion.vx = std::clamp(motion.vx, -across, across);
  if (motion.phase != MotionEvent::kPushPhase) return;
  // A push adds to the speed: together they rise no faster than the body could.
  motion.ay = std::min(motion.ay, std::max(0.0f, up - std::max(0.0f, motion.vy)));
  motion.ax = std::clamp(motion.ax, -across, across);
}
