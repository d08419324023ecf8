// A grown tree's parts: the root at the ground, the lower trunk, the trunk where branches start and
// the canopy its branches carry, each in its planet's form (a broadleaf's round clumps, a conifer's
// needle tiers, a palm's fronds, a fungus's stalk and cap, a crystal's shafts and shards, a coral's
// branches, a bare tree's twigs). The parts meet at the frame's edges, so a tree reads as one shape.

#include <algorithm>

#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/growth_painter.h"
#include "tools/art_maker/growth_strokes.h"

namespace artmaker {
namespace {

constexpr int kEdge = kTile - 1;

struct TreeRamps {
  Ramp bark, leaf;
};

TreeRamps rampsOf(const BlockLook& look) {
  const bool canopy = look.shape == BlockShape::Canopy;
  return {familyRamp(Family::Wood, canopy ? look.accent : look.base), familyRamp(Family::Leaves, canopy ? look.base : look.accent)};
}

int trunkWidth(const BlockLook& look) {
  switch (look.flora) {
    case Flora::Conifer: return 6;
    case Flora::Palm: return 6;
    case Flora::Fungus: return 10;
    case Flora::Bare: return 6;
    case Flora::Coral: return 6;
    default: return 8;
  }
}

void snowCap(Canvas& f, int x0, int x1, int y) {
  for (int x = x0; x <= x1; ++x) {
    if (alpha(f.at(x, y)) == 0) continue;
    f.set(x, y, rgba(240, 246, 250));
    if ((x * 7) % 3 == 0) f.set(x, y + 1, rgba(214, 228, 240));
  }
}

// A palm's or a fungus's stalk shows rings; a crystal's shaft a bright core.
void stem(Canvas& f, const BlockLook& look, int width, const Ramp& bark, ArtRandom& rnd) {
  const int x = 15 - width / 2;
  if (look.flora == Flora::Crystal) {
    crystalShard(f, 15, kEdge + 6, kTile + 6, width / 2, bark);
    for (int y = rnd.below(5); y < kTile; y += rnd.between(5, 9)) f.line(15 - width / 2 + 1, y, 15, y + 2, bark[3]);  // facets
    return;
  }
  barkRun(f, x, width, 0, kEdge, bark, rnd);
  if (look.flora == Flora::Palm) {
    for (int y = rnd.below(3); y < kTile; y += 5) f.line(x, y, x + width - 1, y + 1, bark[0]);
  } else if (look.flora == Flora::Fungus) {
    for (int y = rnd.below(4); y < kTile; y += 6) f.line(x + 2, y, x + 2, y + 3, bark[4]);
  }
}

void conifer(Canvas& f, const BlockLook& look, const TreeRamps& r, int tiers, ArtRandom& rnd) {
  for (int t = 0; t < tiers; ++t) {
    const int top = t * kTile / tiers;
    const int height = kTile / tiers;
    for (int y = 0; y < height; ++y) {
      const int half = 4 + (y * 11) / height;
      for (int x = 15 - half; x <= 15 + half; ++x) {
        const bool lit = x < 15 - half + 2 || y < 2;
        const bool shaded = x > 15 + half - 2 || y == height - 1;
        f.set(x, top + y, lit ? r.leaf[3] : shaded ? r.leaf[1] : ((x + y) % 4 == 0 ? r.leaf[1] : r.leaf[2]));
      }
    }
    for (int x = 15 - 14; x <= 15 + 14; x += 3) f.set(x + rnd.below(2), top + height - 1, kClear);  // a needle fringe
    if (look.snow) snowCap(f, 0, kEdge, top);
  }
}

void canopyClumps(Canvas& f, const BlockLook& look, const TreeRamps& r, int variant, ArtRandom& rnd) {
  // The corner clumps sit inward, so a crown of several cells shows a ragged edge, not a square.
  const int spots[9][2] = {{7, 7}, {15, 4}, {23, 7}, {4, 15}, {15, 14}, {26, 15}, {7, 23}, {15, 25}, {23, 23}};
  for (int i = 0; i < 9; ++i) {
    leafClump(f, spots[i][0] + rnd.between(-1, 1), spots[i][1] + rnd.between(-1, 1), rnd.between(6, 7), r.leaf, rnd);
  }
  if (look.snow) snowCap(f, 0, kEdge, 0);
  if (look.fruit != kClear) {
    for (int k = 0, count = 2 + variant % 2; k < count; ++k) fruit(f, 5 + rnd.below(20), 8 + rnd.below(18), 2, look.fruit);
  }
}

void fronds(Canvas& f, const BlockLook& look, const TreeRamps& r, ArtRandom& rnd) {
  for (int side : {-1, 1}) {
    for (int k = 0; k < 3; ++k) {
      const int reach = 13 + k;
      for (int x = 0; x <= reach; ++x) {
        const int y = 9 + k * 3 + (x * x) / (14 + k * 4);
        const int px = 15 + side * x;
        f.set(px, y, r.leaf[3]);
        f.set(px, y + 1, r.leaf[2]);
        if (x % 2 == 0 && x > 2) f.line(px, y + 2, px + side, y + 4 + rnd.below(2), r.leaf[1]);
      }
    }
  }
  for (int k = 0; k < 4; ++k) f.line(15, 9, 15 + (k - 2) * 3, 2 + rnd.below(2), r.leaf[k % 2 ? 2 : 3]);
  if (look.fruit != kClear) {
    for (int dx : {-3, 0, 3}) fruit(f, 15 + dx, 13, 2, look.fruit);
  }
}

void fungusCap(Canvas& f, const TreeRamps& r, ArtRandom& rnd) {
  const Ramp& cap = r.leaf;
  f.fillRect({0, 0, kTile, 21}, cap[2]);
  for (int y = 0; y < 3; ++y) f.line(0, y, kEdge, y, y == 0 ? cap[4] : cap[3]);
  f.line(0, 20, kEdge, 20, cap[0]);
  for (int s = 0; s < 3; ++s) {
    const int cx = 4 + s * 10 + rnd.between(-2, 2), cy = 7 + rnd.below(8);
    f.fillEllipse(cx, cy, 2 + rnd.below(2), 2, rgba(242, 234, 216));
    f.set(cx - 1, cy - 1, rgba(255, 252, 244));
  }
  const Ramp gill = makeRamp(mix(r.bark[3], cap[1], 0.25f), 0.6f);
  for (int x = 0; x < kTile; ++x) {
    const int bottom = 25 + ((x * 5) % 3);
    f.line(x, 21, x, bottom, x % 2 ? gill[1] : gill[3]);
  }
}

void crystalCluster(Canvas& f, const BlockLook& look, ArtRandom& rnd) {
  const Ramp glow = makeRamp(look.base, 1.2f);
  // A few broad shards, the middle one tallest, so a crown reads as a cluster, not as a comb.
  const int xs[4] = {5, 12, 19, 25};
  for (int k = 0; k < 4; ++k) {
    const int height = (k == 1 || k == 2) ? rnd.between(20, 27) : rnd.between(12, 18);
    crystalShard(f, xs[k] + rnd.between(-1, 1), kEdge, height, rnd.between(3, 4), glow);
  }
  if (look.fruit != kClear) fruit(f, 8 + rnd.below(14), 6 + rnd.below(6), 2, look.fruit);
}

void coralFan(Canvas& f, const BlockLook& look, const TreeRamps& r, ArtRandom& rnd) {
  for (int k = 0; k < 6; ++k) {
    const int x0 = 2 + k * 5, top = rnd.between(1, 8);
    branch(f, x0, kEdge, x0 + rnd.between(-3, 3), top, 2, r.leaf);
    f.fillCircle(x0 + rnd.between(-3, 3), top, 2, r.leaf[3]);
  }
  for (int p = 0; p < 10; ++p) f.set(rnd.below(kTile), rnd.below(kTile), r.leaf[4]);
  if (look.fruit != kClear) fruit(f, 8 + rnd.below(14), 10 + rnd.below(10), 2, look.fruit);
}

void bareTwigs(Canvas& f, const BlockLook& look, const TreeRamps& r, ArtRandom& rnd) {
  for (int k = 0; k < 5; ++k) {
    const int y = 3 + k * 5 + rnd.below(3);
    const bool right = k % 2 == 0;
    branch(f, right ? 0 : kEdge, y + 4, right ? kEdge : 0, y, 1, r.bark);
    f.line(10 + rnd.below(10), y + 2, 12 + rnd.below(10), y - 3, r.bark[2]);
    leafClump(f, rnd.below(kTile), y, 2, r.leaf, rnd);
  }
  if (look.fruit != kClear) fruit(f, 6 + rnd.below(18), 8 + rnd.below(16), 2, look.fruit);
}

void root(Canvas& f, const BlockLook& look, const TreeRamps& r, ArtRandom& rnd) {
  const int width = trunkWidth(look);
  if (look.flora == Flora::Fungus) {
    stem(f, look, width, r.bark, rnd);
    f.shadedBlob(15, 27, width / 2 + 2, 3, r.bark[2], r.bark[4], r.bark[0]);  // the swollen foot
    return;
  }
  if (look.flora == Flora::Crystal) {
    for (int k = -1; k <= 1; ++k) crystalShard(f, 15 + k * 7, kEdge, k == 0 ? kTile : rnd.between(8, 16), 3, r.bark);
    return;
  }
  // The first rows of a tree all take its root block, so the root is a broad trunk that stacks,
  // with a gentle spread at its foot and roots showing through the bark.
  for (int y = 0; y < kTile; ++y) {
    const int flare = y > 24 ? (y - 24) / 2 : 0;
    const int x0 = 15 - width / 2 - 2 - flare, x1 = 15 + (width + 1) / 2 + 1 + flare;
    f.line(x0, y, x1, y, r.bark[2]);
    f.set(x0, y, r.bark[3]);
    f.set(x1, y, r.bark[0]);
  }
  for (int side : {-1, 1}) f.line(15 + side * 2, 14 + rnd.below(4), 15 + side * (width / 2 + 2), kEdge, r.bark[1]);
  for (int g = 0; g < 3; ++g) f.line(13 + g * 2, rnd.below(6), 13 + g * 2, 8 + rnd.below(8), r.bark[1]);
}

// The trunk where branches start: branches reach the frame's sides at the height where the
// canopy cells beside it begin, and leaves gather where they end.
void trunk(Canvas& f, const BlockLook& look, const TreeRamps& r, int variant, ArtRandom& rnd) {
  switch (look.flora) {
    case Flora::Conifer:
      stem(f, look, trunkWidth(look) - 2, r.bark, rnd);
      conifer(f, look, r, 2, rnd);
      return;
    case Flora::Palm:
      stem(f, look, trunkWidth(look), r.bark, rnd);
      if (variant % 2 == 0) fronds(f, look, r, rnd);
      return;
    case Flora::Fungus:
      // The rows where branches start are the middle of a cap, which the caps beside it carry on.
      stem(f, look, trunkWidth(look), r.bark, rnd);
      fungusCap(f, r, rnd);
      return;
    case Flora::Crystal:
      stem(f, look, trunkWidth(look), r.bark, rnd);
      for (int side : {-1, 1}) branch(f, 15, 18, 15 + side * 14, 6 + rnd.below(4), 2, makeRamp(look.accent, 1.2f));
      return;
    case Flora::Coral:
      stem(f, look, trunkWidth(look), r.bark, rnd);
      for (int side : {-1, 1}) branch(f, 15, 16, 15 + side * 14, 4 + rnd.below(6), 2, r.leaf);
      return;
    case Flora::Bare:
    case Flora::Broadleaf: break;
  }
  stem(f, look, trunkWidth(look), r.bark, rnd);
  for (int side : {-1, 1}) {
    const int y = 10 + rnd.below(6);
    branch(f, 15, y + 6, side < 0 ? 0 : kEdge, y, look.flora == Flora::Bare ? 1 : 3, r.bark);
    if (look.flora == Flora::Broadleaf) leafClump(f, side < 0 ? 3 : 26, y - 2, 5, r.leaf, rnd);
  }
  if (look.flora == Flora::Broadleaf) leafClump(f, 15 + rnd.between(-2, 2), 3, 5, r.leaf, rnd);
  if (look.fruit != kClear) fruit(f, variant % 2 ? 5 : 24, 13, 2, look.fruit);
}

}  // namespace

void paintTreePart(Canvas& f, const BlockLook& look, int variant, ArtRandom& rnd) {
  const TreeRamps r = rampsOf(look);
  switch (look.shape) {
    case BlockShape::Root: root(f, look, r, rnd); break;
    case BlockShape::LowerTrunk:
      stem(f, look, trunkWidth(look) + (look.flora == Flora::Fungus ? 0 : 2), r.bark, rnd);
      if (look.flora == Flora::Fungus) f.line(15 - 7, 6, 15 + 6, 7, r.bark[4]);  // the stalk's ring
      break;
    case BlockShape::Trunk: trunk(f, look, r, variant, rnd); break;
    case BlockShape::Canopy:
      switch (look.flora) {
        case Flora::Conifer: conifer(f, look, r, 2, rnd); break;
        case Flora::Palm: fronds(f, look, r, rnd); break;
        case Flora::Fungus: fungusCap(f, r, rnd); break;
        case Flora::Crystal: crystalCluster(f, look, rnd); break;
        case Flora::Coral: coralFan(f, look, r, rnd); break;
        case Flora::Bare: bareTwigs(f, look, r, rnd); break;
        case Flora::Broadleaf: canopyClumps(f, look, r, variant, rnd); break;
      }
      break;
    default: break;
  }
}

}  // namespace artmaker
