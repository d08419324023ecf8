#pragma once
// Where each item icon sits in the icon atlas (treasures.png). The art maker draws at these places;
// inventory cells, dropped treasures and the held item read them, so the layout is written once.
//
// The atlas is a grid of 18-px cells, 113 to a row, each a 16x16 icon inside a 1-px border so that
// filtered sampling never reaches a neighbour. Cell n holds item id n % 4096 in variant n / 4096:
// every id has a cell for variants 0 to 2, whether or not the content defines it. A variant past
// those shows the item's first look. After them, cell 3 x 4096 + m holds the spawn egg of mob id m
// (below 900), drawn in that mob's colours; the rows it needs make the atlas taller than wide.

#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kItemAtlasSize = 2048;
inline constexpr int kItemIconSize = 16;
inline constexpr int kItemIconCell = 18;
inline constexpr int kItemIconColumns = 113;
inline constexpr int kItemIdCount = 4096;
inline constexpr int kItemIconVariants = 3;
inline constexpr int kSpawnEggMobCount = 900;
inline constexpr int kItemAtlasHeight =
    (kItemIconVariants * kItemIdCount + kSpawnEggMobCount + kItemIconColumns - 1) / kItemIconColumns * kItemIconCell;
static_assert(kItemIconColumns * kItemIconCell <= kItemAtlasSize);

// The 16x16 icon of an item id in a variant (y grows downward in the picture). Ids at or past
// 4096 (0xFFFF, "no item", among them) give the cell of id 0, which is left empty.
engine::Rect itemIconRect(uint16_t id, uint8_t variant);
// The egg of a mob id below kSpawnEggMobCount; other ids give the cell of id 0.
engine::Rect spawnEggIconRect(uint16_t mobId);

}  // namespace art
