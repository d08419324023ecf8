// Blocks that do not fill their cell: platforms, doors, poles, plants, lights, windows and
// furniture, drawn as shapes on a clear background in their family's ramp with a selective
// outline one step darker than the fill.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "tools/art_maker/art_random.h"
#include "tools/art_maker/block_painter.h"

namespace artmaker {
namespace {

bool nameHas(const BlockLook& look, std::initializer_list<const char*> words) {
  std::string lower = look.name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* w : words) {
    if (lower.find(w) != std::string::npos) return true;
  }
  return false;
}

Colour flameColour(const BlockLook& look) { return look.glow != kClear ? look.glow : rgba(255, 190, 80); }

void platform(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom& rnd) {
  f.shadedBox({0, 2, kTile, 6}, r[2], r[4], r[0]);
  f.line(0, 4, kTile - 1, 4, mix(r[2], r[1], 0.5f));
  if (nameHas(look, {"table", "bench"})) {
    for (int x : {3, 25}) f.shadedBox({x, 8, 3, 21}, r[2], r[3], r[0]);
  } else {
    for (int x : {4, 23}) {
      f.shadedBox({x, 8, 3, 6}, r[2], r[3], r[0]);
      f.line(x + (x < 15 ? 3 : -1), 8, x + (x < 15 ? 6 : -4), 11, r[1]);
    }
  }
  // Something stands on a shelf: a jar or a book or two.
  for (int i = rnd.between(0, 2); i > 0; --i) {
    const int x = 3 + rnd.below(22), h = rnd.between(3, 5);
    const Colour c = shade(look.accent, (rnd.unit() - 0.5f));
    f.shadedBox({x, 2 - h, 3, h}, c, shade(c, 1.0f), shade(c, -1.0f));
  }
}

// A switched door is shut in variant 0 and open in variant 1: the open one is its panel swung back
// against the hinge, so the doorway shows clear and the player sees the click took.
void door(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom&, int variant) {
  const bool wide = nameHas(look, {"gate", "portal", "trapdoor", "hatch"});
  if (!wide && variant == 1) {
    f.shadedBox({6, 0, 4, 30}, r[2], r[4], r[0]);
    return;
  }
  const PixelRect panel = wide ? PixelRect{1, 1, 28, 28} : PixelRect{6, 0, 18, 30};
  f.shadedBox(panel, r[2], r[4], r[0]);
  if (wide && nameHas(look, {"portal"})) {
    f.fillEllipse(15, 15, 10, 12, shade(look.accent, -1.0f));
    f.fillEllipse(14, 14, 6, 9, look.accent);
    f.set(12, 9, rgba(255, 255, 255));
    return;
  }
  for (int y : {panel.y + 3, panel.y + panel.h / 2 + 1}) {
    const PixelRect inset{panel.x + 3, y, panel.w - 6, panel.h / 2 - 4};
    f.shadedBox(inset, r[1], r[0], r[3]);  // recessed: shadow on top, light below
  }
  if (!wide) {
    f.set(panel.right() - 4, 15, shade(look.accent, 1.5f));
    f.set(panel.right() - 4, 16, shade(look.accent, -0.5f));
  } else {
    for (int x = panel.x + 4; x < panel.right() - 2; x += 6) f.line(x, panel.y + 1, x, panel.bottom() - 2, r[1]);
  }
}

void pole(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom& rnd) {
  if (nameHas(look, {"ladder"})) {
    for (int x : {6, 22}) f.shadedBox({x, 0, 3, kTile}, r[2], r[4], r[0]);
    for (int y = 3; y < kTile; y += 7) f.shadedBox({9, y, 13, 2}, r[2], r[3], r[1]);
  } else if (nameHas(look, {"rope", "chain", "vine"})) {
    for (int y = 0; y < kTile; ++y) {
      const int x = 14 + ((y / 3) % 2);
      f.set(x, y, (y % 3 == 0) ? r[3] : r[2]);
      f.set(x + 1, y, r[1]);
    }
  } else if (nameHas(look, {"fence"})) {
    for (int x : {4, 23}) f.shadedBox({x, 2, 4, 28}, r[2], r[4], r[0]);
    for (int y : {8, 18}) f.shadedBox({0, y, kTile, 3}, r[2], r[3], r[0]);
  } else {
    f.shadedBox({11, 0, 8, kTile}, r[2], r[4], r[0]);
    for (int y = rnd.below(4); y < kTile; y += 9) f.line(12, y, 17, y, r[1]);
  }
}

// The genetic flower is drawn in layers: a stem block, its bloom laid over it at the stem's head,
// and a petal colour laid over the bloom. The bloom's petals (count, length, turn) come from its
// own seed, so every flower of the genes has its own form.
void bloom(Canvas& f, const BlockLook& look, ArtRandom& rnd) {
  const Ramp petals = makeRamp(look.accent, 0.9f);
  const int count = rnd.between(4, 7), length = rnd.between(3, 5);
  const float turn = rnd.unit();
  for (int p = 0; p < count; ++p) {
    const float a = (float(p) + turn) * 6.2831853f / float(count);
    const int x = 15 + int(std::lround(std::cos(a) * length)), y = 8 + int(std::lround(std::sin(a) * length * 0.8f));
    f.line(15, 8, x, y, petals[2]);
    f.fillCircle(x, y, 1, petals[p % 2 ? 3 : 1]);
  }
  f.fillCircle(15, 8, 1, look.glow != kClear ? look.glow : rgba(250, 220, 90));
}

void petalColour(Canvas& f, const BlockLook& look) {
  const Ramp petals = makeRamp(look.accent, 0.9f);
  for (const auto& [dx, dy] : {std::pair{-2, 0}, {2, 0}, {0, -2}, {0, 2}, {-1, -1}, {1, 1}, {1, -1}, {-1, 1}}) {
    f.set(15 + dx, 8 + dy, (dx + dy) % 2 ? petals[3] : petals[2]);
  }
}

void plant(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom& rnd) {
  if (nameHas(look, {"bloom"})) return bloom(f, look, rnd);
  if (nameHas(look, {"petals"})) return petalColour(f, look);
  const Ramp green = look.family == Family::Leaves ? r : familyRamp(Family::Leaves);
  const int stems = rnd.between(1, 3);
  for (int s = 0; s < stems; ++s) {
    int x = 8 + rnd.below(14);
    const int top = rnd.between(6, 14);
    for (int y = kTile - 1; y >= top; --y) {
      f.set(x, y, green[1]);
      if (y % 5 == 0) {  // a leaf every few pixels, alternating sides
        const int side = (y / 5) % 2 ? 1 : -1;
        f.set(x + side, y, green[3]);
        f.set(x + 2 * side, y - 1, green[2]);
      }
      if (rnd.chance(0.15f)) x += rnd.chance(0.5f) ? 1 : -1;
    }
    const bool flowering = !nameHas(look, {"seed", "sapling", "acorn", "grass", "fern", "kelp", "stem", "sprout"});
    if (flowering) {
      const Ramp petals = makeRamp(look.accent, 0.9f);
      f.fillCircle(x, top - 1, 2, petals[2]);
      f.set(x - 1, top - 2, petals[4]);
      f.set(x + 1, top, petals[0]);
      f.set(x, top - 1, look.glow != kClear ? look.glow : rgba(250, 220, 90));
    }
  }
}

// Whether the block shows its off look: a switched light in variant 0 is dark glass.
bool unlit(const BlockLook& look, int variant) { return look.switched && variant == 0; }

void light(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom&, int variant) {
  const Colour flame = unlit(look, variant) ? rgba(70, 74, 86) : flameColour(look);
  const Ramp glow = makeRamp(flame, 0.7f);
  if (nameHas(look, {"lamp", "lantern", "sconce", "chandelier"})) {
    f.line(15, 0, 15, 6, r[1]);
    f.shadedBox({9, 7, 12, 3}, r[2], r[4], r[0]);
    f.fillRect({10, 10, 10, 10}, withAlpha(glow[3], 230));
    f.fillRect({12, 12, 6, 6}, glow[4]);
    f.line(10, 10, 10, 19, r[2]);
    f.line(19, 10, 19, 19, r[1]);
    f.shadedBox({9, 20, 12, 3}, r[2], r[4], r[0]);
  } else if (nameHas(look, {"candle"})) {
    f.shadedBox({12, 18, 6, 11}, rgba(236, 228, 206), rgba(255, 250, 236), rgba(190, 176, 150));
    f.set(15, 17, rgba(60, 50, 40));
    f.fillEllipse(15, 13, 2, 3, glow[2]);
    f.set(15, 13, glow[4]);
  } else {
    const Ramp wood = familyRamp(Family::Wood);
    f.shadedBox({13, 13, 4, 17}, wood[2], wood[3], wood[0]);
    f.fillEllipse(15, 9, 3, 5, glow[1]);
    f.fillEllipse(15, 10, 2, 3, glow[3]);
    f.set(15, 10, glow[4]);
  }
}

// A dithered ring of faint light around a flame, drawn after the outline so it gets none.
void halo(Canvas& f, const BlockLook& look) {
  const Colour light = shade(flameColour(look), 1.5f);
  for (int y = 0; y < kTile; y += 2) {
    for (int x = (y / 2) % 2; x < kTile; x += 2) {
      const int dx = x - 15, dy = y - 11, d2 = dx * dx + dy * dy;
      if (d2 > 30 && d2 < 60 && alpha(f.at(x, y)) == 0) f.set(x, y, withAlpha(light, 90));
    }
  }
}

void window(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom&) {
  const Ramp frameRamp = look.family == Family::Glass ? familyRamp(Family::Wood) : r;
  const bool mirror = nameHas(look, {"mirror"});
  f.fillRect({3, 3, 24, 24}, mirror ? rgba(190, 210, 226, 235) : rgba(180, 220, 240, 80));
  f.strokeRect({0, 0, kTile, kTile}, frameRamp[2]);
  f.strokeRect({1, 1, kTile - 2, kTile - 2}, frameRamp[2]);
  f.line(0, 0, kTile - 1, 0, frameRamp[4]);
  f.line(0, 0, 0, kTile - 1, frameRamp[4]);
  f.line(0, kTile - 1, kTile - 1, kTile - 1, frameRamp[0]);
  f.line(kTile - 1, 0, kTile - 1, kTile - 1, frameRamp[0]);
  f.strokeRect({2, 2, kTile - 4, kTile - 4}, frameRamp[1]);
  if (!mirror) {
    f.fillRect({14, 2, 2, 26}, frameRamp[2]);
    f.fillRect({2, 14, 26, 2}, frameRamp[2]);
  }
  for (int k = 0; k < 6; ++k) f.set(5 + k, 11 - k, withAlpha(rgba(255, 255, 255), 210));
  for (int k = 0; k < 4; ++k) f.set(18 + k, 25 - k, withAlpha(rgba(255, 255, 255), 170));
}

// A round bundle of blasting powder tied with a cord, its fuse curling up from the top, so that it
// reads as the charge in the hand and not as a box; lit, a spark burns at the fuse's end and
// flickers from variant to variant.
void charge(Canvas& f, const Ramp& r, const Ramp& trim, int variant, bool lit) {
  f.fillEllipse(15, 21, 10, 8, r[2]);
  f.fillEllipse(12, 18, 5, 4, r[3]);
  f.set(10, 16, r[4]);
  f.line(6, 21, 24, 21, trim[1]);
  f.line(6, 22, 24, 22, trim[2]);
  f.fillRect({13, 11, 4, 3}, r[1]);
  const Colour cord = rgba(214, 196, 150);
  f.line(15, 11, 17, 7, cord);
  f.line(17, 7, 21, 5, cord);
  if (!lit) return;
  const Colour spark = variant == 1 ? rgba(255, 244, 170) : rgba(255, 196, 70);
  f.fillCircle(22, 4, 2 + (variant == 2 ? 1 : 0), spark);
  f.set(22, 4, rgba(255, 255, 255));
  for (int k = 2; k < 5; ++k) {
    f.set(22 + k, 4 - k / 2 - (variant & 1), withAlpha(spark, 200));
    f.set(22 - k / 2, 4 - k + (variant == 2 ? 1 : 0), withAlpha(spark, 200));
  }
}

void furniture(Canvas& f, const BlockLook& look, const Ramp& r, ArtRandom& rnd, int variant) {
  const Ramp trim = makeRamp(look.accent, 0.8f);
  if (nameHas(look, {"pot", "basket", "vase", "urn"})) {
    f.fillEllipse(15, 20, 10, 8, r[2]);
    f.fillEllipse(13, 18, 6, 5, r[3]);
    f.fillRect({7, 10, 16, 3}, r[1]);
    f.line(7, 10, 22, 10, r[4]);
    for (int x = 8; x < 22; x += 3) f.set(x, 21, r[1]);
  } else if (nameHas(look, {"clock"})) {
    f.shadedBox({8, 2, 14, 27}, r[2], r[4], r[0]);
    f.fillCircle(15, 10, 5, rgba(238, 232, 210));
    f.line(15, 10, 15, 6, rgba(40, 36, 40));
    f.line(15, 10, 18, 10, rgba(40, 36, 40));
    f.line(15, 17, 15, 24, trim[3]);
    f.fillCircle(15, 25, 2, trim[2]);
  } else if (nameHas(look, {"painting", "plaque", "crest", "mask", "trophy", "shield", "sign"})) {
    f.shadedBox({3, 5, 24, 20}, r[2], r[4], r[0]);
    f.fillRect({6, 8, 18, 14}, shade(look.accent, -0.5f));
    f.fillEllipse(15, 15, 5, 4, trim[3]);
    f.set(13, 13, trim[4]);
  } else if (nameHas(look, {"banner", "tapestry", "curtain"})) {
    const Ramp cloth = makeRamp(look.accent, 0.7f);
    f.shadedBox({3, 0, 24, 3}, r[2], r[4], r[0]);
    for (int x = 5; x < 25; ++x) {
      const int bottom = 26 + ((x / 3) % 2);
      f.line(x, 3, x, bottom, (x / 3) % 2 ? cloth[2] : cloth[1]);
    }
    f.line(5, 3, 5, 26, cloth[3]);
    f.fillRect({12, 10, 6, 6}, trim[4]);
  } else if (nameHas(look, {"bed"})) {
    const Ramp cloth = makeRamp(look.accent, 0.7f);
    f.shadedBox({1, 12, 6, 17}, r[2], r[4], r[0]);
    f.shadedBox({1, 19, 28, 6}, r[2], r[3], r[0]);
    f.shadedBox({6, 14, 23, 6}, cloth[2], cloth[4], cloth[0]);
    // Each bed and each of its pieces has its own blanket: plain, striped, checked or dotted.
    const int pattern = rnd.below(4);
    for (int y = 15; y < 19 && pattern > 0; ++y) {
      for (int x = 7; x < 28; ++x) {
        const bool mark = pattern == 1 ? x % 4 == 0 : pattern == 2 ? (x / 2 + y / 2) % 2 == 0 : (x % 4 == 1 && y % 2 == 1);
        if (mark) f.set(x, y, cloth[1]);
      }
    }
    f.shadedBox({7, 12, 6, 4}, rgba(236, 232, 222), rgba(255, 255, 250), rgba(180, 176, 170));
    f.fillRect({2, 25, 2, 4}, r[1]);
    f.fillRect({26, 25, 2, 4}, r[1]);
  } else if (nameHas(look, {"lever"})) {
    // A plate on the wall with a handle thrown left when off and right when on.
    f.shadedBox({8, 18, 14, 10}, r[2], r[4], r[0]);
    const int tip = variant == 1 ? 22 : 8;
    f.line(15, 20, tip, 6, trim[1]);
    f.line(16, 20, tip + 1, 6, trim[2]);
    f.fillCircle(tip, 6, 2, trim[3]);
  } else if (nameHas(look, {"pressure plate", "weighted plate"})) {
    // A flat plate on the floor, pressed down while something stands on it.
    const int height = variant == 1 ? 2 : 4;
    f.shadedBox({3, kTile - height, 24, height}, r[2], r[4], r[0]);
  } else if (nameHas(look, {"blasting charge"})) {
    charge(f, r, trim, variant, nameHas(look, {"(lit)"}));
  } else if (nameHas(look, {"bell"})) {
    f.line(15, 0, 15, 5, r[1]);
    f.fillEllipse(15, 14, 7, 9, r[2]);
    f.fillRect({7, 19, 17, 4}, r[2]);
    f.fillEllipse(12, 11, 2, 4, r[4]);
    f.set(15, 24, r[0]);
  } else {
    // A chest, bench machine or cabinet: a box with a lid, a trim band and a latch.
    const int height = rnd.between(16, 20), top = kTile - height;
    f.shadedBox({2, top, 26, height}, r[2], r[4], r[0]);
    f.shadedBox({2, top, 26, 5}, r[3], r[4], r[1]);
    f.line(3, top + 5, 26, top + 5, r[0]);
    f.shadedBox({13, top + 4, 4, 5}, trim[2], trim[4], trim[0]);
    for (int x : {4, 24}) f.fillRect({x, top + 1, 2, height - 2}, mix(r[2], trim[1], 0.5f));
  }
}

}  // namespace

void paintObject(Canvas& frame, const BlockLook& look, const Ramp& ramp, uint32_t seed, int variant) {
  ArtRandom rnd(seed);
  Canvas shape(kTile, kTile);
  switch (look.shape) {
    case BlockShape::Platform: platform(shape, look, ramp, rnd); break;
    case BlockShape::Door: door(shape, look, ramp, rnd, variant); break;
    case BlockShape::Pole: pole(shape, look, ramp, rnd); break;
    case BlockShape::Plant: plant(shape, look, ramp, rnd); break;
    case BlockShape::Light: light(shape, look, ramp, rnd, variant); break;
    case BlockShape::Window: window(shape, look, ramp, rnd); break;
    default: furniture(shape, look, ramp, rnd, variant); break;  // growing shapes have their own painter
  }
  // Wear: a knot or scuff or two where this block's seed puts them, so two blocks of one kind differ.
  for (int placed = 0, tries = 0; placed < 2 && tries < 200; ++tries) {
    const int x = rnd.below(kTile), y = rnd.below(kTile);
    if (alpha(shape.at(x, y)) == 255 && alpha(shape.at(x + 1, y)) == 255) {
      shape.set(x, y, shade(shape.at(x, y), -0.7f));
      ++placed;
    }
  }
  // Outline only where the shape meets nothing, inside the frame's edge so tiles do not clip it.
  Canvas outlined = shape;
  outlined.outline(shade(ramp[0], -0.8f));
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (alpha(shape.at(x, y)) == 0 && alpha(outlined.at(x, y)) != 0 && look.shape != BlockShape::Window) {
        shape.set(x, y, outlined.at(x, y));
      }
    }
  }
  if (look.shape == BlockShape::Light && !unlit(look, variant)) halo(shape, look);
  frame.blit(shape, 0, 0, true);
}

}  // namespace artmaker
