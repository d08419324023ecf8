#pragma once
// A joining client's world and its entity lists, built from the host's header with the context
// the client's game gives (world_arrival.h), like any other world: the entity members the game
// leaves empty (effects, bodies, kept mobs) are the world's own lists. Owned by the client's
// receiver for the endpoint's lifetime.
//
// Main thread only.

#include <memory>

#include "world/world_context.h"

class World;
class WorldEntities;
struct WorldHeader;

class ClientWorld {
 public:
  ClientWorld(const WorldHeader& header, WorldContext context);
  ~ClientWorld();
  ClientWorld(const ClientWorld&) = delete;
  ClientWorld& operator=(const ClientWorld&) = delete;

  World& world() { return *world_; }
  WorldEntities& entities() { return *entities_; }

 private:
  std::unique_ptr<World> world_;
  std::unique_ptr<WorldEntities> entities_;
};
