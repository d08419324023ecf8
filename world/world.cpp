#include "world/world.h"

#include <utility>

#include "content/tables/difficulty_row.h"
#include "platform/settings/settings.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/sign.h"
#include "world/circuits/circuit_system.h"
#include "world/entities/world_entity_places.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/portals/portal_registry.h"
#include "world/protection/protected_areas.h"
#include "world/trees/growth_process.h"
#include "world/trees/leaf_decay.h"

std::unique_ptr<World> World::create(const DifficultyRow* difficulty, const WorldParams& params, int32_t width,
                                     int32_t height) {
  return std::make_unique<World>(difficulty, params, width, height);
}

World::World(const DifficultyRow* difficulty, const WorldParams& params, int32_t width, int32_t height)
    : creative_(isCreativeWorld(params) ? 1 : 0),
      thirdMode_(params.mode == 3 ? 1 : 0),
      map_(std::make_unique<WorldMap>(this, params, width, height)),
      explosions_(std::make_unique<ExplosionSystem>(*this)),
      plants_(std::make_unique<PlantSystem>(*map_)),
      protectedAreas_(std::make_unique<ProtectedAreas>(*map_)),
      portals_(std::make_unique<PortalRegistry>(*map_)),
      leafDecay_(std::make_unique<LeafDecay>(*map_)),
      pathFinder_(std::make_unique<CellPathFinder>()),
      circuits_(std::make_unique<CircuitSystem>(*this)),
      mobSpawner_(std::make_unique<MobSpawner>(*this)),
      weather_(params.planetId),
      difficulty_(difficulty) {
  pathFinder_->setMap(map_.get());
  // The damage rules go easier on a player who did not just switch the difficulty.
  noRecentDifficultySwitch_ = !kel::getLastDifficultySwitch();
}

World::~World() {
  // The map goes first; the entity lists after it only drop their objects.
  pathFinder_->setMap(nullptr);
  map_.reset();
}

MapBlock* World::cellAt(int32_t x, int32_t y) { return map_->cellAt(x, y); }

SpawnCell World::generate(const GeneratorProgress& progress, GeneratorHooks hooks) {
  if (!hooks.growTree) hooks.growTree = runGrowthToCompletion;  // the trees the surface dressing seeds
  WorldGenerator generator(*map_, progress, std::move(hooks));
  setBusy(true);
  const SpawnCell spawn = generateWorld(generator, map_->params(), kGenerationFlagWord);
  setBusy(false);
  generationCounts_ = generator.counts;
  return spawn;
}

bool World::peaceful() const { return difficulty_ != nullptr && difficulty_->peaceful(); }

LogicBlock* World::blockEntityAt(const MapBlock& cell) const {
  if (LogicBlock* found = chests_.findAt(cell)) return found;
  if (LogicBlock* found = signs_.findAt(cell)) return found;
  if (LogicBlock* found = alchemyLabs_.findAt(cell)) return found;
  if (LogicBlock* found = forges_.findAt(cell)) return found;
  if (LogicBlock* found = stables_.findAt(cell)) return found;
  return shelves_.findAt(cell);
}
