// tile-effects.png: cracks in eight stages, the cursor highlight (drawn additively), the tile
// marker and the four frames of a glint.

#include "content/art/tile_effects_layout.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"

namespace artmaker {
namespace {

constexpr int kSize = 30;

// Cracks grow stage by stage: every stage keeps the lines of the one before and adds more.
void drawCracks(Canvas& atlas, ArtRandom& random) {
  Canvas crack(kSize, kSize);
  const Colour dark = rgba(16, 12, 20, 220), light = rgba(255, 255, 255, 70);
  for (int stage = 0; stage < art::tileEffectFrames(art::TileEffect::Crack); ++stage) {
    for (int line = 0; line < 2; ++line) {
      int x = 15 + random.between(-3, 3), y = 15 + random.between(-3, 3);
      const int dx = random.chance(0.5f) ? 1 : -1, dy = random.chance(0.5f) ? 1 : -1, length = 3 + stage;
      for (int k = 0; k < length; ++k) {
        crack.set(x, y, dark);
        if (alpha(crack.at(x + 1, y + 1)) == 0) crack.set(x + 1, y + 1, light);
        if (random.chance(0.6f)) x += dx;
        if (random.chance(0.6f)) y += dy;
      }
    }
    const engine::Rect r = art::tileEffectRect(art::TileEffect::Crack, stage);
    atlas.blit(crack, int(r.origin.x), int(r.origin.y));
  }
}

void drawHighlight(Canvas& atlas) {
  const engine::Rect r = art::tileEffectRect(art::TileEffect::Highlight, 0);
  const int x = int(r.origin.x), y = int(r.origin.y);
  atlas.fillRect({x, y, kSize, kSize}, rgba(255, 255, 255, 40));
  atlas.strokeRect({x, y, kSize, kSize}, rgba(255, 255, 255, 150));
  atlas.strokeRect({x + 1, y + 1, kSize - 2, kSize - 2}, rgba(255, 255, 255, 70));
}

void drawMarker(Canvas& atlas) {
  const engine::Rect r = art::tileEffectRect(art::TileEffect::Marker, 0);
  const int x = int(r.origin.x), y = int(r.origin.y);
  // A down-pointing arrow over the tile, gold with a dark rim.
  for (int row = 0; row < 8; ++row) {
    atlas.fillRect({x + 7 + row, y + 10 + row, 16 - 2 * row, 1}, rgba(255, 210, 70));
  }
  atlas.fillRect({x + 12, y + 2, 6, 8}, rgba(255, 210, 70));
  atlas.line(x + 12, y + 2, x + 12, y + 9, rgba(255, 246, 190));
  Canvas rim = atlas.crop({x, y, kSize, kSize});
  rim.outline(rgba(60, 36, 10));
  atlas.blit(rim, x, y);
}

void drawGlints(Canvas& atlas) {
  static constexpr int kArms[art::kGlintFrames] = {1, 3, 5, 2};
  for (int frame = 0; frame < art::tileEffectFrames(art::TileEffect::Glint); ++frame) {
    const engine::Rect r = art::tileEffectRect(art::TileEffect::Glint, frame);
    const int cx = int(r.origin.x) + 15, cy = int(r.origin.y) + 15, arm = kArms[frame];
    for (int k = -arm; k <= arm; ++k) {
      const int a = 255 - 150 * (k < 0 ? -k : k) / (arm + 1);
      atlas.set(cx + k, cy, rgba(255, 250, 220, a));
      atlas.set(cx, cy + k, rgba(255, 250, 220, a));
    }
  }
}

}  // namespace

void makeTileEffectsAtlas(const ArtSources&, AtlasOutput& out) {
  Canvas atlas(art::kTileEffectsAtlasWidth, art::kTileEffectsAtlasHeight);
  ArtRandom random(artSeed("tile-effects"));
  drawCracks(atlas, random);
  drawHighlight(atlas);
  drawMarker(atlas);
  drawGlints(atlas);
  out.addSheetSection("tile effects", atlas.scaled(2));
  out.addPicture("tile-effects.png", std::move(atlas));
}

}  // namespace artmaker
