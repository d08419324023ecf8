#include "content/art/character_atlas_layout.h"

#include <cstddef>

#include "content/tables/content_tables.h"

namespace art {
namespace {

// One letter per worn picture: H headwear, T tunic, C chest piece, L leg wear, F footwear.
constexpr char kWornRegions[kWornPictureLimit + 1] =
    "-HTHTHTHTHTHTHHTHTHTLHTHTHTHTCHTHCLFHCLFHCLFHCLFHFCLFHCLFHCLFH--";

constexpr std::array<engine::Size, kCharacterPartCount> kPartSizes = {{
    {16, 14}, {12, 12}, {14, 14}, {4, 6}, {4, 6}, {4, 6}, {4, 6}, {10, 10}, {4, 8}, {4, 8}, {6, 8}, {6, 8},
}};

constexpr std::array<engine::Vec2, kCharacterPartCount> kRestOffsets = {{
    {-1, 4.5f}, {-1, 3.5f}, {-1, 1.5f}, {-8, -8.5f}, {6, -8.5f}, {-6, -5.5f},
    {4, -5.5f}, {-1, -7.5f}, {-4, -11.5f}, {2, -11.5f}, {-5, -11.5f}, {3, -11.5f},
}};

// Light enough that the dye shows its own colour; from pale to deep brown, warm throughout.
constexpr std::array<engine::Color3B, kLookColourCount> kLookColours = {{
    {255, 224, 196}, {241, 200, 160}, {224, 172, 128}, {198, 140, 98},
    {166, 112, 74},  {132, 86, 56},   {100, 64, 44},   {236, 206, 176},
}};

constexpr int kHairColumn = 24;

bool validPart(int part) { return part >= 0 && part < kCharacterPartCount; }

engine::Rect pieceInCell(int column, int row, int part) {
  const engine::Size size = kPartSizes[size_t(part)];
  const float x = float(column * kCharacterCell) + (kCharacterCell - size.width) / 2;
  const float y = float(row * kCharacterCell) + (kCharacterCell - size.height) / 2;
  return {x, y, size.width, size.height};
}

}  // namespace

WornRegion wornPictureRegion(uint8_t picture) {
  if (picture >= kWornPictureLimit) return WornRegion::None;
  switch (kWornRegions[picture]) {
    case 'H': return WornRegion::Head;
    case 'T': return WornRegion::Tunic;
    case 'C': return WornRegion::Chest;
    case 'L': return WornRegion::Legs;
    case 'F': return WornRegion::Feet;
    default: return WornRegion::None;
  }
}

bool wornRegionCovers(WornRegion region, int part) {
  switch (region) {
    case WornRegion::Head: return part == 0;
    case WornRegion::Tunic: return part == 5 || part == 6 || part == 7 || part == 8 || part == 9;
    case WornRegion::Chest: return part == 5 || part == 6 || part == 7;
    case WornRegion::Legs: return part == 8 || part == 9;
    case WornRegion::Feet: return part == 10 || part == 11;
    case WornRegion::None: return false;
  }
  return false;
}

engine::Rect characterPieceRect(uint8_t picture, int part, int layout) {
  if (!validPart(part) || picture >= kWornPictureLimit) return {};
  const int block = layout == 1 ? 0 : kCharacterPartCount;
  return pieceInCell(block + part, picture, part);
}

engine::Rect hairPieceRect(uint8_t style, int part) {
  if (part != 0 && part != 2) return {};
  return pieceInCell(kHairColumn + (part == 2 ? 1 : 0), style % kHairStyleCount, part);
}

CharacterLook characterLookFromWord(uint32_t lookWord) {
  CharacterLook look;
  look.skin = uint8_t(lookWord & 0xFF);
  look.hairStyle = uint8_t(((lookWord >> 8) & 0xFF) % kHairStyleCount);
  return look;
}

CharacterLook characterLookOf(uint32_t lookWord, const std::array<uint16_t, kWornSlotCount>& wornItemIds) {
  CharacterLook look = characterLookFromWord(lookWord);
  for (size_t slot = 0; slot < wornItemIds.size(); ++slot) {
    const ItemDef* def = itemDefinitionById(wornItemIds[slot]);
    look.worn[slot] = def != nullptr && def->defined ? def->record.wornPicture() : 0;
  }
  return look;
}

engine::Rect characterPartRect(const CharacterLook& look, int part, int layout) {
  if (!validPart(part)) return {};
  for (size_t slot = look.worn.size(); slot-- > 0;) {
    const uint8_t picture = look.worn[slot];
    if (picture != 0 && wornRegionCovers(wornPictureRegion(picture), part)) {
      return characterPieceRect(picture, part, layout);
    }
  }
  if (part == 0 || part == 2) return hairPieceRect(look.hairStyle, part);
  return characterPieceRect(0, part, layout);
}

engine::Vec2 characterPartOffset(int part) { return validPart(part) ? kRestOffsets[size_t(part)] : engine::Vec2{}; }

engine::Color3B lookPaletteColour(uint32_t look) { return kLookColours[look % kLookColourCount]; }

}  // namespace art
