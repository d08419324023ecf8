// Light on a 4096x512 synthetic world with caves and open sky: the whole-map relight beside a
// tight flood of its own that gives the same answer (checked cell by cell first), and the
// local updates a game makes every frame: an emitter placed and removed in the open, the one block
// that seals a large cave from the sky taken away and put back, and 1,000 carried-light moves.
// Every time is the thread's own CPU time; local updates report their mean and their worst.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/support/side_by_side.h"
#include "bench/support/synthetic_world.h"
#include "bench/support/tight_light_flood.h"
#include "bench/support/update_times.h"
#include "world/light/carried_lights.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 512;

bench::SyntheticWorld& world() {
  static bench::SyntheticWorld built = bench::makeSyntheticWorld(kWidth, kHeight, 1);
  return built;
}

void relightFromScratch(WorldMap& map) {
  bench::clearLightAndFlags(map);
  map.lightMap().relightAll();
}

// The baseline computes exactly the engine's answer (the sky, the three channels of the block light
// with the brightest winning, and the flags it keeps) by its own code from the block rows; the two
// are compared cell by cell before anything is timed, and the benchmark refuses to time them when
// they differ. Both write their answer into the map's cells, from the same cleared state.
void BM_RelightAll(benchmark::State& state) {
  WorldMap& map = *world().map;
  bench::TightLightFlood flood;
  bench::clearLightAndFlags(map);
  map.lightMap().relightAll();
  const std::vector<bench::CellLight> engineLight = bench::snapshotLight(map);
  bench::clearLightAndFlags(map);
  flood.run(map);
  if (const auto difference = bench::lightDifference(map, engineLight)) {
    state.SkipWithError(("the baseline flood differs from the engine: " + *difference).c_str());
    return;
  }
  bench::SideBySide side;
  for (auto _ : state) {
    bench::clearLightAndFlags(map);
    side.engine([&] { map.lightMap().relightAll(); });
    bench::clearLightAndFlags(map);
    side.baseline([&] { flood.run(map); });
  }
  side.report(state);
  state.counters["cells"] = static_cast<double>(map.cellCount());
  state.counters["cells_compared"] = static_cast<double>(engineLight.size());
}
BENCHMARK(BM_RelightAll)->Apply(bench::repeatForMedians);

int firstAirAboveGround(WorldMap& map, int x) {
  int y = map.height() - 1;
  while (y > 0 && map.cell(x, y - 1).frontId() == 0) --y;
  return y;
}

void BM_EmitterInTheOpen(benchmark::State& state) {
  WorldMap& map = *world().map;
  relightFromScratch(map);
  bench::UpdateTimes placing, removing;
  for (auto _ : state) {
    for (int n = 0; n < 64; ++n) {
      const int x = 2100 + n * 29;
      MapBlock& c = map.cell(x, firstAirAboveGround(map, x) + 1);
      c.setFront(bench::kSyntheticLamp, 0, 0);
      placing.time([&] { map.lightMap().setCellEmitting(c); });
      c.setFront(0, 0, 0);
      removing.time([&] { map.lightMap().updateAround(c, false); });
    }
  }
  placing.report(state, "place", "us");
  removing.report(state, "remove", "us");
}
BENCHMARK(BM_EmitterInTheOpen)->Iterations(4)->Unit(benchmark::kMillisecond);

void BM_SealOfALargeCave(benchmark::State& state) {
  bench::SyntheticWorld& w = world();
  WorldMap& map = *w.map;
  relightFromScratch(map);
  MapBlock& cap = map.cell(w.capX, w.capY);
  bench::UpdateTimes opening, closing;
  for (auto _ : state) {
    cap.setFront(0, 0, 0);
    opening.time([&] { map.lightMap().cellGainedSky(cap); });
    cap.setFront(bench::kSyntheticDirt, 0, 0);
    closing.time([&] { map.lightMap().cellLostSky(cap, 0); });
  }
  opening.report(state, "open", "us");
  closing.report(state, "seal", "us");
  state.counters["cave_cells"] =
      static_cast<double>((w.caveRight - w.caveLeft + 1) * (w.caveTop - w.caveBottom + 1));
}
BENCHMARK(BM_SealOfALargeCave)->Iterations(8)->Unit(benchmark::kMillisecond);

class OneCarriedLight final : public CarriedLights {
 public:
  uint16_t carriedLightAt(const MapBlock& cell) const override {
    return (&cell == at) ? colour : 0;
  }
  const MapBlock* at = nullptr;
  uint16_t colour = 0xEC8;
};

// A player walking along the surface and then through the large cave, one cell per move.
void BM_CarriedLightMoves(benchmark::State& state) {
  bench::SyntheticWorld& w = world();
  WorldMap& map = *w.map;
  relightFromScratch(map);
  OneCarriedLight carried;
  const WorldContext before = w.world->context();
  WorldContext carrying = before;
  carrying.carriedLights = &carried;
  w.world->setContext(carrying);
  bench::UpdateTimes moves;
  for (auto _ : state) {
    std::vector<MapBlock*> path;
    for (int s = 0; s < 500; ++s) path.push_back(&map.cell(200 + s, firstAirAboveGround(map, 200 + s)));
    for (int s = 0; s < 500; ++s) path.push_back(&map.cell(w.caveLeft + 5 + s % 380, w.caveBottom + 1 + s / 380));
    carried.at = path.front();
    map.lightMap().raiseCellLight(*path.front(), carried.colour);
    for (size_t s = 1; s < path.size(); ++s) {
      MapBlock* from = path[s - 1];
      MapBlock* to = path[s];
      moves.time([&] {
        carried.at = to;
        map.lightMap().updateAround(*from, true);
        map.lightMap().raiseCellLight(*to, carried.colour);
      });
    }
    carried.at = nullptr;
    map.lightMap().updateAround(*path.back(), true);
  }
  w.world->setContext(before);
  moves.report(state, "move", "us");
}
BENCHMARK(BM_CarriedLightMoves)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
