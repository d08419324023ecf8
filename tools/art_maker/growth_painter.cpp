#include "tools/art_maker/growth_painter.h"

#include <algorithm>
#include <string>

#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/growth_strokes.h"
#include "tools/art_maker/recipe_words.h"

namespace artmaker {
namespace {

constexpr int kBase = kTile - 1;
// A surface growth is a decoration of the top ground cell itself, drawn over that block: it grows
// from the block's upper edge, in the tile's top rows, so it stands on the ground rather than
// inside it.
constexpr int kTurfBase = 8;

bool named(const BlockLook& look, std::initializer_list<const char*> words) {
  for (const std::string& word : lowerWords(look.name)) {
    for (const char* w : words) {
      if (word.find(w) != std::string::npos) return true;
    }
  }
  return false;
}

Ramp leafRamp(const BlockLook& look) { return familyRamp(Family::Leaves, look.base); }

// Mushrooms and crystals stand on the row `base`, none taller than the rows above it.
void mushrooms(Canvas& f, const BlockLook& look, int count, ArtRandom& rnd, int base = kBase) {
  const Ramp cap = makeRamp(look.glow != kClear ? look.glow : look.accent, 0.9f);
  const int spacing = count > 1 ? 18 / (count - 1) : 0;
  for (int k = 0; k < count; ++k) {
    const int cx = (count > 1 ? 6 + k * spacing : 15) + rnd.between(-1, 1);
    mushroom(f, cx, base, std::min(rnd.between(5, 10), base - 2), rnd.between(3, 5), cap, rgba(232, 222, 200));
  }
}

void crystals(Canvas& f, const BlockLook& look, int count, ArtRandom& rnd, int base = kBase) {
  const Ramp ramp = makeRamp(look.glow != kClear ? look.glow : look.accent, 1.1f);
  for (int k = 0; k < count; ++k) {
    crystalShard(f, 7 + k * 7 + rnd.between(-1, 1), base, std::min(rnd.between(6, 14), base - 1), 2, ramp);
  }
}

void bush(Canvas& f, const BlockLook& look, int variant, ArtRandom& rnd) {
  if (look.flora == Flora::Fungus) return mushrooms(f, look, 2, rnd);
  if (look.flora == Flora::Crystal) return crystals(f, look, 3, rnd);
  const Ramp leaf = leafRamp(look);
  leafClump(f, 8, 22, 6, leaf, rnd);
  leafClump(f, 22, 22, 6, leaf, rnd);
  leafClump(f, 15, 17, 7, leaf, rnd);
  f.fillRect({4, 26, 22, 4}, leaf[1]);
  if (look.fruit == kClear) return;
  const bool big = named(look, {"melon", "pumpkin", "cabbage", "pineapple"});
  if (big) {
    fruit(f, 10 + variant * 3 % 10, 24, 4, look.fruit);
    return;
  }
  for (int k = 0; k < 4; ++k) fruit(f, 7 + rnd.below(16), 14 + rnd.below(11), 1 + (k % 2), look.fruit);
}

void tuft(Canvas& f, const BlockLook& look, ArtRandom& rnd) {
  const int base = kTurfBase;
  if (look.flora == Flora::Fungus || named(look, {"cap", "spore", "mushroom"})) {
    return mushrooms(f, look, rnd.between(1, 3), rnd, base);
  }
  if (look.flora == Flora::Crystal && !named(look, {"lily", "grass"})) return crystals(f, look, 3, rnd, base);
  Ramp leaf = leafRamp(look);
  const bool dead = named(look, {"dead", "drift"});
  const bool grain = named(look, {"wheat", "hay", "grain", "millet", "sorghum", "oat", "barley", "rice"});
  if (dead || grain) leaf = makeRamp(dead ? rgba(140, 104, 64) : rgba(196, 170, 86), 0.8f);
  const bool kelp = named(look, {"kelp"});
  const int blades = kelp ? 3 : rnd.between(5, 8);
  for (int b = 0; b < blades; ++b) {
    const int x = 4 + rnd.below(22), height = kelp ? base - 1 : rnd.between(4, dead ? base - 1 : base - 2);
    grassBlade(f, x, base, height, kelp ? rnd.between(-2, 2) : rnd.between(-2, 2), leaf);
    if (grain && b % 2 == 0) f.fillEllipse(x, base - height + 1, 1, 1, shade(leaf[3], 0.5f));
  }
  if (named(look, {"petal", "bloom", "lily", "flower", "root", "rose"})) {
    const Ramp petals = makeRamp(look.accent, 0.9f);
    for (int k = 0; k < 2; ++k) {
      const int x = 8 + k * 12 + rnd.between(-2, 2), y = base - rnd.between(5, 6);
      grassBlade(f, x, base, base - y, 0, leaf);
      f.fillCircle(x, y, 2, petals[2]);
      f.set(x - 1, y - 1, petals[4]);
      f.set(x, y, rgba(250, 226, 100));
    }
  }
  if (look.snow) {
    for (int x = 0; x < kTile; ++x) {
      for (int y = 0; y < kTile; ++y) {
        if (alpha(f.at(x, y)) != 0) {
          if (x % 3 == 0) f.set(x, y, rgba(240, 246, 250));
          break;
        }
      }
    }
  }
}

void caveGrowth(Canvas& f, const BlockLook& look, ArtRandom& rnd) {
  if (named(look, {"crystal", "ice", "frost", "shard"}) || look.flora == Flora::Crystal) return crystals(f, look, 3, rnd);
  if (named(look, {"moss"})) {
    const Ramp leaf = makeRamp(look.glow != kClear ? mix(look.base, look.glow, 0.5f) : look.base, 0.8f);
    for (int x = 1; x < kTile - 1; x += 2) grassBlade(f, x, kBase, rnd.between(1, 4), 0, leaf);
    return;
  }
  mushrooms(f, look, 3, rnd);
}

// A cache of relics or a hive resting on a cave floor, before the shaded rock of the cave wall
// (the block hides the wall behind it).
void caveObject(Canvas& f, const BlockLook& look, ArtRandom& rnd) {
  const Ramp wall = makeRamp(rgba(52, 48, 60), 0.45f);
  paintMaterial(f, Family::Stone, wall, wall[3], rnd.below(1 << 20));
  if (named(look, {"jelly", "honey", "comb"})) {
    const Ramp hive = makeRamp(rgba(214, 160, 60), 0.8f);
    f.shadedBlob(15, 18, 11, 11, hive[2], hive[4], hive[0]);
    for (int y = 10; y < 28; y += 4) f.line(6, y, 24, y, hive[1]);
    f.fillEllipse(15, 24, 2, 2, rgba(40, 28, 20));
    return;
  }
  const Ramp pot = makeRamp(rgba(150, 96, 64), 0.8f);
  const Ramp ore = makeRamp(look.accent, 1.0f);
  f.shadedBlob(11, 21, 7, 8, pot[2], pot[4], pot[0]);
  f.fillRect({8, 11, 7, 3}, pot[1]);
  f.line(5, 21, 17, 21, ore[2]);
  for (int k = 0; k < 4; ++k) f.shadedBlob(20 + k % 2 * 4, 26 - k / 2 * 3, 2, 2, ore[2], ore[4], ore[0]);
}

// A standing stone with a rune that glows in the colour of the planet it leads to.
void waystone(Canvas& f, const BlockLook& look) {
  const Ramp stone = makeRamp(rgba(120, 116, 128), 0.8f);
  const Ramp rune = makeRamp(look.accent, 1.0f);
  f.shadedBox({8, 4, 14, 26}, stone[2], stone[4], stone[0]);
  f.fillRect({9, 2, 12, 2}, stone[3]);
  f.line(15, 9, 15, 22, rune[3]);
  f.line(12, 12, 18, 12, rune[3]);
  f.line(12, 19, 18, 16, rune[2]);
  f.set(15, 9, rune[4]);
}

// A decoration over an object on a cave floor: mostly clear, so the object shows through.
void overlay(Canvas& f, const BlockLook& look, ArtRandom& rnd) {
  if (named(look, {"web"})) {
    const Colour silk = rgba(236, 236, 240, 170);
    for (int k = 0; k < 5; ++k) f.line(0, 0, 6 + k * 5, 29 - k * 6, silk);
    for (int r = 6; r < 24; r += 6) f.strokeCircle(0, 0, r, silk);
    return;
  }
  if (named(look, {"bone"})) {
    const Ramp bone = makeRamp(rgba(232, 226, 206), 0.6f);
    for (int k = 0; k < 3; ++k) {
      const int x = 4 + rnd.below(20), y = 22 + rnd.below(6);
      f.line(x, y, x + 5, y - 2, bone[3]);
      f.fillCircle(x, y, 1, bone[2]);
      f.fillCircle(x + 5, y - 2, 1, bone[2]);
    }
    return;
  }
  if (named(look, {"moss"})) {
    const Ramp moss = familyRamp(Family::Leaves, rgba(90, 140, 70));
    for (int x = 0; x < kTile; ++x) grassBlade(f, x, 3 + (x * 7) % 3, (x * 5) % 4, 0, moss);
    return;
  }
  const Colour grain = named(look, {"glint"}) ? rgba(250, 246, 210) : withAlpha(rgba(200, 184, 150), 200);
  for (int k = 0; k < 14; ++k) f.set(rnd.below(kTile), 18 + rnd.below(12), grain);
}

void outlineShape(Canvas& shape, const Ramp& ramp) {
  Canvas outlined = shape;
  outlined.outline(shade(ramp[0], -0.8f));
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (alpha(shape.at(x, y)) == 0 && alpha(outlined.at(x, y)) != 0) shape.set(x, y, outlined.at(x, y));
    }
  }
}

}  // namespace

bool isGrowthShape(BlockShape shape) { return shape >= BlockShape::Root; }

void paintGrowth(Canvas& frame, const BlockLook& look, int variant, uint32_t seed) {
  ArtRandom rnd(seed);
  Canvas shape(kTile, kTile);
  switch (look.shape) {
    case BlockShape::Bush: bush(shape, look, variant, rnd); break;
    case BlockShape::Tuft: tuft(shape, look, rnd); break;
    case BlockShape::CaveGrowth: caveGrowth(shape, look, rnd); break;
    case BlockShape::CaveObject: caveObject(shape, look, rnd); break;
    case BlockShape::Waystone: waystone(shape, look); break;
    case BlockShape::Overlay: overlay(shape, look, rnd); break;
    default: paintTreePart(shape, look, variant, rnd); break;
  }
  // The canopy's own edge meets the next canopy cell, and a decoration lies on its object: only the
  // standing shapes get an outline.
  const bool whole = look.shape == BlockShape::Canopy || look.shape == BlockShape::CaveObject || look.shape == BlockShape::Overlay;
  if (!whole) outlineShape(shape, makeRamp(look.base));
  frame.blit(shape, 0, 0, true);
}

}  // namespace artmaker
