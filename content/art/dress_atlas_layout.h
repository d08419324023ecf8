#pragma once
// Where a dropped garment's picture sits on the clothes atlas (equip.png): the folded garment that
// lies in the world until someone picks it up. The art maker draws at these places and the dress
// layer reads them. The rest of the atlas is the character's (character_atlas_layout.h).
//
// Row p of columns 26-30 holds worn picture p, one 14x14 picture per appearance slot (0-4) inside
// a 16-px cell; every slot shows the same garment, so a caller may ask with any slot.

#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kDressColumn = 26;
inline constexpr int kDressPictureSize = 14;

// The dropped picture of a worn picture in an appearance slot; picture 0, pictures past the table
// and slots past 4 give an empty rectangle.
engine::Rect dressPictureRect(uint8_t picture, int slot);

// `dressSpriteRect`: the dropped picture of a worn item (by its definition's worn picture) in an
// appearance slot; an item that is not worn gives an empty rectangle.
engine::Rect dressSpriteRect(uint16_t itemId, int slot);

}  // namespace art
