// The sky's choice of pictures over the day, its weather grading and its layer arithmetic.
#include <gtest/gtest.h>

#include "view/sky/sky_grading.h"
#include "view/sky/sky_layers.h"
#include "view/sky/sky_phase.h"

namespace {


struct PhaseCase {
  uint32_t phase, tick;
  SkyPicture first, second;
  uint16_t fade;
};

TEST(SkyPhase, StartPairFollowsThePhaseTable) {
  const PhaseCase cases[] = {
      {1, 300, SkyPicture::Day, SkyPicture::Dusk, 0},
      {2, 0, SkyPicture::Day, SkyPicture::Dusk, 0},
      {2, 255, SkyPicture::Day, SkyPicture::Dusk, 255},
      {2, 256, SkyPicture::Dusk, SkyPicture::Night, 0},
      {2, 511, SkyPicture::Dusk, SkyPicture::Night, 255},
      {4, 100, SkyPicture::Night, SkyPicture::Dawn, 0},
      {8, 10, SkyPicture::Night, SkyPicture::Dawn, 10},
      {8, 400, SkyPicture::Dawn, SkyPicture::Day, 144},
  };
  for (const PhaseCase& c : cases) {
    SkyPhasePair pair;
    chooseSkyPair(pair, c.phase, c.tick);
    EXPECT_EQ(pair.first, c.first) << c.phase << "/" << c.tick;
    EXPECT_EQ(pair.second, c.second) << c.phase << "/" << c.tick;
    EXPECT_EQ(pair.fade, c.fade) << c.phase << "/" << c.tick;
  }
  // An unknown phase shows dawn to day and keeps its fade.
  SkyPhasePair pair;
  pair.fade = 77;
  chooseSkyPair(pair, 3, 10);
  EXPECT_EQ(pair.first, SkyPicture::Dawn);
  EXPECT_EQ(pair.second, SkyPicture::Day);
  EXPECT_EQ(pair.fade, 77);
}

TEST(SkyPhase, ClockStepsNeverJumpAcrossTheHalfPhase) {
  SkyPhasePair pair;
  chooseSkyPair(pair, 2, 0);
  for (uint32_t tick = 1; tick <= 255; ++tick) stepSkyPair(pair, 2, tick);
  EXPECT_EQ(pair.second, SkyPicture::Dusk);
  EXPECT_FLOAT_EQ(skyOpacity(pair), 1.0f);  // dusk shows fully
  stepSkyPair(pair, 2, 256);
  EXPECT_EQ(pair.first, SkyPicture::Dusk);  // the same picture, now alone
  EXPECT_EQ(pair.fade, 0);

  // Day and night change only at their first tick.
  stepSkyPair(pair, 4, 5);
  EXPECT_EQ(pair.first, SkyPicture::Dusk);
  stepSkyPair(pair, 4, 0);
  EXPECT_EQ(pair.first, SkyPicture::Night);
  EXPECT_EQ(pair.fade, 0);
  stepSkyPair(pair, 8, 256);
  EXPECT_EQ(pair.first, SkyPicture::Dawn);
  EXPECT_EQ(pair.second, SkyPicture::Day);
  // Another phase clears the fade at tick 0 and keeps the pair.
  stepSkyPair(pair, 16, 0);
  EXPECT_EQ(pair.fade, 0);
  EXPECT_EQ(pair.first, SkyPicture::Dawn);
}

TEST(SkyGrading, WeatherFadesInAndOutOverOneHundredFrames) {
  SkyGrading grading;
  EXPECT_EQ(grading.setWeather(1), 0);
  int frames = 0;
  while (grading.fading()) {
    grading.step();
    ++frames;
  }
  EXPECT_EQ(frames, 100);
  EXPECT_FLOAT_EQ(grading.weight(), 1.0f);
  SkyGradingUniforms full = grading.uniforms();
  EXPECT_FLOAT_EQ(full.desaturate, 0.6f);
  EXPECT_FLOAT_EQ(full.add[0], 0.1f);
  EXPECT_FLOAT_EQ(full.mul[1], 1.0f - 0.54f);

  // The same kind again changes nothing.
  EXPECT_EQ(grading.setWeather(1), 1);
  EXPECT_FALSE(grading.fading());

  // Clearing keeps the old targets while the weight falls.
  EXPECT_EQ(grading.setWeather(0), 1);
  EXPECT_EQ(grading.previousKind(), 1);
  for (int i = 0; i < 50; ++i) grading.step();
  EXPECT_NEAR(grading.uniforms().desaturate, 0.3f, 1e-4f);
  for (int i = 0; i < 49; ++i) grading.step();
  EXPECT_TRUE(grading.fading());
  grading.step();  // the hundredth frame ends it
  EXPECT_FALSE(grading.fading());
  EXPECT_FLOAT_EQ(grading.weight(), 0.0f);
  const SkyGradingUniforms none = grading.uniforms();
  EXPECT_FLOAT_EQ(none.mul[0], 1.0f);
  EXPECT_FLOAT_EQ(none.add[2], 0.0f);
}

TEST(SkyGrading, EachKindHasItsTargetsAndUnknownKindsKeepThem) {
  struct Case { uint8_t kind; float desaturate, addG, mulB; };
  const Case cases[] = {{1, 0.6f, 0.1f, 0.57f}, {2, 0.5f, 0.6f, 0.2f}, {3, 0.2f, 0.6f, 0.57f}};
  for (const Case& c : cases) {
    SkyGrading grading;
    grading.setWeather(c.kind);
    while (grading.fading()) grading.step();
    const SkyGradingUniforms u = grading.uniforms();
    EXPECT_FLOAT_EQ(u.desaturate, c.desaturate) << int(c.kind);
    EXPECT_FLOAT_EQ(u.add[1], c.addG) << int(c.kind);
    EXPECT_FLOAT_EQ(u.mul[2], 1.0f - c.mulB) << int(c.kind);
    // A kind outside the table changes the kind but neither the targets nor the step.
    grading.setWeather(9);
    EXPECT_EQ(grading.kind(), 9);
    EXPECT_FLOAT_EQ(grading.stepSize(), SkyGrading::kStep);
  }
}

TEST(SkyHeights, ComeFromTheMapAndThePlanetMargin) {
  // 400 rows, a top band of 100 rows, a margin of 14.
  const SkyHeights h = skyHeightsFor(400, 100, 14);
  EXPECT_EQ(h.skyRow, 400 - 14 - 100 - 3);
  EXPECT_FLOAT_EQ(h.backTop, 12000.0f);
  EXPECT_FLOAT_EQ(h.backBottom, 289.0f * 30.0f);  // trunc(400 - 100 - 10.5)
  EXPECT_FLOAT_EQ(h.hillTop, 325.0f * 30.0f);
  EXPECT_FLOAT_EQ(h.hillBottom, 286.0f * 30.0f);
  EXPECT_FLOAT_EQ(h.hillRange, h.hillTop - h.hillBottom);

  EXPECT_FLOAT_EQ(skyProgress(h.hillBottom - 5, h.hillBottom, h.hillRange), 0.0f);
  EXPECT_FLOAT_EQ(skyProgress(h.hillTop + 5, h.hillBottom, h.hillRange), 1.0f);
  // A flat range never divides by zero.
  EXPECT_FLOAT_EQ(skyProgress(10, 10, 0), 1.0f);
  EXPECT_FLOAT_EQ(skyProgress(9, 10, 0), 0.0f);

  // The top row on screen is the player's plus half the visible rows.
  EXPECT_FALSE(skyVisibleAt(272, 21, 283));
  EXPECT_TRUE(skyVisibleAt(273, 21, 283));
}

}  // namespace
