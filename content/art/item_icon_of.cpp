#include "content/art/item_icon_of.h"

#include "content/art/item_atlas_layout.h"
#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"

namespace art {

engine::Rect itemIconRectOf(const Item& item) {
  // The egg's word names the mob it hatches (its low 16 bits); an egg naming no mob of the content
  // keeps the egg's own picture.
  const auto mob = static_cast<uint16_t>(item.word);
  if (showsHeldMobName(item.id) && mob < kSpawnEggMobCount) {
    const MobDef* def = mobDefinitionById(mob);
    if (def != nullptr && def->spriteRect(2) > 0) return spawnEggIconRect(mob);
  }
  return itemIconRect(item.id, item.variant);
}

}  // namespace art
