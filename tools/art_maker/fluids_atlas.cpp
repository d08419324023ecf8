// fluids.png: water, lava and acid side by side, one frame per pair of amounts (the surface slopes
// from the larger amount on the left to the smaller on the right; the view mirrors it) and one
// frame for a liquid still moving. The liquid batch draws additively, so the bodies are
// translucent and the surface carries the light.

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
};

constexpr LiquidLook kLiquids[] = {
    {art::LiquidKind::Water, "water", rgba(18, 44, 120, 190), rgba(34, 92, 190, 160), rgba(110, 180, 240, 220),
     rgba(200, 236, 255, 235)},
    {art::LiquidKind::Lava, "lava", rgba(150, 30, 8, 240), rgba(222, 84, 16, 235), rgba(255, 170, 40, 250),
     rgba(255, 236, 140, 255)},
    {art::LiquidKind::Acid, "acid", rgba(40, 96, 16, 200), rgba(92, 170, 30, 175), rgba(170, 232, 70, 225),
     rgba(226, 255, 160, 240)},
};

// Surface height (pixels from the bottom) at column x for amounts hi on the left and lo on the right.
int surfaceAt(int x, int hi, int lo) {
  const float left = hi * art::kFrameSize / float(art::kLiquidMaxAmount);
  const float right = lo * art::kFrameSize / float(art::kLiquidMaxAmount);
  return static_cast<int>(left + (right - left) * (x + 0.5f) / art::kFrameSize + 0.5f);
}

void drawLevelFrame(Canvas& atlas, const engine::Rect& r, const LiquidLook& look, int hi, int lo, uint32_t seed) {
  const int x0 = int(r.origin.x), y0 = int(r.origin.y), size = art::kFrameSize;
  ArtRandom random(seed);
  for (int x = 0; x < size; ++x) {
    const int top = size - std::max(surfaceAt(x, hi, lo), 1);
    for (int y = top; y < size; ++y) {
      const float depth = float(y - top) / float(size);
      atlas.set(x0 + x, y0 + y, mix(look.body, look.deep, depth * 1.4f));
    }
    atlas.set(x0 + x, y0 + top, look.surface);
    if (top + 1 < size && (x + seed) % 7 < 3) atlas.set(x0 + x, y0 + top + 1, mix(look.surface, look.body, 0.5f));
  }
  // A few glints under the surface, each a short horizontal dash.
  for (int i = 0; i < 3; ++i) {
    const int x = random.below(size - 4);
    const int top = size - std::max(surfaceAt(x, hi, lo), 1);
    const int y = top + 3 + random.below(std::max(size - top - 4, 1));
    if (y < size - 1) {
      atlas.set(x0 + x, y0 + y, look.foam);
      atlas.set(x0 + x + 1, y0 + y, look.surface);
    }
  }
}

void drawMovingFrame(Canvas& atlas, const engine::Rect& r, const LiquidLook& look, uint32_t seed) {
  const int x0 = int(r.origin.x), y0 = int(r.origin.y), size = art::kFrameSize;
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
    drawMovingFrame(atlas, art::liquidSpriteRect(look.kind, 0, 0, true), look, artSeed(look.name, 99));
  }
  out.addSheetSection("Liquids", atlas.scaled(2));
  out.addPicture("fluids.png", std::move(atlas));
}

}  // namespace artmaker
