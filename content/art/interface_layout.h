#pragma once
// Every picture of the interface atlas (interface.png, 1024x1024) at its place: the inventory
// cells' frames and marks, the durability column, the tooltip panel, the achievement banner, the
// sign bubble, the portrait frame, the health bar strip, and the numbered interface sprites
// (`uiSpriteRect`). The art maker draws each rectangle here and the interface reads them, so a
// rectangle is written once.
//
// The fixed rectangles keep the places the interface has always used; the numbered sprites live in
// a block of their own at x 704 and beyond: one row of 18-px cells per sprite family (two for the
// book icons), each picture centred in its cell.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kInterfaceAtlasSize = 1024;

// The frame of an inventory cell of a slot kind (0-13), one while the cell shows its normal state
// and one otherwise.
struct SlotKindFrames {
  uint8_t slotKind;
  engine::Rect normal;
  engine::Rect other;
};
inline constexpr std::array<SlotKindFrames, 14> kSlotKindFrames = {{
    {1, {365, 394, 20, 20}, {365, 415, 20, 20}},  // quick slots
    {0, {450, 381, 21, 21}, {450, 404, 21, 21}},  // backpack
    {2, {203, 125, 20, 20}, {224, 125, 20, 20}},  // craft grid
    {3, {203, 125, 20, 20}, {224, 125, 20, 20}},  // single slot
    {8, {77, 125, 20, 20}, {98, 125, 20, 20}},    // trinket
    {9, {215, 148, 19, 19}, {235, 148, 19, 19}},  // container
    {6, {119, 125, 20, 20}, {140, 125, 20, 20}},  // equipment
    {7, {161, 125, 20, 20}, {182, 125, 20, 20}},  // second equipment
    {4, {576, 266, 20, 20}, {597, 266, 20, 20}},  // open container
    {10, {211, 362, 22, 22}, {332, 371, 22, 22}}, // container
    {5, {215, 148, 19, 19}, {235, 148, 19, 19}},  // object
    {11, {119, 125, 20, 20}, {140, 125, 20, 20}}, // trade
    {12, {211, 362, 22, 22}, {332, 371, 22, 22}}, // container
    {13, {450, 381, 21, 21}, {450, 404, 21, 21}}, // craft-book list
}};
// The frames of a slot kind; kinds outside the table give an empty rectangle.
engine::Rect slotFrameRect(uint8_t slotKind, bool normal);

// Inventory cell extras.
inline constexpr engine::Rect kQuickSlotMarkerSelected{386, 394, 6, 20};
inline constexpr engine::Rect kQuickSlotMarkerOther{386, 415, 6, 20};
inline constexpr engine::Rect kNewItemFrame{427, 404, 21, 21};
inline constexpr engine::Rect kHighlightFrame{311, 356, 12, 12};
inline constexpr engine::Rect kHighlightFrameStrong{646, 434, 11, 11};
inline constexpr engine::Rect kBookPageMark{62, 380, 5, 6};
// The marks of items that mobs drop, by the mob-to-item table's kind 0, 1, 2.
inline constexpr std::array<engine::Rect, 3> kMobItemMarks = {{{67, 373, 9, 5}, {77, 373, 9, 5}, {57, 373, 9, 5}}};

// The durability column: sixteen 4x16 bars side by side from x 357 (full) to 417 (worn out).
inline constexpr int kDurabilityColumnX = 357;
inline constexpr int kDurabilityColumnSteps = 16;
// The bar of a tool at a durability out of its maximum (a maximum of 0 shows a full bar).
engine::Rect durabilityBarRect(float durability, float maximum);

// The tooltip's nine panel pieces (row by row from the top left) and its pointer arrow.
inline constexpr std::array<engine::Rect, 9> kTooltipPieces = {{
    {198, 442, 4, 4}, {202, 442, 1, 4}, {203, 442, 4, 4},
    {198, 449, 4, 1}, {202, 449, 1, 1}, {203, 449, 4, 1},
    {198, 454, 4, 4}, {202, 454, 1, 4}, {203, 454, 4, 4},
}};
inline constexpr engine::Rect kTooltipArrow{199, 437, 7, 4};

inline constexpr engine::Rect kAchievementBanner{512, 288, 160, 38};
inline constexpr engine::Rect kSignBubble{1, 269, 136, 52};

// The menus' framed panel, cut from the achievement banner: its four 4x4 corners, the one-pixel
// middle of each side and a one-pixel fill from its plain right half (clear of the medal at its
// left end), row by row from the top left like the tooltip's pieces. Stretched over a rectangle
// they draw the banner's gold-edged frame at any size.
inline constexpr int kMenuFrameCorner = 4;
inline constexpr std::array<engine::Rect, 9> kMenuFramePieces = {{
    {512, 288, 4, 4}, {600, 288, 1, 4}, {668, 288, 4, 4},
    {512, 306, 4, 1}, {600, 306, 1, 1}, {668, 306, 4, 1},
    {512, 322, 4, 4}, {600, 322, 1, 4}, {668, 322, 4, 4},
}};

// The portrait frame: its end cap (mirrored for the right end), its stretched middle and the
// one-pixel fills of the health and breath bars.
inline constexpr engine::Rect kPortraitCap{48, 127, 6, 14};
inline constexpr engine::Rect kPortraitMiddle{54, 127, 1, 14};
inline constexpr engine::Rect kPortraitHealthFill{65, 127, 1, 6};
inline constexpr engine::Rect kPortraitBreathFill{67, 134, 1, 3};

// A mob's health bar takes (0, 0, width, 2); the strip is white up to the widest mob.
inline constexpr int kHealthBarStripWidth = 128;
engine::Rect healthBarRect(float width);

// Numbered interface sprites.
inline constexpr uint16_t kOutlineSpriteBase = 268;    // + an item's outline number (0-11)
inline constexpr int kOutlineSpriteCount = 12;
inline constexpr uint16_t kPlayerMarkerSprite = 280;   // variant: the marker's number
inline constexpr int kPlayerMarkerCount = 8;
inline constexpr uint16_t kModifierMarkSprite = 2145;  // variant: the item's modifier (0-9)
inline constexpr int kModifierMarkCount = 10;
inline constexpr uint16_t kVariantMarkSprite = 2146;   // variant: 0-3
inline constexpr int kVariantMarkCount = 4;
inline constexpr uint16_t kBookIconSprite = 2147;      // variant: the craft book entry's icon
inline constexpr int kBookIconCount = 32;

// One family of numbered sprites: its first id, how many pictures (variants, or ids for the
// outlines), their size, and the first row of cells it takes.
struct UiSpriteFamily {
  uint16_t id;
  int count;
  engine::Size size;
  int row;
};
inline constexpr int kUiSpriteX = 704;
inline constexpr int kUiSpriteCell = 18;
inline constexpr int kUiSpriteColumns = 17;
inline constexpr std::array<UiSpriteFamily, 5> kUiSpriteFamilies = {{
    {kPlayerMarkerSprite, kPlayerMarkerCount, {8, 10}, 0},
    {kModifierMarkSprite, kModifierMarkCount, {7, 7}, 1},
    {kVariantMarkSprite, kVariantMarkCount, {7, 7}, 2},
    {kOutlineSpriteBase, kOutlineSpriteCount, {10, 10}, 3},
    {kBookIconSprite, kBookIconCount, {16, 16}, 4},
}};

// `uiSpriteRect`: the picture of a numbered sprite in a variant. Outline sprites are numbered
// by id (268 + n) and ignore the variant; a variant past a family's count wraps around; an id no
// family has gives an empty rectangle.
engine::Rect uiSpriteRect(uint16_t id, uint32_t variant);

}  // namespace art
