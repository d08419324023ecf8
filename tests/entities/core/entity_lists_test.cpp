// The lists of one world and their fixed step: frame times become whole ticks, a list that grows
// while it steps, removals past the 512 of one tick, ids that are never given twice, two worlds
// that keep their entities apart and have them drawn each by its own drawings, and waking what rests
// above a changed cell.

#include "entities/core/tick_accumulator.h"

#include <vector>
#include <cmath>

#include "entities/core/entity_drawings.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

TEST(TickAccumulator, FramesBecomeWholeTicksWithoutDrift) {
  const struct {
    float frame;
    int frames;
    uint32_t ticks;
  } cases[] = {
      {1.0f / 60.0f, 1, 1},        {1.0f / 120.0f, 1, 0},    {1.0f / 120.0f, 2, 1}, {1.0f / 120.0f, 4, 2},
      {1.0f / 60.0f, 98, 98},      {1.0f / 60.0f, 100, 101},  // 0.01 of a tick over per frame
      {1.0f / 60.0f, 60 * 3600, 218181},  // an hour: 3600 s / 16.5 ms, no tick lost or gained
      {-1.0f, 5, 0},               {std::nanf(""), 5, 0},     {1e9f, 1, TickAccumulator::kMaxTicksPerFrame},
  };
  for (const auto& c : cases) {
    TickAccumulator accumulator;
    uint32_t ticks = 0;
    for (int i = 0; i < c.frames; ++i) ticks += accumulator.addFrame(c.frame);
    EXPECT_EQ(ticks, c.ticks) << c.frame << " x " << c.frames;
  }
  TickAccumulator one;
  EXPECT_EQ(one.addFrame(1.0f / 60.0f), 1u);
  EXPECT_NEAR(one.remainderTicks(), 0.01, 1e-5) << "a frame of 1/60 s leaves 0.01 of a tick";
}

class SelfRemover final : public RealEntity {
 public:
  SelfRemover(World& world, MapBlock* cell) : RealEntity(world, EntityKind::Treasure, cell, {0, 0}, 0, 0, 0, 0) {}
  void update() override {
    ++updates;
    data.removed = true;
  }
  int updates = 0;
};

using EntityLists = EntityWorld;

TEST_F(EntityLists, SixHundredRemovalsInOneTickAreDeletedFiveHundredTwelveAtATime) {
  std::vector<EntityId> ids;
  std::vector<SelfRemover*> all;
  for (int i = 0; i < 600; ++i) {
    auto& e = static_cast<SelfRemover&>(lists.add(std::make_unique<SelfRemover>(*world, &cell(5, 5))));
    all.push_back(&e);
  }
  lists.tick();
  ASSERT_EQ(rules.reports, std::vector<uint32_t>{512});
  EXPECT_EQ(lists.count(), 88u);
  // The 88 that waited were updated once and are never updated again.
  for (size_t i = 512; i < 600; ++i) EXPECT_EQ(all[i]->updates, 1);
  lists.tick();
  EXPECT_EQ(rules.reports, (std::vector<uint32_t>{512, 88}));
  EXPECT_EQ(lists.count(), 0u);
  lists.tick();
  EXPECT_EQ(rules.reports.size(), 2u) << "a tick without removals reports nothing";
}

TEST_F(EntityLists, AClientReportsNoRemovals) {
  withRules(false);
  lists.add(std::make_unique<SelfRemover>(*world, &cell(5, 5)));
  lists.tick();
  EXPECT_TRUE(rules.reports.empty());
  EXPECT_EQ(lists.count(), 0u);
  EXPECT_EQ(lists.lastRemovals().count(), 1u);
}

// Adds a probe each tick, as a death effect or a firework adds to the list it steps in.
class Spawner final : public RealEntity {
 public:
  Spawner(World& world, WorldEntities& lists, MapBlock* cell)
      : RealEntity(world, EntityKind::Treasure, cell, {0, 0}, 0, 0, 0, 0), lists_(lists) {}
  void update() override {
    spawned.push_back(&static_cast<Probe&>(
        lists_.add(std::make_unique<Probe>(world(), data.cell, engine::Vec2{data.x, data.y}))));
  }
  std::vector<Probe*> spawned;

 private:
  WorldEntities& lists_;
};

TEST_F(EntityLists, WhatIsAddedWhileAListStepsStepsFirstOnTheNextTick) {
  auto& spawner = static_cast<Spawner&>(lists.add(std::make_unique<Spawner>(*world, lists, &cell(5, 10))));
  lists.tick();
  ASSERT_EQ(spawner.spawned.size(), 1u);
  EXPECT_EQ(spawner.spawned[0]->updates, 0);
  lists.tick();
  EXPECT_EQ(spawner.spawned[0]->updates, 1);
  EXPECT_EQ(spawner.spawned[1]->updates, 0);
}

// Removes its target during its own update, as a projectile ends what it hits; it keeps the
// target by id, as every entity keeps another.
class Remover final : public RealEntity {
 public:
  Remover(World& world, MapBlock* cell, WorldEntities& lists, EntityId target)
      : RealEntity(world, EntityKind::Bullet, cell, {0, 0}, 0, 0, 0, 0), lists_(lists), target_(target) {}
  void update() override {
    if (Entity* target = lists_.entityById(target_)) target->data.removed = true;
  }

 private:
  WorldEntities& lists_;
  EntityId target_;
};

TEST_F(EntityLists, AnEntityRemovedByAnotherIsNeverUpdatedAgain) {
  // The bullet list steps after the treasures: the target is removed after its own update.
  Probe& target = probe(5, 10);
  const EntityId id = target.id();
  lists.add(std::make_unique<Remover>(*world, &cell(5, 10), lists, id));
  lists.tick();
  EXPECT_EQ(target.updates, 1);
  EXPECT_EQ(lists.findById(id), nullptr) << "gone once removed";
  lists.tick();  // collected here, without another update
  EXPECT_EQ(rules.reports.back(), 1u);
  EXPECT_EQ(lists.treasures().size(), 0u);
}

TEST_F(EntityLists, IdsAreNeverGivenTwiceAndTwoWorldsKeepTheirEntitiesApart) {
  const EntityId first = probe(5, 10).id();
  const EntityId second = probe(6, 10).id();
  EXPECT_NE(first, kNoEntity);
  EXPECT_NE(first, second);
  lists.findById(first)->data.removed = true;
  lists.tick();
  EXPECT_GT(probe(7, 10).id(), second) << "a freed id is not given again";

  WorldParams params;
  params.mode = 1;
  World other(nullptr, params, 10, 10);
  WorldEntities otherLists(other);
  auto& stranger = otherLists.add(std::make_unique<Probe>(other, other.map().cellAt(1, 1), engine::Vec2{30, 30}));
  EXPECT_EQ(otherLists.findById(stranger.id()), &stranger);
  EXPECT_NE(lists.findById(stranger.id()), &stranger);
  EXPECT_EQ(lists.entityById(stranger.id()) != nullptr, lists.findById(stranger.id()) != nullptr);
  otherLists.clearAll();
}

class RecordingDrawings final : public EntityDrawings {
 public:
  void attach(RealEntity& entity) override { attached.push_back(&entity); }
  std::vector<RealEntity*> attached;
};

TEST_F(EntityLists, EachWorldsEntitiesAreAttachedToItsOwnDrawingsOnly) {
  RecordingDrawings mine;
  RecordingDrawings theirs;
  WorldContext context = world->context();
  context.drawings = &mine;
  world->setContext(context);
  World other(nullptr, WorldParams{}, 10, 10, WorldContext{.drawings = &theirs});
  WorldEntities otherLists(other);
  World undrawn(nullptr, WorldParams{}, 10, 10);
  WorldEntities undrawnLists(undrawn);
  RealEntity& here = probe(5, 10);
  RealEntity& there = otherLists.add(std::make_unique<Probe>(other, other.map().cellAt(1, 1), engine::Vec2{30, 30}));
  undrawnLists.add(std::make_unique<Probe>(undrawn, undrawn.map().cellAt(1, 1), engine::Vec2{30, 30}));
  EXPECT_EQ(mine.attached, std::vector<RealEntity*>{&here});
  EXPECT_EQ(theirs.attached, std::vector<RealEntity*>{&there});
  otherLists.clearAll();
  undrawnLists.clearAll();
}

TEST_F(EntityLists, AdvanceRunsTheFramesWholeTicks) {
  Probe& p = probe(5, 10);
  EXPECT_EQ(lists.advance(1.0f / 120.0f), 0u);
  EXPECT_EQ(p.updates, 0);
  EXPECT_EQ(lists.advance(1.0f / 120.0f), 1u);
  EXPECT_EQ(p.updates, 1);
  lists.clearAll();
  EXPECT_EQ(lists.count(), 0u);
  EXPECT_EQ(lists.accumulator().remainderTicks(), 0.0);
}

TEST_F(EntityLists, AChangedCellWakesWhatRestsOnTheCellAbove) {
  Probe& resting = probe(5, 6);
  resting.data.moving = false;
  Probe& flying = probe(5, 6);
  Probe& elsewhere = probe(8, 6);
  elsewhere.data.moving = false;
  Probe& shelved = probe(5, 6);
  shelved.data.moving = false;
  shelved.data.frozen = true;
  lists.wakeEntitiesAbove(cell(5, 5));
  EXPECT_EQ(rules.woken, std::vector<EntityId>{resting.id()});
  (void)flying;
}

TEST_F(EntityLists, BlastsSeeAndPushTheEntitiesAsBodies) {
  Probe& p = probe(5, 10);
  p.data.moving = false;
  std::vector<Body> bodies;
  lists.collectInCell(cell(5, 10), bodies);
  lists.collectInCell(cell(6, 10), bodies);
  ASSERT_EQ(bodies.size(), 1u);
  EXPECT_EQ(bodies[0].group, BodyGroup::Entity);
  EXPECT_EQ(bodies[0].cellX, 5);
  lists.push(bodies[0], 2.0f, 1.5707964f);
  EXPECT_TRUE(p.data.moving);
  EXPECT_NEAR(p.data.impulseY, 2.0f, 1e-5);
}

}  // namespace
}  // namespace entity_test
