#include "content/format/record_layout.h"

#include <bit>

namespace content {

size_t fieldTypeSize(FieldType type) {
  switch (type) {
    case FieldType::U8:
    case FieldType::I8:
    case FieldType::Percent:
    case FieldType::SignedPercent:
      return 1;
    case FieldType::U16:
    case FieldType::I16:
    case FieldType::Sound:
      return 2;
    case FieldType::U32:
    case FieldType::I32:
    case FieldType::F32:
      return 4;
    case FieldType::U64:
      return 8;
  }
  return 1;
}

namespace {

using F = FieldType;

constexpr RecordField kItemFields[] = {
    {"color", item_record::color, F::U16},
    {"variantCount", item_record::variantCount, F::U8, 1, 0, true},
    {"kind", item_record::kind, F::U8},
    {"freeStack", item_record::freeStack, F::U8},
    {"outlineSprite", item_record::outlineSprite, F::U8},
    {"wornPicture", item_record::wornPicture, F::U8},
    {"characterFlags", item_record::characterFlags, F::U8, 3},
    // The block that placing the item makes (for spawning items, the mob row they release).
    {"placesBlock", item_record::placesBlock, F::U16},
    {"subKind", item_record::subKind, F::U8},
    {"reach", item_record::reach, F::U8},
    // A potion's refusal byte; the aim byte of a spawning item.
    {"refusal", item_record::refusal, F::U8},
    {"critical", item_record::critical, F::U8},
    // Bytes 16-23 hold the variant list in the original memory image; the file value is ignored,
    // so the compiler writes zeros and nothing may fill them.
    {"variantSlot", item_record::variantSlot, F::U64, 1, 0, true},
    {"heldOffset", item_record::heldOffset, F::I8, 2},
    // Food value of a consumable (negative hurts); strength factor of a toy.
    {"value", item_record::value, F::F32},
};

constexpr RecordField kToolFields[] = {
    {"power", tool_record::power, F::F32},
    {"capabilities", tool_record::capabilities, F::U16},
    {"maxDurability", tool_record::maxDurability, F::U16},
    {"damageType", tool_record::damageType, F::U8},
};

constexpr RecordField kBuffFields[] = {
    {"armor", buff_record::armor, F::SignedPercent, 4},
    {"damageBonus", buff_record::damageBonus, F::SignedPercent, 4},
    {"movementBonus", buff_record::movementBonus, F::SignedPercent, 4},
    {"stat11", buff_record::stat11, F::F32},
    {"stat6", buff_record::stat6, F::F32},
    {"stat7", buff_record::stat7, F::F32},
    {"stat8", buff_record::stat8, F::F32},
    {"stat9", buff_record::stat9, F::Percent},
    {"stat10", buff_record::stat10, F::Percent},
    {"stat4", buff_record::stat4, F::Percent},
    {"stat5", buff_record::stat5, F::Percent},
    {"stat12", buff_record::stat12, F::Percent},
    {"stat13", buff_record::stat13, F::Percent},
    {"lightColor", buff_record::lightColor, F::U16},
    {"resistance", buff_record::resistance, F::Percent, 4},
};

constexpr RecordField kRangedFields[] = {
    // Played when the weapon fires.
    {"sound", ranged_record::sound, F::Sound, 1, -1},
    // An item thrown instead of a projectile; none by default, so a new row never throws item 0.
    {"ammunition", ranged_record::ammunition, F::U16, 1, 0xFFFF},
    {"speedFactor", ranged_record::speedFactor, F::F32, 1, 1.0},
    {"bulletRow", ranged_record::bulletRow, F::I16},
    // A fishing rod: it casts a bobber.
    {"bobber", ranged_record::bobber, F::U8},
    // Fires what the ammunition slot holds (bait for a rod) instead of its own projectile.
    {"needsAmmunition", ranged_record::needsAmmunition, F::U8},
};

constexpr RecordField kSwingFields[] = {
    // The held picture in the swing-item texture: x, y, width, height.
    {"spriteRect", swing_record::spriteRect, F::F32, 4},
    {"box", swing_record::box, F::F32, 4},
    {"boxOffset", swing_record::boxOffset, F::F32, 2},
    {"originOffset", swing_record::originOffset, F::F32, 2},
    {"speedFactor", swing_record::speedFactor, F::F32, 1, 1.0},
    {"restAngle", swing_record::restAngle, F::F32},
    {"swingAngle", swing_record::swingAngle, F::F32},
    {"swingKind", swing_record::swingKind, F::U8},
    {"mirror", swing_record::mirror, F::U8},
    {"flip", swing_record::flip, F::U8},
    {"aiming", swing_record::aiming, F::U8},
};

constexpr RecordField kBlockFields[] = {
    {"flags", block_record::flags, F::U64},
    {"useKind", block_record::useKind, F::U16},
    {"lightColor", block_record::lightColor, F::U16},
    {"sounds", block_record::sounds, F::Sound, block_record::soundCount, -1},
    {"variantCount", block_record::variantCount, F::U8},
    {"blastResistance", block_record::blastResistance, F::U8},
    {"transparency", block_record::transparency, F::U8},
};

constexpr RecordField kMobFields[] = {
    {"spriteRect", mob_record::spriteRect, F::F32, 4},
    {"bulletSpeed", mob_record::bulletSpeed, F::F32, 2},
    {"moveStrength", mob_record::moveStrength, F::F32, 2},
    {"maxHealth", mob_record::maxHealth, F::F32},
    {"idleTime", mob_record::idleTime, F::F32},
    {"walkTime", mob_record::walkTime, F::F32},
    {"attackTime", mob_record::attackTime, F::F32},
    {"attackChance", mob_record::attackChance, F::F32},
    {"rowValue", mob_record::rowValue, F::U32},
    {"damage", mob_record::damage, F::F32},
    {"flags", mob_record::flags, F::U32},
    {"resistances", mob_record::resistances, F::Percent, 4},
    {"id", mob_record::mobId, F::U16, 1, 0, true},
    {"sounds", mob_record::sounds, F::Sound, mob_record::soundCount, -1},
    {"shots", mob_record::shots, F::U16},
    {"bulletRow", mob_record::bulletRow, F::I16, 1, -1},
    {"damageKind", mob_record::damageKind, F::U8},
    {"width", mob_record::width, F::U8},
    {"height", mob_record::height, F::U8},
    {"movementKind", mob_record::movementKind, F::U8},
};

// A frame is all named, so a named frame can never be half raw.
constexpr RecordField kMobPartFrameFields[] = {
    {"rect", mob_frame_record::rect, F::F32, 4},
    {"position", mob_frame_record::position, F::F32, 2},
    {"rotation", mob_frame_record::rotation, F::F32},
};

// Absent values leave a group unrestricted where the record has a word for "any" (light), and
// give it a usable pack of one and a full chance; the rest default to 0.
constexpr RecordField kMobGroupFields[] = {
    // Block filter word of the blocks a mob may stand on.
    {"standableBlocks", mob_group_record::standableBlocks, F::U64},
    {"conditionFlags", mob_group_record::conditionFlags, F::U32},
    {"probability", mob_group_record::probability, F::F32, 1, 1.0},
    // Lowest and highest depth, as fractions of the map's usable height.
    {"depthRange", mob_group_record::depthRange, F::F32, 2},
    {"lightRange", mob_group_record::lightRange, F::U8, 2, mob_group_record::kAnyLight},
    {"packSize", mob_group_record::packSize, F::U8, 2, 1},
    {"dayPhases", mob_group_record::dayPhases, F::U8},
    // The length of the member list; the compiler counts it so the two cannot disagree.
    {"mobCount", mob_group_record::mobCount, F::U8, 1, 0, true},
    {"planetId", mob_group_record::planetId, F::U32},
    {"oneKindPerPack", mob_group_record::oneKindPerPack, F::U8},
    {"hostile", mob_group_record::hostile, F::U8},
    {"spawnGroup", mob_group_record::spawnGroup, F::U8},
    // The liquid kind the group lives in (1 water, 2 lava, 3 acid); 0: dry cells only.
    {"liquid", mob_group_record::liquid, F::U8},
};

constexpr RecordField kCraftFields[] = {
    {"shape", craft_record::shape, F::U8},
    {"category", craft_record::category, F::U8},
    {"resultCount", craft_record::resultCount, F::U8, 1, 1},
    {"cellCount", craft_record::cellCount, F::U8},
    {"equivalents", craft_record::equivalents, F::U8},
    {"returnsContainers", craft_record::returnsContainers, F::U8},
    {"result", craft_record::result, F::U16},
    {"station", craft_record::station, F::U8},
    {"bookEntry", craft_record::bookEntry, F::U16, 1, craft_record::kAlwaysKnown},
    {"ingredients", craft_record::grid, F::U16, craft_record::gridCells, 0xFFFF},
};

constexpr RecordField kBulletFields[] = {
    {"row", bullet_record::row, F::U32, 1, 0, true},
    {"mobDamage", bullet_record::mobDamage, F::F32},
    {"knockBack", bullet_record::knockBack, F::F32},
    {"playerDamage", bullet_record::playerDamage, F::F32},
    {"lifetime", bullet_record::lifetime, F::F32},
    {"damageType", bullet_record::damageType, F::U8},
    {"setupWord", bullet_record::setupWord, F::U32},
    // With "size" (width, height) the picture's rectangle in the texture.
    {"spritePosition", bullet_record::spritePosition, F::F32, 2},
    {"size", bullet_record::size, F::F32, 2},
    // The picture once a sticking projectile has stuck: x, y, width, height.
    {"stuckRect", bullet_record::stuckRect, F::F32, 4},
    {"breakFlag", bullet_record::breakFlag, F::U8},
    // Expires when slow; falls (without it the projectile flies straight).
    {"updateFlags", bullet_record::updateFlags, F::U8, 2},
    {"stick", bullet_record::stick, F::U8},
    {"bobber", bullet_record::bobber, F::U8},
    // Degrees per tick while it spins.
    {"spinRate", bullet_record::spinRate, F::F32},
    {"spins", bullet_record::spins, F::U8},
    {"facesMotion", bullet_record::facesMotion, F::U8},
    // At rest it keeps facing its last motion instead of turning back to 0.
    {"keepsFacing", bullet_record::keepsFacing, F::U8},
    {"wakesOnCellChange", bullet_record::wakesOnCellChange, F::U8},
    {"thrownItem", bullet_record::thrownItem, F::U16, 1, 0xFFFF},
    {"sounds", bullet_record::sounds, F::Sound, bullet_record::soundCount, -1},
};

constexpr RecordField kDifficultyFields[] = {
    {"playerDamage", difficulty_record::playerDamage, F::F32, 1, 1},
    {"mobDamage", difficulty_record::mobDamage, F::F32, 1, 1},
    {"spawnFactor", difficulty_record::spawnFactor, F::F32, 1, 1},
    {"protectionTime", difficulty_record::protectionTime, F::F32},
    {"regeneration", difficulty_record::regeneration, F::F32},
    {"lootFactors", difficulty_record::lootFactors, F::F32, difficulty_record::lootFactorCount, 1},
    {"dropsQuickSlots", difficulty_record::dropsQuickSlots, F::U8},
    {"dropsBackpack", difficulty_record::dropsBackpack, F::U8},
    {"dropsWorn", difficulty_record::dropsWorn, F::U8},
    {"peaceful", difficulty_record::peaceful, F::U8},
    // A row names its own level: the row's index.
    {"level", difficulty_record::level, F::U8, 1, 0, true},
};

template <size_t N>
RecordLayout layout(const char* name, size_t size, const RecordField (&fields)[N]) {
  return RecordLayout{name, size, std::span<const RecordField>(fields, N)};
}

}  // namespace

const RecordLayout& itemRecordLayout() {
  static const RecordLayout l = layout("item", kItemRecordSize, kItemFields);
  return l;
}
const RecordLayout& toolRecordLayout() {
  static const RecordLayout l = layout("tool", kToolRecordSize, kToolFields);
  return l;
}
const RecordLayout& buffRecordLayout() {
  static const RecordLayout l = layout("buff", kBuffRecordSize, kBuffFields);
  return l;
}
const RecordLayout& rangedRecordLayout() {
  static const RecordLayout l = layout("ranged", kRangedRecordSize, kRangedFields);
  return l;
}
const RecordLayout& swingRecordLayout() {
  static const RecordLayout l = layout("swing", kSwingRecordSize, kSwingFields);
  return l;
}
const RecordLayout& blockRecordLayout() {
  static const RecordLayout l = layout("block", kBlockRecordSize, kBlockFields);
  return l;
}
const RecordLayout& mobRecordLayout() {
  static const RecordLayout l = layout("mob", kMobRecordSize, kMobFields);
  return l;
}
const RecordLayout& mobPartFrameLayout() {
  static const RecordLayout l = layout("mob part frame", kMobPartFrameSize, kMobPartFrameFields);
  return l;
}
const RecordLayout& mobGroupRecordLayout() {
  static const RecordLayout l = layout("mob group", kMobGroupRecordSize, kMobGroupFields);
  return l;
}
const RecordLayout& craftRecordLayout() {
  static const RecordLayout l = layout("craft", kCraftRecordSize, kCraftFields);
  return l;
}
const RecordLayout& bulletRecordLayout() {
  static const RecordLayout l = layout("bullet", kBulletRecordSize, kBulletFields);
  return l;
}

const RecordLayout& difficultyRecordLayout() {
  static const RecordLayout l = layout("difficulty", kDifficultyRecordSize, kDifficultyFields);
  return l;
}

uint16_t recordU16(const uint8_t* record, size_t offset) {
  return static_cast<uint16_t>(record[offset] | (record[offset + 1] << 8));
}

uint32_t recordU32(const uint8_t* record, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | record[offset + static_cast<size_t>(i)];
  return value;
}

uint64_t recordU64(const uint8_t* record, size_t offset) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | record[offset + static_cast<size_t>(i)];
  return value;
}

float recordF32(const uint8_t* record, size_t offset) {
  return std::bit_cast<float>(recordU32(record, offset));
}

}  // namespace content
