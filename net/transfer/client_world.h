#pragma once
// A joining client's world, built from the host's header with the context the client's game gives
// (world_arrival.h), like any other world: it owns its entity lists, made by the game's maker or,
// when the game gives none, by lists whose bobbers know no casters. Owned by the client's receiver
// for the endpoint's lifetime.
//
// Main thread only.

#include <memory>

#include "world/world_context.h"

class EntityStoreMaker;
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
  WorldEntities& entities();

 private:
  std::unique_ptr<EntityStoreMaker> maker_;
  std::unique_ptr<World> world_;
};
