// The life curves of the particle presets, each checked at the points where its shape changes.

#include <cmath>

#include "entities/particles/debris_behaviors.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_presets.h"
#include "entities/particles/debris_progress.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

using Curve = void (*)(float&, float, DebrisEntity*);

struct CurvePoint {
  const char* name;
  Curve curve;
  float before;     // progress before the step
  float after;      // progress after one step of 1.0
  float scale;      // expected scale afterwards (negative: unchanged from 1)
  int opacity;      // expected opacity afterwards (negative: unchanged from 255)
};

const CurvePoint kPoints[] = {
    {"fade starts", &debris_progress::fade, 0, 1.0f / 30, -1, 247},
    {"fade clamps at 1", &debris_progress::fade, 0.99f, 1, -1, 0},
    {"late fade waits", &debris_progress::lateFade, 0.1f, 0.108f, -1, -1},
    {"late fade starts at 90 %", &debris_progress::lateFade, 0.242f, 0.25f, -1, 229},
    {"late fade half way", &debris_progress::lateFade, 0.617f, 0.625f, -1, 114},
    {"pop grows", &debris_progress::popAndFade, 0.03f, 0.05f, 1.5f, -1},
    {"pop peaks at 0.1", &debris_progress::popAndFade, 0.08f, 0.1f, 2, -1},
    {"pop falls back", &debris_progress::popAndFade, 0.105f, 0.125f, 1.5f, -1},
    {"pop rests", &debris_progress::popAndFade, 0.3f, 0.32f, 1, -1},
    {"pop fades after 0.6", &debris_progress::popAndFade, 0.78f, 0.8f, 1, 127},
    {"pop clamps at 1", &debris_progress::popAndFade, 0.99f, 1, 1, 0},
    {"swell grows", &debris_progress::swellAndShrink, 0.15f - 1.0f / 30, 0.15f, 0.5f, 127},
    {"swell holds", &debris_progress::swellAndShrink, 0.4f, 0.4f + 1.0f / 30, -1, -1},
    {"swell shrinks", &debris_progress::swellAndShrink, 0.85f - 1.0f / 30, 0.85f, 0.5f, 127},
    {"shrink", &debris_progress::shrink, 0.5f - 1.0f / 30, 0.5f, 0.5f, -1},
    {"splash waits for its start", &debris_progress::splashTimer, 0, 0, -1, -1},
    {"splash runs five ticks", &debris_progress::splashTimer, 0.2f, 0.4f, -1, -1},
};

class Curves : public EntityWorld {};

TEST_F(Curves, EachCurveAtItsTurningPoints) {
  spawnTileDebris(lists.debris(), 1, 1, cell(10, kGround + 3), 0, false);
  DebrisEntity& p = lists.debris().at(0);
  for (const CurvePoint& point : kPoints) {
    SCOPED_TRACE(point.name);
    p.look.scale = 1;
    p.look.opacity = 255;
    float progress = point.before;
    point.curve(progress, 1.0f, &p);
    EXPECT_NEAR(progress, point.after, 1e-5);
    EXPECT_NEAR(p.look.scale, point.scale < 0 ? 1.0f : point.scale, 1e-4);
    EXPECT_NEAR(p.look.opacity, point.opacity < 0 ? 255 : point.opacity, 1);
  }
}

TEST_F(Curves, AppearingLateShowsTheParticleAtFourTenths) {
  spawnTileDebris(lists.debris(), 1, 1, cell(10, kGround + 3), 0, false);
  DebrisEntity& p = lists.debris().at(0);
  p.look.visible = false;
  float progress = 0.37f;
  debris_progress::appearLate(progress, 1.0f, &p);
  EXPECT_FALSE(p.look.visible);
  debris_progress::appearLate(progress, 1.0f, &p);
  EXPECT_TRUE(p.look.visible);
}

TEST_F(Curves, ScaleRotateAndFadeGrowsToTheMiddleAndTurns) {
  spawnTileDebris(lists.debris(), 1, 1, cell(10, kGround + 3), 0, false);
  DebrisEntity& p = lists.debris().at(0);
  ScaleRotateAndFadeBehavior emitter(60, 0, 1.5f, 1.0f, 0.5f);
  float progress = 0;
  for (int i = 0; i < 15; ++i) emitter.apply(progress, 1.0f, &p);
  EXPECT_NEAR(p.look.scale, 0.75f, 1e-4);
  EXPECT_NEAR(p.look.rotation, 22.5f, 1e-3);
  for (int i = 0; i < 45; ++i) emitter.apply(progress, 1.0f, &p);
  EXPECT_NEAR(p.look.scale, 1.0f, 1e-4);
  EXPECT_NEAR(p.look.rotation, 90.0f, 1e-3);
  emitter.apply(progress, 1.0f, &p);
  EXPECT_FLOAT_EQ(progress, 1.0f);
}

TEST_F(Curves, AFlakeInLiquidLiesDownAndOneInAirSways) {
  MapBlock& pond = cell(12, kGround + 1);
  pond.liquid = static_cast<uint8_t>((1 << 6) | 7 | (7 << 3));
  spawnWeatherFlakeDebris(lists.debris(), pond);
  spawnWeatherFlakeDebris(lists.debris(), cell(10, kGround + 5));
  DebrisEntity& wet = lists.debris().at(0);
  DebrisEntity& dry = lists.debris().at(1);
  debris_progress::drift(1.0f, &wet, wet.data);
  debris_progress::drift(1.0f, &dry, dry.data);
  EXPECT_TRUE(wet.data.removed);
  EXPECT_FALSE(dry.data.removed);
  EXPECT_LE(std::fabs(dry.data.vx), 0.5f);
}

}  // namespace
}  // namespace entity_test
