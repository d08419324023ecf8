// The mobs' two searches that can grow with the world.
// (1) One spawner pass (groups 1, 0 and 2: despawning, candidate cells around every player, packs,
// liquid and daylight damage) on the largest world (4096 x 512, rolling ground, surface spawn rows
// for every group), with 1 and with 8 players standing apart and the groups already full, as they
// are between two passes of a game under way (a full group collects no candidate cells), and the
// candidate cells alone, which every group short of its cap collects. Goal: under 1 ms.
// (2) The pets' path finder: the worst search (the goal walled in beyond deep drops, so the search
// spends all 256 nodes and fails) and an ordinary one (the owner 15 cells away over hills); the
// second as searches per second for 4 pets re-planning together.
//
// Absolute figures only: there is no other implementation of these searches to compare with.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/support/absolute_figures.h"
#include "content/format/record_layout.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "engine/base/random.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_spawning.h"
#include "world/cells/block_flags.h"
#include "world/entities/world_entity_places.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStone = 1;
constexpr uint16_t kMobRow = 30;
constexpr int32_t kGround = 100;

int32_t groundAt(int32_t x) { return kGround + (x / 7) % 5; }

std::unique_ptr<World> rollingWorld() {
  WorldParams params;
  params.sizeIndex = 4;
  auto world = std::make_unique<World>(nullptr, params);
  WorldMap& map = world->map();
  map.mutableProps().mutableRow(kStone).flags = uint64_t{1} << block_flag::kSolid;
  map.mutableProps().mutableRow(0).transparency = 1;
  for (int32_t x = 0; x < map.width(); ++x) {
    for (int32_t y = 0; y <= groundAt(x); ++y) map.cell(x, y).setFront(kStone, 0, 0);
    for (int32_t y = groundAt(x) + 1; y < map.height(); ++y) map.cell(x, y).setSkyLevel(15);
  }
  return world;
}

void defineRows(uint32_t planet) {
  namespace r = content::mob_record;
  namespace g = content::mob_group_record;
  MobDef& mob = contentTables().mobDefs[kMobRow];
  const float health = 20;
  std::memcpy(&mob.bytes[r::maxHealth], &health, 4);
  mob.bytes[r::mobId] = kMobRow;
  mob.bytes[r::width] = mob.bytes[r::height] = 20;
  ContentTables& t = contentTables();
  t.mobGroupCount = 0;
  for (uint8_t group = 0; group < 3; ++group) {
    MobGroupDef& row = t.mobGroupDefs[t.mobGroupCount++];
    row = MobGroupDef{};
    row.members = {&mob};
    auto& b = row.record.bytes;
    const uint64_t anyBlock = uint64_t{1} << 32;
    const float one = 1, two = 2, zero = 0;
    std::memcpy(&b[g::standableBlocks], &anyBlock, 8);
    std::memcpy(&b[g::probability], &one, 4);
    std::memcpy(&b[g::depthRange], &zero, 4);
    std::memcpy(&b[g::depthRange + 4], &two, 4);
    b[g::lightRange] = b[g::lightRange + 1] = 255;
    b[g::packSize] = 1;
    b[g::packSize + 1] = 3;
    b[g::dayPhases] = 15;
    b[g::mobCount] = 1;
    std::memcpy(&b[g::planetId], &planet, 4);
    b[g::spawnGroup] = group;
  }
}

// Several players standing apart; spawns go straight into the lists.
class PlayersLogic final : public NullLogic {
 public:
  PlayersLogic(WorldEntities& lists, int players) : lists_(lists) {
    for (int i = 0; i < players; ++i) columns_.push_back(200 + i * 400);
  }
  uint32_t playerCount() override { return static_cast<uint32_t>(columns_.size()); }
  std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock& cell) override {
    const int32_t width = lists_.world()->map().width();
    std::pair<uint16_t, uint16_t> best{65535, 65535};
    for (int32_t x : columns_) {
      int32_t dx = std::abs(static_cast<int32_t>(cell.x) - x);
      dx = std::min(dx, width - dx);
      const int32_t dy = std::abs(static_cast<int32_t>(cell.y) - (groundAt(x) + 1));
      if (dx + dy < best.first + best.second) best = {static_cast<uint16_t>(dx), static_cast<uint16_t>(dy)};
    }
    return best;
  }
  void collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) override {
    for (int32_t x : columns_) {
      ::collectSpawnCells(lists_, lists_.world()->map().cell(x, groundAt(x) + 1), out, rule);
    }
  }
  MobEntity* spawnMob(const MobDef* row, engine::Vec2 at, engine::Vec2 motion, uint8_t, PlayerBase*,
                      uint8_t group) override {
    std::unique_ptr<RealEntity> mob = createMobEntity(*lists_.world(), *row, group, at, motion);
    return static_cast<MobEntity*>(&lists_.add(std::move(mob)));
  }

 private:
  WorldEntities& lists_;
  std::vector<int32_t> columns_;
};

// The largest world with its players standing apart, after 60 passes: the groups are full and
// the live mobs crowd some cells out.
struct SpawnerScene {
  explicit SpawnerScene(int players) {
    resetContentTables();
    world = rollingWorld();
    defineRows(world->map().planet().id);
    lists = std::make_unique<WorldEntities>(*world);
    rules = std::make_unique<PlayersLogic>(*lists, players);
    world->setContext({.rules = rules.get()});
    engine::randomSeed(5);
    for (int i = 0; i < 60; ++i) runSpawnerPass(*lists);
  }
  ~SpawnerScene() {
    lists->clearAll();
    resetContentTables();
  }
  std::unique_ptr<World> world;
  std::unique_ptr<WorldEntities> lists;
  std::unique_ptr<PlayersLogic> rules;
};

void BM_SpawnerPass(benchmark::State& state) {
  SpawnerScene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) runSpawnerPass(*scene.lists);
  bench::reportAbsoluteFiguresOnly(state);
  state.counters["mobs"] = static_cast<double>(scene.lists->mobs().size());
  state.counters["players"] = static_cast<double>(state.range(0));
}

// What a pass adds for every group that is short of its cap: the candidate cells around every
// player, for each of the three groups (a full group collects none).
void BM_SpawnCandidates(benchmark::State& state) {
  SpawnerScene scene(static_cast<int>(state.range(0)));
  std::vector<MapBlock*> cells;
  size_t found = 0;
  for (auto _ : state) {
    for (uint8_t g : mob_spawning::kPassOrder) {
      cells.clear();
      scene.rules->collectSpawnCells(cells, scene.world->mobSpawner().group(g).rule);
      found = cells.size();
    }
    benchmark::DoNotOptimize(cells.data());
  }
  bench::reportAbsoluteFiguresOnly(state);
  state.counters["last_group_cells"] = static_cast<double>(found);
}

// Deep drops all round a walled-in goal: every search spends its 256 nodes and fails.
void BM_PathSearchWorst(benchmark::State& state) {
  resetContentTables();
  std::unique_ptr<World> world = rollingWorld();
  WorldMap& map = world->map();
  for (int32_t x = 500; x < 540; x += 4) {
    for (int32_t y = 30; y <= kGround + 8; ++y) map.cell(x, y).setFront(0, 0, 0);  // shafts 70 deep
  }
  for (int32_t y = kGround; y < kGround + 12; ++y) {
    map.cell(560, y).setFront(kStone, 0, 0);
    map.cell(566, y).setFront(kStone, 0, 0);
  }
  CellPathFinder& finder = world->pathFinder();
  bool found = false;
  for (auto _ : state) {
    found = finder.findPath(map.cell(505, groundAt(505) + 1), map.cell(563, groundAt(563) + 1));
    benchmark::DoNotOptimize(found);
  }
  bench::reportAbsoluteFiguresOnly(state);
  state.counters["nodes"] = static_cast<double>(finder.nodesUsed());
  state.counters["found"] = found ? 1 : 0;
}

// Four pets re-planning to an owner 15 cells away over the hills: searches per second.
void BM_PetPathSearches(benchmark::State& state) {
  resetContentTables();
  std::unique_ptr<World> world = rollingWorld();
  WorldMap& map = world->map();
  CellPathFinder& finder = world->pathFinder();
  const int32_t starts[4] = {1000, 1003, 1030, 1027};
  MapBlock& owner = map.cell(1015, groundAt(1015) + 1);
  size_t steps = 0;
  for (auto _ : state) {
    for (int32_t x : starts) {
      if (finder.findPath(map.cell(x, groundAt(x) + 1), owner)) steps += finder.path().size();
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 4);
  bench::reportAbsoluteFiguresOnly(state);
  state.counters["steps_per_path"] =
      state.iterations() > 0 ? static_cast<double>(steps) / static_cast<double>(state.iterations() * 4) : 0;
}

BENCHMARK(BM_SpawnerPass)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpawnCandidates)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PathSearchWorst)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PetPathSearches)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
