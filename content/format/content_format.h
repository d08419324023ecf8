#pragma once
// The layout of "data.dat", shared by the loader and the content compiler so the two cannot
// drift: the header, the section order, the table limits and the sizes of the fixed records.

#include <cstddef>
#include <cstdint>

namespace content {

// Header: thirteen u16 counts, then the stored checksum, then the sections.
constexpr size_t kHeaderCountCount = 13;
constexpr size_t kHeaderSize = 26;
constexpr size_t kStoredChecksumOffset = 26;
constexpr size_t kSectionsOffset = 30;
static_assert(kHeaderSize == kHeaderCountCount * 2);
static_assert(kSectionsOffset == kStoredChecksumOffset + 4);

// Positions of the header counts. Positions 6 and 7 are not read: those sections are fixed.
enum CountPosition : size_t {
  kCountTreasures = 0,
  kCountLootTables = 1,
  kCountLootGroups = 2,
  kCountBlocks = 3,
  kCountMobs = 4,
  kCountMobGroups = 5,
  kCountCraftsUnused = 6,
  kCountBulletsUnused = 7,
  kCountBuffs = 8,
  kCountTools = 9,
  kCountRangeds = 10,
  kCountSwingSpecs = 11,
  kCountPlanets = 12,
};

// Table sizes. Ids and rows read from the file must lie below these.
constexpr size_t kItemIdLimit = 4096;
constexpr size_t kBlockIdLimit = 4096;
constexpr size_t kMobLimit = 900;
constexpr size_t kMobGroupLimit = 116;
constexpr size_t kCraftCount = 1246;
constexpr size_t kBulletCount = 147;
constexpr size_t kProcessSpecCount = 26;
constexpr int kSoundRecordCount = 263;  // sound indexes run -1 (none) .. 262
constexpr uint16_t kNoLootTable = 0xFFFF;
constexpr uint16_t kNoItem = 0xFFFF;

// Fixed record sizes in the file (and in memory: the rows keep the file layout).
constexpr size_t kItemRecordSize = 32;
constexpr size_t kItemVariantSize = 6;
constexpr size_t kLootEntrySize = 10;
constexpr size_t kBlockRecordSize = 24;
constexpr size_t kMobRecordSize = 120;
constexpr size_t kMobPartFrameSize = 28;
constexpr size_t kMobGroupRecordSize = 40;
constexpr size_t kCraftRecordSize = 30;
constexpr size_t kBulletRecordSize = 84;
constexpr size_t kBuffRecordSize = 44;
constexpr size_t kToolRecordSize = 24;
constexpr size_t kRangedRecordSize = 12;
constexpr size_t kSwingRecordSize = 68;
constexpr size_t kPlanetNameSize = 32;

constexpr size_t kCraftSectionSize = kCraftCount * kCraftRecordSize;
constexpr size_t kBulletSectionSize = kBulletCount * kBulletRecordSize;
static_assert(kCraftSectionSize == 37380);
static_assert(kBulletSectionSize == 12348);

// The smallest file: header, stored checksum, the two fixed sections and the blob size.
constexpr size_t kMinimumFileSize = kSectionsOffset + kCraftSectionSize + kBulletSectionSize + 4;

// Loot entry kinds and what their reference names.
enum LootEntryKind : uint8_t {
  kLootItem = 0,
  kLootGroup = 1,
  kLootTable = 2,
  kLootCategory = 3,
};

// Item kinds that the content tables care about.
constexpr uint8_t kItemKindTool = 1;
constexpr uint8_t kItemKindWeapon = 5;
constexpr uint8_t kItemKindRanged = 6;

}  // namespace content
