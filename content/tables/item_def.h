#pragma once
// Item definitions: one `ItemDef` row per 12-bit item id, with the detail records that the
// "tools", "buffs", "rangeds" and "swingSpecs" sections attach to it.

#include <cstdint>
#include <functional>
#include <vector>

#include "content/format/record_bytes.h"

class Item;
class PlayerGraphical;
class World;

using ItemVariant = content::RecordBytes<content::kItemVariantSize>;

// The 24-byte tool and weapon record.
struct ToolSpec : content::RecordBytes<content::kToolRecordSize> {
  float power() const { return f32(content::tool_record::power); }
  uint16_t capabilities() const { return u16(content::tool_record::capabilities); }
  uint16_t maxDurability() const { return u16(content::tool_record::maxDurability); }
  uint8_t damageType() const { return u8(content::tool_record::damageType); }
};

// The 44-byte equipment record.
struct BuffSpec : content::RecordBytes<content::kBuffRecordSize> {
  uint16_t lightColor() const { return u16(content::buff_record::lightColor); }
};

// The 12-byte ranged weapon record.
struct RangedSpec : content::RecordBytes<content::kRangedRecordSize> {
  int16_t sound() const { return i16(content::ranged_record::sound); }  // -1 none
  uint16_t ammunition() const { return u16(content::ranged_record::ammunition); }  // kNoItem none
  float speedFactor() const { return f32(content::ranged_record::speedFactor); }
  int16_t bulletRow() const { return i16(content::ranged_record::bulletRow); }
  bool castsBobber() const { return u8(content::ranged_record::bobber) != 0; }
  bool needsAmmunition() const { return u8(content::ranged_record::needsAmmunition) != 0; }
};

// The 68-byte melee swing record. Rectangles and pairs are read element by element:
// rectangles x, y, width, height (0..3), pairs x, y (0..1).
struct SwingSpec : content::RecordBytes<content::kSwingRecordSize> {
  float spriteRect(size_t i) const { return f32(content::swing_record::spriteRect + 4 * (i & 3)); }
  float box(size_t i) const { return f32(content::swing_record::box + 4 * (i & 3)); }
  float boxOffset(size_t i) const { return f32(content::swing_record::boxOffset + 4 * (i & 1)); }
  float originOffset(size_t i) const { return f32(content::swing_record::originOffset + 4 * (i & 1)); }
  float speedFactor() const { return f32(content::swing_record::speedFactor); }
  float restAngle() const { return f32(content::swing_record::restAngle); }
  float swingAngle() const { return f32(content::swing_record::swingAngle); }
  uint8_t swingKind() const { return u8(content::swing_record::swingKind); }
  bool mirror() const { return u8(content::swing_record::mirror) != 0; }
  bool flip() const { return u8(content::swing_record::flip) != 0; }
  bool aiming() const { return u8(content::swing_record::aiming) != 0; }
};

// The 32-byte item record of the "treasures" section.
struct ItemRecord : content::RecordBytes<content::kItemRecordSize> {
  uint16_t color() const { return u16(content::item_record::color); }
  uint8_t variantCount() const { return u8(content::item_record::variantCount); }
  uint8_t kind() const { return u8(content::item_record::kind); }
  uint8_t freeStack() const { return u8(content::item_record::freeStack); }
  uint8_t wornPicture() const { return u8(content::item_record::wornPicture); }
  int8_t heldOffsetX() const { return i8(content::item_record::heldOffset); }
  int8_t heldOffsetY() const { return i8(content::item_record::heldOffset + 1); }
  uint16_t placesBlock() const { return u16(content::item_record::placesBlock); }
  uint8_t subKind() const { return u8(content::item_record::subKind); }
  uint8_t reach() const { return u8(content::item_record::reach); }
  uint8_t refusal() const { return u8(content::item_record::refusal); }
  uint8_t critical() const { return u8(content::item_record::critical); }
  float value() const { return f32(content::item_record::value); }
};

struct ItemDef {
  // The detail record: a `ToolSpec` for tools (kind 1) and weapons (kind 5), a `BuffSpec` for
  // equipment. Kept as two typed pointers so a reader never takes one record for the other; at
  // most one is set.
  const ToolSpec* tool = nullptr;
  const BuffSpec* buff = nullptr;
  const SwingSpec* swingSpec = nullptr;
  const RangedSpec* rangedSpec = nullptr;
  uint64_t reserved[2] = {0, 0};
  ItemRecord record;
  // The variant entries. Bytes 16-23 of the record stay as the file had them; nothing stores an
  // address in the record bytes.
  std::vector<ItemVariant> variants;
  // The optional ambient effect of the item while it is worn, set by the entity effect registration;
  // it is given the wearer, the item and the world the wearer stands in (null: none).
  std::function<void(PlayerGraphical*, Item*, World*)> wornEffect;

  bool defined = false;  // a "treasures" row filled it

  // The records an item of its kind relies on; an item without one gets a neutral default
  // (power 1.0, no durability, speed factors 1.0) instead of a null record.
  const ToolSpec& toolOrDefault() const;
  const RangedSpec& rangedOrDefault() const;
  const SwingSpec& swingOrDefault() const;
};

// `buffStatBase`(record, stat 0..13, sub-index 0..3): the equipment stat before modifiers.
// Stats outside 0..13 or sub-indexes outside 0..3 give 0.
float buffStatBase(const BuffSpec& record, int stat, int subIndex);
