// The mob spawner: caps by players and difficulty, despawning at the view's edge, liquid and
// daylight damage, the spawn row conditions, and passes that must spawn nothing (creative worlds,
// groups at or above their cap, rows whose pack sizes are reversed).

#include <cstdlib>

#include "content/tables/content_tables.h"
#include "content/planets/planet_def.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_spawning.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"
#include "world/entities/world_entity_places.h"

namespace entity_test {
namespace {

constexpr uint16_t kMobRow = 40;
constexpr uint16_t kWaterproofRow = 41;

// One player at a cell; spawns go straight into the lists.
class SpawnRules final : public NullLogic {
 public:
  explicit SpawnRules(WorldEntities& lists) : lists_(lists) {}
  uint32_t playerCount() override { return players; }
  std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock& cell) override {
    const int32_t width = lists_.world()->map().width();
    int32_t dx = std::abs(static_cast<int32_t>(cell.x) - playerX);
    dx = std::min(dx, width - dx);
    return {static_cast<uint16_t>(dx), static_cast<uint16_t>(std::abs(static_cast<int32_t>(cell.y) - playerY))};
  }
  void collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) override {
    ::collectSpawnCells(lists_, lists_.world()->map().cell(playerX, playerY), out, rule);
  }
  MobEntity* spawnMob(const MobDef* row, engine::Vec2 at, engine::Vec2 motion, uint8_t, PlayerBase*,
                      uint8_t group) override {
    ++spawned;
    return addMob(lists_, *row, group, at, motion);
  }
  uint32_t players = 1;
  int32_t playerX = 20;
  int32_t playerY = 5;
  int spawned = 0;

 private:
  WorldEntities& lists_;
};

class Spawner : public EntityWorld {
 protected:
  // Wider than the view, so a mob can stand a whole view width away.
  static constexpr int32_t kWide = 120;
  explicit Spawner(uint8_t mode = 0) : EntityWorld(mode, kWide, true) {
    resetContentTables();
    defineMob(kMobRow, {.ai = 0});
    defineMob(kWaterproofRow, {.ai = 0, .flags = 1u << mob_flag::kWaterproof});
    world->setContext({.rules = &rules});
  }
  ~Spawner() override {
    lists.clearAll();
    resetContentTables();
  }
  MobEntity& mobAt(uint16_t row, int32_t x, int32_t y, uint8_t group = 0) {
    return *addMob(lists, contentTables().mobDefs[row], group, {pixel(x), pixel(y)});
  }
  uint32_t planet() const { return world->map().planet().id; }

  SpawnRules rules{lists};
};

TEST_F(Spawner, CapsGrowWithPlayersOnlyForTheOpenGroups) {
  MobSpawner& spawner = world->mobSpawner();
  struct Case {
    uint32_t players;
    uint64_t caps[3];
  };
  for (const Case c : {Case{1, {8, 5, 6}}, Case{2, {12, 5, 9}}, Case{3, {18, 5, 13}}}) {
    for (uint8_t g = 0; g < 3; ++g) EXPECT_EQ(spawner.groupCap(g, c.players), c.caps[g]) << c.players << " " << int(g);
  }
}

TEST_F(Spawner, TheAvailabilityMaskPassesByItsSignAndBitFive) {
  EXPECT_TRUE(spawnMaskPasses(0));
  EXPECT_TRUE(spawnMaskPasses(0xF));           // only bits 0-3
  EXPECT_TRUE(spawnMaskPasses(1u << 5 | 1u << 9));
  EXPECT_FALSE(spawnMaskPasses(1u << 9));
  EXPECT_TRUE(spawnMaskPasses(0x80000000u | 1u << 9));
  EXPECT_FALSE(spawnMaskPasses(0x80000000u | 1u << 5));
  EXPECT_FALSE(spawnMaskPasses(0x80000000u));  // negative with the middle bits clear
}

TEST_F(Spawner, AMobExactlyAViewWidthAwayStaysAndOneCellFurtherGoes) {
  const SpawnRule& rule = world->mobSpawner().group(0).rule;
  const auto width = static_cast<int32_t>(rule.viewWidth);
  rules.playerX = 0;
  MobEntity& edge = mobAt(kMobRow, width, 5);
  MobEntity& past = mobAt(kMobRow, kWide - width - 1, 5);  // the near way round: width + 1
  EXPECT_EQ(despawnFarMobs(lists, rule), 1u);
  EXPECT_FALSE(edge.data.removed);
  EXPECT_TRUE(past.data.removed);
  EXPECT_EQ(world->mobSpawner().groupCount(0), 1u);
}

TEST_F(Spawner, WaterHurtsOnTheSixthApplicationUnlessTheMobIsProofAgainstIt) {
  MobEntity& mob = mobAt(kMobRow, 10, 5);
  MobEntity& fish = mobAt(kWaterproofRow, 12, 5);
  for (MobEntity* m : {&mob, &fish}) m->liquidKind = 1;
  for (int i = 0; i < 5; ++i) applyEnvironmentDamage(lists);
  EXPECT_FLOAT_EQ(mob.health, 10);
  EXPECT_EQ(mob.air, 0);
  applyEnvironmentDamage(lists);
  EXPECT_FLOAT_EQ(mob.health, 9);
  EXPECT_EQ(fish.air, 5);
  EXPECT_FLOAT_EQ(fish.health, 10);
  mob.liquidKind = 0;
  applyEnvironmentDamage(lists);
  EXPECT_EQ(mob.air, 1);  // breath comes back one a time
}

TEST_F(Spawner, AMobThatBurnsInDaylightBurnsOnlyUnderTheOpenSky) {
  defineMob(kMobRow, {.ai = 0, .flags = 1u << mob_flag::kBurnsInDaylight});
  MobEntity& outside = mobAt(kMobRow, 10, 5);
  MobEntity& covered = mobAt(kMobRow, 12, 5);
  cell(10, 5).setSkyLevel(15);
  cell(12, 5).setSkyLevel(14);
  applyEnvironmentDamage(lists);
  EXPECT_FLOAT_EQ(outside.health, 9);
  EXPECT_FLOAT_EQ(covered.health, 10);
}

TEST_F(Spawner, RowConditionsForLightAndDepth) {
  MobSpawner& spawner = world->mobSpawner();
  defineSpawnRow({.planet = planet(), .lowDepth = 1, .highDepth = 1}, {&contentTables().mobDefs[kMobRow]});
  defineSpawnRow({.planet = planet(), .lowLight = 3, .highLight = 5}, {&contentTables().mobDefs[kMobRow]});
  const MobGroupDef& deep = contentTables().mobGroupDefs[0];
  const MobGroupDef& lit = contentTables().mobGroupDefs[1];
  const int32_t r = kHeight - static_cast<int32_t>(world->map().planet().parameters.surfaceAmplitude) -
                    world->map().heightLevel();
  ASSERT_GE(r, kGround + 1);
  EXPECT_FALSE(spawner.canSpawnAt(deep, cell(10, r - 1)));  // stone stands below it too
  EXPECT_TRUE(spawner.canSpawnAt(deep, cell(10, r)));
  cell(10, r + 2).setFront(kStone, 0, 0);
  EXPECT_TRUE(spawner.canSpawnAt(deep, cell(10, r + 3)));
  EXPECT_FALSE(spawner.canSpawnAt(deep, cell(12, r + 3))) << "nothing to stand on";
  cell(11, 5).setSkyLevel(4);
  EXPECT_TRUE(spawner.canSpawnAt(lit, cell(11, 5)));
  cell(11, 5).setSkyLevel(6);
  EXPECT_FALSE(spawner.canSpawnAt(lit, cell(11, 5)));
  cell(11, 5).liquid = 0x40 | 3;
  cell(11, 5).setSkyLevel(4);
  EXPECT_FALSE(spawner.canSpawnAt(lit, cell(11, 5))) << "never in liquid";
}

// Fish spawn in water and nowhere else; a land row never in any liquid; a lava row only in lava.
TEST_F(Spawner, ARowThatLivesInALiquidSpawnsOnlyInCellsOfThatLiquid) {
  MobSpawner& spawner = world->mobSpawner();
  const MobDef* fish = &contentTables().mobDefs[kWaterproofRow];
  defineSpawnRow({.planet = planet()}, {&contentTables().mobDefs[kMobRow]});
  defineSpawnRow({.planet = planet(), .liquid = 1}, {fish});
  defineSpawnRow({.planet = planet(), .liquid = 2}, {fish});
  const MobGroupDef& land = contentTables().mobGroupDefs[0];
  const MobGroupDef& water = contentTables().mobGroupDefs[1];
  const MobGroupDef& lava = contentTables().mobGroupDefs[2];
  struct Case {
    uint8_t liquid;  // the cell's liquid byte: kind in bits 6-7, two amounts below
    bool land, water, lava;
  };
  const Case cases[] = {
      {0, true, false, false},         {0x40 | 4 | 4 << 3, false, true, false}, {0x40 | 1, false, true, false},
      {0x40, false, false, false},     {0x80 | 4, false, false, true},          {0xC0 | 4, false, false, false},
  };
  for (const Case& c : cases) {
    cell(11, 5).liquid = c.liquid;
    EXPECT_EQ(spawner.canSpawnAt(land, cell(11, 5)), c.land) << int(c.liquid);
    EXPECT_EQ(spawner.canSpawnAt(water, cell(11, 5)), c.water) << int(c.liquid);
    EXPECT_EQ(spawner.canSpawnAt(lava, cell(11, 5)), c.lava) << int(c.liquid);
  }
}

TEST_F(Spawner, APassFillsAPondWithItsFish) {
  defineSpawnRow({.planet = planet(), .group = 0, .liquid = 1}, {&contentTables().mobDefs[kWaterproofRow]});
  for (int x = 0; x < kWide; ++x) {
    for (int y = kGround + 1; y < kGround + 3; ++y) cell(x, y).liquid = 0x40 | 4 | 4 << 3;
  }
  for (int pass = 0; pass < 10; ++pass) spawnGroup(lists, 0);
  EXPECT_GT(rules.spawned, 0);
  lists.mobs().forEach([&](const RealEntity& e) {
    EXPECT_EQ(e.data.cell->y, kGround + 1) << "on the pond's floor, under water";
    EXPECT_EQ(static_cast<const MobEntity&>(e).row().mobId(), kWaterproofRow);
  });
}

TEST_F(Spawner, APassTopsAGroupUpOutsideTheViewAndStopsAtItsCap) {
  defineSpawnRow({.planet = planet(), .group = 0, .smallest = 1, .largest = 3}, {&contentTables().mobDefs[kMobRow]});
  for (int pass = 0; pass < 10; ++pass) spawnGroup(lists, 0);
  EXPECT_GT(rules.spawned, 0);
  const SpawnRule& rule = world->mobSpawner().group(0).rule;
  lists.mobs().forEach([&](const RealEntity& e) {
    const int32_t dx = std::abs(static_cast<int32_t>(e.data.cell->x) - rules.playerX);
    EXPECT_GE(static_cast<float>(dx), rule.viewWidth / 2) << "spawned in the player's view";
  });
  // A pack may overshoot by its own size, but once at the cap no pass adds to it.
  while (world->mobSpawner().groupCount(0) < 8) mobAt(kMobRow, rules.playerX, 5);
  const int before = rules.spawned;
  for (int pass = 0; pass < 10; ++pass) spawnGroup(lists, 0);
  EXPECT_EQ(rules.spawned, before);
}

TEST_F(Spawner, AGroupAboveItsCapSpawnsNothingAndWrapsNoCount) {
  defineSpawnRow({.planet = planet(), .group = 1}, {&contentTables().mobDefs[kMobRow]});
  for (int i = 0; i < 12; ++i) mobAt(kMobRow, 20 + (i % 3), 5, 1);  // loaded mobs, more than the cap of 5
  for (int pass = 0; pass < 20; ++pass) spawnGroup(lists, 1);
  EXPECT_EQ(rules.spawned, 0);
}

TEST_F(Spawner, AReversedPackSpawnsNothingRatherThanDividingByZero) {
  defineSpawnRow({.planet = planet(), .group = 0, .smallest = 3, .largest = 1}, {&contentTables().mobDefs[kMobRow]});
  for (int pass = 0; pass < 20; ++pass) spawnGroup(lists, 0);
  EXPECT_EQ(rules.spawned, 0);
}

class CreativeSpawner : public Spawner {
 protected:
  CreativeSpawner() : Spawner(1) {}
};

TEST_F(CreativeSpawner, ACreativeWorldNeitherDespawnsSpawnsNorHurts) {
  defineSpawnRow({.planet = planet(), .group = 0}, {&contentTables().mobDefs[kMobRow]});
  MobEntity& far = mobAt(kMobRow, 0, 5);
  far.liquidKind = 1;
  far.air = 0;
  rules.playerY = 200;
  runSpawnerPass(lists);
  EXPECT_FALSE(far.data.removed);
  EXPECT_FLOAT_EQ(far.health, 10);
  EXPECT_EQ(rules.spawned, 0);
}

std::vector<MapBlock*> candidates(WorldEntities& lists, const MapBlock& around, const SpawnRule& rule) {
  std::vector<MapBlock*> cells;
  collectSpawnCells(lists, around, cells, rule);
  return cells;
}

bool holds(const std::vector<MapBlock*>& cells, const MapBlock* cell) {
  return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

TEST_F(Spawner, ALiveMobOfTheRulesGroupKeepsCandidatesAwayAndAnotherGroupsDoesNot) {
  SpawnRule rule;
  rule.id = 0;
  rule.spacing = 9.0f;  // three cells
  rule.viewWidth = 10;
  rule.viewHeight = 6;
  rule.outerWidth = 60;
  rule.outerHeight = 20;
  const MapBlock& around = world->map().cell(20, 5);
  const std::vector<MapBlock*> free = candidates(lists, around, rule);
  ASSERT_GT(free.size(), 4u);
  MapBlock* taken = free.front();
  // A mob of another group changes nothing.
  mobAt(kMobRow, taken->x, taken->y, 1);
  EXPECT_EQ(candidates(lists, around, rule), free);
  // One of the rule's own group keeps every cell within its spacing free of the pack.
  mobAt(kMobRow, taken->x, taken->y, 0);
  const std::vector<MapBlock*> left = candidates(lists, around, rule);
  EXPECT_FALSE(holds(left, taken));
  for (MapBlock* cell : free) {
    const int32_t dx = cell->x - taken->x, dy = cell->y - taken->y;
    EXPECT_EQ(holds(left, cell), dx * dx + dy * dy >= 9) << cell->x << "," << cell->y;
  }
}

}  // namespace
}  // namespace entity_test
