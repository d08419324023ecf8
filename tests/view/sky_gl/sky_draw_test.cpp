// The sky drawn: its picture changes with the time of day, a missing picture shows its time of
// day's plain colour, and the advanced sky grades its picture under the weather.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/art/sky_layout.h"
#include "content/planets/planet_def.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/texture_cache.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/engine/sprite_gl/director_fixture.h"
#include "tests/support/added_planets.h"
#include "tests/support/temp_dir.h"
#include "view/sky/advanced_sky.h"
#include "view/sky/sky.h"
#include "view/sky/sky_creation.h"
#include "view/sky/sky_pictures.h"
#include "world/map/world_params.h"
#include "world/world.h"

namespace {

using namespace spritetest;

// The cross-fade and the grading, as the game's programs 260 and 261 compute them.
const char* kVertex = R"(
attribute vec4 a_position;
attribute vec2 a_texCoord;
varying vec2 v_texCoord;
void main() { gl_Position = E_MVPMatrix * a_position; v_texCoord = a_texCoord; })";
const char* kCrossFade = R"(
varying vec2 v_texCoord;
uniform float u_opacity;
void main() {
  gl_FragColor = mix(texture2D(E_Texture0, v_texCoord), texture2D(E_Texture1, v_texCoord), u_opacity);
})";
const char* kGraded = R"(
varying vec2 v_texCoord;
uniform float u_opacity;
uniform float u_desaturate;
uniform vec3 u_add;
uniform vec3 u_mul;
void main() {
  vec4 c4 = mix(texture2D(E_Texture0, v_texCoord), texture2D(E_Texture1, v_texCoord), u_opacity);
  vec3 c = c4.rgb * u_mul;
  const vec3 w = vec3(0.2126, 0.7152, 0.0722);
  c = mix(c, vec3(dot(w, c)), u_desaturate);
  c = c + u_add * dot(w, c);
  gl_FragColor = vec4(c, c4.a);
})";

std::string solidPng(uint8_t r, uint8_t g, uint8_t b) {
  rendertest::PngSpec spec;
  spec.width = spec.height = 4;
  for (int i = 0; i < 16; ++i) spec.pixels.insert(spec.pixels.end(), {r, g, b, 255});
  return rendertest::encodePng(spec);
}

class SkyDraw : public DirectorFixture {
 protected:
  void SetUp() override {
    DirectorFixture::SetUp();
    addProgram(kCrossFade, Sky::kProgramKey);
    addProgram(kGraded, AdvancedSky::kProgramKey);
    testsupport::addPlanetDef("Ember", 1, 1);
    WorldParams params;
    params.mode = 1;
    params.planetId = 1;
    world_ = std::make_unique<World>(nullptr, params, 40, 60);
    source_.cache = director_->getTextureCache();
    source_.folder = dir_.path().string();
    source_.screen = engine::Size(kWindowSize, kWindowSize);
    source_.pictureScale = 2.0f;
  }
  void TearDown() override {
    for (Sky* sky : skies_) sky->release();
    world_.reset();
    resetPlanetDefs();
    DirectorFixture::TearDown();
  }
  static void addProgram(const char* fragment, int64_t key) {
    engine::GLProgram* program = engine::GLProgram::createWithByteArrays(kVertex, fragment);
    ASSERT_NE(program, nullptr);
    engine::GLProgramCache::getInstance()->addGLProgram(program, key);
  }
  // Held past the frames' autorelease.
  template <class T>
  T* keep(T* sky) {
    if (sky != nullptr) {
      sky->retain();
      skies_.push_back(sky);
    }
    return sky;
  }
  Rgba skyPixel(Sky* sky) {
    scene_->addChild(sky, -1);
    frame();
    const Rgba seen = pixel(64, 110);
    scene_->removeChild(sky);
    return seen;
  }

  testsupport::TempDir dir_;
  std::unique_ptr<World> world_;
  SkySource source_;
  std::vector<Sky*> skies_;
};

TEST_F(SkyDraw, TheSkyDiffersByTimeOfDay) {
  dir_.write("sky-ember-day-ipad.png", solidPng(255, 0, 0));
  dir_.write("sky-ember-dusk-ipad.png", solidPng(0, 0, 255));
  Sky* sky = keep(Sky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  EXPECT_EQ(sky->layerCount(), 7u);
  EXPECT_TRUE(sky->pictures().loaded(SkyPicture::Day));
  EXPECT_FALSE(sky->pictures().loaded(SkyPicture::Night));

  sky->setPhaseTextures(1, 40);
  EXPECT_TRUE(near(skyPixel(sky), kRed));
  sky->setPhaseTextures(2, 128);  // halfway from day to dusk
  EXPECT_TRUE(near(skyPixel(sky), {127, 0, 128, 255}, 3));
  sky->setPhaseTextures(2, 300);  // dusk towards the night's plain colour
  const Rgba dusk = skyPixel(sky);
  EXPECT_GT(dusk[2], 100);
  sky->setPhaseTextures(4, 10);  // night: the missing picture's own colour
  EXPECT_TRUE(near(skyPixel(sky), {15, 20, 50, 255}));
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
}

TEST_F(SkyDraw, TheLowerSkyIsOneQuadOfTheLowPictures) {
  source_.lowerSky = true;
  dir_.write("sky-ember-day-ipad-low.png", solidPng(0, 255, 0));
  Sky* sky = keep(Sky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  EXPECT_EQ(sky->layerCount(), 1u);
  sky->setPhaseTextures(1, 0);
  EXPECT_TRUE(near(skyPixel(sky), kGreen));
  // The backdrop, its two side copies of three pieces each (the sun's columns taken from their
  // copy without it) and the two fills that carry it to the screen's bottom and top.
  EXPECT_EQ(sky->quadCount(), 9u);
  EXPECT_EQ(renderer()->getDrawnVertexCount(), 54u);
}

TEST_F(SkyDraw, TheAdvancedSkyGradesUnderTheWeather) {
  dir_.write("sky-ember-day-ipad.png", solidPng(255, 0, 0));
  AdvancedSky* sky = keep(AdvancedSky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  sky->setPhaseTextures(1, 0);
  scene_->addChild(sky, -1);
  frame();
  EXPECT_TRUE(near(pixel(64, 110), kRed));
  sky->setWeather(2);
  for (int i = 0; i < 100; ++i) frame();
  EXPECT_FLOAT_EQ(sky->grading().weight(), 1.0f);
  // (1, 0, 0) x (0.7, 0.7, 0.8), half desaturated, plus 0.6 of its luminance.
  EXPECT_TRUE(near(pixel(64, 110), {131, 42, 42, 255}, 3));
}

TEST_F(SkyDraw, WithoutTheGradingProgramTheAdvancedSkyDrawsUngraded) {
  engine::GLProgramCache::destroyInstance();
  addProgram(kCrossFade, Sky::kProgramKey);
  dir_.write("sky-ember-day-ipad.png", solidPng(255, 0, 0));
  AdvancedSky* sky = keep(AdvancedSky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  sky->setWeather(2);
  EXPECT_TRUE(near(skyPixel(sky), kRed));
}

TEST_F(SkyDraw, WithoutItsProgramTheSkyDrawsNothing) {
  engine::GLProgramCache::destroyInstance();
  dir_.write("sky-ember-day-ipad.png", solidPng(255, 0, 0));
  Sky* sky = keep(Sky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  EXPECT_TRUE(near(skyPixel(sky), kBlack));
}

}  // namespace

namespace {

using SkySlot = SkyDraw;

TEST_F(SkySlot, TheRunningGamesSkyTakesTheClockWeatherAndPlayer) {
  showSkyPhase(2, 10);  // no sky yet: nothing happens
  Sky* sky = createSky(*world_);
  ASSERT_EQ(currentSky(), sky);
  scene_->addChild(sky, -1);
  showSkyPhase(2, 100);
  EXPECT_EQ(sky->phasePair().fade, 100);
  stepSkyClock(2, 256);
  EXPECT_EQ(sky->phasePair().first, SkyPicture::Dusk);
  showSkyWeather(1);  // graded unless the lower sky is asked for
  followPlayerWithSky(0, 0, sky->skyRow() - 20, 9);
  EXPECT_FALSE(sky->isVisible());
  followPlayerWithSky(0, 0, sky->skyRow(), 9);
  EXPECT_TRUE(sky->isVisible());
  frame();
  // A new game's sky replaces the old one, which leaves the layer. The old one is freed first, so
  // the new one may take its very place: it is told apart by being on no layer yet.
  Sky* next = createSky(*world_);
  EXPECT_EQ(currentSky(), next);
  EXPECT_EQ(next->getParent(), nullptr);
  EXPECT_EQ(scene_->getChildrenCount(), 0u);
  destroySky();
  EXPECT_EQ(currentSky(), nullptr);
}

// A sky picture whose backdrop is blue and whose nearest hills are green, the rest clear.
std::string backdropAndNearHillsPng() {
  rendertest::PngSpec spec;
  spec.width = art::kSkyPictureWidth;
  spec.height = art::kSkyPictureHeight;
  const engine::Rect nearHills = art::skyLayerRect(art::SkyLayer::NearHills);
  const engine::Rect backdrop = art::skyLayerRect(art::SkyLayer::Backdrop);
  for (int y = 0; y < spec.height; ++y) {
    for (int x = 0; x < spec.width; ++x) {
      const engine::Vec2 at(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      if (backdrop.containsPoint(at)) {
        spec.pixels.insert(spec.pixels.end(), {0, 0, 255, 255});
      } else if (nearHills.containsPoint(at)) {
        spec.pixels.insert(spec.pixels.end(), {0, 255, 0, 255});
      } else {
        spec.pixels.insert(spec.pixels.end(), {0, 0, 0, 0});
      }
    }
  }
  return rendertest::encodePng(spec);
}

TEST_F(SkyDraw, BelowItsPicturesTheSkyCarriesTheNearestHillsDownToTheScreensBottom) {
  dir_.write("sky-ember-day-ipad.png", backdropAndNearHillsPng());
  // A tall screen: the window shows its lower left corner, far below the pictures when the player
  // stands at the top of the map and the hills sink.
  source_.screen = engine::Size(1600, 1200);
  Sky* sky = keep(Sky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  sky->setPhaseTextures(1, 0);
  sky->updatePosition(sky->heights().backTop);
  scene_->addChild(sky, -1);
  frame();
  for (const int x : {2, 64, 125}) {
    for (const int y : {2, 64, 125}) {
      EXPECT_TRUE(near(pixel(x, y), kGreen)) << "(" << x << ", " << y << ") shows the hills' lowest row";
    }
  }
  scene_->removeChild(sky);
}

TEST_F(SkyDraw, AtTheLargestWorldScaleAValleysWindowShowsTheBackdropAboveTheHills) {
  dir_.write("sky-ember-day-ipad.png", backdropAndNearHillsPng());
  // 1280x720 at three times the world's size, the player in a valley at the bottom of the hills'
  // range. The test's window shows the screen's top left corner: the node goes down by the rest.
  source_.screen = engine::Size(1280, 720);
  source_.pictureScale = 3.0f;
  Sky* sky = keep(Sky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  sky->setPhaseTextures(1, 0);
  sky->updatePosition(sky->heights().hillBottom - 300.0f);
  sky->setPosition(engine::Vec2(0, -(720.0f - kWindowSize)));

  scene_->addChild(sky, -1);
  frame();
  for (const int x : {2, 64, 125}) {
    for (const int y : {40, 80, 125}) {
      EXPECT_TRUE(near(pixel(x, y), kBlue)) << "(" << x << ", " << y << ") under the window's top shows no backdrop";
    }
  }
  scene_->removeChild(sky);
}

}  // namespace

namespace {

// A picture of the backdrop's size in one-pixel black and white squares.
std::string checkerBackdropPng() {
  const engine::Rect backdrop = art::skyLayerRect(art::SkyLayer::Backdrop);
  rendertest::PngSpec spec;
  spec.width = static_cast<int>(backdrop.size.width);
  spec.height = static_cast<int>(backdrop.size.height);
  for (int y = 0; y < spec.height; ++y) {
    for (int x = 0; x < spec.width; ++x) {
      const uint8_t v = (x + y) % 2 == 0 ? 255 : 0;
      spec.pixels.insert(spec.pixels.end(), {v, v, v, 255});
    }
  }
  return rendertest::encodePng(spec);
}

class SkyPixelScale : public SkyDraw {
 protected:
  // The lengths of the runs of equal pixels along a line of the window, without the first and last
  // (cut by the window's edges); false when a pixel is neither black nor white.
  static bool innerRuns(bool alongRow, int at, std::vector<int>& runs);
};

bool SkyPixelScale::innerRuns(bool alongRow, int at, std::vector<int>& runs) {
  std::vector<int> values;
  for (int i = 0; i < kWindowSize; ++i) {
    const Rgba p = alongRow ? pixel(i, at) : pixel(at, i);
    if (p[0] != 0 && p[0] != 255) return false;
    values.push_back(p[0]);
  }
  int length = 1;
  for (size_t i = 1; i < values.size(); ++i) {
    if (values[i] == values[i - 1]) {
      ++length;
      continue;
    }
    runs.push_back(length);
    length = 1;
  }
  if (!runs.empty()) runs.erase(runs.begin());
  return true;
}

TEST_F(SkyPixelScale, TheSkyIsDrawnAtTheWorldsScaleEachPicturePixelASquareBlock) {
  source_.lowerSky = true;
  // The world drawn three times its size: so is the sky, whatever the screen's width.
  source_.pictureScale = 3.0f;
  source_.screen = engine::Size(700, kWindowSize);
  dir_.write("sky-ember-day-ipad-low.png", checkerBackdropPng());
  Sky* sky = keep(Sky::create(*world_, source_));
  ASSERT_NE(sky, nullptr);
  sky->setPhaseTextures(1, 0);
  scene_->addChild(sky, -1);
  frame();
  for (bool alongRow : {true, false}) {
    for (int at : {10, 64, 117}) {
      std::vector<int> runs;
      ASSERT_TRUE(innerRuns(alongRow, at, runs)) << "a smoothed pixel on line " << at;
      ASSERT_GT(runs.size(), 10u);
      for (int length : runs) EXPECT_EQ(length, 3) << (alongRow ? "row " : "column ") << at;
    }
  }
  scene_->removeChild(sky);
}

}  // namespace
