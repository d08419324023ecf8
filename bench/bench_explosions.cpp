// Explosion frames in dense ground (a 256x128 world filled with breakable blocks, lit from above).
// (1) A 20x20 field of charges lit at once: frames of the explosion update (at most 33 blasts a
// frame, each breaking its diamond through the world's edits and lighting what it meets) until
// none is left; milliseconds per frame (mean and worst, the thread's own CPU time) and frames.
// (2) One radius-10 blast with 500 bodies near it, counted by a bodies seam that only tallies the
// pushes and hurts: milliseconds for the frame it goes off in.
//
// Absolute figures only, and the output says so: a baseline giving the same answer would have to
// break the same cells, drop the same items and light what the blasts open, which is the explosion
// system itself.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "bench/support/absolute_figures.h"
#include "bench/support/update_times.h"
#include "content/items/block_edit.h"
#include "content/items/item_pool.h"
#include "world/cells/map_block.h"
#include "world/explosions/explosion_system.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"
#include "world/rules/logic.h"
#include "world/rules/world_game.h"
#include "world/seams/world_bodies.h"
#include "world/world.h"

namespace {

constexpr uint16_t kGround = 10;

// Rules that apply every edit to the world, as single play does.
class ApplyingLogic final : public NullLogic {
 public:
  explicit ApplyingLogic(World& world) : world_(world) {}
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override {
    return !world_.applyBlockEdit(edit, player).wasRefused();
  }
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t) override;

 private:
  World& world_;
};

class CountingBodies final : public WorldBodies {
 public:
  void collectAll(std::vector<Body>& out) override { out.insert(out.end(), bodies.begin(), bodies.end()); }
  void collectInCell(const MapBlock&, std::vector<Body>&) override {}
  void push(const Body&, float, float) override { ++pushes; }
  bool hurt(const Body&, float) override {
    ++hurts;
    return true;
  }
  void spawnBlastDebris(const MapBlock&) override { ++bursts; }
  void spawnNoteDebris(engine::Vec2) override {}
  std::vector<Body> bodies;
  long pushes = 0, hurts = 0, bursts = 0;
};

Entity* ApplyingLogic::spawnItemDrop(ItemPtr /*item*/, engine::Vec2, uint8_t) {
  return nullptr;
}

std::unique_ptr<World> denseWorld() {
  std::unique_ptr<World> world = World::create(nullptr, WorldParams{}, 256, 128);
  WorldMap& map = world->map();
  BlockProps& ground = map.mutableProps().mutableRow(kGround);
  ground.flags = uint64_t{1} << 23;
  ground.transparency = 0;
  ground.variantCount = 1;
  for (uint16_t id : {ExplosionSystem::kCharge, ExplosionSystem::kLitCharge}) {
    map.mutableProps().mutableRow(id).transparency = 2;
  }
  for (int x = 0; x < map.width(); ++x) {
    for (int y = 0; y < map.height() - 8; ++y) {
      map.cell(x, y).setLayer(kGround, 0, MapBlock::kFront);
      map.cell(x, y).setLayer(kGround, 0, MapBlock::kBack);
    }
  }
  map.lightMap().relightAll();
  return world;
}

struct Installed {
  explicit Installed(World& target) : world(target), rules(target), game(target) {
    world.setContext({.rules = &rules, .edits = &game, .bodies = &bodies});
  }
  ~Installed() {
    world.setContext({});
  }
  World& world;
  ApplyingLogic rules;
  WorldGame game;
  CountingBodies bodies;
};

void BM_FieldOfChargesLitAtOnce(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<World> world = denseWorld();
    Installed seams(*world);
    for (int x = 0; x < 20; ++x) {
      for (int y = 0; y < 20; ++y) {
        MapBlock& c = world->map().cell(100 + x, 40 + y);
        c.decos[0] = map_deco::make(ExplosionSystem::kCharge, 0, MapBlock::kFront);
        world->explosions().add(c, nullptr, kStandardBlast, 0.0f, 0);
      }
    }
    state.ResumeTiming();
    bench::UpdateTimes frames;
    while (!world->explosions().pending().empty() && frames.count() < 10000) {
      frames.time([&] { world->explosions().update(1.0f); });
    }
    frames.report(state, "frame", "ms");
    state.counters["frames"] = static_cast<double>(frames.count());
    long opened = 0;
    for (int x = 90; x < 130; ++x) {
      for (int y = 30; y < 70; ++y) opened += world->map().cell(x, y).frontId() == 0 ? 1 : 0;
    }
    state.counters["cells_opened"] = static_cast<double>(opened);
    state.counters["debris_bursts"] = static_cast<double>(seams.bodies.bursts);
    bench::reportAbsoluteFiguresOnly(state);
    state.PauseTiming();
    world.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FieldOfChargesLitAtOnce)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RadiusTenBlastWith500BodiesNear(benchmark::State& state) {
  std::unique_ptr<World> world = denseWorld();
  Installed seams(*world);
  BlastSpec spec = {50, 20, 5, 10, 10, 2, 250};
  bench::UpdateTimes frames;
  int x = 40;
  for (auto _ : state) {
    seams.bodies.bodies.clear();
    for (int i = 0; i < 500; ++i) {  // a 25 x 20 crowd around the blast, 9 pixels apart
      Body body;
      body.group = i % 5 == 0 ? BodyGroup::Debris : i % 5 == 1 ? BodyGroup::Entity : BodyGroup::Mob;
      body.id = static_cast<uint32_t>(i);
      body.position = {static_cast<float>(x) * 30.0f + static_cast<float>(i % 25 - 12) * 9.0f,
                       60 * 30.0f + static_cast<float>(i / 25 - 10) * 9.0f};
      seams.bodies.bodies.push_back(body);
    }
    world->explosions().add(world->map().cell(x, 60), nullptr, spec, 0.0f, 1);
    x = (x + 25) % 256;
    frames.time([&] { world->explosions().update(1.0f); });
  }
  frames.report(state, "frame", "ms");
  const auto blasts = static_cast<double>(frames.count());
  state.counters["pushes_per_blast"] =
      blasts > 0 ? static_cast<double>(seams.bodies.pushes) / blasts : 0.0;
  bench::reportAbsoluteFiguresOnly(state);
}
BENCHMARK(BM_RadiusTenBlastWith500BodiesNear)->Iterations(8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
