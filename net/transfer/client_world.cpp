#include "net/transfer/client_world.h"

#include "content/loader/game_tables_loader.h"
#include "entities/core/world_entities.h"
#include "net/transfer/world_header.h"
#include "world/time/day_clock.h"
#include "world/world.h"

ClientWorld::ClientWorld(const WorldHeader& header, WorldContext context)
    : maker_(std::make_unique<WorldEntitiesMaker>()) {
  if (context.entities == nullptr) context.entities = maker_.get();
  world_ = World::create(difficultyRow(header.difficulty), header.params, header.width, header.height, context);
  DayClock& clock = world_->dayClock();
  clock.tickCounter = header.clockTicks;
  clock.phase = static_cast<DayPhase>(header.clockPhase);
  clock.running = header.clockRunning;
  clock.updateDarkness();
}

// The world ends its entities with itself.
ClientWorld::~ClientWorld() = default;

WorldEntities& ClientWorld::entities() { return *world_->entities(); }
