#pragma once
// A game played alone beside others in one process, as a host's and a client's will be: its own
// session with a 40 x 30 world built with the session's context and a local player at (10, 10);
// and the wiring of a world and a new local player into a session.

#include <cstdint>
#include <memory>
#include <utility>

#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "world/world.h"

namespace game_test {

// Puts the world into the session, with a new local player at the cell, wired to its game and rules
// and telling `events` (null: nobody).
inline void playIn(LocalSession& session, std::unique_ptr<World> world, int32_t column, int32_t row,
                   PlayerEvents* events = nullptr) {
  RunningWorld& running = session.running();
  running.world = std::move(world);
  running.player = std::make_unique<PlayerDesktopLocal>(&session.game(), events);
  session.game().lendWorld(running.world.get());
  session.game().lendPlayer(running.player.get());
  running.player->setTrades(session.game().trades());  // as the game's loading hands it
  session.rules().setWorld(running.world.get());
  session.rules().setPlayer(running.player.get());
  running.player->setWorld(running.world.get());
  running.player->setCellCoordinates(column, row);
}

struct SideSession {
  explicit SideSession(const WorldContext& seams = {}) : session(seams) {
    playIn(session, World::create(nullptr, WorldParams{}, 40, 30, session.context()), 10, 10);
  }
  World& world() { return *session.running().world; }

  LocalSession session;
};

}  // namespace game_test
