#pragma once
// Where each entity's picture lies in its atlas: a projectile's in the debris atlas, an item's
// icon in the treasures atlas (item_atlas_layout.h), dropped clothes in the equip atlas
// (dress_atlas_layout.h), a mob part in the mobs atlas (the mob table's own rectangles, which lie
// in the mob's cell of mob_atlas_layout.h). Every drawing side asks here, so the art's layout is
// read in one place.

#include <cstdint>

#include "content/tables/mob_def.h"
#include "engine/base/geometry.h"

struct BulletDef;
class Item;

namespace entity_art {

engine::Rect bulletRect(const BulletDef& row);
// What a sticking projectile shows once it is stuck.
engine::Rect bulletStuckRect(const BulletDef& row);
// A spawn egg naming a mob shows that mob's egg.
engine::Rect itemIconRect(const Item& item);
// An item that is not worn gives an empty rectangle: nothing is drawn.
engine::Rect dressRect(uint16_t itemId);
engine::Rect mobPartRect(const MobPartFrame& frame);
engine::Vec2 mobPartPosition(const MobPartFrame& frame);
float mobPartRotation(const MobPartFrame& frame);

}  // namespace entity_art
