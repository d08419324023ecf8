// interface.png: every picture of the interface at the place interface_layout.h gives it: the
// inventory cells' frames (a bevelled socket per slot kind, gold when selected), the marks and
// highlights, the durability column from full green to an empty red sliver, the tooltip's
// parchment panel and arrow, the achievement banner, the sign bubble, the portrait frame and its
// bar fills, the white health-bar strip and the numbered sprites (player markers, modifier and
// variant marks, outline badges and the craft book's icons).

#include <array>

#include "content/art/interface_layout.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/item_shapes.h"
#include "tools/art_maker/palette.h"
#include "tools/art_maker/region_grid.h"

namespace artmaker {
namespace {

PixelRect pixels(const engine::Rect& r) {
  return {int(r.origin.x), int(r.origin.y), int(r.size.width), int(r.size.height)};
}

constexpr Colour kGold = rgba(236, 196, 84);
constexpr Colour kInk = rgba(28, 22, 30);

// A socket: a dark, slightly translucent well inside a bevelled rim of the kind's colour.
void slotFrame(Canvas& c, PixelRect r, Colour rim, bool selected) {
  const Ramp ramp = makeRamp(rim, 0.9f);
  c.fillRect(r, kInk);
  c.shadedBox({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, ramp[2], ramp[4], ramp[0]);
  c.fillRect({r.x + 3, r.y + 3, r.w - 6, r.h - 6}, rgba(20, 18, 28, 170));
  c.line(r.x + 3, r.bottom() - 3, r.right() - 4, r.bottom() - 3, withAlpha(ramp[3], 120));
  if (selected) {
    c.strokeRect(r, kGold);
    c.strokeRect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, shade(kGold, 0.8f));
  }
}

Colour slotColour(uint8_t kind) {
  switch (kind) {
    case 0: case 13: return rgba(132, 92, 60);    // backpack and book list: leather
    case 1: return rgba(120, 124, 136);           // quick slots: stone
    case 2: case 3: return rgba(150, 110, 64);    // crafting: wood
    case 8: return rgba(132, 96, 176);            // trinkets: amethyst
    case 6: case 11: return rgba(96, 120, 160);   // equipment and trade: steel blue
    case 7: return rgba(88, 140, 120);            // second equipment: jade
    default: return rgba(110, 100, 90);           // containers and objects
  }
}

void cornerBrackets(Canvas& c, PixelRect r, Colour colour) {
  const int k = std::max(2, r.w / 3);
  for (int i = 0; i < k; ++i) {
    for (auto [x, y] : {std::pair{r.x + i, r.y}, {r.x, r.y + i}, {r.right() - 1 - i, r.y}, {r.right() - 1, r.y + i},
                        {r.x + i, r.bottom() - 1}, {r.x, r.bottom() - 1 - i}, {r.right() - 1 - i, r.bottom() - 1},
                        {r.right() - 1, r.bottom() - 1 - i}}) {
      c.set(x, y, colour);
    }
  }
}

void roundedPanel(Canvas& c, PixelRect r, Colour fill, Colour border, Colour light) {
  c.fillRect({r.x + 1, r.y, r.w - 2, r.h}, border);
  c.fillRect({r.x, r.y + 1, r.w, r.h - 2}, border);
  c.fillRect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, fill);
  c.line(r.x + 2, r.y + 1, r.right() - 3, r.y + 1, light);
  c.line(r.x + 1, r.y + 2, r.x + 1, r.bottom() - 3, light);
}

void drawSlots(Canvas& c) {
  for (const art::SlotKindFrames& row : art::kSlotKindFrames) {
    slotFrame(c, pixels(row.normal), slotColour(row.slotKind), false);
    slotFrame(c, pixels(row.other), slotColour(row.slotKind), true);
  }
  // The well a durability bar lies in, a pixel wider than the bar all round: nothing in it shows
  // past the bar's ends.
  for (const engine::Rect& r : {art::kQuickSlotMarkerSelected, art::kQuickSlotMarkerOther}) {
    const PixelRect p = pixels(r);
    c.fillRect(p, kInk);
    c.fillRect({p.x + 1, p.y + 1, p.w - 2, p.h - 2}, rgba(60, 58, 70));
  }
  const PixelRect fresh = pixels(art::kNewItemFrame);
  c.strokeRect(fresh, rgba(120, 240, 110));
  c.strokeRect({fresh.x + 1, fresh.y + 1, fresh.w - 2, fresh.h - 2}, rgba(70, 170, 70, 200));
  cornerBrackets(c, pixels(art::kHighlightFrame), rgba(255, 255, 255));
  cornerBrackets(c, pixels(art::kHighlightFrameStrong), rgba(255, 216, 80));
  const PixelRect mark = pixels(art::kBookPageMark);  // a red ribbon with a notched end
  c.fillRect(mark, rgba(200, 50, 50));
  c.fillRect({mark.x, mark.y, 1, mark.h}, rgba(240, 100, 90));
  c.set(mark.x + 2, mark.bottom() - 1, kClear);
  const std::array<Colour, 3> markColours = {rgba(230, 200, 80), rgba(200, 90, 200), rgba(90, 190, 230)};
  for (size_t i = 0; i < art::kMobItemMarks.size(); ++i) {  // a small pennant per kind of mob find
    const PixelRect p = pixels(art::kMobItemMarks[i]);
    c.fillRect({p.x, p.y + 1, p.w, p.h - 2}, markColours[i]);
    c.fillRect({p.x + 1, p.y, p.w - 2, p.h}, markColours[i]);
    c.fillRect({p.x + 1, p.y + 1, 2, p.h - 2}, shade(markColours[i], 1.5f));
    c.fillRect({p.x + p.w - 3, p.y + 1, 2, p.h - 2}, shade(markColours[i], -1.5f));
  }
}

void drawDurability(Canvas& c) {
  for (int step = 0; step < art::kDurabilityColumnSteps; ++step) {
    const PixelRect p{art::kDurabilityColumnX + 4 * step, 314, 4, 16};
    c.fillRect(p, kInk);
    const float left = 1.0f - float(step) / float(art::kDurabilityColumnSteps - 1);
    const int fill = std::max(1, int(left * 14 + 0.5f));
    const Colour colour = left > 0.5f ? mix(rgba(240, 220, 60), rgba(80, 210, 80), (left - 0.5f) * 2)
                                      : mix(rgba(220, 50, 40), rgba(240, 220, 60), left * 2);
    c.fillRect({p.x + 1, p.bottom() - 1 - fill, 2, fill}, colour);
    c.set(p.x + 1, p.bottom() - 1 - fill, shade(colour, 1.5f));
  }
}

void drawTooltip(Canvas& c) {
  // One 9x16 parchment panel whose slices the tooltip stretches: corners, edges and a centre.
  roundedPanel(c, {198, 442, 9, 16}, rgba(246, 236, 206), rgba(120, 88, 56), rgba(255, 250, 232));
  for (int row = 0; row < 4; ++row) {  // the arrow points down from the panel's lower edge
    for (int x = row; x < 7 - row; ++x) c.set(199 + x, 437 + row, row == 0 ? rgba(120, 88, 56) : rgba(246, 236, 206));
    c.set(199 + row, 437 + row, rgba(120, 88, 56));
    c.set(205 - row, 437 + row, rgba(120, 88, 56));
  }
}

void drawBanners(Canvas& c) {
  const PixelRect banner = pixels(art::kAchievementBanner);
  roundedPanel(c, banner, rgba(40, 34, 52, 235), kGold, shade(kGold, 1.2f));
  c.strokeRect({banner.x + 2, banner.y + 2, banner.w - 4, banner.h - 4}, rgba(120, 96, 50));
  c.fillCircle(banner.x + 21, banner.y + 20, 15, rgba(24, 20, 32));  // the icon's socket
  c.strokeCircle(banner.x + 21, banner.y + 20, 15, kGold);
  const PixelRect bubble = pixels(art::kSignBubble);
  roundedPanel(c, bubble, rgba(58, 42, 30, 225), rgba(170, 124, 74), rgba(210, 164, 104));
  c.strokeRect({bubble.x + 3, bubble.y + 3, bubble.w - 6, bubble.h - 6}, rgba(96, 70, 46, 225));
}

void drawPortrait(Canvas& c) {
  const PixelRect cap = pixels(art::kPortraitCap);
  c.fillRect({cap.x + 1, cap.y, cap.w - 1, cap.h}, rgba(120, 88, 56));
  c.fillRect({cap.x, cap.y + 1, cap.w, cap.h - 2}, rgba(120, 88, 56));
  c.fillRect({cap.x + 2, cap.y + 2, cap.w - 2, cap.h - 4}, rgba(30, 26, 36));
  c.set(cap.x + 1, cap.y + 1, rgba(180, 140, 90));
  const PixelRect middle = pixels(art::kPortraitMiddle);
  c.fillRect(middle, rgba(120, 88, 56));
  c.fillRect({middle.x, middle.y + 2, 1, middle.h - 4}, rgba(30, 26, 36));
  c.set(middle.x, middle.y + 1, rgba(180, 140, 90));
  c.fillRect(pixels(art::kPortraitHealthFill), rgba(220, 56, 48));
  c.set(65, 127, rgba(250, 130, 110));
  c.fillRect(pixels(art::kPortraitBreathFill), rgba(90, 170, 240));
  c.fillRect(pixels(art::healthBarRect(art::kHealthBarStripWidth)), rgba(255, 255, 255));
}

void drawSprite(Canvas& c, uint16_t id, uint32_t variant, const std::function<void(Canvas&, PixelRect)>& paint) {
  paint(c, pixels(art::uiSpriteRect(id, variant)));
}

void drawNumberedSprites(Canvas& c) {
  for (int i = 0; i < art::kPlayerMarkerCount; ++i) {  // a pin over the player, one colour each
    drawSprite(c, art::kPlayerMarkerSprite, uint32_t(i), [i](Canvas& k, PixelRect p) {
      const Colour colour = i == 0 ? rgba(250, 250, 250) : mix(opaque(0x3060E0), opaque(0xE04040), float(i) / 7.0f);
      k.fillCircle(p.x + 4, p.y + 3, 3, kInk);
      k.fillCircle(p.x + 4, p.y + 3, 2, colour);
      for (int row = 0; row < 4; ++row) k.fillRect({p.x + 2 + row / 2, p.y + 6 + row, 4 - row / 2 * 2, 1}, kInk);
      k.set(p.x + 3, p.y + 2, shade(colour, 1.5f));
    });
  }
  for (int m = 0; m < art::kModifierMarkCount; ++m) {  // a cut gem in the modifier's colour
    drawSprite(c, art::kModifierMarkSprite, uint32_t(m), [m](Canvas& k, PixelRect p) {
      const Colour colour = m == 0 ? rgba(200, 200, 200) : [m] {
        const uint32_t rgb[] = {0, 0xE8C040, 0xF0F0A0, 0x60C0F0, 0x70E070, 0xF06040, 0xC060F0, 0xA08060, 0x8090A0, 0x405070};
        return opaque(rgb[m]);
      }();
      k.fillRect({p.x + 1, p.y, 5, 7}, kInk);
      k.fillRect({p.x, p.y + 1, 7, 5}, kInk);
      k.fillRect({p.x + 1, p.y + 1, 5, 5}, colour);
      k.set(p.x + 2, p.y + 2, shade(colour, 2.0f));
      k.fillRect({p.x + 4, p.y + 4, 2, 2}, shade(colour, -1.2f));
    });
  }
  for (int v = 0; v < art::kVariantMarkCount; ++v) {  // one to four pips
    drawSprite(c, art::kVariantMarkSprite, uint32_t(v), [v](Canvas& k, PixelRect p) {
      k.fillRect(p, rgba(28, 22, 30, 200));
      for (int pip = 0; pip <= v; ++pip) k.fillRect({p.x + 1 + (pip % 2) * 3, p.y + 1 + (pip / 2) * 3, 2, 2}, rgba(250, 240, 200));
    });
  }
  for (int n = 0; n < art::kOutlineSpriteCount; ++n) {  // a badge ring in the outline's colour
    drawSprite(c, uint16_t(art::kOutlineSpriteBase + n), 0, [n](Canvas& k, PixelRect p) {
      const Colour colour = opaque(n == 6 ? 0xF0C850 : 0x60A0E0 + uint32_t(n) * 0x101000);
      k.strokeCircle(p.x + 5, p.y + 5, 4, kInk);
      k.strokeCircle(p.x + 5, p.y + 5, 3, colour);
      k.set(p.x + 3, p.y + 3, shade(colour, 2.0f));
    });
  }
  static const char* const kBookShapes[] = {"pickaxe", "sword", "potion", "seed", "block", "fish", "gem", "chest",
                                            "torch", "hat", "bow", "bomb", "key", "relic", "flower", "table",
                                            "hammer", "shovel", "axe", "anvil", "lamp", "fruit", "meat", "scroll",
                                            "creature", "bucket", "paint", "door", "furnace", "cloth", "boots", "orb"};
  const Ramp metal = familyRamp(Family::Metal), wood = familyRamp(Family::Wood), tint = makeRamp(opaque(0xE05A40));
  const Ramp glass = makeRamp(rgba(200, 232, 244, 200), 0.5f), white = makeRamp(opaque(0xF8F4EC), 0.3f);
  for (int i = 0; i < art::kBookIconCount; ++i) {
    RegionGrid grid(16);
    drawItemShape(kBookShapes[i], grid);
    const Canvas icon = renderRegions(grid, [&](char r) -> const Ramp* {
      switch (r) {
        case 'H': case 'V': return &wood;
        case 'L': case 'D': return &tint;
        case 'S': return &glass;
        case 'G': case 'W': return &white;
        case ' ': return nullptr;
        default: return &metal;
      }
    });
    const PixelRect p = pixels(art::uiSpriteRect(art::kBookIconSprite, uint32_t(i)));
    c.blit(icon, p.x, p.y);
  }
}

}  // namespace

void makeInterfaceAtlas(const ArtSources&, AtlasOutput& out) {
  Canvas atlas(art::kInterfaceAtlasSize, art::kInterfaceAtlasSize);
  drawSlots(atlas);
  drawDurability(atlas);
  drawTooltip(atlas);
  drawBanners(atlas);
  drawPortrait(atlas);
  drawNumberedSprites(atlas);
  out.addSheetSection("Interface", atlas.crop({0, 0, art::kInterfaceAtlasSize, 470}).scaled(2));
  out.addPicture("interface.png", std::move(atlas));
}

}  // namespace artmaker
