// Particles in a world: the live limit of the presets, rest and progress, motion that holds still,
// the chips a broken block leaves through the world's entity seam, blasts that push particles and
// the builders' edge cases.

#include <cmath>
#include <numbers>

#include "entities/particles/debris_builders.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_count.h"
#include "entities/particles/debris_presets.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

class Particles : public EntityWorld {
 protected:
  DebrisList& debris() { return lists.debris(); }
  uint32_t live() const { return debrisCount().live(); }
  MapBlock& air() { return cell(10, kGround + 3); }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) lists.tick();
  }
};

TEST_F(Particles, ThePresetsStopAtTheLiveLimit) {
  ASSERT_EQ(live(), 0u);
  spawnTileDebris(debris(), 1, 1020, air(), 10, false);
  EXPECT_EQ(live(), 1020u);
  spawnTileDebris(debris(), 1, 20, air(), 10, false);
  EXPECT_EQ(live(), 1024u);
  EXPECT_EQ(debris().size(), 1024u);
  spawnTileDebris(debris(), 1, 20, air(), 10, false);
  spawnWaterBubbleDebris(debris(), air());
  spawnWeatherDropDebris(debris(), air(), true);
  EXPECT_EQ(live(), 1024u);
  // The ambient presets make their one particle regardless.
  spawnTrailParticle(debris(), {300, 200});
  EXPECT_EQ(live(), 1025u);
  lists.clearAll();
  EXPECT_EQ(live(), 0u);
}

TEST_F(Particles, WithoutAProgressAParticleEndsWhenItComesToRest) {
  spawnTileDebris(debris(), 1, 1, air(), 0, false);
  int ticksToRest = 0;
  while (debris().size() != 0 && ticksToRest < 400) {
    lists.tick();
    ++ticksToRest;
  }
  EXPECT_EQ(debris().size(), 0u);
  EXPECT_GT(ticksToRest, 5);
  EXPECT_EQ(live(), 0u);
}

TEST_F(Particles, ADelayedTileParticleStaysHiddenThenEndsAtRest) {
  spawnTileDebris(debris(), 1, 1, air(), 0, true);
  DebrisEntity& p = debris().at(0);
  EXPECT_FALSE(p.look.visible);
  const int hidden = static_cast<int>(std::ceil((0.4f - p.progress) * 50));
  ticks(hidden - 1);
  ASSERT_EQ(debris().size(), 1u);
  EXPECT_FALSE(p.look.visible);
  ticks(1);
  if (debris().size() == 1) {
    EXPECT_TRUE(p.look.visible);
  }
  ticks(400);
  EXPECT_EQ(debris().size(), 0u);
}

TEST_F(Particles, AStillParticleKeepsItsPlaceAndGrowsAndShrinksOverItsLife) {
  spawnSpecialBlockDebris(debris(), air());
  DebrisEntity& p = debris().at(0);
  const float x = p.data.x;
  const float y = p.data.y;
  EXPECT_FLOAT_EQ(p.look.scale, 0);
  ticks(60);
  EXPECT_FLOAT_EQ(p.data.x, x);
  EXPECT_FLOAT_EQ(p.data.y, y);
  EXPECT_NEAR(p.look.scale, 1.0f, 1e-4);
  ticks(58);
  ASSERT_EQ(debris().size(), 1u);
  ticks(3);
  EXPECT_EQ(debris().size(), 0u);
}

TEST_F(Particles, AParticleWhoseProgressEndsItLiesUntilTheEnd) {
  // A glint lifts against gravity and has no collision; it ends only by its progress.
  spawnOffsetDebris(debris(), {300, pixel(kGround) + 16});
  ticks(30);
  EXPECT_EQ(debris().size(), 1u);
  ticks(60);
  EXPECT_EQ(debris().size(), 0u);
}

TEST_F(Particles, ABrokenBlockLeavesChipsCutFromItsPictureOnTheBlockLayer) {
  EntityEffects& effects = lists;
  effects.spawnCutDebris(kStone, 0, true, 8, {}, air(), 15);
  ASSERT_EQ(debris().size(), 8u);
  for (size_t i = 0; i < 8; ++i) {
    const DebrisEntity& chip = debris().at(i);
    EXPECT_EQ(chip.look.layer, DebrisLayer::B);
    EXPECT_GE(chip.look.rect.width, 2);
    EXPECT_LE(chip.look.rect.width, 6);
    EXPECT_LE(chip.look.rect.x + chip.look.rect.width, 30);
    EXPECT_LE(std::fabs(chip.data.x - pixel(10)), 7.5f);
  }
  lists.clearAll();
  debris().setLayerOpen(DebrisLayer::B, false);
  effects.spawnCutDebris(kStone, 0, false, 8, {}, air(), 15);
  EXPECT_EQ(debris().size(), 0u);
}

TEST_F(Particles, ABackLayerChipIsDarkened) {
  air().setSkyLevel(15);
  spawnCutDebris(debris(), kStone, 0, false, 1, air(), 0);
  spawnCutDebris(debris(), kStone, 0, true, 1, air(), 0);
  EXPECT_EQ(debris().at(0).look.tint.red, 255);
  EXPECT_EQ(debris().at(1).look.tint.red, 85);
}

// Block light keeps red in its low nibble, as tiles and entities read it: a particle in a red
// lamp's light is red, in a blue one blue; the darkened kind takes a third of each channel.
TEST_F(Particles, AParticleUnderColouredLightTakesTheLightsOwnChannels) {
  air().setSkyLevel(0);
  air().blockLight = 0x00C;  // red 12
  spawnCutDebris(debris(), kStone, 0, false, 1, air(), 0);
  spawnCutDebris(debris(), kStone, 0, true, 1, air(), 0);
  EXPECT_EQ(debris().at(0).look.tint, (DebrisTint{204, 0, 0}));
  EXPECT_EQ(debris().at(1).look.tint, (DebrisTint{68, 0, 0}));
  lists.clearAll();
  air().blockLight = 0xF30;  // green 3, blue 15
  spawnCutDebris(debris(), kStone, 0, false, 1, air(), 0);
  EXPECT_EQ(debris().at(0).look.tint, (DebrisTint{0, 51, 255}));
}

TEST_F(Particles, ABlastSeesParticlesAsDebrisBodiesAndPushesThem) {
  spawnSpecialBlockDebris(debris(), air());
  spawnTileDebris(debris(), 1, 1, air(), 0, false);
  std::vector<Body> bodies;
  lists.collectInCell(air(), bodies);
  ASSERT_EQ(bodies.size(), 2u);
  EXPECT_EQ(bodies[1].group, BodyGroup::Debris);
  DebrisEntity& chip = debris().at(1);
  const float before = chip.data.impulseY;
  lists.push(bodies[1], 2.0f, std::numbers::pi_v<float> / 2);
  EXPECT_NEAR(chip.data.impulseY - before, 2.0f, 1e-5);
  // A stale body (past the list's end) is ignored.
  Body stale = bodies[1];
  stale.id = 99;
  lists.push(stale, 2.0f, 0);
}

TEST_F(Particles, ASparkleOfPositionKindSevenMakesNothing) {
  const SparkleSource none{.list = 7, .positionKind = 7};
  spawnSparkleDebris(debris(), {300, 200}, air(), &none, true);
  EXPECT_EQ(debris().size(), 0u);
  const SparkleSource ceiling{.list = 7, .positionKind = 3};
  spawnSparkleDebris(debris(), {300, 200}, air(), &ceiling, false);
  ASSERT_EQ(debris().size(), 1u);
  EXPECT_FLOAT_EQ(debris().at(0).data.y, 192.5f);  // equal ends: a fixed offset
  EXPECT_EQ(debris().at(0).look.opacity, 0);
}

TEST_F(Particles, ARainStreakOnAFloorSplashesForFiveTicks) {
  MapBlock& justAbove = cell(10, kGround + 1);
  spawnWeatherDropDebris(debris(), justAbove, true);
  DebrisEntity& drop = debris().at(0);
  EXPECT_EQ(drop.look.rect, (DebrisRect{126, 108, 1, 16}));
  int guard = 0;
  while (drop.progress == 0 && guard++ < 100) lists.tick();
  ASSERT_GT(drop.progress, 0);
  EXPECT_EQ(drop.look.rect, (DebrisRect{122, 125, 5, 2}));
  EXPECT_FLOAT_EQ(drop.data.y, pixel(kGround + 1) - 15 + 1);
  // The landing tick and four more.
  ticks(3);
  EXPECT_EQ(debris().size(), 1u);
  ticks(1);
  EXPECT_EQ(debris().size(), 0u);
}

TEST_F(Particles, ARainDropHittingAWallEndsAtOnce) {
  cell(11, kGround + 3).setFront(kStone, 0, 0);
  spawnWeatherDropDebris(debris(), air(), false);
  DebrisEntity& drop = debris().at(0);
  drop.data.x = pixel(10) + 10;
  drop.data.impulseX = 8;
  lists.tick();
  EXPECT_EQ(debris().size(), 0u);
}

TEST(DebrisBuilders, ACutLargerThanItsSourceIsTheWholeSource) {
  DebrisCutRect cut(20, 20);
  cut.sourceX = 40;
  cut.sourceY = 50;
  cut.sourceWidth = 6;
  cut.sourceHeight = 6;
  EXPECT_EQ(cut.build(), (DebrisRect{40, 50, 6, 6}));
  // A taller source keeps the narrow side whole and only slides along the other.
  cut.sourceHeight = 8;
  const DebrisRect tall = cut.build();
  EXPECT_EQ(tall.x, 40);
  EXPECT_LE(tall.y, 52);
}

TEST(DebrisBuilders, AParametricImpulseWithoutSpreadKeepsItsBaseAngle) {
  DebrisImpulseParametric impulse(1, 2, 0, 0.75f);
  for (int i = 0; i < 5; ++i) {
    const DebrisImpulse made = impulse.build();
    EXPECT_FLOAT_EQ(made.angle, 0.75f);
    EXPECT_GE(made.strength, 1);
    EXPECT_LE(made.strength, 2);
  }
  EXPECT_FLOAT_EQ(randomBetween(3, 3), 3);
}

TEST(DebrisBuilders, AFireworkSparkTakesItsColoursPlaceInTheSparkRow) {
  FireworkSparkRectBuilder spark;
  spark.colour = 11;  // second row, second column
  const DebrisRect rect = spark.build();
  EXPECT_EQ(rect.y, 8);
  EXPECT_TRUE((rect.x == 14 && rect.width == 7) || (rect.x == 22 && rect.width == 5));
}

}  // namespace
}  // namespace entity_test

namespace entity_test {
namespace {

TEST_F(EntityWorld, ABlastLeavesTenPiecesAtItsCell) {
  WorldBodies& bodies = lists;
  bodies.spawnBlastDebris(cell(10, kGround + 3));
  ASSERT_EQ(lists.debris().size(), 10u);
  EXPECT_EQ(lists.debris().at(0).rectList, &debrisRectList(14));
}

}  // namespace
}  // namespace entity_test
