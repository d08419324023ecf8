#pragma once
// The sanitizer builds' guard against a writer of cells that forgets its chunk mark. A save copies
// only the chunks its map marked changed (`KeptCells`), so a cell written without its mark would be
// left out of the file, and a player's work lost without a word. In the builds whose every test
// runs under the address sanitizer, each save therefore compares its whole copy with the world,
// field by field as the file keeps a cell, and stops the process, naming the first cell that
// differs, when they are not equal. Release builds skip it: it costs a pass over every cell.

#include <span>

class MapBlock;
class WorldMap;

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kCheckSavedCells = true;
#else
inline constexpr bool kCheckSavedCells = false;
#endif

// The index of the first cell whose kept fields differ between the copy and the map, or the
// cell count when none does (a copy of another size differs at its first missing cell).
size_t firstUnsavedCell(std::span<const MapBlock> copy, const WorldMap& map);

// Aborts with a message naming the first cell that differs, when one does. Main thread, right after
// the copy was brought level with the map.
void requireCopyLevelWithMap(std::span<const MapBlock> copy, const WorldMap& map);
