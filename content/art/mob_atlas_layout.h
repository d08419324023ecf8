#pragma once
// Where each mob's part pictures sit in the mob atlas (mobs.png). The mob table already names a
// texture rectangle for every part in every animation frame; this file gives the cell those
// rectangles live in, so the art maker draws exactly what the mob entities ask for and checks
// that no mob reaches into another's pictures.
//
// The atlas is a grid of 64-px cells, 32 to a row; mob row r owns cell r, and every part rectangle
// of its frames lies inside that cell. Two rectangles of one mob may share pixels (a pair of legs
// drawn from one strip); rectangles of different mobs never do.

#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kMobAtlasSize = 2048;
inline constexpr int kMobCellSize = 64;
inline constexpr int kMobCellColumns = kMobAtlasSize / kMobCellSize;

// The 64x64 cell of a mob row; rows past the atlas give an empty rectangle.
engine::Rect mobAtlasCell(uint32_t mobRow);

}  // namespace art
