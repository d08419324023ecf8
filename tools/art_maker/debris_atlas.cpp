// debris.png: the particles of every rectangle list at their places, and the firework sparks in
// their rows. Each list has a look (chip, spark, streak, bubble, puff, heart...) and a colour; its
// rectangles are drawn as that look at their sizes, large first. Below the particles lie the
// projectiles' pictures, which the projectiles' batch draws from the same atlas.

#include <string>
#include <vector>

#include "content/art/debris_rect_lists.h"
#include "content/items/block_rules.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/projectile_pictures.h"

namespace artmaker {
namespace {

enum class Look : uint8_t { Spark, Chip, Streak, Bubble, Puff, Star, Heart, Leaf };

struct ListLook {
  Look look;
  uint32_t colour;  // 0xRRGGBB
};

// By list index (0-36): rain (4) and acid rain (5) streaks with their splashes, flakes and bubbles
// (6), water thrown up on entering a liquid (10), dust of a struck tile (17), sparkles of the light
// colours, hearts popping over a tile (24), leaves (35).
constexpr ListLook kLooks[kDebrisRectListCount] = {
    {Look::Spark, 0xF4F4FF}, {Look::Spark, 0xFF5A4A}, {Look::Spark, 0xFF9A3A}, {Look::Puff, 0xB8B4B0},
    {Look::Streak, 0xA8D0FF}, {Look::Streak, 0xB4F06A}, {Look::Bubble, 0xE6F4FF}, {Look::Spark, 0xFFF4C0},
    {Look::Star, 0xD88CFF}, {Look::Spark, 0x5A8CFF}, {Look::Puff, 0x7AB8F0}, {Look::Spark, 0x5AE6F0},
    {Look::Spark, 0x6AF06A}, {Look::Chip, 0x8A6A4A}, {Look::Puff, 0xD0CCC4}, {Look::Chip, 0x6A6A72},
    {Look::Spark, 0xFFB04A}, {Look::Puff, 0xD8D4CC}, {Look::Chip, 0x7AD04A}, {Look::Puff, 0x8C8A94},
    {Look::Chip, 0xC8343A}, {Look::Chip, 0xE8C84A}, {Look::Star, 0xFFE8A0}, {Look::Spark, 0xFFFFFF},
    {Look::Heart, 0xF05A8A}, {Look::Spark, 0xFF8A2A}, {Look::Spark, 0xFF8AC8}, {Look::Spark, 0xB4FF5A},
    {Look::Spark, 0x3AC8B0}, {Look::Spark, 0xFFD070}, {Look::Spark, 0xD8ECFF}, {Look::Spark, 0xF04AD8},
    {Look::Spark, 0xA070FF}, {Look::Spark, 0xFFC83A}, {Look::Spark, 0xFFFFFF}, {Look::Leaf, 0x5AA03A},
    {Look::Bubble, 0x9AF0E0},
};

// A spark of colour number n (1-based) shows the paint of the paint table's row n - 1, the paint
// that gives a firework that colour: it bursts in the paints it was filled with. A number no paint
// gives is white.
uint32_t fireworkColour(int colour) {
  const std::vector<ColoredBlock>& paints = coloredBlocks();
  return colour >= 1 && colour <= int(paints.size()) ? paints[size_t(colour - 1)].rgb : 0xFFFFFF;
}

void drawParticle(Canvas& c, const DebrisRect& r, Look look, Colour colour, int index) {
  const Ramp ramp = makeRamp(colour, 0.8f);
  const int x = r.x, y = r.y, w = r.width, h = r.height;
  switch (look) {
    case Look::Spark:
      if (w <= 2 || h <= 2) return c.fillRect({x, y, w, h}, ramp[4]);
      if (w <= 4 && h <= 4) {
        // A small orb: the even sizes a bright 2x2 core with mid-tone edges, the odd a plus.
        c.fillRect({x + (w - 1) / 2 - (w % 2 == 0 ? 0 : 1) + (w % 2 == 0 ? 0 : 1), y, w % 2 == 0 ? 2 : 1, h}, ramp[3]);
        c.fillRect({x, y + (h - 1) / 2 - (h % 2 == 0 ? 0 : 1) + (h % 2 == 0 ? 0 : 1), w, h % 2 == 0 ? 2 : 1}, ramp[3]);
        c.fillRect({x + (w - 1) / 2, y + (h - 1) / 2, 2 - w % 2, 2 - h % 2}, rgba(255, 255, 255));
        return;
      }
      c.fillRect({x + w / 2 - (w % 2 == 0 ? 1 : 0), y, 2 - w % 2, h}, ramp[3]);
      c.fillRect({x, y + h / 2 - (h % 2 == 0 ? 1 : 0), w, 2 - h % 2}, ramp[3]);
      c.fillRect({x + w / 2 - 1, y + h / 2 - 1, 3, 3}, ramp[4]);
      c.set(x + w / 2, y + h / 2, rgba(255, 255, 255));
      return;
    case Look::Chip:
      c.shadedBox({x, y, w, h}, ramp[2], ramp[4], ramp[0]);
      return;
    case Look::Streak:
      if (h > w) {
        for (int k = 0; k < h; ++k) c.fillRect({x, y + k, w, 1}, withAlpha(ramp[3], 60 + 180 * k / h));
      } else {
        c.fillRect({x + 1, y, w - 2, 1}, ramp[4]);
        c.set(x, y + h - 1, ramp[3]);
        c.set(x + w - 1, y + h - 1, ramp[3]);
      }
      return;
    case Look::Bubble:
      if (w <= 2) return c.fillRect({x, y, w, h}, withAlpha(ramp[4], 220));
      c.strokeRect({x, y, w, h}, withAlpha(ramp[3], 220));
      c.set(x, y, kClear), c.set(x + w - 1, y, kClear), c.set(x, y + h - 1, kClear), c.set(x + w - 1, y + h - 1, kClear);
      c.set(x + 1, y + 1, ramp[4]);
      return;
    case Look::Puff:
      c.fillEllipse(x + w / 2, y + h / 2, (w - 1) / 2, (h - 1) / 2, withAlpha(ramp[2], 200));
      c.set(x + w / 2 - 1, y + h / 2 - 1, withAlpha(ramp[4], 220));
      return;
    case Look::Star:
      c.fillEllipse(x + w / 2, y + h / 2, w / 4, h / 4, ramp[4]);
      c.line(x + w / 2, y, x + w / 2, y + h - 1, ramp[3]);
      c.line(x, y + h / 2, x + w - 1, y + h / 2, ramp[3]);
      return;
    case Look::Heart: {
      // Three frames of a heart popping: the same shape, lighter each frame.
      const Ramp lit = makeRamp(shade(colour, index * 0.5f), 0.8f);
      c.fillRect({x + 1, y + 1, 2, 2}, lit[2]);
      c.fillRect({x + 3, y + 1, 2, 2}, lit[2]);
      c.fillRect({x, y + 2, 6, 2}, lit[2]);
      c.fillRect({x + 1, y + 4, 4, 1}, lit[1]);
      c.fillRect({x + 2, y + 5, 2, 1}, lit[0]);
      c.set(x + 1, y + 1, lit[4]);
      return;
    }
    case Look::Leaf:
      c.fillEllipse(x + w / 2, y + h / 2, (w - 1) / 2, (h - 1) / 2, ramp[2]);
      c.line(x, y + h - 1, x + w - 1, y, ramp[0]);
      c.set(x + 1, y + 1, ramp[4]);
      return;
  }
}

}  // namespace

void makeDebrisAtlas(const ArtSources& sources, AtlasOutput& out) {
  Canvas atlas(kDebrisAtlasWidth, kDebrisAtlasHeight);
  for (uint16_t list = 0; list < kDebrisRectListCount; ++list) {
    const DebrisRectList& rects = debrisRectList(list);
    if (list == kFireworkSparkList) continue;  // drawn with the firework colours below
    for (int i = 0; i < rects.count; ++i) {
      drawParticle(atlas, rects.rects[size_t(i)], kLooks[list].look, opaque(kLooks[list].colour), i);
    }
  }
  for (int colour = 1; colour <= kFireworkColourCount; ++colour) {
    for (bool small : {false, true}) {
      drawParticle(atlas, fireworkSparkRect(uint8_t(colour), small), Look::Spark,
                   opaque(fireworkColour(colour)), 0);
    }
  }
  out.addSheetSection("particles", atlas.crop({0, 0, kDebrisParticleAreaWidth, kDebrisParticleAreaHeight}).scaled(3));
  Canvas projectiles;
  std::string error;
  if (!drawProjectiles(sources, atlas, projectiles, error)) return out.fail(error);
  out.addSheetSection("projectiles", std::move(projectiles));
  out.addPicture("debris.png", std::move(atlas));
}

}  // namespace artmaker
