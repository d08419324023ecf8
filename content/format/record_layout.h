#pragma once
// The named fields of the fixed-size records of "data.dat". The rows in memory keep the file
// layout byte for byte; their accessors read at these offsets, and the content compiler writes the
// hand-edited sources through the same field lists, so a field has one offset in one place.
// Bytes that no field names are free for the sources to fill as raw bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "content/format/content_format.h"

namespace content {

enum class FieldType : uint8_t {
  U8,
  I8,
  U16,
  I16,
  U32,
  I32,
  F32,
  U64,
  Percent,        // u8 holding hundredths; written from a fraction (0.25 -> 25)
  SignedPercent,  // i8 holding hundredths
  Sound,          // i16 index into the sound record table, -1 for none
};

size_t fieldTypeSize(FieldType type);

struct RecordField {
  const char* name;
  uint16_t offset;
  FieldType type;
  uint8_t count = 1;            // > 1: an array of consecutive values
  double defaultValue = 0;      // what an absent field holds
  bool derived = false;         // the compiler fills it; a source value must agree
};

struct RecordLayout {
  const char* name;
  size_t size;
  std::span<const RecordField> fields;
};

namespace item_record {
constexpr size_t color = 0, variantCount = 2, kind = 3, freeStack = 4, outlineSprite = 5,
                 wornPicture = 6, characterFlags = 7, placesBlock = 10, subKind = 12, reach = 13,
                 refusal = 14, critical = 15, variantSlot = 16, heldOffset = 24, value = 26;
}
namespace tool_record {
constexpr size_t power = 0, capabilities = 16, maxDurability = 18, damageType = 21;
}
namespace buff_record {
constexpr size_t armor = 0, damageBonus = 4, movementBonus = 8, stat11 = 12, stat6 = 16, stat7 = 20,
                 stat8 = 24, stat9 = 28, stat10 = 29, stat4 = 30, stat5 = 31, stat12 = 32,
                 stat13 = 33, lightColor = 34, resistance = 36;
}
namespace ranged_record {
constexpr size_t sound = 0, ammunition = 2, speedFactor = 4, bulletRow = 8, bobber = 10,
                 needsAmmunition = 11;
}
namespace swing_record {
constexpr size_t spriteRect = 0, box = 16, boxOffset = 32, originOffset = 40, speedFactor = 48,
                 restAngle = 52, swingAngle = 56, swingKind = 61, mirror = 62, flip = 63, aiming = 64;
}
namespace block_record {
constexpr size_t flags = 0, useKind = 8, lightColor = 10, sounds = 12, soundCount = 4,
                 variantCount = 20, blastResistance = 21, transparency = 22;
}
namespace mob_record {
constexpr size_t spriteRect = 0, bulletSpeed = 48, moveStrength = 56, maxHealth = 64, idleTime = 68,
                 walkTime = 72, attackTime = 76, attackChance = 80, rowValue = 84, damage = 88,
                 flags = 92, resistances = 96, mobId = 100, sounds = 102, soundCount = 3,
                 shots = 108, bulletRow = 110, damageKind = 112, width = 113, height = 114,
                 movementKind = 115;
}
// One frame of one mob part: where its picture lies in the texture and how it is placed.
namespace mob_frame_record {
constexpr size_t rect = 0, position = 16, rotation = 24;
}
namespace mob_group_record {
constexpr size_t standableBlocks = 0, conditionFlags = 8, probability = 12, depthRange = 16,
                 lightRange = 24, packSize = 26, dayPhases = 28, mobCount = 29, planetId = 32,
                 oneKindPerPack = 36, hostile = 37, spawnGroup = 38, liquid = 39;
// A light bound of kAnyLight leaves that side of the light range open.
constexpr uint8_t kAnyLight = 255;
}
namespace craft_record {
constexpr size_t shape = 0, category = 1, resultCount = 2, cellCount = 3, equivalents = 4,
                 returnsContainers = 5, result = 6, station = 8, bookEntry = 10, grid = 12,
                 gridCells = 9;
// The craft book has 335 entries; a recipe whose entry is kAlwaysKnown needs none.
constexpr uint16_t kCraftBookEntries = 335, kAlwaysKnown = 0xFFFF;
}
// The difficulty rows: not part of "data.dat" but of the game tables file beside it.
constexpr size_t kDifficultyRecordSize = 88;
namespace difficulty_record {
constexpr size_t playerDamage = 0, mobDamage = 4, spawnFactor = 8, protectionTime = 12,
                 regeneration = 16, lootFactors = 20, lootFactorCount = 6, dropsQuickSlots = 80,
                 dropsBackpack = 81, dropsWorn = 82, peaceful = 83, level = 84;
constexpr uint32_t kLevelCount = 5;
}
namespace bullet_record {
constexpr size_t row = 0, mobDamage = 4, knockBack = 8, playerDamage = 12, lifetime = 16,
                 damageType = 20, setupWord = 24, spritePosition = 28, size = 36,
                 stuckRect = 44, breakFlag = 60, updateFlags = 61, stick = 63, bobber = 64,
                 spinRate = 68, spins = 72, facesMotion = 73, keepsFacing = 74,
                 wakesOnCellChange = 75, thrownItem = 78, sounds = 80, soundCount = 2;
}

const RecordLayout& itemRecordLayout();
const RecordLayout& toolRecordLayout();
const RecordLayout& buffRecordLayout();
const RecordLayout& rangedRecordLayout();
const RecordLayout& swingRecordLayout();
const RecordLayout& blockRecordLayout();
const RecordLayout& mobRecordLayout();
const RecordLayout& mobPartFrameLayout();
const RecordLayout& mobGroupRecordLayout();
const RecordLayout& craftRecordLayout();
const RecordLayout& bulletRecordLayout();
const RecordLayout& difficultyRecordLayout();

// Little-endian access to record bytes at a field offset (offsets come from the lists above).
uint16_t recordU16(const uint8_t* record, size_t offset);
uint32_t recordU32(const uint8_t* record, size_t offset);
uint64_t recordU64(const uint8_t* record, size_t offset);
float recordF32(const uint8_t* record, size_t offset);

}  // namespace content
