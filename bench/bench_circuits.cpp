// Circuit steps. (1) A 64x64 mesh of plain wires driven by 100 clocks of period 1 on its border,
// with 64 gates set into the mesh (AND, OR, XOR and NOT in turn), so every other step floods and
// clears most of the mesh and re-evaluates the gates. (2) A chain of 500 buffers fed by one
// lever (a source block) toggled every 40 steps: the change crosses 32 gates a step. For each:
// milliseconds per step (mean and worst, the thread's own CPU time) and the cells still waiting
// for evaluation after a step (work left to the next one). A plain breadth-first walk over the
// same mesh, one per clock toggle, is a lower bound for the flood: it computes no signal, so it is
// not the same answer, and its output says so.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "bench/support/update_times.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"
#include "world/world.h"

namespace {

namespace ck = circuit_kind;

constexpr int kMeshX = 32, kMeshY = 16, kMesh = 64;

void setPart(MapBlock& c, uint8_t kind, uint8_t rotation) {
  c.circuitA = 0;
  c.circuitB = static_cast<uint8_t>((rotation & 3) << 4);
  setCircuitKind(c, kind);
}

struct StepFigures {
  bench::UpdateTimes times;
  long leftOver = 0;
  long cappedSteps = 0;
};

void timeStep(CircuitSystem& circuits, StepFigures& f) {
  f.times.time([&] { circuits.step(); });
  const size_t left = circuits.dirtyCells().size();
  f.leftOver += static_cast<long>(left);
  if (left != 0) ++f.cappedSteps;
}

void report(benchmark::State& state, const StepFigures& f) {
  f.times.report(state, "step", "ms");
  const auto steps = static_cast<double>(f.times.count());
  state.counters["dirty_left_per_step"] = steps > 0 ? static_cast<double>(f.leftOver) / steps : 0.0;
  state.counters["steps_with_work_left"] = static_cast<double>(f.cappedSteps);
}

std::unique_ptr<World> makeWorld(int width, int height) { return World::create(nullptr, WorldParams{}, width, height); }

// The mesh, its clocks (placed through the system, so they get their timers) and its gates.
void buildMesh(World& world) {
  WorldMap& map = world.map();
  for (int x = 0; x < kMesh; ++x) {
    for (int y = 0; y < kMesh; ++y) setPart(map.cell(kMeshX + x, kMeshY + y), ck::kWire, 0);
  }
  const uint8_t gates[4] = {ck::kAnd, ck::kOr, ck::kXor, ck::kNot};
  int n = 0;
  for (int gx = 4; gx < kMesh; gx += 8) {
    for (int gy = 4; gy < kMesh; gy += 8) setPart(map.cell(kMeshX + gx, kMeshY + gy), gates[n++ % 4], 0);
  }
  // 25 clocks on each side, facing into the mesh.
  for (int i = 0; i < 25; ++i) {
    const int along = 1 + i * 62 / 24;
    struct Spot {
      int x, y;
      uint8_t rotation;
    } spots[4] = {{kMeshX - 1, kMeshY + along, 1},
                  {kMeshX + kMesh, kMeshY + along, 3},
                  {kMeshX + along, kMeshY - 1, 0},
                  {kMeshX + along, kMeshY + kMesh, 2}};
    for (const Spot& s : spots) {
      MapBlock& c = map.cell(s.x, s.y);
      setPart(c, ck::kNone, s.rotation);
      world.circuits().onBlockPlaced(c, ck::kClock);
    }
  }
  for (int x = 0; x < kMesh; ++x) {
    for (int y = 0; y < kMesh; ++y) computeOwnWireBits(map, map.cell(kMeshX + x, kMeshY + y));
  }
}

void BM_WireMeshWithClocks(benchmark::State& state) {
  std::unique_ptr<World> world = makeWorld(128, 96);
  buildMesh(*world);
  CircuitSystem& circuits = world->circuits();
  for (int i = 0; i < 20; ++i) circuits.step();  // timers registered, first floods done
  for (auto _ : state) {
    StepFigures f;
    for (int i = 0; i < 200; ++i) timeStep(circuits, f);
    report(state, f);
  }
}
BENCHMARK(BM_WireMeshWithClocks)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same mesh and clocks, but the gates read the mesh and drive wires of their own: 32 NOT gates
// along the top edge, each feeding a three-wire stub (the mesh's clocks sit on the other sides).
void BM_WireMeshFeedingGates(benchmark::State& state) {
  std::unique_ptr<World> world = makeWorld(128, 96);
  WorldMap& map = world->map();
  for (int x = 0; x < kMesh; ++x) {
    for (int y = 0; y < kMesh; ++y) setPart(map.cell(kMeshX + x, kMeshY + y), ck::kWire, 0);
  }
  for (int i = 0; i < 100; ++i) {
    const int side = i % 3, along = 1 + (i / 3) * 62 / 33;
    const int x = side == 0 ? kMeshX - 1 : side == 1 ? kMeshX + kMesh : kMeshX + along;
    const int y = side == 2 ? kMeshY - 1 : kMeshY + along;
    const uint8_t rotation = side == 0 ? 1 : side == 1 ? 3 : 0;
    MapBlock& c = map.cell(x, y);
    setPart(c, ck::kNone, rotation);
    world->circuits().onBlockPlaced(c, ck::kClock);
  }
  for (int g = 0; g < 32; ++g) {
    const int x = kMeshX + 1 + g * 2;
    setPart(map.cell(x, kMeshY + kMesh), ck::kNot, 0);
    for (int dy = 1; dy <= 3; ++dy) setPart(map.cell(x, kMeshY + kMesh + dy), ck::kWire, 0);
  }
  CircuitSystem& circuits = world->circuits();
  for (int i = 0; i < 20; ++i) circuits.step();
  for (auto _ : state) {
    StepFigures f;
    for (int i = 0; i < 200; ++i) timeStep(circuits, f);
    report(state, f);
  }
}
BENCHMARK(BM_WireMeshFeedingGates)->Iterations(1)->Unit(benchmark::kMillisecond);

// Baseline: one breadth-first walk over the whole mesh per clock toggle (50 per timer step).
void BM_PlainMeshWalk(benchmark::State& state) {
  std::vector<int> queue(kMesh * kMesh), seen(kMesh * kMesh);
  double total = 0;
  long walks = 0;
  for (auto _ : state) {
    const double start = bench::threadCpuSeconds();
    for (int walk = 0; walk < 50; ++walk) {
      std::fill(seen.begin(), seen.end(), 0);
      size_t head = 0, tail = 0;
      queue[tail++] = walk % kMesh;
      seen[static_cast<size_t>(walk % kMesh)] = 1;
      while (head < tail) {
        const int at = queue[head++];
        const int x = at % kMesh, y = at / kMesh;
        const int next[4] = {x > 0 ? at - 1 : -1, x + 1 < kMesh ? at + 1 : -1, y > 0 ? at - kMesh : -1,
                             y + 1 < kMesh ? at + kMesh : -1};
        for (int n : next) {
          if (n < 0 || seen[static_cast<size_t>(n)] != 0) continue;
          seen[static_cast<size_t>(n)] = 1;
          queue[tail++] = n;
        }
      }
      benchmark::DoNotOptimize(tail);
    }
    total += bench::threadCpuSeconds() - start;
    ++walks;
  }
  state.counters["per_timer_step_ms"] = walks > 0 ? total / static_cast<double>(walks) * 1e3 : 0.0;
  // It visits the same cells but evaluates no gate and keeps no signal: a floor, not the same answer.
  state.SetLabel("a lower bound for the flood (visits the mesh, computes no signal), not the same answer");
}
BENCHMARK(BM_PlainMeshWalk)->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_GateChainToggledByOneLever(benchmark::State& state) {
  constexpr int kGates = 500, kRowLength = 100;
  std::unique_ptr<World> world = makeWorld(160, 64);
  WorldMap& map = world->map();
  // Five rows of 100 buffers, passing right and left in turn, joined at the row ends by three wires.
  for (int i = 0; i < kGates; ++i) {
    const int row = i / kRowLength, along = i % kRowLength;
    const bool leftward = row % 2 == 1;
    const int x = 20 + (leftward ? kRowLength - 1 - along : along);
    const int y = 10 + row * 2;
    setPart(map.cell(x, y), ck::kBuffer, leftward ? 3 : 1);
  }
  for (int row = 0; row + 1 < kGates / kRowLength; ++row) {
    const int x = row % 2 == 0 ? 20 + kRowLength : 19;
    for (int dy = 0; dy < 3; ++dy) setPart(map.cell(x, 10 + row * 2 + dy), ck::kWire, 0);
  }
  MapBlock& lever = map.cell(19, 10);
  setPart(lever, ck::kNone, 0);
  world->circuits().onBlockPlaced(lever, ck::kSourceBlock);
  CircuitSystem& circuits = world->circuits();
  for (auto _ : state) {
    StepFigures f;
    for (int toggle = 0; toggle < 10; ++toggle) {
      circuits.setCellConfig(lever, toggle % 2 == 0 ? circuit_signal::kHigh : circuit_signal::kLow);
      for (int i = 0; i < 40; ++i) timeStep(circuits, f);
    }
    report(state, f);
  }
}
BENCHMARK(BM_GateChainToggledByOneLever)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
