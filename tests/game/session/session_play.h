#pragma once
// A local session playing in a world of its own: a 40 x 30 world of the given parameters built
// with the session's context, its local player standing at a cell, game and rules bound to both.

#include <memory>

#include "game/player/player_desktop.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "world/world.h"

namespace game_test {

inline void playIn(LocalSession& session, const WorldParams& params, uint32_t x, uint32_t y) {
  RunningWorld& running = session.running();
  running.world = World::create(nullptr, params, 40, 30, session.context());
  running.player = std::make_unique<PlayerDesktopLocal>(&session.game());
  session.game().world = running.world.get();
  session.game().player = running.player.get();
  session.rules().setWorld(running.world.get());
  session.rules().setPlayer(running.player.get());
  running.player->setWorld(running.world.get());
  running.player->setCellCoordinates(x, y);
}

}  // namespace game_test
