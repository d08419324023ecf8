// Pets and their path finder: the step kinds and their order, searches that find the owner, fail
// at the node limit or start at the goal, and the pet's steps (walls passed through, floors dropped
// through, idle hops, falling far behind), and a pet planning on when its owner moves.

#include <set>

#include "content/tables/content_tables.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_pet_entity.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"
#include "world/entities/world_entity_places.h"

namespace entity_test {
namespace {

constexpr uint16_t kPetRow = 50;
constexpr uint32_t kOwner = 7;

class PetRules final : public NullLogic {
 public:
  PlayerSpot playerSpot(uint32_t id) override {
    if (id != kOwner) return {};
    return {true, owner, grounded};
  }
  void leapEntity(Entity* e, float strength, float angle) override {
    leaps.push_back(angle * 57.29578f);
    static_cast<MobEntity*>(e)->leap(strength, angle);
  }
  void knockBackMob(MobEntity* mob, float strength, float angle, bool reset, const MapBlock* cell) override {
    knocks.push_back(angle * 57.29578f);
    mob->knockBack(strength, angle, reset, cell);
  }
  void playCellEffect(PlayerBase*, MapBlock&, uint8_t effect, EffectAudience) override { effects.push_back(effect); }
  MapBlock* owner = nullptr;
  bool grounded = true;
  std::vector<float> leaps;
  std::vector<float> knocks;
  std::vector<uint8_t> effects;
};

class Pets : public EntityWorld {
 protected:
  Pets() : EntityWorld(0, 120, true) {
    resetContentTables();
    defineMob(kPetRow, {.ai = 0, .width = 16, .height = 16});
    world->setContext({.rules = &rules});
  }
  ~Pets() override {
    lists.clearAll();
    resetContentTables();
  }
  MobPetEntity& pet(int32_t x, int32_t y, float dx = 0) {
    std::unique_ptr<RealEntity> made =
        createPetEntity(*world, contentTables().mobDefs[kPetRow], kOwner, {pixel(x) + dx, pixel(y)});
    return static_cast<MobPetEntity&>(lists.add(std::move(made)));
  }
  CellPathFinder& finder() { return world->pathFinder(); }
  PetRules rules;
};

TEST_F(Pets, APathFromACellToItselfIsFoundAndEmpty) {
  EXPECT_TRUE(finder().findPath(cell(10, 5), cell(10, 5)));
  EXPECT_TRUE(finder().path().empty());
}

TEST_F(Pets, AStaircaseIsClimbedStepByStep) {
  for (int32_t x = 12; x < 16; ++x) {
    for (int32_t y = 5; y < 5 + (x - 11); ++y) cell(x, y).setFront(kStone, 0, 0);
  }
  ASSERT_TRUE(finder().findPath(cell(10, 5), cell(15, 9)));
  const std::vector<PathStep>& path = finder().path();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.back().cell, &cell(15, 9));
  for (const PathStep& step : path) EXPECT_NE(step.kind, step_kind::kNothing);
}

TEST_F(Pets, NoCellIsListedTwiceAndTheFirstKindForACellStays) {
  // Rough ground: columns of different heights.
  for (int32_t x = 0; x < 40; ++x) {
    for (int32_t y = 5; y < 5 + (x * 7) % 4; ++y) cell(x, y).setFront(kStone, 0, 0);
  }
  std::vector<PathStep> steps;
  for (int32_t x = 1; x < 39; ++x) {
    for (int32_t y = 5; y < 10; ++y) {
      finder().neighbourSteps(cell(x, y), steps);
      std::set<const MapBlock*> seen;
      for (const PathStep& s : steps) {
        EXPECT_TRUE(seen.insert(s.cell).second) << x << "," << y;
        EXPECT_NE(s.kind, step_kind::kNothing);
      }
    }
  }
  finder().neighbourSteps(cell(60, 5), steps);  // flat ground far off: a walk each way, left first
  ASSERT_GE(steps.size(), 2u);
  EXPECT_EQ(steps[0].kind, step_kind::kLeft);
  EXPECT_EQ(steps[1].kind, step_kind::kRight);
}

// A corridor one cell high between two walls, with a door switched by circuits in its middle: the
// door's flag is the table's circuit-output bit, so a pet passes it only while it stands open.
TEST_F(Pets, ADoorSwitchedByCircuitsLetsAPathThroughOnlyWhileOpen) {
  constexpr uint16_t kDoor = 9;
  constexpr uint16_t kLamp = 10;  // clear, and with the bits around the door's, but not switched
  BlockProps& door = world->map().mutableProps().mutableRow(kDoor);
  door.transparency = 1;
  door.flags = uint64_t{1} << block_flag::kCircuitOutput;
  BlockProps& lamp = world->map().mutableProps().mutableRow(kLamp);
  lamp.transparency = 1;
  lamp.flags = (uint64_t{1} << block_flag::kEmitsLight) | (uint64_t{1} << block_flag::kClimbable);
  for (int32_t x = 0; x < 120; ++x) cell(x, kGround + 2).setFront(kStone, 0, 0);  // the ceiling
  cell(5, kGround + 1).setFront(kStone, 0, 0);
  cell(25, kGround + 1).setFront(kStone, 0, 0);
  const struct {
    uint16_t block;
    uint8_t variant;
    bool passes;
  } cases[] = {{kDoor, 0, false}, {kDoor, 1, true}, {kLamp, 0, true}};
  for (const auto& c : cases) {
    cell(15, kGround + 1).setFront(c.block, c.variant, 0);
    EXPECT_EQ(finder().findPath(cell(10, kGround + 1), cell(20, kGround + 1)), c.passes)
        << c.block << " in variant " << int(c.variant);
  }
}

TEST_F(Pets, ASolidFloorIsDroppedThroughToTheCellBelowIt) {
  cell(70, 4).setFront(0, 0, 0);
  cell(70, 5).setFront(kStone, 0, 0);
  std::vector<PathStep> steps;
  finder().neighbourSteps(cell(70, 6), steps);
  bool dropped = false;
  for (const PathStep& s : steps) dropped = dropped || (s.kind == step_kind::kDropThrough && s.cell == &cell(70, 4));
  EXPECT_TRUE(dropped);
}

TEST_F(Pets, ASearchThatRunsOutOfNodesFailsWithoutGrowingItsPool) {
  // The goal is walled in: the search explores the open ground until its 256 nodes are spent.
  for (int32_t y = 5; y < kHeight; ++y) {
    cell(100, y).setFront(kStone, 0, 0);
    cell(110, y).setFront(kStone, 0, 0);
  }
  EXPECT_FALSE(finder().findPath(cell(20, 10), cell(105, 5)));
  EXPECT_EQ(finder().nodesUsed(), CellPathFinder::kNodeLimit);
  EXPECT_FALSE(finder().findPath(cell(20, 10), cell(105, 5)));  // again, from the kept storage
}

TEST_F(Pets, APetBlockedByAWallDuringAPassThroughStepEntersTheWallsCell) {
  MobPetEntity& p = pet(30, 5);
  p.passThrough = true;
  p.hitRightWall();
  EXPECT_EQ(p.data.cell, &cell(31, 5));
  p.passThrough = false;
  p.hitLeftWall();
  EXPECT_EQ(p.data.cell, &cell(31, 5));
}

TEST_F(Pets, LandingOnTheDropCellFallsThroughIntoTheCellBelow) {
  MobPetEntity& p = pet(30, 6);
  p.dropCell = p.data.cell;
  p.hitFloor();
  EXPECT_EQ(p.data.cell, &cell(30, 5));
  EXPECT_EQ(p.dropCell, nullptr);  // changing cell clears it
}

TEST_F(Pets, OnItsOwnersCellAPetLeftOfCentreAlwaysHopsRight) {
  rules.owner = &cell(30, 5);
  for (int i = 0; i < 40; ++i) {
    MobPetEntity& p = pet(30, 5, -4);
    p.timer = 0;
    p.think();
    p.remove();
    lists.tick();
  }
  ASSERT_EQ(rules.leaps.size(), 40u);
  for (float a : rules.leaps) EXPECT_LT(a, 90);
}

TEST_F(Pets, APetFarBehindIsPutOnItsOwnersCell) {
  rules.owner = &cell(60, 5);
  MobPetEntity& p = pet(30, 5);
  p.timer = 0;
  p.think();
  EXPECT_EQ(p.data.cell, &cell(60, 5));
  EXPECT_EQ(rules.effects, std::vector<uint8_t>{MobPetEntity::kArriveEffect});
}

TEST_F(Pets, APetFollowsItsOwnerAcrossTheGround) {
  rules.owner = &cell(45, 5);
  MobPetEntity& p = pet(30, 5);
  for (int i = 0; i < 3000 && p.data.cell != rules.owner; ++i) lists.tick();
  EXPECT_EQ(p.data.cell, rules.owner);
  EXPECT_TRUE(rules.effects.empty()) << "it walked, it was not put there";
  EXPECT_EQ(world->mobSpawner().groupCount(MobEntity::kPetGroup), 1u);
}

// The owner walks on: the pet's path grows by the steps from the cell the owner left; when the owner
// steps back onto the path's second-to-last cell, the last step goes; an owner in the air or in
// water leaves the path as it is.
TEST_F(Pets, WhenItsOwnerMovesAPetPlansOnFromTheCellTheOwnerLeft) {
  rules.owner = &cell(36, 5);
  MobPetEntity& p = pet(30, 5);
  p.planPathToOwner(rules.playerSpot(kOwner), nullptr);
  ASSERT_FALSE(p.path().empty());
  ASSERT_EQ(p.path().back().cell, &cell(36, 5));
  const size_t planned = p.path().size();

  rules.owner = &cell(38, 5);
  p.ownerMoved(rules.playerSpot(kOwner), &cell(36, 5));
  ASSERT_GT(p.path().size(), planned) << "extended, not planned anew";
  EXPECT_EQ(p.path()[planned - 1].cell, &cell(36, 5)) << "the old path is kept";
  EXPECT_EQ(p.path().back().cell, &cell(38, 5));

  const size_t extended = p.path().size();
  rules.owner = const_cast<MapBlock*>(p.path()[extended - 2].cell);
  p.ownerMoved(rules.playerSpot(kOwner), &cell(38, 5));
  EXPECT_EQ(p.path().size(), extended - 1) << "the owner came back one step";

  const std::vector<PathStep> kept = p.path();
  rules.owner = &cell(40, 8);  // in the air over open ground
  p.ownerMoved(rules.playerSpot(kOwner), &cell(39, 8));
  cell(41, 5).liquid = static_cast<uint8_t>((1u << 6) | (4u << 3) | 4u);
  rules.owner = &cell(41, 5);  // in water
  p.ownerMoved(rules.playerSpot(kOwner), &cell(40, 5));
  ASSERT_EQ(p.path().size(), kept.size());
  for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(p.path()[i].cell, kept[i].cell);
}

}  // namespace
}  // namespace entity_test
