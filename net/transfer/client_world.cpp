#include "net/transfer/client_world.h"

#include "content/loader/game_tables_loader.h"
#include "entities/core/world_entities.h"
#include "net/transfer/world_header.h"
#include "world/time/day_clock.h"
#include "world/world.h"

ClientWorld::ClientWorld(const WorldHeader& header, WorldContext context) {
  world_ = World::create(difficultyRow(header.difficulty), header.params, header.width, header.height, context);
  entities_ = std::make_unique<WorldEntities>(*world_);
  if (context.effects == nullptr) context.effects = entities_.get();
  if (context.bodies == nullptr) context.bodies = entities_.get();
  if (context.stableMobs == nullptr) context.stableMobs = entities_.get();
  world_->setContext(context);
  DayClock& clock = world_->dayClock();
  clock.tickCounter = header.clockTicks;
  clock.phase = static_cast<DayPhase>(header.clockPhase);
  clock.running = header.clockRunning;
  clock.updateDarkness();
}

ClientWorld::~ClientWorld() {
  // The world lets go of its lists before they go, then goes itself.
  world_->setContext({});
  entities_.reset();
  world_.reset();
}
