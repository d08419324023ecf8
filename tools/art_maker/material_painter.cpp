// The solid materials, one small function per family. Each draws on a wrapping 30x30 canvas with
// the family's ramp (ramp[0] darkest, ramp[2] the base, ramp[4] lightest).

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "tools/art_maker/art_random.h"
#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/circuit_part_pictures.h"
#include "tools/art_maker/growth_painter.h"

namespace artmaker {
namespace {

// Which of the seeds each pixel of the tile is nearest to, on the torus, measured so that the
// cells come out angular (a chessboard distance with a little of the diagonal).
std::vector<uint8_t> angularCells(int count, ArtRandom& rnd) {
  std::vector<std::pair<int, int>> seeds;
  for (int i = 0; i < count; ++i) seeds.emplace_back(rnd.below(kTile), rnd.below(kTile));
  std::vector<uint8_t> cells(size_t(kTile) * kTile);
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      int best = 1 << 30;
      for (int i = 0; i < count; ++i) {
        int dx = std::abs(x - seeds[size_t(i)].first), dy = std::abs(y - seeds[size_t(i)].second);
        dx = std::min(dx, kTile - dx), dy = std::min(dy, kTile - dy);
        const int d = 2 * std::max(dx, dy) + std::min(dx, dy);
        if (d < best) best = d, cells[size_t(y * kTile + x)] = uint8_t(i);
      }
    }
  }
  return cells;
}

// Rock: angular plates a little lighter or darker than one another, split by one-shade cracks,
// each plate lit along its top-left edge; a few grains on top.
void stone(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  const int count = rnd.between(6, 8);
  const std::vector<uint8_t> cells = angularCells(count, rnd);
  std::vector<float> tones;
  for (int i = 0; i < count; ++i) tones.push_back((rnd.unit() - 0.5f) * 0.7f);
  auto cellAt = [&cells](int x, int y) { return cells[size_t(((y + kTile) % kTile) * kTile + (x + kTile) % kTile)]; };
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const uint8_t c = cellAt(x, y);
      Colour colour = shade(r[2], tones[c]);
      if (cellAt(x + 1, y) != c || cellAt(x, y + 1) != c) colour = shade(r[2], tones[c] - 1.1f);
      else if (cellAt(x - 1, y) != c || cellAt(x, y - 1) != c) colour = shade(r[2], tones[c] + 0.8f);
      f.set(x, y, colour);
    }
  }
  for (int i = 0; i < 12; ++i) {
    const int x = rnd.below(kTile), y = rnd.below(kTile);
    f.set(x, y, shade(f.at(x, y), rnd.chance(0.5f) ? -0.7f : 0.7f));
  }
}

// Earth: soft clumps two shades apart with no hard rims, and a few small lit pebbles.
void soil(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.fill(r[2]);
  for (int i = 0; i < 9; ++i) {
    const int cx = rnd.below(kTile), cy = rnd.below(kTile);
    f.fillEllipse(cx, cy, rnd.between(2, 4), rnd.between(1, 2), i % 2 ? r[1] : mix(r[2], r[3], 0.6f));
  }
  for (int i = 0; i < 14; ++i) f.set(rnd.below(kTile), rnd.below(kTile), rnd.chance(0.6f) ? r[1] : r[3]);
  for (int i = rnd.between(2, 4); i > 0; --i) {
    const Ramp pebble = makeRamp(mix(r[2], rgba(130, 126, 120), 0.6f), 0.9f);
    f.shadedBlob(rnd.below(kTile), rnd.below(kTile), 1, 1, pebble[2], pebble[4], pebble[0]);
  }
}

void sand(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.fill(r[2]);
  // Fine dots one shade apart and two faint ripples.
  for (int i = 0; i < 70; ++i) f.set(rnd.below(kTile), rnd.below(kTile), rnd.chance(0.5f) ? r[1] : r[3]);
  for (int i = 0; i < 2; ++i) {
    const int y = rnd.below(kTile), x = rnd.below(kTile), length = rnd.between(6, 11);
    for (int k = 0; k < length; ++k) f.set(x + k, y + (k > length / 2 ? 1 : 0), r[1]);
  }
}

// Ice: large flat facets (parallel diagonal bands of two shades with a bright upper edge), a few
// trapped bubbles and one glint.
void ice(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.fill(r[2]);
  const int start = rnd.below(kTile);
  for (int band = 0; band < 2; ++band) {
    const int offset = start + band * 15, width = rnd.between(4, 7);
    for (int k = 0; k < kTile; ++k) {
      f.set(offset + k, k, r[4]);
      for (int w = 1; w < width; ++w) f.set(offset + k + w, k, r[3]);
    }
  }
  for (int i = 0; i < 3; ++i) {
    const int x = rnd.below(kTile), y = rnd.below(kTile);
    f.set(x, y, r[4]);
    f.set(x + 1, y + 1, r[1]);
  }
  const int gx = rnd.below(kTile), gy = rnd.below(kTile);
  f.set(gx, gy, rgba(255, 255, 255));
  f.set(gx + 1, gy, r[4]);
  f.set(gx - 1, gy, r[4]);
  f.set(gx, gy + 1, r[4]);
  f.set(gx, gy - 1, r[4]);
}

void planks(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  // Four courses of planks (7, 8, 7, 8 px) with seams, offset butt joints and grain.
  int y = 0;
  for (int course = 0; course < 4; ++course) {
    const int h = course % 2 == 0 ? 7 : 8;
    const float tone = (rnd.unit() - 0.5f) * 0.5f;
    const Colour body = shade(r[2], tone), light = shade(r[2], tone + 1.0f), dark = r[0];
    f.fillRect({0, y, kTile, h}, body);
    f.line(0, y, kTile - 1, y, light);
    f.line(0, y + h - 1, kTile - 1, y + h - 1, dark);
    const int joint = (course * 11 + rnd.below(6)) % kTile;
    f.line(joint, y, joint, y + h - 1, dark);
    f.set(joint + 1, y + 1, light);
    for (int g = 0; g < 3; ++g) {
      const int gx = rnd.below(kTile), gy = y + 2 + rnd.below(std::max(h - 4, 1)), length = rnd.between(3, 7);
      f.line(gx, gy, gx + length, gy, shade(body, -0.6f));
    }
    y += h;
  }
}

void leaves(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.fill(r[1]);
  f.speckles({0, 0, kTile, kTile}, {6, 4, 8, r[0], kClear, kClear}, rnd);
  // Clumps: small round bunches, lit at the top left, shadowed below.
  for (int i = 0; i < 11; ++i) {
    const int x = rnd.below(kTile), y = rnd.below(kTile), radius = rnd.between(2, 3);
    f.fillCircle(x, y + 1, radius, r[0]);
    f.fillCircle(x, y, radius, rnd.chance(0.5f) ? r[2] : r[3]);
    f.set(x - radius / 2, y - radius / 2, r[4]);
  }
}

void metal(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  // Two plates per row and column, each with a rim and rivets at its corners.
  for (int py = 0; py < 2; ++py) {
    for (int px = 0; px < 2; ++px) {
      const PixelRect plate{px * 15, py * 15, 15, 15};
      f.shadedBox(plate, r[2], r[4], r[0]);
      f.line(plate.x + 1, plate.y + 7, plate.right() - 2, plate.y + 7, mix(r[2], r[3], 0.5f));
      for (auto [cx, cy] : {std::pair{2, 2}, {12, 2}, {2, 12}, {12, 12}}) {
        f.set(plate.x + cx, plate.y + cy, r[4]);
        f.set(plate.x + cx + 1, plate.y + cy + 1, r[1]);
      }
    }
  }
  for (int i = 0; i < 6; ++i) f.set(rnd.below(kTile), rnd.below(kTile), r[3]);  // scuffs
}

// Ore: the host rock with three to six nuggets of the ore's own colour, each a small lump with a
// dark rim one step below the ore, a lit pixel and a second pixel of glint.
void ore(Canvas& f, const Ramp& r, Colour accent, ArtRandom& rnd) {
  stone(f, makeRamp(mix(r[2], rgba(90, 90, 98), 0.3f), 0.7f), rnd);
  const Ramp oreRamp = makeRamp(accent, 1.0f);
  const int nuggets = rnd.between(3, 6);
  for (int i = 0; i < nuggets; ++i) {
    const int cx = rnd.below(kTile), cy = rnd.below(kTile), rx = rnd.between(1, 2), ry = rnd.between(1, 2);
    f.fillEllipse(cx, cy, rx + 1, ry + 1, oreRamp[0]);
    f.shadedBlob(cx, cy, rx, ry, oreRamp[2], oreRamp[3], oreRamp[1]);
    f.set(cx - rx / 2, cy - ry / 2, oreRamp[4]);
  }
}

// One upright shard: a column with a pointed tip, its left face lit, its right face in the base
// shade, a dark rim on the right and a white glint at the tip.
void shard(Canvas& f, const Ramp& r, int baseX, int baseY, int width, int height, int lean) {
  const int tip = width / 2 + 1;
  for (int dy = 0; dy < height; ++dy) {
    const int y = baseY - dy;
    const int shift = lean * dy / height;
    const int half = dy < height - tip ? width / 2 : std::max(0, (height - dy) * width / (2 * tip));
    for (int dx = -half; dx <= half; ++dx) {
      const Colour c = dx == half ? r[1] : dx < 0 ? r[3] : dx == 0 ? r[4] : r[2];
      f.set(baseX + dx + shift, y, c);
    }
  }
  f.set(baseX + lean, baseY - height + 1, rgba(255, 255, 255));
}

// Crystal: a dark matrix of the crystal's hue with two clusters of shards growing up from it.
void crystal(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  const Ramp matrix = makeRamp(mix(r[0], rgba(40, 36, 48), 0.5f), 0.5f);
  f.fill(matrix[2]);
  f.speckles({0, 0, kTile, kTile}, {8, 3, 6, matrix[1], kClear, kClear}, rnd);
  f.speckles({0, 0, kTile, kTile}, {5, 2, 4, matrix[3], kClear, kClear}, rnd);
  for (int cluster = 0; cluster < 2; ++cluster) {
    const int x = cluster * 15 + rnd.below(10), y = rnd.below(kTile);
    const int shards = rnd.between(2, 3);
    for (int i = 0; i < shards; ++i) {
      shard(f, r, x + (i - 1) * 4, y, i == 1 ? 5 : 3, rnd.between(7, 12) - (i == 1 ? 0 : 3), (i - 1) * 3);
    }
  }
}

void glass(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.fill(withAlpha(r[3], 70));
  // A thin frame lit at the top left and two diagonal glints.
  f.line(0, 0, kTile - 1, 0, withAlpha(r[4], 220));
  f.line(0, 0, 0, kTile - 1, withAlpha(r[4], 220));
  f.line(0, kTile - 1, kTile - 1, kTile - 1, withAlpha(r[0], 220));
  f.line(kTile - 1, 0, kTile - 1, kTile - 1, withAlpha(r[0], 220));
  const int start = 6 + rnd.below(6);
  for (int k = 0; k < 9; ++k) {
    f.set(start + k, 14 - k, withAlpha(rgba(255, 255, 255), 200));
    f.set(start + k + 1, 14 - k, withAlpha(rgba(255, 255, 255), 120));
  }
  for (int k = 0; k < 4; ++k) f.set(start + 9 + k, 20 - k, withAlpha(rgba(255, 255, 255), 160));
}

void brick(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  // Mortar, then four courses of bricks 15 wide, every other course offset by half a brick.
  f.fill(mix(r[1], rgba(150, 146, 140), 0.55f));
  for (int course = 0; course < 4; ++course) {
    const int y = course * 7 + (course > 1 ? 1 : 0), h = course % 2 == 0 ? 7 : 8;
    const int offset = course % 2 == 0 ? 0 : 7;
    for (int b = -1; b < 2; ++b) {
      const float tone = (rnd.unit() - 0.5f) * 0.6f;
      const PixelRect body{offset + b * 15 + 1, y + 1, 14, h - 1};
      f.shadedBox(body, shade(r[2], tone), shade(r[2], tone + 0.9f), shade(r[2], tone - 1.0f));
      if (rnd.chance(0.6f)) f.set(body.x + 2 + rnd.below(10), body.y + 2 + rnd.below(std::max(h - 4, 1)), r[1]);
    }
  }
}

void fabric(Canvas& f, const Ramp& r, Colour accent, ArtRandom& rnd) {
  // A twill weave: diagonal ribs of two shades, a band of the accent colour and a fold.
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) f.set(x, y, (x + y) % 4 < 2 ? r[2] : r[1]);
  }
  const int band = rnd.below(kTile);
  for (int x = 0; x < kTile; ++x) {
    f.set(x, band, shade(accent, 0.5f));
    f.set(x, band + 1, accent);
  }
  const int fold = rnd.below(kTile);
  for (int y = 0; y < kTile; ++y) f.set(fold + y / 6, y, r[3]);
}

void flesh(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.fill(r[2]);
  f.speckles({0, 0, kTile, kTile}, {6, 5, 10, r[1], kClear, kClear}, rnd);
  // Veins wander across the tile; moist glints sit on top.
  for (int v = 0; v < 2; ++v) {
    int x = rnd.below(kTile), y = rnd.below(kTile);
    for (int i = 0; i < 14; ++i) {
      f.set(x, y, r[0]);
      x += 1;
      y += rnd.between(-1, 1);
    }
  }
  for (int i = 0; i < 4; ++i) {
    const int x = rnd.below(kTile), y = rnd.below(kTile);
    f.set(x, y, r[4]);
    f.set(x + 1, y, r[3]);
  }
}

void slime(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) f.set(x, y, withAlpha((x + 2 * y) % 9 == 0 ? r[1] : r[2], 225));
  }
  // Bubbles: a ring one shade light with a bright pixel at the top left.
  for (int i = 0; i < 5; ++i) {
    const int x = rnd.below(kTile), y = rnd.below(kTile), radius = rnd.between(1, 3);
    f.strokeCircle(x, y, radius, r[3]);
    f.set(x - radius / 2, y - radius / 2 - (radius > 1 ? 1 : 0), r[4]);
  }
}

// Tilled ground: the soil in rows, each a lit ridge over a dark furrow, under a top edge of small
// mounds, with a few clods. The rows run straight across, so a field of tilled cells joins up.
void furrows(Canvas& f, const Ramp& r, ArtRandom& rnd) {
  f.setWrapping(true);
  soil(f, r, rnd);
  constexpr int kMound = 6;  // the top edge's mounds; the frame holds a whole number of them
  for (int x = 0; x < kTile; ++x) {
    const int inMound = x % kMound;
    const int top = inMound == 0 ? 3 : inMound == 1 || inMound == 5 ? 1 : 0;
    for (int y = 0; y < top; ++y) f.set(x, y, r[0]);
    f.set(x, top, inMound <= 2 ? r[4] : r[3]);
    f.set(x, top + 1, r[3]);
  }
  for (int row = 9; row < kTile; row += 7) {
    for (int x = 0; x < kTile; ++x) {
      f.set(x, row - 1, r[3]);
      f.set(x, row, r[0]);
      f.set(x, row + 1, x % 3 == 0 ? r[0] : r[1]);
    }
  }
  for (int i = rnd.between(2, 3); i > 0; --i) {
    f.shadedBlob(rnd.below(kTile), 3 + 7 * rnd.below(4), 1, 1, r[2], r[4], r[0]);
  }
  f.setWrapping(false);
}

}  // namespace

void paintMaterial(Canvas& frame, Family family, const Ramp& ramp, Colour accent, uint32_t seed) {
  ArtRandom rnd(seed);
  frame.setWrapping(true);
  switch (family) {
    case Family::Stone: stone(frame, ramp, rnd); break;
    case Family::Soil: soil(frame, ramp, rnd); break;
    case Family::Sand: sand(frame, ramp, rnd); break;
    case Family::Ice: ice(frame, ramp, rnd); break;
    case Family::Wood: planks(frame, ramp, rnd); break;
    case Family::Leaves: leaves(frame, ramp, rnd); break;
    case Family::Metal: metal(frame, ramp, rnd); break;
    case Family::Ore: ore(frame, ramp, accent, rnd); break;
    case Family::Crystal: crystal(frame, ramp, rnd); break;
    case Family::Glass: glass(frame, ramp, rnd); break;
    case Family::Brick: brick(frame, ramp, rnd); break;
    case Family::Fabric: fabric(frame, ramp, accent, rnd); break;
    case Family::Flesh: flesh(frame, ramp, rnd); break;
    case Family::Slime: slime(frame, ramp, rnd); break;
  }
  frame.setWrapping(false);
}

void paintBlock(Canvas& frame, const BlockLook& look, int variant) {
  if (isCircuitPartBlock(look.id)) return paintCircuitPart(frame, look.id);
  const Ramp ramp = familyRamp(look.family, look.base);
  const uint32_t seed = artSeed("block", look.id, uint32_t(variant));
  if (isGrowthShape(look.shape)) return paintGrowth(frame, look, variant, seed);
  if (look.shape == BlockShape::Furrows) {
    ArtRandom rnd(seed);
    return furrows(frame, ramp, rnd);
  }
  if (look.shape == BlockShape::Solid) {
    paintMaterial(frame, look.family, ramp, look.accent, seed);
    if (look.glow != kClear) {
      // A light-giving block shows its light as a few warm glints.
      ArtRandom rnd(seed ^ 0x5EEDu);
      frame.speckles({2, 2, kTile - 4, kTile - 4}, {4, 2, 3, look.glow, rgba(255, 255, 240), kClear}, rnd);
    }
    return;
  }
  paintObject(frame, look, ramp, seed, variant);
}

}  // namespace artmaker
