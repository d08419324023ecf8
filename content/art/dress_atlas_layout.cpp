#include "content/art/dress_atlas_layout.h"

#include "content/art/character_atlas_layout.h"
#include "content/tables/content_tables.h"

namespace art {

engine::Rect dressPictureRect(uint8_t picture, int slot) {
  if (picture == 0 || picture >= kWornPictureLimit || slot < 0 || slot >= kWornSlotCount) return {};
  const int border = (kCharacterCell - kDressPictureSize) / 2;
  return {float((kDressColumn + slot) * kCharacterCell + border), float(picture * kCharacterCell + border),
          float(kDressPictureSize), float(kDressPictureSize)};
}

engine::Rect dressSpriteRect(uint16_t itemId, int slot) {
  const ItemDef* def = itemDefinitionById(itemId);
  if (def == nullptr || !def->defined) return {};
  return dressPictureRect(def->record.wornPicture(), slot);
}

}  // namespace art
