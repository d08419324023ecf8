// Liquid steps on the 4096x512 synthetic world: a 200x50 body of water released inside the large
// cave, and a lava body meeting a water body there. For each: milliseconds per step (mean and
// worst, the thread's own CPU time), steps until the simulator is idle and edits per step. The
// edits go through a game that applies them to the map as the world does (liquid byte, lava's
// light, block 82 where liquids meet).
//
// Absolute figures only, and the output says so: a baseline would have to run the same liquid rules
// over the same cells to mean anything, and that would be a second liquid simulator.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/support/absolute_figures.h"
#include "bench/support/synthetic_world.h"
#include "bench/support/update_times.h"
#include "content/items/block_edit.h"
#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

class MapEditsGame final : public NullGame {
 public:
  explicit MapEditsGame(WorldMap& map) : map_(map) {}
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase*) override {
    ++edits;
    MapBlock& c = *map_.cellAt(edit.x, edit.y);
    const bool held = (c.liquid & 0x3F) != 0;
    if (edit.kind == 18) {
      c.liquid = edit.valueByte(0);
      if (!held && c.liquidKind() == LiquidKind::Lava) map_.lightMap().setCellEmitting(c);
    } else if (edit.kind == 19) {
      c.liquid = edit.valueByte(0);
      if (held && edit.valueByte(1) >= 2) map_.lightMap().updateAround(c, false);
    } else if (edit.kind == 7) {
      c.setLayer(0, 0, MapBlock::kFront);
    } else if (edit.kind == 6) {
      c.setLayer(edit.blockId, 0, MapBlock::kFront);
    }
    return true;
  }
  long edits = 0;

 private:
  WorldMap& map_;
};

bench::SyntheticWorld& world() {
  static bench::SyntheticWorld built = [] {
    bench::SyntheticWorld w = bench::makeSyntheticWorld(4096, 512, 1);
    w.map->lightMap().relightAll();
    return w;
  }();
  return built;
}

void fillBody(WorldMap& map, int x0, int y0, int width, int height, uint8_t kind) {
  for (int x = x0; x < x0 + width; ++x) {
    for (int y = y0; y < y0 + height; ++y) {
      MapBlock& c = map.cell(x, y);
      c.liquid = static_cast<uint8_t>(kind << 6 | 0x24);
      if (kind == 2) map.lightMap().setCellEmitting(c);
      map.liquids().queueCell(c);
    }
  }
}

void clearCave(bench::SyntheticWorld& w) {
  for (int x = w.caveLeft; x <= w.caveRight; ++x) {
    for (int y = w.caveBottom; y <= w.caveTop; ++y) {
      MapBlock& c = w.map->cell(x, y);
      if (c.liquid != 0) {
        c.liquid = 0;
        w.map->lightMap().updateAround(c, false);
      }
      if (c.frontId() != 0) c.setFront(0, 0, 0);
    }
  }
}

void runUntilIdle(benchmark::State& state, WorldMap& map, MapEditsGame& game) {
  bench::UpdateTimes steps;
  const long editsBefore = game.edits;
  while (map.liquids().running() && steps.count() < 100000) {
    steps.time([&] { map.liquids().step(); });
  }
  steps.report(state, "step", "ms");
  const auto count = static_cast<double>(steps.count());
  state.counters["steps_until_idle"] = count;
  state.counters["edits_per_step"] =
      count > 0 ? static_cast<double>(game.edits - editsBefore) / count : 0.0;
  bench::reportAbsoluteFiguresOnly(state);
}

void BM_WaterBodyReleased(benchmark::State& state) {
  bench::SyntheticWorld& w = world();
  MapEditsGame game(*w.map);
  w.world->setContext({.edits = &game});
  for (auto _ : state) {
    clearCave(w);
    fillBody(*w.map, w.caveLeft + 100, w.caveBottom + 5, 200, 50, 1);
    runUntilIdle(state, *w.map, game);
  }
  w.world->setContext({});
}
BENCHMARK(BM_WaterBodyReleased)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LavaMeetsWater(benchmark::State& state) {
  bench::SyntheticWorld& w = world();
  MapEditsGame game(*w.map);
  w.world->setContext({.edits = &game});
  for (auto _ : state) {
    clearCave(w);
    fillBody(*w.map, w.caveLeft + 60, w.caveBottom + 5, 140, 30, 2);
    fillBody(*w.map, w.caveLeft + 200, w.caveBottom + 5, 140, 30, 1);
    runUntilIdle(state, *w.map, game);
  }
  w.world->setContext({});
}
BENCHMARK(BM_LavaMeetsWater)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
