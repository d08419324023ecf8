#pragma once
// A hosting session for the tests that play a generated world: the host's rules (`NetLogic`) and
// game (`GameRemoteServer`) over an endpoint, playing the world the content generates from seed 11
// at the smallest size, the host's own player standing at (10, 10) and telling `hostEvents` (null:
// nobody) what the host's screen shows of it.

#include <memory>

#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "game/session/local_session.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/game_remote_server.h"
#include "net/host_game/net_logic.h"
#include "tests/game/session/side_session.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace nettest {

// The same world each time: a client generating it with an empty context holds the host's cells.
// `mode`: the world's mode byte (1: creative); `difficulty`: its difficulty row (null: none).
inline std::unique_ptr<World> generatedWorld(const WorldContext& context, uint8_t mode = 0,
                                             const DifficultyRow* difficulty = nullptr) {
  WorldParams params;
  params.planetId = planetDefs().front()->id;
  params.sizeIndex = 0;
  params.mode = mode;
  engine::randomSeed(11);
  std::unique_ptr<World> world = World::create(difficulty, params, 0, 0, context);
  world->generate(nullptr);
  return world;
}

// A solid cell with air above it, in the column: what a player standing there would mine.
inline MapBlock* groundIn(WorldMap& map, int32_t column) {
  for (int32_t row = map.height() - 2; row > 0; --row) {
    MapBlock* cell = map.cellAt(column, row);
    if (cell->frontId() != 0 && map.cellAt(column, row + 1)->frontId() == 0) return cell;
  }
  return nullptr;
}

inline std::unique_ptr<LocalSession> hostingSession(NetServer& server, HostingControl& hosting, uint8_t mode = 0,
                                                    PlayerEvents* hostEvents = nullptr,
                                                    const DifficultyRow* difficulty = nullptr) {
  SessionKind kind{.rules = [&server] { return std::make_unique<NetLogic>(server, nullptr, nullptr, nullptr); },
                   .game = [&server, &hosting](LocalLogic& rules, const GameServices& services) {
                     return std::make_unique<GameRemoteServer>(static_cast<NetLogic&>(rules), server, hosting,
                                                               services);
                   }};
  auto session = std::make_unique<LocalSession>(WorldContext{}, nullptr, hostEvents, kind);
  game_test::playIn(*session, generatedWorld(session->context(), mode, difficulty), 10, 10, hostEvents);
  return session;
}

}  // namespace nettest
