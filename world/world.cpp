#include "world/world.h"

#include <utility>

#include "content/tables/difficulty_row.h"
#include "engine/base/serial_counter.h"
#include "platform/settings/settings.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/shelf.h"
#include "world/blocks/stable.h"
#include "world/cells/visible_cell_counts.h"
#include "world/blocks/sign.h"
#include "world/cells/cell_refresh.h"
#include "world/circuits/circuit_system.h"
#include "world/entities/entity_store.h"
#include "world/entities/world_entity_places.h"
#include "world/explosions/explosion_system.h"
#include "world/light/carried_lights.h"
#include "world/light/light_refresh_batching.h"
#include "world/generator/generator_liquids.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"
#include "world/portals/portal_registry.h"
#include "world/protection/protected_areas.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/entity_effects.h"
#include "world/seams/shelf_displays.h"
#include "world/seams/stable_mobs.h"
#include "world/seams/world_bodies.h"
#include "world/seams/world_options.h"
#include "world/trees/growth_process.h"
#include "world/trees/leaf_decay.h"

std::unique_ptr<World> World::create(const DifficultyRow* difficulty, const WorldParams& params, int32_t width,
                                     int32_t height, WorldContext context) {
  return std::make_unique<World>(difficulty, params, width, height, context);
}

std::unique_ptr<World> World::createToGenerate(const DifficultyRow* difficulty, const WorldParams& params) {
  return std::make_unique<World>(difficulty, params, 0, 0, WorldContext{}, CellsMade::Later);
}

namespace {
uint32_t nextWorldSerial() {
  static engine::SerialCounter serials;
  return serials.next();
}
}  // namespace

World::World(const DifficultyRow* difficulty, const WorldParams& params, int32_t width, int32_t height,
             WorldContext context, CellsMade cells)
    : serial_(nextWorldSerial()),
      creative_(isCreativeWorld(params) ? 1 : 0),
      thirdMode_(params.mode == 3 ? 1 : 0),
      map_(std::make_unique<WorldMap>(this, params, width, height, cells)),
      explosions_(std::make_unique<ExplosionSystem>(*this)),
      plants_(std::make_unique<PlantSystem>(*map_)),
      protectedAreas_(std::make_unique<ProtectedAreas>(*map_, *this)),
      portals_(std::make_unique<PortalRegistry>(*map_)),
      leafDecay_(std::make_unique<LeafDecay>(*map_)),
      pathFinder_(std::make_unique<CellPathFinder>()),
      circuits_(std::make_unique<CircuitSystem>(*this)),
      mobSpawner_(std::make_unique<MobSpawner>(*this)),
      weather_(params.planetId),
      difficulty_(difficulty),
      context_(context) {
  pathFinder_->setMap(map_.get());
  mobSpawner_->followVisibleCells();
  makeEntities();
  // The damage rules go easier on a player who did not just switch the difficulty.
  noRecentDifficultySwitch_ = !kel::getLastDifficultySwitch();
}

void World::setContext(const WorldContext& context) {
  context_ = context;
  mobSpawner_->followVisibleCells();
  makeEntities();
}

void World::makeEntities() {
  if (entities_ == nullptr && context_.entities != nullptr) entities_ = context_.entities->make(*this);
}

WorldEntities* World::entities() { return entities_ != nullptr ? &entities_->lists() : nullptr; }
const WorldEntities* World::entities() const { return entities_ != nullptr ? &entities_->lists() : nullptr; }

VisibleCellCounts World::visibleCells() const {
  return context_.visibleCells != nullptr ? *context_.visibleCells : VisibleCellCounts{};
}

World::~World() {
  timers_.unscheduleAll();
  // The entities go first, while the cells they stand in are there; what the block entities ask of
  // them as the map goes then finds none.
  entities_.reset();
  pathFinder_->setMap(nullptr);
  map_.reset();
}

namespace {
// The member, or the shared null form (stateless, so every world may answer with the same one).
template <class Null, class Interface>
Interface& orNull(Interface* member) {
  static Null none;
  return member != nullptr ? *member : none;
}
}  // namespace

Logic& World::rules() { return orNull<NullLogic>(context_.rules); }
GameInterface& World::edits() { return orNull<NullGame>(context_.edits); }
CellRefresh& World::refresh() { return orNull<NullCellRefresh>(context_.refresh); }
CellSounds& World::sounds() { return orNull<NullCellSounds>(context_.sounds); }
// The context's member stands in front of the world's own entities.
WorldBodies& World::bodies() {
  if (context_.bodies == nullptr && entities_ != nullptr) return entities_->bodies();
  return orNull<NullWorldBodies>(context_.bodies);
}
EntityEffects& World::effects() {
  if (context_.effects == nullptr && entities_ != nullptr) return entities_->effects();
  return orNull<NullEntityEffects>(context_.effects);
}
ShelfDisplays& World::shelfDisplays() { return orNull<NullShelfDisplays>(context_.shelfDisplays); }
StableMobs& World::stableMobs() {
  if (context_.stableMobs == nullptr && entities_ != nullptr) return entities_->stableMobs();
  return orNull<NullStableMobs>(context_.stableMobs);
}
LightRefreshBatching& World::lightBatching() { return orNull<NullLightRefreshBatching>(context_.lightBatching); }

const CarriedLights& World::playerLights() const {
  static const NullCarriedLights none;
  if (context_.carriedLights != nullptr) return *context_.carriedLights;
  return none;
}

const WorldOptions& World::options() const {
  static const NullWorldOptions none;
  return context_.options != nullptr ? *context_.options : none;
}

MapBlock* World::cellAt(int32_t x, int32_t y) { return map_->cellAt(x, y); }

SpawnCell World::generate(const GeneratorProgress& progress, GeneratorHooks hooks, const std::atomic<bool>* stop) {
  if (!hooks.growTree) hooks.growTree = runGrowthToCompletion;  // the trees the surface dressing seeds
  map_->makeCells();
  WorldGenerator generator(*map_, progress, std::move(hooks), stop);
  setBusy(true);
  SpawnCell spawn;
  try {
    spawn = generateWorld(generator, map_->params(), kGenerationFlagWord);
  } catch (const GenerationStopped&) {
    finishLiquids(*map_);  // the simulator leaves settling, as a finished generation leaves it
  }
  setBusy(false);
  generationCounts_ = generator.counts;
  return spawn;
}

bool World::peaceful() const { return difficulty_ != nullptr && difficulty_->peaceful(); }

template <class Find>
LogicBlock* World::findInLists(const Find& find) const {
  if (LogicBlock* found = find(chests_)) return found;
  if (LogicBlock* found = find(signs_)) return found;
  if (LogicBlock* found = find(alchemyLabs_)) return found;
  if (LogicBlock* found = find(forges_)) return found;
  if (LogicBlock* found = find(stables_)) return found;
  return find(shelves_);
}

LogicBlock* World::resolve(BlockEntityHandle handle) const {
  return findInLists([&](const auto& list) -> LogicBlock* { return list.resolve(handle); });
}

LogicBlock* World::blockEntityAt(const MapBlock& cell) const {
  return findInLists([&](const auto& list) -> LogicBlock* { return list.findAt(cell); });
}
