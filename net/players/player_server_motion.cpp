// Where a client's player stands is the host's to say: her records move the host's copy only as
// far as a body could have gone (motion_allowance.h).

#include <cmath>

#include "net/players/player_server.h"
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

MotionAllowance::Verdict PlayerServer::judgeMotion(engine::Vec2 to, bool flying) {
  return motion_.judge(gapBetween(position, to, world), gapBetween(leftPlace_, to, world), flying);
}

void PlayerServer::placedByHost(engine::Vec2 from) {
  leftPlace_ = from;
  motion_.placedByHost();
}

void PlayerServer::tellPlace() { setPosition(position.x, position.y); }
