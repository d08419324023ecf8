#pragma once
// Where each block and liquid frame sits in the block atlas (rocks.png) and the liquid atlas
// (fluids.png). The art maker draws at these places and the world view reads them, so the layout is
// written here once.
//
// rocks.png is two halves of 1024 px (ids below 2048 on the left, ids from 2048 on the right), each a
// grid of 32-px cells with a 1-px border around a 30x30 frame; a block's variants take the cells
// that follow its own. fluids.png holds water, lava and acid side by side, 128 px apart, one frame per
// pair of amounts and one for a liquid that is still moving.

#include <cstdint>

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kBlockAtlasSize = 2048;
inline constexpr int kAtlasCell = 32;
inline constexpr int kFrameSize = 30;

// Blocks the atlas draws that are not content blocks of their own.
inline constexpr uint16_t kCaveShadeBlock = 255;
inline constexpr uint16_t kShadowEdgeOpenBlock = 121;  // edge on a cell with no back block
inline constexpr uint16_t kShadowEdgeBackBlock = 117;  // edge on a cell with a back block
inline constexpr uint16_t kTileOverlayBlock = 126;
inline constexpr uint16_t kWireBlock = 2064;
inline constexpr uint16_t kWireBlock2 = 2096;
inline constexpr uint16_t kDisplayBlock = 2128;

// The 30x30 frame of a block id in a variant (y grows downward in the picture).
engine::Rect blockSpriteRect(uint16_t id, uint8_t variant);

// The back wall of a cave where a cell has no back block: each planet's own rock, pushed into the
// shade, in three bands of depth (0 under the surface, 2 the deepest). The frames take a run of
// cells that no block id reaches (the art maker refuses a block that would).
inline constexpr int kCaveWallPlanets = 12;
inline constexpr int kCaveWallBands = 3;
inline constexpr uint16_t kCaveWallFirstCell = 2048 + 101;  // counted as a block id would be
// The planet is its id bit (1, 2, 4, ...); an id of no known planet takes the first planet's walls.
engine::Rect caveWallSpriteRect(uint32_t planetBit, int band);
// The band of a row below its column's surface row (row 0 the bottom of the map): the upper third
// of the ground is band 0, the middle band 1, the lowest band 2.
int caveWallBand(int row, int surfaceRow);

enum class LiquidKind : uint8_t { Water = 1, Lava = 2, Acid = 3 };

inline constexpr int kLiquidAtlasWidth = 384;
inline constexpr int kLiquidAtlasHeight = 160;
inline constexpr int kLiquidMaxAmount = 4;

// The frame of a liquid with its two amounts (0-4 each), or of a liquid still moving.
engine::Rect liquidSpriteRect(LiquidKind kind, uint8_t amountA, uint8_t amountB, bool active);

// Full cells under more liquid of their kind draw without a surface line, darker the deeper they
// lie: depth 1 is the cell right under the top one, and depth kLiquidDepthBands and below share
// the deepest, even frame.
inline constexpr int kLiquidDepthBands = 4;
// The frame of a covered full cell at that depth (1 up; deeper is held to kLiquidDepthBands). The
// frames use the slots no pair of amounts reaches (the smaller amount above the larger).
engine::Rect coveredLiquidSpriteRect(LiquidKind kind, int depth);

}  // namespace art
