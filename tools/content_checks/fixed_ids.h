#pragma once
// The block, item, mob and projectile ids that the game's code names directly, with what the code
// expects to find there. The checks read these tables; nothing else in the game reads them, so
// they only describe, they do not decide.

#include <cstdint>
#include <vector>

namespace content_checks {

struct FixedBlock {
  std::vector<uint16_t> ids;
  const char* use;
  uint64_t flagsOn = 0;    // every one of these flag bits must be set
  uint64_t flagsOff = 0;   // none of these may be set
  uint8_t minVariants = 0;
  bool passable = false;   // bodies walk through it: its passable byte (byte 22) is not 0
};

// What record an item needs beside its own row.
enum class ItemRecordNeed : uint8_t { None, Tool, Ranged, Buff };

struct FixedItem {
  std::vector<uint16_t> ids;
  const char* use;
  std::vector<uint8_t> kinds = {};  // allowed kinds; empty: any
  ItemRecordNeed record = ItemRecordNeed::None;
  bool bobberShot = false;  // its ranged record must fire a projectile row with the bobber flag
  int bulletRow = -1;       // the projectile row its ranged record must fire; -1 any
};

// An item that must place one particular block.
struct FixedPlacer {
  uint16_t item;
  uint16_t block;
  const char* use;
};

struct FixedMob {
  std::vector<uint16_t> rows;
  const char* use;
};

struct FixedBullet {
  std::vector<uint16_t> rows;
  const char* use;
  bool sticks = false;
};

const std::vector<FixedBlock>& fixedBlocks();
const std::vector<FixedItem>& fixedItems();
const std::vector<FixedPlacer>& fixedPlacers();
const std::vector<FixedMob>& fixedMobs();
const std::vector<FixedBullet>& fixedBullets();
// Blocks that no item may place: the code uses them as markers or draws them itself.
const std::vector<uint16_t>& unplaceableBlocks();

// `first, first + step, ...` (count ids), for the families laid out on the sprite grid.
std::vector<uint16_t> idSeries(uint16_t first, uint16_t step, uint16_t count);
// `first..last` inclusive.
std::vector<uint16_t> idRange(uint16_t first, uint16_t last);

}  // namespace content_checks
