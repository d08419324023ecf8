// Particles. (1) The live limit: 1,024 chips falling through open air on the largest world, stepped
// once a tick by the world's lists, against a baseline in the same run that moves 1,024 plain
// points with the same gravity and no cells or behaviours (the floor of what a tick can
// cost). The chips that land are replaced between ticks, outside the timing; allocations are
// counted inside the timed tick only (the goal is none). Goal: under 0.2 ms a tick.
// (2) The worst burst: one radius-10 blast in dense ground breaking its diamond of blocks, each
// broken block cut into chips through the world's entity seam, against the same blast with no
// entities listening; the difference is what the chips cost. Reports the chips made (the live
// limit caps them at 1,024).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/support/counted_allocations.h"
#include "content/items/block_edit.h"
#include "content/items/item_pool.h"
#include "engine/base/random.h"
#include "entities/core/world_entities.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_count.h"
#include "entities/particles/debris_presets.h"
#include "world/cells/block_flags.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/rules/world_game.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStone = 1;
constexpr int32_t kGroundRow = 100;
constexpr int32_t kDropRow = 400;
constexpr uint32_t kFull = DebrisCount::kLiveLimit;

// Tops the list up to the live limit with chips thrown from high above the ground.
void fill(WorldEntities& lists, World& world) {
  int32_t column = 200;
  while (debrisCount().live() < kFull) {
    MapBlock& cell = world.map().cell(column, kDropRow);
    spawnCutDebris(lists.debris(), kStone, 0, false, kFull - debrisCount().live(), cell, 15);
    column = column < 3000 ? column + 7 : 200;
  }
}

void BM_FullPoolTick(benchmark::State& state) {
  WorldParams params;
  params.mode = 1;
  params.sizeIndex = 4;
  World world(nullptr, params);
  WorldMap& map = world.map();
  map.mutableProps().mutableRow(kStone).flags = uint64_t{1} << block_flag::kSolid;
  for (int32_t x = 0; x < map.width(); ++x) {
    for (int32_t y = 0; y <= kGroundRow; ++y) map.cell(x, y).setFront(kStone, 0, 0);
  }
  NullLogic rules;
  WorldEntities lists(world);
  world.setContext({.rules = &rules, .effects = &lists});
  engine::randomSeed(5);
  fill(lists, world);
  for (int i = 0; i < 60; ++i) {
    lists.tick();
    fill(lists, world);
  }
  long made = 0;
  long ticks = 0;
  for (auto _ : state) {
    const long before = bench::allocationCount();
    lists.tick();
    made += bench::allocationCount() - before;
    ++ticks;
    state.PauseTiming();
    fill(lists, world);
    state.ResumeTiming();
  }
  state.counters["particles"] = static_cast<double>(lists.debris().size());
  state.counters["allocations_per_tick"] = ticks > 0 ? static_cast<double>(made) / static_cast<double>(ticks) : 0;
  lists.clearAll();
}

// The baseline: the same number of points under the same gravity, no cells.
void BM_BaselinePlainPoints(benchmark::State& state) {
  struct Point {
    float x, y, vx, vy;
  };
  std::vector<Point> points(kFull);
  for (size_t i = 0; i < points.size(); ++i) points[i] = {static_cast<float>(i) * 3.0f, 12000.0f, 1.0f, 2.0f};
  for (auto _ : state) {
    for (Point& p : points) {
      p.vy -= 0.3f;
      p.x += p.vx;
      p.y += p.vy;
      if (p.y < 3000.0f) {
        p.y = 12000.0f;
        p.vy = 2.0f;
      }
    }
    benchmark::DoNotOptimize(points.data());
    benchmark::ClobberMemory();
  }
  state.counters["particles"] = static_cast<double>(points.size());
}

// Rules that apply every edit to the world, as single play does.
class ApplyingLogic final : public NullLogic {
 public:
  explicit ApplyingLogic(World& world) : world_(world) {}
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override {
    return !world_.applyBlockEdit(edit, player).wasRefused();
  }
  Entity* spawnItemDrop(ItemPtr /*item*/, engine::Vec2, uint8_t) override {
    return nullptr;
  }

 private:
  World& world_;
};

std::unique_ptr<World> denseWorld() {
  std::unique_ptr<World> world = World::create(nullptr, WorldParams{}, 128, 96);
  WorldMap& map = world->map();
  BlockProps& ground = map.mutableProps().mutableRow(kStone);
  ground.flags = (uint64_t{1} << 23) | (uint64_t{1} << block_flag::kSolid);
  ground.variantCount = 1;
  for (int x = 0; x < map.width(); ++x) {
    for (int y = 0; y < map.height() - 8; ++y) map.cell(x, y).setLayer(kStone, 0, MapBlock::kFront);
  }
  return world;
}

// One radius-10 blast; `chips` puts the world's entity lists behind its seams.
void blastOnce(benchmark::State& state, bool chips) {
  constexpr BlastSpec kBigBlast = {50, 20, 5, 10, 10, 2, 200};
  long made = 0;
  long blasts = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<World> world = denseWorld();
    ApplyingLogic rules(*world);
    WorldGame game(*world);
    auto lists = std::make_unique<WorldEntities>(*world);
    WorldContext context{.rules = &rules, .edits = &game};
    if (chips) {
      context.bodies = lists.get();
      context.effects = lists.get();
    }
    world->setContext(context);
    state.ResumeTiming();
    world->explosions().explodeAt(world->map().cell(64, 48), kBigBlast, nullptr);
    state.PauseTiming();
    made += static_cast<long>(lists->debris().size());
    ++blasts;
    lists.reset();
    world->setContext({});
    world.reset();
    state.ResumeTiming();
  }
  state.counters["chips_per_blast"] = blasts > 0 ? static_cast<double>(made) / static_cast<double>(blasts) : 0;
}

void BM_BlastBreakingIntoChips(benchmark::State& state) { blastOnce(state, true); }
void BM_BaselineBlastWithoutEntities(benchmark::State& state) { blastOnce(state, false); }

BENCHMARK(BM_FullPoolTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselinePlainPoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlastBreakingIntoChips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineBlastWithoutEntities)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
