#pragma once
// The container of a running world: its map, the lists of block entities, the explosion queue,
// the plant registry, the protected areas, the circuit simulation, the day clock, the weather and
// the places of the entities' spawner and path finder. Every change of a cell arrives as one
// `BlockEdit`: the host and single play apply it with `applyBlockEdit` (which runs the world's
// own consequences: block entities, drops, waking what rested above), a client applies the host's
// copy with `applyCellChange`. Both pass the edit through the one validator first and keep light,
// liquids, shadows, top heights, circuits and block entities current.
//
// The rules, the game that takes the world's own follow-up edits, the entities, the view and the
// sounds are reached through the world's context (`WorldContext`), given at creation or bound
// later with `setContext`; each accessor answers the null form of a member that is not set. Code
// below the edges takes them from here, never from the process-wide current objects, so several
// worlds live side by side in one process.
// A world is built and generated on the world-load thread and played on the main thread; its edit
// entry points and block entity lifecycle assert the main thread in debug builds. Nothing here
// locks.

#include <atomic>
#include <cstdint>
#include <memory>
#include <set>

#include "world/blocks/logic_blocks.h"
#include "world/edits/edit_result.h"
#include "world/generator/world_generator.h"
#include "world/map/world_params.h"
#include "world/portals/portal_list.h"
#include "world/time/day_clock.h"
#include "world/time/world_timers.h"
#include "world/weather/weather_state.h"
#include "world/world_context.h"

class AlchemyLab;
class CellPathFinder;
class Chest;
class CircuitSystem;
class EntityStore;
class ExplosionSystem;
class Forge;
class LeafDecay;
class LogicBlock;
class LogicItemBlock;
class MapBlock;
class MobSpawner;
class PlantSystem;
class PlayerBase;
class PortalRegistry;
class ProtectedAreas;
class Shelf;
class Sign;
class Stable;
class WorldEntities;
class WorldMap;
struct BlockEdit;
struct DifficultyRow;

class World {
 public:
  // Width and height 0 take the size table of the parameters' size index.
  static std::unique_ptr<World> create(const DifficultyRow* difficulty, const WorldParams& params,
                                       int32_t width = 0, int32_t height = 0, WorldContext context = {});
  // A world of the parameters' size to be generated, whose grid of cells `generate` makes on the
  // thread that generates it.
  static std::unique_ptr<World> createToGenerate(const DifficultyRow* difficulty, const WorldParams& params);
  World(const DifficultyRow* difficulty, const WorldParams& params, int32_t width = 0, int32_t height = 0,
        WorldContext context = {}, CellsMade cells = CellsMade::Now);
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // ---- Context ----
  // What the world calls beyond itself; members left null answer their null form.
  // A new context's view size is the spawner's at once.
  void setContext(const WorldContext& context);
  const WorldContext& context() const { return context_; }
  // The cells the world's view keeps on screen; zero counts while its context knows none.
  VisibleCellCounts visibleCells() const;
  Logic& rules();
  // Where the world's own follow-up edits go (liquid flow, the break cascade).
  GameInterface& edits();
  CellRefresh& refresh();
  CellSounds& sounds();
  WorldBodies& bodies();
  EntityEffects& effects();
  ShelfDisplays& shelfDisplays();
  StableMobs& stableMobs();
  const CarriedLights& playerLights() const;  // the lights its players carry
  LightRefreshBatching& lightBatching();
  const WorldOptions& options() const;
  // The world's own timed tasks, on the context's scheduler; all unscheduled when the world goes.
  WorldTimers& timers() { return timers_; }
  // The world's own entities (entity_store.h): made by its context's maker, ended with the world;
  // null while it has none. Two worlds never share one.
  WorldEntities* entities();
  const WorldEntities* entities() const;

  // ---- Cells and edits ----
  MapBlock* cellAt(int32_t x, int32_t y);
  EditResult applyBlockEdit(const BlockEdit& edit, PlayerBase* context);
  EditResult applyCellChange(const BlockEdit& edit, PlayerBase* context);

  // ---- Generation ----
  // Fills the new world's cells for its planet stage by stage, reporting each stage's text through
  // `progress` on the calling thread (the world-load thread; the caller hands the texts to the main
  // thread). Busy while it runs, so removals drop nothing and nothing is sent. Returns the spawn
  // cell the generator chose. Setting `stop` (from any thread) ends the generation at its next
  // check, within a column's work; the world is then half made, for its maker to throw away. A
  // world made to be generated (`createToGenerate`) gets its grid of cells here first.
  SpawnCell generate(const GeneratorProgress& progress, GeneratorHooks hooks = {},
                     const std::atomic<bool>* stop = nullptr);
  // The give-up and liquid counts of the last generation.
  const GenerationCounts& generationCounts() const { return generationCounts_; }

  // ---- Block entities ----
  void createBlockEntityFor(MapBlock& cell, const BlockEdit& edit);
  void removeBlockEntityAt(MapBlock& cell, uint8_t layer, PlayerBase* actor, bool drop);
  // The entity of a cell in any list, null when none.
  LogicBlock* blockEntityAt(const MapBlock& cell) const;
  // The entity a handle names in any list; null once it is gone.
  LogicBlock* resolve(BlockEntityHandle handle) const;

  // ---- Identity ----
  // A number of its own, never given to another world while the process runs: what tells a new
  // world from the one before, even when it was made at the old one's address.
  uint32_t serial() const { return serial_; }

  // ---- Parts ----
  WorldMap& map() { return *map_; }
  const WorldMap& map() const { return *map_; }
  bool isBusy() const { return busy_ != 0; }
  void setBusy(bool busy) { busy_ = busy ? 1 : 0; }
  bool isCreative() const { return creative_ != 0; }
  bool portalsWork() const { return thirdMode_ != 0; }
  bool peaceful() const;
  // The difficulty row the world was made with; null for none (neutral factors).
  const DifficultyRow* difficulty() const { return difficulty_; }
  LogicBlocks<Shelf>& shelves() { return shelves_; }
  LogicBlocks<Stable>& stables() { return stables_; }
  LogicBlocks<Chest>& chests() { return chests_; }
  std::set<size_t>& markedCells() { return markedCells_; }
  LogicBlocks<Sign>& signs() { return signs_; }
  ExplosionSystem& explosions() { return *explosions_; }
  PlantSystem& plants() { return *plants_; }
  LogicBlocks<Forge>& forges() { return forges_; }
  LogicBlocks<AlchemyLab>& alchemyLabs() { return alchemyLabs_; }
  ProtectedAreas& protectedAreas() { return *protectedAreas_; }
  PortalRegistry& portals() { return *portals_; }
  // The game's portal list from the context; a world given none keeps one of its own.
  PortalList& portalList() { return context_.portals != nullptr ? *context_.portals : ownPortals_; }
  LeafDecay& leafDecay() { return *leafDecay_; }
  CellPathFinder& pathFinder() { return *pathFinder_; }
  CircuitSystem& circuits() { return *circuits_; }
  DayClock& dayClock() { return dayClock_; }
  MobSpawner& mobSpawner() { return *mobSpawner_; }
  WeatherState& weather() { return weather_; }
  bool recentDifficultySwitch() const { return !noRecentDifficultySwitch_; }

 private:
  // The block entity that the block carries, made for the cell; false when it carries none.
  // The front layer also carries the shelves.
  bool addFrontEntity(MapBlock& cell, uint16_t id);
  bool addEntity(MapBlock& cell, uint16_t id);
  void releaseFrontEntity(MapBlock& cell, bool drop);
  void dropRemovalExtras(MapBlock& cell, uint16_t blockId, PlayerBase* actor);
  void dropSeeds(MapBlock& cell);
  void dropCircuitPartItems(MapBlock& cell);
  // The first entity that `find` answers for a list, in list order: chests, signs, alchemy labs,
  // forges, stables, shelves.
  template <class Find>
  LogicBlock* findInLists(const Find& find) const;
  // The context's maker gives the world its entities, once.
  void makeEntities();

  uint32_t serial_;
  uint8_t busy_ = 0;
  uint8_t creative_ = 0;
  uint8_t thirdMode_ = 0;
  std::unique_ptr<WorldMap> map_;
  LogicBlocks<Shelf> shelves_;
  LogicBlocks<Stable> stables_;
  LogicBlocks<Chest> chests_;
  std::set<size_t> markedCells_;  // cells the rules mark (by cell index)
  LogicBlocks<Sign> signs_;
  std::unique_ptr<ExplosionSystem> explosions_;
  std::unique_ptr<PlantSystem> plants_;
  LogicBlocks<Forge> forges_;
  LogicBlocks<AlchemyLab> alchemyLabs_;
  std::unique_ptr<ProtectedAreas> protectedAreas_;
  std::unique_ptr<PortalRegistry> portals_;
  PortalList ownPortals_;
  std::unique_ptr<LeafDecay> leafDecay_;
  std::unique_ptr<CellPathFinder> pathFinder_;
  std::unique_ptr<CircuitSystem> circuits_;
  DayClock dayClock_;
  std::unique_ptr<MobSpawner> mobSpawner_;
  WeatherState weather_;
  const DifficultyRow* difficulty_ = nullptr;
  bool noRecentDifficultySwitch_ = true;
  GenerationCounts generationCounts_;
  WorldContext context_;
  std::unique_ptr<EntityStore> entities_;  // goes before the map its entities stand in
  WorldTimers timers_{context_};  // last: its timers go before anything they step
};
