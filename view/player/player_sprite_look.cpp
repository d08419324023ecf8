#include "view/player/player_sprite_look.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "game/player/player.h"

namespace {

uint32_t lookWordOf(const PlayerGraphical& player) { return player.drawnLookWord(); }

uint8_t wornPictureOf(const Item* item) {
  if (item == nullptr || item->isNone()) return 0;
  const ItemDef* def = item->definition();
  return def != nullptr ? def->record.wornPicture() : 0;
}

}  // namespace

Item* appearanceItem(const PlayerGraphical& player, int slot) {
  Item* look = player.getEquipment(true, slot);
  if (look != nullptr && !look->isNone()) return look;
  Item* worn = player.getEquipment(false, slot);
  return worn != nullptr && !worn->isNone() ? worn : nullptr;
}

art::CharacterLook characterLookOf(const PlayerGraphical& player) {
  art::CharacterLook look = art::characterLookFromWord(lookWordOf(player));
  for (int slot = 0; slot < art::kWornSlotCount; ++slot) look.worn[slot] = wornPictureOf(appearanceItem(player, slot));
  return look;
}

engine::Color3B playerColourOf(const PlayerGraphical& player) {
  return art::lookPaletteColour((lookWordOf(player) >> 16) & 0xFF);
}

void runWornItemEffects(PlayerGraphical& player) {
  for (int slot = 0; slot < art::kWornSlotCount; ++slot) {
    Item* item = appearanceItem(player, slot);
    const ItemDef* def = item != nullptr ? item->definition() : nullptr;
    if (def != nullptr && def->wornEffect) def->wornEffect(&player, item, player.world);
  }
}
