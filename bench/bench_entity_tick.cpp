// One entity tick on the largest world (4096 x 512 cells, stone up to row 100, open air above):
// 512 dropped items kept in motion (what comes to rest is tossed again every second), 200 endless
// projectiles bouncing between two stone walls and 500 mobs, 125 of each AI kind (jumpers and
// walkers that follow a player standing among them, flyers, floaters), stepped by the world's
// lists where rules run; the rules carry out every move a mob decides at once, as single play does.
// Reports the time of one tick and the allocations made per tick after a warm-up. The particles are
// kept at their live limit: 1,024 chips of broken stone, topped up after every tick as chips expire,
// so the time includes cutting the new ones. Each chip comes from the general heap (where the
// sanitizers see a leaked or freed one): cutting one is one allocation, about 30 a tick here, at no
// cost in time one can measure against the tick. Stepping the lists allocates nothing; the run
// fails when it does, or when a chip costs more than its one allocation.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "bench/support/counted_allocations.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "engine/base/random.h"
#include "entities/core/world_entities.h"
#include "entities/items/treasure_factory.h"
#include "entities/particles/debris_count.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/projectiles/bullet_factory.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/mob_movement.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStone = 1;
constexpr int32_t kGroundRow = 100;
constexpr uint16_t kBouncer = 5;
constexpr int kTreasures = 512;
constexpr int kProjectiles = 200;
constexpr int kWarmUpTicks = 120;
constexpr int kMobsPerKind = 125;
constexpr uint16_t kFirstMobRow = 20;  // rows 20-23: jumper, walker, flyer, floater

// Rules of single play for the mobs: every leap, push, walk and knock-back is carried out at once,
// and the one player stands in the middle of the mobs.
class MobRules final : public NullLogic {
 public:
  void leapEntity(Entity* e, float strength, float angle) override {
    static_cast<MobEntity*>(e)->leap(strength, angle);
  }
  void pushEntity(Entity* e, const EntityImpulse& i) override {
    static_cast<RealEntity*>(e)->addImpulse(i.strength, i.angle, i.reset != 0);
  }
  void steerMob(MobEntity* mob, const MobMovement& m) override {
    mob->startWalk(static_cast<int32_t>(m.state), m.speed, m.time);
  }
  void knockBackMob(MobEntity* mob, float strength, float angle, bool flag, const MapBlock* cell) override {
    mob->knockBack(strength, angle, flag, cell);
  }
  MobTarget mobTargetOf(MobEntity*) override { return target; }
  MobTarget target;
};

void defineMobRows() {
  namespace r = content::mob_record;
  for (uint16_t kind = 0; kind < 4; ++kind) {
    MobDef& row = contentTables().mobDefs[kFirstMobRow + kind];
    auto put = [&row](size_t at, float v) { std::memcpy(&row.bytes[at], &v, 4); };
    put(r::maxHealth, 20);
    put(r::idleTime, 30);
    put(r::walkTime, 90);
    put(r::moveStrength, 1.6f);
    put(r::moveStrength + 4, 2.2f);
    const uint32_t follow = kind <= 1 ? 2u : 0u;
    std::memcpy(&row.bytes[r::flags], &follow, 4);
    row.bytes[r::mobId] = static_cast<uint8_t>(kFirstMobRow + kind);
    row.bytes[r::width] = 20;
    row.bytes[r::height] = 20;
    row.bytes[r::movementKind] = static_cast<uint8_t>(kind);
  }
}

// Chips cut from stone over the ground until the live limit is reached.
void fillDebris(WorldEntities& lists, WorldMap& map) {
  for (int32_t x = 1400; lists.debris().size() < DebrisCount::kLiveLimit; x = x < 3800 ? x + 3 : 1400) {
    const auto missing = static_cast<uint32_t>(DebrisCount::kLiveLimit - lists.debris().size());
    MapBlock& cell = map.cell(x, kGroundRow + 2);
    lists.spawnCutDebris(kStone, 0, false, missing < 16 ? missing : 16, {x * 30.0f, (kGroundRow + 2) * 30.0f}, cell, 15);
  }
}

// Tosses what came to rest and keeps every item young, so the lists stay full however many
// iterations the benchmark runs (an item lives 36000 ticks).
void kick(WorldEntities& lists) {
  for (size_t i = 0; i < lists.treasures().size(); ++i) {
    RealEntity& e = lists.treasures().at(i);
    e.timer = 36000;
    if (!e.data.moving) e.addImpulse(1.5f, 1.2f + static_cast<float>(i % 7) * 0.1f, true);
  }
}

void BM_EntityTick(benchmark::State& state) {
  resetContentTables();
  BulletDef& row = contentTables().bulletDefs[kBouncer];
  row.bytes[content::bullet_record::updateFlags + 1] = 0;  // flies straight; lifetime 0: endless
  WorldParams params;
  params.mode = 1;
  params.sizeIndex = 4;
  World world(nullptr, params);
  WorldMap& map = world.map();
  map.mutableProps().mutableRow(kStone).flags = uint64_t{1} << block_flag::kSolid;
  for (int32_t x = 0; x < map.width(); ++x) {
    for (int32_t y = 0; y <= kGroundRow; ++y) map.cell(x, y).setFront(kStone, 0, 0);
  }
  for (int32_t y = kGroundRow + 1; y < kGroundRow + 20; ++y) {
    map.cell(100, y).setFront(kStone, 0, 0);
    map.cell(300, y).setFront(kStone, 0, 0);
  }
  defineMobRows();
  MobRules rules;
  rules.target = {true, {1200 * 30.0f, (kGroundRow + 1) * 30.0f}, &map.cell(1200, kGroundRow + 1)};
  world.setContext({.rules = &rules});
  WorldEntities lists(world);
  lists.treasures().reserve(kTreasures);
  lists.bullets().reserve(kProjectiles);
  lists.mobs().reserve(4 * kMobsPerKind);
  engine::randomSeed(3);
  for (int i = 0; i < kTreasures; ++i) {
    const float x = static_cast<float>(200 + (i % 256) * 7) * 30.0f;
    createTreasureEntityTossed(lists, newItem(120, 0, 1, -1, 0), {x, (kGroundRow + 3) * 30.0f}, 0);
  }
  for (int i = 0; i < kProjectiles; ++i) {
    const float x = static_cast<float>(110 + i) * 30.0f;
    createBulletEntity(lists, kBouncer, 0, {x, (kGroundRow + 5 + i % 10) * 30.0f}, 6.0f, i % 2 == 0 ? 0.0f : 3.14159f,
                       0, false, true);
  }
  for (int i = 0; i < 4 * kMobsPerKind; ++i) {
    const float x = static_cast<float>(1000 + (i % 400)) * 30.0f;
    const float y = static_cast<float>(kGroundRow + 1 + (i / 400) * 3 + (i % 4 == 2 ? 6 : 0)) * 30.0f;
    lists.add(createMobEntity(world, contentTables().mobDefs[kFirstMobRow + i % 4], 0, {x, y}, {0, 0}));
  }
  for (int i = 0; i < kWarmUpTicks; ++i) {
    lists.tick();
    if (i % 60 == 0) {
      kick(lists);
      fillDebris(lists, map);
    }
  }
  long ticks = 0;
  long stepAllocations = 0;
  long cutAllocations = 0;
  long cut = 0;
  for (auto _ : state) {
    long before = bench::allocationCount();
    lists.tick();
    stepAllocations += bench::allocationCount() - before;
    const size_t live = lists.debris().size();
    before = bench::allocationCount();
    fillDebris(lists, map);  // chips that expired are cut again, so every tick steps the live limit
    cutAllocations += bench::allocationCount() - before;
    cut += static_cast<long>(lists.debris().size() - live);
    if (++ticks % 60 == 0) kick(lists);
  }
  const auto perTick = [ticks](long count) {
    return ticks > 0 ? static_cast<double>(count) / static_cast<double>(ticks) : 0.0;
  };
  state.counters["allocations_per_tick"] = perTick(stepAllocations + cutAllocations);
  state.counters["step_allocations_per_tick"] = perTick(stepAllocations);
  state.counters["chips_cut_per_tick"] = perTick(cut);
  if (stepAllocations != 0) state.SkipWithError("stepping the lists allocated");
  if (cutAllocations > cut) state.SkipWithError("a chip cost more than its one allocation");
  state.counters["entities"] = static_cast<double>(lists.count());
  state.counters["particles"] = static_cast<double>(lists.debris().size());
  long moving = 0;
  lists.forEach([&moving](const RealEntity& e) { moving += e.data.moving ? 1 : 0; });
  state.counters["moving_at_end"] = static_cast<double>(moving);
  lists.clearAll();
  resetContentTables();
}

BENCHMARK(BM_EntityTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
