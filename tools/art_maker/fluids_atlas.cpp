// fluids.png: water, lava and acid side by side, one frame per pair of amounts (the surface slopes
// from the larger amount on the left to the smaller on the right; the view mirrors it) and one
// frame for a liquid still moving, and the surfaceless frames of full cells under more liquid,
// darker with depth, except lava, which glows alike at every depth, so a shaft full of it reads as
// one body and not as a stack of squares each a shade darker. The liquid batch draws additively,
// so the bodies are translucent and the surface carries the light.

#include <algorithm>

#include "content/art/block_atlas_layout.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"

namespace artmaker {
namespace {

struct LiquidLook {
  art::LiquidKind kind;
  const char* name;
  Colour deep, body, surface, foam;
  float darkening;  // how far toward the deep colour the deepest liquid goes; lava glows throughout
};

constexpr LiquidLook kLiquids[] = {
    {art::LiquidKind::Water, "water", rgba(10, 26, 84, 200), rgba(34, 92, 190, 160), rgba(110, 180, 240, 220),
     rgba(200, 236, 255, 235), 1.0f},
    {art::LiquidKind::Lava, "lava", rgba(170, 40, 8, 240), rgba(232, 96, 18, 240), rgba(255, 184, 48, 252),
     rgba(255, 240, 150, 255), 0.0f},
    {art::LiquidKind::Acid, "acid", rgba(36, 80, 10, 210), rgba(120, 196, 24, 190), rgba(200, 250, 80, 235),
     rgba(236, 255, 170, 245), 0.85f},
};

constexpr int kSize = art::kFrameSize;
// The depth, in pixels below the surface, at which liquid reaches its deepest colour: the bottom
// of the last covered band before the even one.
constexpr float kDeepestAt = float(kSize * art::kLiquidDepthBands);

Colour shadeAt(const LiquidLook& look, int pixelsBelowSurface) {
  const float t = std::min(float(pixelsBelowSurface) / kDeepestAt, 1.0f);
  return mix(look.body, look.deep, t * look.darkening);
}

// Surface height (pixels from the bottom) at column x for amounts hi on the left and lo on the right.
int surfaceAt(int x, int hi, int lo) {
  const float left = hi * kSize / float(art::kLiquidMaxAmount);
  const float right = lo * kSize / float(art::kLiquidMaxAmount);
  return static_cast<int>(left + (right - left) * (x + 0.5f) / kSize + 0.5f);
}

// What sets each liquid apart inside its body: water a short light dash, lava a glowing ember,
// acid a bubble ring.
void drawMark(Canvas& atlas, int x, int y, const LiquidLook& look) {
  switch (look.kind) {
    case art::LiquidKind::Water:
      atlas.set(x, y, look.foam);
      atlas.set(x + 1, y, look.surface);
      break;
    case art::LiquidKind::Lava:
      atlas.set(x, y, look.foam);
      atlas.set(x + 1, y, look.surface);
      atlas.set(x, y + 1, look.surface);
      break;
    case art::LiquidKind::Acid:
      atlas.set(x + 1, y, look.foam);
      atlas.set(x, y + 1, look.foam);
      atlas.set(x + 2, y + 1, look.foam);
      atlas.set(x + 1, y + 2, look.foam);
      break;
  }
}

// A few marks in the rows from top to the frame's bottom, kept inside it.
void drawMarks(Canvas& atlas, int x0, int y0, int top, const LiquidLook& look, ArtRandom& random, int count) {
  for (int i = 0; i < count; ++i) {
    const int x = random.below(kSize - 4);
    const int y = top + 3 + random.below(std::max(kSize - top - 6, 1));
    if (y < kSize - 3) drawMark(atlas, x0 + x, y0 + y, look);
  }
}

void drawLevelFrame(Canvas& atlas, const engine::Rect& r, const LiquidLook& look, int hi, int lo, uint32_t seed) {
  const int x0 = int(r.origin.x), y0 = int(r.origin.y);
  ArtRandom random(seed);
  for (int x = 0; x < kSize; ++x) {
    const int top = kSize - std::max(surfaceAt(x, hi, lo), 1);
    for (int y = top; y < kSize; ++y) atlas.set(x0 + x, y0 + y, shadeAt(look, y - top));
    atlas.set(x0 + x, y0 + top, look.surface);
    if (top + 1 < kSize && (x + seed) % 7 < 3) atlas.set(x0 + x, y0 + top + 1, mix(look.surface, look.body, 0.5f));
  }
  drawMarks(atlas, x0, y0, kSize - std::max(surfaceAt(0, hi, lo), surfaceAt(kSize - 1, hi, lo)), look, random, 3);
}

// A full cell under more liquid: no surface, the colour carrying on from the cell above.
void drawCoveredFrame(Canvas& atlas, const LiquidLook& look, int depth, uint32_t seed) {
  const engine::Rect r = art::coveredLiquidSpriteRect(look.kind, depth);
  const int x0 = int(r.origin.x), y0 = int(r.origin.y);
  const bool deepest = depth >= art::kLiquidDepthBands;
  for (int y = 0; y < kSize; ++y) {
    // The deepest frame repeats down a column, so it is even: any slope would seam at each cell.
    const Colour colour = shadeAt(look, deepest ? int(kDeepestAt) : depth * kSize + y);
    for (int x = 0; x < kSize; ++x) atlas.set(x0 + x, y0 + y, colour);
  }
  ArtRandom random(seed);
  drawMarks(atlas, x0, y0, 0, look, random, deepest ? 1 : 2);
}

void drawMovingFrame(Canvas& atlas, const engine::Rect& r, const LiquidLook& look, uint32_t seed) {
  const int x0 = int(r.origin.x), y0 = int(r.origin.y), size = kSize;
  ArtRandom random(seed);
  atlas.fillRect({x0, y0, size, size}, look.body);
  // Falling streaks: light columns of varying length that wrap, so a column of moving liquid flows.
  for (int i = 0; i < 7; ++i) {
    const int x = random.below(size), length = random.between(5, 12), start = random.below(size);
    for (int k = 0; k < length; ++k) {
      const int y = (start + k) % size;
      atlas.set(x0 + x, y0 + y, k == length - 1 ? look.foam : look.surface);
    }
  }
}

}  // namespace

void makeFluidsAtlas(const ArtSources&, AtlasOutput& out) {
  Canvas atlas(art::kLiquidAtlasWidth, art::kLiquidAtlasHeight);
  for (const LiquidLook& look : kLiquids) {
    for (int hi = 1; hi <= art::kLiquidMaxAmount; ++hi) {
      for (int lo = 0; lo <= hi; ++lo) {
        const engine::Rect r = art::liquidSpriteRect(look.kind, uint8_t(hi), uint8_t(lo), false);
        drawLevelFrame(atlas, r, look, hi, lo, artSeed(look.name, uint32_t(hi), uint32_t(lo)));
      }
    }
    for (int depth = 1; depth <= art::kLiquidDepthBands; ++depth) {
      drawCoveredFrame(atlas, look, depth, artSeed(look.name, 50, uint32_t(depth)));
    }
    drawMovingFrame(atlas, art::liquidSpriteRect(look.kind, 0, 0, true), look, artSeed(look.name, 99));
  }
  out.addSheetSection("Liquids", atlas.scaled(2));
  out.addPicture("fluids.png", std::move(atlas));
}

}  // namespace artmaker
