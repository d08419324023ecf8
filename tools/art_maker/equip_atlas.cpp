// equip.png: the character and its clothes. The bare body (a plain shirt and trousers, gloves and
// shoes, and a pale head that the look's skin colour dyes), eight hair styles, every worn picture's
// pieces for the parts it covers in both layouts (hats and helmets over the hair, tunics and chest
// pieces over the torso and arms, trousers and greaves over the legs, boots over the feet, each
// in its item's material), and each garment folded as it lies dropped in the world. The character
// faces left in the picture (toward its front hand); the sprite mirrors it.

#include <array>
#include <string>

#include "content/art/character_atlas_layout.h"
#include "content/art/dress_atlas_layout.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/item_looks.h"

namespace artmaker {
namespace {

constexpr Colour kInk = rgba(30, 22, 26);

// The ramps a set of pieces is painted with.
struct Outfit {
  Ramp shirt, trousers, gloves, shoes, hat;
  bool metal = false;  // plate: a rim and rivets instead of seams
};

PixelRect pieceAt(const engine::Rect& r) { return {int(r.origin.x), int(r.origin.y), int(r.size.width), int(r.size.height)}; }

// A lit block: highlight on the top and left, shadow on the bottom and right, an outline around.
void block(Canvas& c, PixelRect r, const Ramp& ramp) {
  c.fillRect(r, kInk);
  if (r.w > 2 && r.h > 2) c.shadedBox({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, ramp[2], ramp[3], ramp[1]);
}

void drawHead(Canvas& c, PixelRect r) {
  const Ramp skin = makeRamp(rgba(236, 236, 236), 0.45f);  // pale, so the dye shows its own colour
  block(c, {r.x, r.y + 1, r.w, r.h - 1}, skin);
  c.set(r.x, r.y + 1, kClear);
  c.set(r.right() - 1, r.y + 1, kClear);
  c.set(r.x, r.bottom() - 1, kClear);
  c.set(r.right() - 1, r.bottom() - 1, kClear);
  c.fillRect({r.x + 2, r.y + 5, 2, 2}, rgba(24, 20, 34));  // eye, toward the front
  c.set(r.x + 2, r.y + 5, rgba(250, 250, 250));
  c.set(r.x + 3, r.y + 9, skin[1]);  // mouth
  c.set(r.x + 4, r.y + 9, skin[1]);
}

// Hair styles: the top of the head (a 16x14 piece whose head spans columns 2-13, rows 2-13).
void drawHairTop(Canvas& c, PixelRect r, int style, const Ramp& hair) {
  const int x = r.x, y = r.y;
  block(c, {x + 1, y + 1, 14, 5}, hair);  // every style covers the crown
  switch (style % art::kHairStyleCount) {
    case 1:  // spiky
      for (int k = 0; k < 4; ++k) c.fillRect({x + 3 + 3 * k, y, 2, 2}, hair[3]);
      break;
    case 2:  // long, down the back
      block(c, {x + 9, y + 4, 6, 9}, hair);
      break;
    case 3:  // cropped
      c.fillRect({x + 1, y + 4, 14, 2}, kClear);
      c.fillRect({x + 1, y + 4, 14, 1}, kInk);
      break;
    case 4:  // bob with a fringe
      block(c, {x + 1, y + 4, 4, 4}, hair);
      block(c, {x + 10, y + 4, 5, 7}, hair);
      break;
    case 5:  // crest
      block(c, {x + 5, y, 6, 3}, hair);
      break;
    case 6:  // tied back
      block(c, {x + 12, y + 5, 4, 5}, hair);
      break;
    default:  // short
      block(c, {x + 10, y + 4, 5, 5}, hair);
      break;
  }
}

void drawHairBack(Canvas& c, PixelRect r, int style, const Ramp& hair) {
  const int length = style % art::kHairStyleCount == 2 ? 12 : style % art::kHairStyleCount == 6 ? 10 : 6;
  block(c, {r.x + 9, r.y + 2, 5, length}, hair);
}

void drawHat(Canvas& c, PixelRect r, const ItemEntry& item, const Ramp& ramp, bool helmet) {
  const int x = r.x, y = r.y;
  if (helmet) {
    block(c, {x + 1, y, 14, 7}, ramp);
    block(c, {x + 9, y + 5, 6, 6}, ramp);  // the neck guard at the back
    c.fillRect({x + 1, y + 6, 9, 1}, ramp[0]);
    c.set(x + 8, y + 2, ramp[4]);
    return;
  }
  const bool tall = item.name.find("Top") != std::string::npos || item.name.find("Chef") != std::string::npos;
  block(c, {x, y + 5, 16, 3}, ramp);                        // brim
  block(c, {x + 3, tall ? y : y + 1, 10, tall ? 6 : 5}, ramp);  // crown
  c.fillRect({x + 4, y + 5, 8, 1}, shade(ramp[2], -1.5f));  // band
}

void drawTorso(Canvas& c, PixelRect r, const Outfit& o, int layout) {
  block(c, r, o.shirt);
  if (layout == 1) {  // leaning into the action: the top row shifts forward
    c.fillRect({r.right() - 1, r.y, 1, 3}, kClear);
    c.fillRect({r.x, r.y + 3, 1, 3}, o.shirt[3]);
  }
  if (o.metal) {
    c.strokeRect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, o.shirt[4]);
    c.set(r.x + 3, r.y + 3, o.shirt[4]);
    c.set(r.right() - 4, r.y + 3, o.shirt[4]);
  } else {
    c.fillRect({r.x + 1, r.bottom() - 3, r.w - 2, 1}, o.trousers[1]);  // belt
    c.set(r.x + 4, r.y + 1, o.shirt[1]);
    c.set(r.x + 5, r.y + 2, o.shirt[1]);
  }
}

void drawLimb(Canvas& c, PixelRect r, const Ramp& upper, const Ramp* lower, int lowerRows, bool back) {
  const Ramp u = back ? makeRamp(upper[1], 0.8f) : upper;
  block(c, r, u);
  if (lower != nullptr) {
    const Ramp l = back ? makeRamp((*lower)[1], 0.8f) : *lower;
    block(c, {r.x, r.bottom() - lowerRows, r.w, lowerRows}, l);
  }
}

void drawFoot(Canvas& c, PixelRect r, const Ramp& ramp, bool back, int rows) {
  const Ramp s = back ? makeRamp(ramp[1], 0.8f) : ramp;
  block(c, {r.x, r.bottom() - rows, r.w, rows}, s);
  c.fillRect({r.x, r.bottom() - 1, r.w, 1}, kInk);
}

void drawPart(Canvas& c, uint8_t picture, int part, int layout, const Outfit& o, bool booted) {
  const PixelRect r = pieceAt(art::characterPieceRect(picture, part, layout));
  switch (part) {
    case 1: drawHead(c, r); break;
    case 3: case 4: drawLimb(c, r, o.shirt, &o.gloves, 3, part == 4); break;
    case 5: case 6: drawLimb(c, r, o.shirt, nullptr, 0, part == 6); break;
    case 7: drawTorso(c, r, o, layout); break;
    case 8: case 9: drawLimb(c, r, o.trousers, nullptr, 0, part == 9); break;
    case 10: case 11: drawFoot(c, r, o.shoes, part == 11, booted ? 5 : 3); break;
    default: break;
  }
}

Outfit bareOutfit() {
  return {makeRamp(rgba(206, 190, 150), 0.8f), makeRamp(rgba(92, 78, 110), 0.8f), makeRamp(rgba(150, 104, 64), 0.8f),
          makeRamp(rgba(96, 62, 40), 0.8f), makeRamp(rgba(120, 88, 56), 0.8f)};
}

constexpr std::array<uint32_t, art::kHairStyleCount> kHairColours = {0x6A4428, 0x2C2830, 0xD8B060, 0xA8442C,
                                                                     0x8A6A48, 0x4A3A6A, 0xE8E0D0, 0x3A2A1E};

// A standing character put together from the atlas as the player sprite does (parts in their draw
// order at their rest offsets, the head dyed), for the contact sheet.
Canvas characterPreview(const Canvas& atlas, const art::CharacterLook& look) {
  constexpr std::array<int, art::kCharacterPartCount> kDrawOrder = {9, 8, 11, 10, 4, 6, 2, 1, 0, 7, 5, 3};
  Canvas preview(40, 40);
  const engine::Color3B skin = art::lookPaletteColour(look.skin);
  for (int part : kDrawOrder) {
    const PixelRect r = pieceAt(art::characterPartRect(look, part, 2));
    Canvas piece = atlas.crop(r);
    if (part == 1) {
      for (int y = 0; y < piece.height(); ++y) {
        for (int x = 0; x < piece.width(); ++x) {
          const Colour c = piece.at(x, y);
          piece.set(x, y, rgba(red(c) * skin.r / 255, green(c) * skin.g / 255, blue(c) * skin.b / 255, alpha(c)));
        }
      }
    }
    const engine::Vec2 at = art::characterPartOffset(part);
    preview.blit(piece, int(20 + at.x - r.w / 2.0f + 0.5f), int(22 - at.y - r.h / 2.0f + 0.5f), true);
  }
  return preview;
}

Canvas characterLineUp(const Canvas& atlas) {
  const std::array<std::array<uint8_t, art::kWornSlotCount>, 8> outfits = {{
      {0, 0, 0, 0, 0}, {1, 2, 0, 0, 0}, {21, 22, 0, 0, 0}, {32, 33, 34, 35, 0},
      {40, 41, 42, 43, 0}, {57, 58, 59, 60, 0}, {61, 29, 20, 49, 0}, {25, 26, 0, 0, 0},
  }};
  Canvas line(16 * 40, 40);
  for (int i = 0; i < 16; ++i) {
    art::CharacterLook look;
    look.skin = uint8_t(i % art::kLookColourCount);
    look.hairStyle = uint8_t(i % art::kHairStyleCount);
    look.worn = i < 8 ? std::array<uint8_t, art::kWornSlotCount>{} : outfits[size_t(i - 8)];
    line.blit(characterPreview(atlas, look), i * 40, 0, true);
  }
  return line.scaled(3);
}

}  // namespace

void makeEquipAtlas(const ArtSources& sources, AtlasOutput& out) {
  std::string error;
  const std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  if (!looks) {
    out.fail(error);
    return;
  }
  Canvas atlas(art::kEquipAtlasSize, art::kEquipAtlasSize);
  const Outfit bare = bareOutfit();
  for (int layout = 1; layout <= 2; ++layout) {
    for (int part = 0; part < art::kCharacterPartCount; ++part) {
      if (part != 0 && part != 2) drawPart(atlas, 0, part, layout, bare, false);
    }
  }
  for (int style = 0; style < art::kHairStyleCount; ++style) {
    const Ramp hair = makeRamp(opaque(kHairColours[size_t(style)]), 0.8f);
    drawHairTop(atlas, pieceAt(art::hairPieceRect(uint8_t(style), 0)), style, hair);
    drawHairBack(atlas, pieceAt(art::hairPieceRect(uint8_t(style), 2)), style, hair);
  }
  for (const auto& [id, item] : looks->items()) {
    const uint8_t picture = item.wornPicture;
    const art::WornRegion region = art::wornPictureRegion(picture);
    if (picture == 0) continue;
    if (region == art::WornRegion::None) {
      out.fail("item " + std::to_string(id) + " wears picture " + std::to_string(picture) + ", which covers no part");
      continue;
    }
    const ItemLook look = looks->lookOf(item);
    Outfit o = bare;
    o.shirt = o.trousers = o.shoes = o.hat = look.main;
    o.metal = look.family == Family::Metal;
    for (int layout = 1; layout <= 2; ++layout) {
      for (int part = 0; part < art::kCharacterPartCount; ++part) {
        if (!art::wornRegionCovers(region, part)) continue;
        if (part == 0) {
          drawHat(atlas, pieceAt(art::characterPieceRect(picture, 0, layout)), item, look.main, look.shape == "helmet");
        } else {
          drawPart(atlas, picture, part, layout, o, region == art::WornRegion::Feet);
        }
      }
    }
    const Canvas folded = looks->draw(item, art::kDressPictureSize);
    for (int slot = 0; slot < art::kWornSlotCount; ++slot) {
      const PixelRect r = pieceAt(art::dressPictureRect(picture, slot));
      atlas.blit(folded, r.x, r.y);
    }
  }
  out.addSheetSection("Characters (looks, hair styles, outfits)", characterLineUp(atlas));
  out.addSheetSection("Character and clothes", atlas.crop({0, 0, 31 * art::kCharacterCell, art::kEquipAtlasSize}).scaled(2));
  out.addPicture("equip.png", std::move(atlas));
}

}  // namespace artmaker
