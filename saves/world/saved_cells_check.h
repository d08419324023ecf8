#pragma once
// The sanitizer builds' guard against a writer of cells that forgets its chunk mark. A save copies
// only the chunks its map marked changed (`KeptCells`), so a cell written without its mark would be
// left out of the file, and a player's work lost without a word. In the builds whose every test
// runs under a sanitizer (RUBBLE_SANITIZE or RUBBLE_TSAN, saves/CMakeLists.txt), each save
// therefore compares its whole copy with the world, field by field as the file keeps a cell, and
// stops the process, naming the first cell that differs, when they are not equal. Other builds skip
// it: it costs a pass over every cell.

#include <span>

class MapBlock;
class WorldMap;

// True in the builds that check: the sanitizer builds compile this check in (RUBBLE_SAVE_CHECK).
extern const bool kCheckSavedCells;

// The index of the first cell whose kept fields differ between the copy and the map, or the
// cell count when none does (a copy of another size differs at its first missing cell).
size_t firstUnsavedCell(std::span<const MapBlock> copy, const WorldMap& map);

// Aborts with a message naming the first cell that differs, when one does. Main thread, right after
// the copy was brought level with the map.
void requireCopyLevelWithMap(std::span<const MapBlock> copy, const WorldMap& map);
