#pragma once
// The marked-up text of an item's tooltip: a first line with the item's name and its coloured
// category, then lines of stats, each an icon glyph of the tooltip font ("^0" white, the icon,
// "^s" back to the label's colour) beside its value. Which stats show depends on the item's kind:
// tools and weapons (speed, reach, durability, a weapon's critical chance and bonus), ranged
// weapons and ammunition (damage, speed), potions (duration and level), wearables (their stats),
// seeds and the other items (their category and, for some, their value).
//
// Texts come from the language file by id; a missing text shows as empty. Main thread only.

#include <cstdint>
#include <optional>
#include <string>

class Item;

// The icon glyphs of the tooltip font ("smalltooltip.fnt").
namespace tooltip_icon {
inline constexpr char kDurability = 0x0B;
inline constexpr char kReach = 0x0C;
inline constexpr char kValue = 0x0E;
inline constexpr char kDamage[4] = {0x0F, 0x10, 0x11, 0x12};
inline constexpr char kWorth = 0x14;
inline constexpr char kStat11 = 0x15, kStat7 = 0x16, kStat9 = 0x1D;
inline constexpr char kResistance[3] = {0x13, 0x18, 0x17};
}  // namespace tooltip_icon

// What an item of the item value table is worth, or none for any other item.
std::optional<int> itemTableValue(uint16_t itemId);

// Writes the tooltip text of the item into out. name is the item's display name; the builder
// replaces it for potions and seeds and empties it at the end.
void itemTooltipText(std::string& out, const Item& item, std::string& name);
