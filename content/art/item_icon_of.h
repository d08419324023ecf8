#pragma once
// The icon an item shows: its id's icon in its variant, except a spawn egg naming a mob of the
// content, which shows that mob's egg (content/art/item_atlas_layout.h places both).

#include "engine/base/geometry.h"

class Item;

namespace art {

engine::Rect itemIconRectOf(const Item& item);

}  // namespace art
