#pragma once
// The world file ("RBWM" version 1) and the adventure file ("RBWM" version 2), as laid out in the
// save container (see saves/container/data_stream_reader.h for the container itself).
//
// World file: 19 sections, written and listed in this order (plain unless marked):
//    1  info record, 224 bytes (saves/world/world_info.h)
//    4  surface line of every column: width x u16
//    2  packed cells, gzip, revision 1: width x height x 16 bytes in the map's order (column by
//       column), see saves/world/map_packing.h
//    3  explored bitmap, gzip, only for maps that keep one: N u32 of the first array, N of the
//       second
//   18  day clock: u32 tick counter, u8 phase (1, 2, 4, 8), 3 zero bytes
//   17  weather: f32 accumulator, u8 kind, u8 low byte of the steps since the last change, 2 zero
//    5  chests: u32 count; u32 column, u32 row, u32 slot count n, n items
//    6  forges: u32 count; 52 bytes: u16 column, u16 row, f64 counter, u16 counter, 2 zero, 3 items
//    9  signs: u32 count; u16 column, u16 row, u16 length L with the NUL, L bytes
//    7  stables: u32 count; 36 bytes: u16 column, u16 row, three animals (u16 stable index or
//       0xFFFF, u16, u16), 2 zero, the feed item
//    8  alchemy labs: u32 count; 64 bytes: u16 column, u16 row, 5 items
//   10  shelves: u32 count; 52 bytes: u16 column, u16 row, 4 items
//   11  plant registry: u32 count; 16-byte head (u32 value, u16 column, u16 row, u32 kind, 4 bytes
//       by kind), a kind 1 entry followed by its process (10-byte head, 8 bytes per step)
//   12  per-cell plant map: u32 count, u16 column + u16 row each, ascending cell index
//   13  second plant cell set: same form
//   14  protected areas: u32 count; u16 column, u16 row of the centre, u8 size
//   15  liquid queues: the active set, then the pending set, each u32 count + cells
//   16  circuits: dirty set, change queue (cell, u8), timer list (cell, u16 period, u16
//       countdown), device memory (cell, u32, u16), each a u32 count + records
//   19  saved mobs: u32 count; u16 column, u16 row, u8 population group, u16 mob id
// An item is 12 bytes (saves/character/disk_item.h).
//
// Adventure file: 2 entries: the info record (player cells 0) and section 20, the planet links:
// u32 count, then 16 bytes each (u32 planet, u32 linked planet, u16 column, u16 row, u16 linked
// column, u16 linked row).
//
// What a reader trusts. Every count is checked against the bytes its section still holds before
// anything is made for it, and every value that indexes a table (mob ids, plant and process
// rows, chest slots, item ids) is checked against that table; a record whose cell lies outside
// the map is skipped (a column past the width wraps, as the map does). A count that cannot fit,
// a plain section with bytes left after its last record (its count damaged to fewer records
// than it holds: the next save would write only those), a damaged gzip body or an info record that does not match the map makes the whole file
// unreadable: the load fails and the caller keeps the save it had. So does a missing info record
// or cells section (an entry whose id was damaged hides its section): a world cannot be without
// them. Every other section of the list below is written into every world file too: a file that
// lacks one was damaged, and is refused likewise, or its first save would write a new world's
// empty section (no chests, no plants, a flat surface) over what the player had. The explored
// bitmap is written exactly when the map keeps one, and is then required as well.

#include <cstddef>
#include <cstdint>

namespace world_file {

inline constexpr const char* kMagic = "RBWM";
inline constexpr uint16_t kWorldVersion = 1;
inline constexpr uint16_t kAdventureVersion = 2;
inline constexpr uint16_t kWorldSectionCount = 19;
inline constexpr uint16_t kAdventureSectionCount = 2;
// The build number every file is written with; older builds' items pass the converter.
inline constexpr uint32_t kBuild = 30000;

enum Section : uint16_t {
  kInfo = 1,
  kCells = 2,
  kExplored = 3,
  kSurface = 4,
  kChests = 5,
  kForges = 6,
  kStables = 7,
  kLabs = 8,
  kSigns = 9,
  kShelves = 10,
  kPlants = 11,
  kPlantCells = 12,
  kSecondPlantCells = 13,
  kAreas = 14,
  kLiquids = 15,
  kCircuits = 16,
  kWeather = 17,
  kClock = 18,
  kMobs = 19,
  kPlanetLinks = 20,
};

// The sections a world file always holds (the explored bitmap aside, above).
inline constexpr Section kRequiredSections[] = {
    kInfo,   kSurface, kCells,   kClock,  kWeather,   kChests,     kForges,           kSigns,  kStables,
    kLabs,   kShelves, kPlants,  kPlantCells, kSecondPlantCells, kAreas, kLiquids, kCircuits, kMobs,
};

// Revision 1 of the cells: today's block numbering (revision 0 still holds block 0x963).
inline constexpr uint8_t kCellsRevision = 1;

inline constexpr size_t kPackedCellBytes = 16;
inline constexpr size_t kForgeBytes = 52;
inline constexpr size_t kStableBytes = 36;
inline constexpr size_t kLabBytes = 64;
inline constexpr size_t kShelfBytes = 52;
inline constexpr size_t kPlantHeadBytes = 16;
inline constexpr size_t kProcessHeadBytes = 10;
inline constexpr size_t kProcessStepBytes = 8;
inline constexpr size_t kAreaBytes = 5;
inline constexpr size_t kCellPosBytes = 4;
inline constexpr size_t kMobBytes = 7;
inline constexpr size_t kPlanetLinkBytes = 16;
inline constexpr size_t kClockBytes = 8;
inline constexpr size_t kWeatherBytes = 8;

}  // namespace world_file
