#pragma once
// What a joining client's game does with the world the host sends: the seam between the
// receiver (world_receiver.h) and the client's game, which implements it when a client game
// exists (until then the null form: the world is built and kept by the receiver, and nothing
// else learns of it).
//
// The receiver builds the world with the context `worldContext` gives, like any other world; it
// owns the world and its entity lists for the endpoint's lifetime and hands references out.
//
// Main thread only.

#include <cstdint>

#include "net/transfer/world_header.h"
#include "world/world_context.h"

class World;
class WorldEntities;

class WorldArrival {
 public:
  virtual ~WorldArrival() = default;
  // The context the client's world is built with (its edits, refresh, sounds, scheduler);
  // members left null that entities answer for (effects, bodies, kept mobs) are the world's own
  // entity lists.
  virtual WorldContext worldContext() = 0;
  // The header built the world: the local player's spawn and cell; the world goes to the player,
  // the game, the views and the main layer.
  virtual void worldCreated(World& world, WorldEntities& entities, const PlayerCells& player) = 0;
  // The first cells arrived: the game's loading begins.
  virtual void downloadStarted() = 0;
  // Every cell arrived and the light is computed.
  virtual void cellsComplete(World& world) = 0;
  // The host's day clock came ([3][68]): the game enters the world a moment later (its
  // start-loading timer, 0.05 s), which ends in `NetClient::enterWorld`.
  virtual void clockArrived(World& world) = 0;
};

class NullWorldArrival final : public WorldArrival {
 public:
  WorldContext worldContext() override { return {}; }
  void worldCreated(World&, WorldEntities&, const PlayerCells&) override {}
  void downloadStarted() override {}
  void cellsComplete(World&) override {}
  void clockArrived(World&) override {}
};
