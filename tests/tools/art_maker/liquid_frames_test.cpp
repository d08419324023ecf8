// The liquid frames a settled body is drawn with: a full cell under more liquid carries no surface
// line and is darker the deeper it lies, the deepest frame is even so it tiles down a column
// without a seam, lava stays bright, and water and acid differ in more than colour.
#include <gtest/gtest.h>

#include "content/art/block_atlas_layout.h"
#include "tests/tools/art_maker/made_art.h"

namespace artmaker {
namespace {

using art::LiquidKind;

const Canvas& fluids() {
  const Canvas* picture = arttest::madePicture("fluids.png");
  EXPECT_NE(picture, nullptr);
  static const Canvas empty;
  return picture != nullptr ? *picture : empty;
}

// The light a row of a frame adds when drawn additively: colour times alpha, summed.
double rowLight(const engine::Rect& frame, int row) {
  double sum = 0;
  for (int x = 0; x < int(frame.size.width); ++x) {
    const Colour c = fluids().at(int(frame.origin.x) + x, int(frame.origin.y) + row);
    sum += (red(c) + green(c) + blue(c)) * alpha(c) / 255.0;
  }
  return sum / frame.size.width;
}

double frameLight(const engine::Rect& frame) {
  double sum = 0;
  for (int row = 0; row < int(frame.size.height); ++row) sum += rowLight(frame, row);
  return sum / frame.size.height;
}

constexpr LiquidKind kKinds[] = {LiquidKind::Water, LiquidKind::Lava, LiquidKind::Acid};

TEST(LiquidFrames, OnlyTheTopFullFrameCarriesTheSurfaceLine) {
  for (LiquidKind kind : kKinds) {
    const engine::Rect top = art::liquidSpriteRect(kind, 4, 4, false);
    EXPECT_GT(rowLight(top, 0), rowLight(top, 4) * 1.15) << int(kind);
    for (int depth = 1; depth <= art::kLiquidDepthBands; ++depth) {
      const engine::Rect covered = art::coveredLiquidSpriteRect(kind, depth);
      // The first row continues the body of the frame above it: no brighter than the rows under it.
      EXPECT_LE(rowLight(covered, 0), rowLight(covered, 1) * 1.05) << int(kind) << " depth " << depth;
      EXPECT_LT(rowLight(covered, 0), rowLight(top, 0)) << int(kind) << " depth " << depth;
    }
  }
}

// The colour a covered frame is drawn in: its lower-left pixel, stretched over the cell.
Colour bodyColour(const engine::Rect& frame) {
  return fluids().at(int(frame.origin.x), int(frame.origin.y + frame.size.height) - 1);
}

TEST(LiquidFrames, DeeperFramesAreDarkerAndTheDeepestIsEven) {
  for (LiquidKind kind : {LiquidKind::Water, LiquidKind::Acid}) {
    double above = frameLight(art::liquidSpriteRect(kind, 4, 4, false));
    for (int depth = 1; depth <= art::kLiquidDepthBands; ++depth) {
      const double light = frameLight(art::coveredLiquidSpriteRect(kind, depth));
      EXPECT_LT(light, above) << int(kind) << " depth " << depth;
      above = light;
    }
    // Repeated down a column, a slope in the deepest frame would show a seam at every cell.
    const engine::Rect deepest = art::coveredLiquidSpriteRect(kind, art::kLiquidDepthBands);
    EXPECT_NEAR(rowLight(deepest, 0), rowLight(deepest, int(deepest.size.height) - 1), 1.0) << int(kind);
    EXPECT_EQ(art::coveredLiquidSpriteRect(kind, 9), deepest);
  }
}

TEST(LiquidFrames, LavaGlowsAlikeAtEveryDepth) {
  // A shaft full of lava is one body: every covered cell takes the same colour, the body's under
  // the surface, so no cell's edge shows.
  const engine::Rect top = art::liquidSpriteRect(LiquidKind::Lava, 4, 4, false);
  const Colour body = fluids().at(int(top.origin.x), int(top.origin.y + top.size.height) - 1);
  for (int depth = 1; depth <= art::kLiquidDepthBands; ++depth) {
    EXPECT_EQ(bodyColour(art::coveredLiquidSpriteRect(LiquidKind::Lava, depth)), body) << "depth " << depth;
  }
}

TEST(LiquidFrames, LavaGlowsWhereWaterIsDark) {
  const int deepest = art::kLiquidDepthBands;
  const double lava = frameLight(art::coveredLiquidSpriteRect(LiquidKind::Lava, deepest));
  const double water = frameLight(art::coveredLiquidSpriteRect(LiquidKind::Water, deepest));
  EXPECT_GT(lava, 2.0 * water);
}

TEST(LiquidFrames, WaterAndAcidDifferInHueAndMarks) {
  const engine::Rect water = art::coveredLiquidSpriteRect(LiquidKind::Water, 1);
  const engine::Rect acid = art::coveredLiquidSpriteRect(LiquidKind::Acid, 1);
  int waterBlue = 0, acidGreen = 0, waterRings = 0, acidRings = 0;
  // A bubble ring: four marks around a centre that is not one.
  auto rings = [](const engine::Rect& r, Colour foam) {
    int found = 0;
    const int x0 = int(r.origin.x), y0 = int(r.origin.y);
    for (int y = 1; y + 1 < int(r.size.height); ++y) {
      for (int x = 1; x + 1 < int(r.size.width); ++x) {
        const auto is = [&](int dx, int dy) { return fluids().at(x0 + x + dx, y0 + y + dy) == foam; };
        if (is(-1, 0) && is(1, 0) && is(0, -1) && is(0, 1) && !is(0, 0)) ++found;
      }
    }
    return found;
  };
  for (int y = 0; y < int(water.size.height); ++y) {
    for (int x = 0; x < int(water.size.width); ++x) {
      const Colour w = fluids().at(int(water.origin.x) + x, int(water.origin.y) + y);
      const Colour a = fluids().at(int(acid.origin.x) + x, int(acid.origin.y) + y);
      waterBlue += blue(w) > green(w) ? 1 : 0;
      acidGreen += green(a) > blue(a) ? 1 : 0;
    }
  }
  const int cells = int(water.size.width * water.size.height);
  EXPECT_GT(waterBlue, cells * 9 / 10);
  EXPECT_GT(acidGreen, cells * 9 / 10);
  // The brightest colour of each frame marks its glints and bubbles.
  auto brightest = [](const engine::Rect& r) {
    Colour best = 0;
    for (int y = 0; y < int(r.size.height); ++y) {
      for (int x = 0; x < int(r.size.width); ++x) {
        const Colour c = fluids().at(int(r.origin.x) + x, int(r.origin.y) + y);
        if (red(c) + green(c) + blue(c) > red(best) + green(best) + blue(best)) best = c;
      }
    }
    return best;
  };
  waterRings = rings(water, brightest(water));
  acidRings = rings(acid, brightest(acid));
  EXPECT_EQ(waterRings, 0);
  EXPECT_GE(acidRings, 1);
}

}  // namespace
}  // namespace artmaker
