#pragma once
// Mob definitions, their part layouts and the mob groups that the spawner draws from.

#include <array>
#include <cstdint>
#include <vector>

#include "content/format/record_bytes.h"

// Bits of a mob row's flag word.
namespace mob_flag {
constexpr uint32_t kContact = 0;
constexpr uint32_t kFollowsTarget = 1;
constexpr uint32_t kLooksAtTarget = 2;
constexpr uint32_t kShooter = 3;
constexpr uint32_t kNoRandomJumps = 4;
constexpr uint32_t kNoGapJumps = 5;
constexpr uint32_t kWaterproof = 6;
constexpr uint32_t kLavaproof = 7;
constexpr uint32_t kAcidproof = 8;
constexpr uint32_t kBurnsInDaylight = 10;
}  // namespace mob_flag

// The 120-byte mob record.
struct MobDef : content::RecordBytes<content::kMobRecordSize> {
  uint16_t mobId() const { return u16(content::mob_record::mobId); }
  uint8_t movementKind() const { return u8(content::mob_record::movementKind); }
  // The mob's whole picture in the mob atlas: 0 x, 1 y, 2 width, 3 height.
  float spriteRect(size_t i) const { return f32(content::mob_record::spriteRect + 4 * (i & 3)); }
  int16_t sound(int which) const;
  // Ranges are read by end: 0 the lowest, 1 the highest.
  float moveStrength(size_t end) const { return f32(content::mob_record::moveStrength + 4 * (end & 1)); }
  float bulletSpeed(size_t end) const { return f32(content::mob_record::bulletSpeed + 4 * (end & 1)); }
  float maxHealth() const { return f32(content::mob_record::maxHealth); }
  float idleTime() const { return f32(content::mob_record::idleTime); }
  float walkTime() const { return f32(content::mob_record::walkTime); }
  float attackTime() const { return f32(content::mob_record::attackTime); }
  float attackChance() const { return f32(content::mob_record::attackChance); }
  uint32_t rowValue() const { return u32(content::mob_record::rowValue); }
  float damage() const { return f32(content::mob_record::damage); }
  uint32_t flags() const { return u32(content::mob_record::flags); }
  bool hasFlag(uint32_t bit) const { return ((flags() >> bit) & 1u) != 0; }
  // Damage types 0-3; the percentage kept off.
  uint8_t resistance(size_t type) const { return u8(content::mob_record::resistances + (type & 3)); }
  int16_t shots() const { return i16(content::mob_record::shots); }
  int16_t bulletRow() const { return i16(content::mob_record::bulletRow); }
  uint8_t damageKind() const { return u8(content::mob_record::damageKind); }
  uint8_t width() const { return u8(content::mob_record::width); }
  uint8_t height() const { return u8(content::mob_record::height); }
};

// One part's frame, kept as its file bytes: texture rectangle (x, y, width, height), position
// (x, y) and rotation, all f32.
using MobPartFrame = std::array<uint8_t, content::kMobPartFrameSize>;
float mobFrameRect(const MobPartFrame& frame, size_t i);      // i: 0 x, 1 y, 2 width, 3 height
float mobFramePosition(const MobPartFrame& frame, size_t i);  // i: 0 x, 1 y
float mobFrameRotation(const MobPartFrame& frame);

struct MobAnimation {
  uint8_t kind = 0;
  std::vector<MobPartFrame> frames;  // one per part
};

struct MobPartLayout {
  std::vector<uint8_t> partModes;  // 0 shown by chance, 1 always, 2 one of them, other never
  std::vector<MobAnimation> animations;
  uint8_t partCount() const { return static_cast<uint8_t>(partModes.size()); }
  uint8_t animationCount() const { return static_cast<uint8_t>(animations.size()); }
};

// The 40-byte mob group record with its members.
// Ranges are read by end: 0 the lowest, 1 the highest.
struct MobGroupRecord : content::RecordBytes<content::kMobGroupRecordSize> {
  uint64_t standableBlocks() const { return u64(content::mob_group_record::standableBlocks); }
  uint32_t conditionFlags() const { return u32(content::mob_group_record::conditionFlags); }
  float probability() const { return f32(content::mob_group_record::probability); }
  float depthFraction(size_t end) const {
    return f32(content::mob_group_record::depthRange + 4 * (end & 1));
  }
  uint8_t lightBound(size_t end) const { return u8(content::mob_group_record::lightRange + (end & 1)); }
  uint8_t packBound(size_t end) const { return u8(content::mob_group_record::packSize + (end & 1)); }
  uint8_t dayPhases() const { return u8(content::mob_group_record::dayPhases); }
  uint8_t mobCount() const { return u8(content::mob_group_record::mobCount); }
  uint32_t planetId() const { return u32(content::mob_group_record::planetId); }
  bool oneKindPerPack() const { return u8(content::mob_group_record::oneKindPerPack) != 0; }
  bool hostile() const { return u8(content::mob_group_record::hostile) != 0; }
  uint8_t spawnGroup() const { return u8(content::mob_group_record::spawnGroup); }
  // The liquid kind (1-3) whose cells the group spawns in; 0 for cells without liquid.
  uint8_t liquid() const { return u8(content::mob_group_record::liquid); }
};

struct MobGroupDef {
  std::vector<const MobDef*> members;  // the member count travels with the list
  MobGroupRecord record;
};

// What a new mob shows: the chosen parts and the animation of each of the six roles.
struct MobPartPick {
  std::vector<uint8_t> parts;
  std::array<const MobAnimation*, 6> roles{};
};

// `pickMobParts`: the visible parts and role animations of a new mob of this row.
MobPartPick pickMobParts(const MobDef& mob, const MobPartLayout& layout);
