#pragma once
// The character's twelve body-part pictures on the clothes atlas (equip.png): where each piece of
// each garment sits, which parts a garment covers, the rest offsets of the parts and the skin
// colours of the looks. The art maker draws with these tables and the player sprite reads them.
//
// equip.png (1024x1024) is a grid of 16-px cells. Row p holds worn picture p (the item record's
// worn-picture number; 0 is the bare body): columns 0-11 are its twelve parts in the alternate
// layout (argument 1), columns 12-23 the same parts in the standing layout (argument 2); each
// piece is its part's size, centred in its cell. Columns 24 and 25 of rows 0-7 hold the hair
// styles (the top of the head and the hair behind it). Columns 26-30 hold the dropped-garment
// pictures (dress_atlas_layout.h).
//
// The parts: 0 hair or headwear, 1 head (the skin part, dyed by the look's colour), 2 hair behind
// the head, 3 front hand, 4 back hand, 5 front upper arm, 6 back upper arm, 7 torso, 8 front leg,
// 9 back leg, 10 front foot, 11 back foot.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kEquipAtlasSize = 1024;
inline constexpr int kCharacterCell = 16;
inline constexpr int kCharacterPartCount = 12;
inline constexpr int kWornPictureLimit = 64;  // worn pictures 1-63 have rows; 0 is the bare body
inline constexpr int kHairStyleCount = 8;
inline constexpr int kLookColourCount = 8;
inline constexpr int kWornSlotCount = 5;

// Which parts a worn picture replaces.
enum class WornRegion : uint8_t { None, Head, Tunic, Chest, Legs, Feet };
WornRegion wornPictureRegion(uint8_t picture);
bool wornRegionCovers(WornRegion region, int part);

// The piece of a part in a worn picture (0 = bare body) and layout (1 alternate, anything else
// standing); every piece of a part has the same size. Parts outside 0-11 or pictures past the table give an empty rectangle.
engine::Rect characterPieceRect(uint8_t picture, int part, int layout);
// The hair style's piece for part 0 or 2.
engine::Rect hairPieceRect(uint8_t style, int part);

// What the character shows: skin look, hair style and the worn picture of each appearance slot.
struct CharacterLook {
  uint8_t skin = 0;
  uint8_t hairStyle = 0;
  std::array<uint8_t, kWornSlotCount> worn{};  // worn picture per slot, 0 = nothing
};

// The look word keeps the skin look in its low byte and the hair style in the next.
CharacterLook characterLookFromWord(uint32_t lookWord);
// The look of a player from its look word and the item ids of its appearance slots (0 or 0xFFFF
// for an empty slot); each worn item shows its definition's worn picture.
CharacterLook characterLookOf(uint32_t lookWord, const std::array<uint16_t, kWornSlotCount>& wornItemIds);

// `characterPartRect`: the piece a part shows for the look, in the layout (1 alternate, 2
// standing). A later slot's garment covers an earlier one's; a part no garment covers shows the
// hair style (parts 0 and 2) or the bare body.
engine::Rect characterPartRect(const CharacterLook& look, int part, int layout);

// `characterPartOffset`: the part's rest position in the standing pose (pixels, y up, relative to
// the character's node). Parts outside 0-11 give (0, 0).
engine::Vec2 characterPartOffset(int part);

// `lookPaletteColour`: the skin colour of a look value; values wrap around the eight looks.
engine::Color3B lookPaletteColour(uint32_t look);

}  // namespace art
