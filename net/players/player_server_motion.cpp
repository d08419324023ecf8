// Where a client's player stands is the host's to say: her records move the host's copy only as
// far as a body could have gone (motion_allowance.h).

#include <cmath>

#include "net/players/player_server.h"
#include "net/players/motion_path.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

// From `from` to `to`, x the shorter way across the world's wrap.
engine::Vec2 gapBetween(engine::Vec2 from, engine::Vec2 to, const World* world) {
  engine::Vec2 gap{to.x - from.x, to.y - from.y};
  if (world == nullptr) return gap;
  const float across = static_cast<float>(world->map().width()) * PlayerGraphical::kCellSize;
  if (across > 0) gap.x = std::remainder(gap.x, across);
  return gap;
}

}  // namespace

MotionAllowance::Verdict PlayerServer::judgeMotion(engine::Vec2 to, bool flying, const PlayerBody::Pace& pace) {
  MotionAllowance::Record record;
  record.gap = gapBetween(position, to, world);
  record.fromLeftPlace = gapBetween(leftPlace_, to, world);
  const engine::Vec2* windowStart = motion_.windowStart();
  record.fromWindowStart = gapBetween(windowStart != nullptr ? *windowStart : position, to, world);
  record.flying = flying;
  record.pace = pace;
  // A body without collisions goes through anything, as its own physics lets it.
  record.passable = world == nullptr || hasFlag(player_flag::kNoClip) ||
                    motion_path::bodyMayReach(world->map(), position, position + record.gap, bodySize());
  return motion_.judge(record);
}

void PlayerServer::placedByHost(engine::Vec2 from) {
  leftPlace_ = from;
  motion_.placedByHost();
}

void PlayerServer::tellPlace() { setPosition(position.x, position.y); }
