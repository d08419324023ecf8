#pragma once
// The arithmetic of the drawn cell's light, kept apart from the sprites so it can be checked on its
// own: the colours of a cell's front and back layers, flat or at the four corners of smooth
// lighting, which corner each vertex of a turned sprite takes, how a paint colour applies, and on
// which side of the world's wrap seam a sprite is placed.
//
// A cell's light per channel is max(sky level less the world's darkness, the block-light nibble of
// that channel), 0-15; drawn colours are that level's shade (`shadeOf`), block light at the shade of its
// brightest channel in the hue it had at its source, so a fading light keeps its colour. Two things make the picture read as rock
// and open space rather than as a flat map of light:
// - the back layer (the wall behind an open cell) takes half of the sky's light, which
//   falls on the faces in front, but the whole of a torch's or lamp's light, which fills the open
//   cell; so a lit cave is as bright as the light in it, and a hole in the daylight reads as a
//   wall set back in shade, lit as far as the daylight reaches, and darkening with the night as
//   the sky's light on it does (`backSkyShade`);
// - the face of a solid cell that shuts out light sits one light step behind the open air beside
//   it in block light (an emitting block excepted), so near a torch the open cave is lit at least
//   as much as the rock, and a block in a lit cave stands out from the wall behind;
// - solid ground shows the daylight of the open air near it some cells deeper than the light map
//   carries it (ground_daylight.h), so a sunlit hill reads lit inside.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"

class MapBlock;
class WorldMap;
class BlockPropsTable;
class SeepingMemo;

namespace tile_light {

// Corner order of the record and of a quad's vertices: top-left, top-right, bottom-left,
// bottom-right.
enum Corner : uint8_t { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };
using Corners = std::array<engine::Color4B, 4>;

// How much dimmer than the open air beside it a solid face is in block light, in light levels.
inline constexpr int kSolidFaceStep = 4;

// How many levels above a cell's own light its corners may rise towards a brighter neighbour, and
// how much of the way there they are drawn, in thirds.
inline constexpr int kCornerReach = 1;
inline constexpr int kCornerShareTimes3 = 1;

// The share of the sky's light the back layer takes, in twentieths: half, so a wall behind open
// air reads set back from the lit ground beside it, yet never as a hole.
inline constexpr int kBackShareTimes20 = 10;

// The drawn brightness (0-255) of a light level (0-15, clamped).
uint8_t shadeOf(int level);
// The part of a sky shade (0-255) the back layer behind an open cell takes.
int backShade(int shade);
// The shade (0-255) the sky's light gives the back layer: `sky` is the level left after the world's
// `darkness`. By day it is the back's share of that level's shade. The night keeps of that day's
// shade the part of the level the darkness leaves, sky / (sky + darkness): a wall in the open keeps
// a fifth of its daytime brightness at the night's darkness of 12. The shade of the three levels
// left would keep nearly half, and the wall, which by day stands darker than the ground beside it,
// would stand brighter than that ground at night.
int backSkyShade(int sky, int darkness);

// The colours of the layers drawn in one cell: the front (front block, its decorations, liquid and
// circuit overlay) and the back (back block, back-side decorations, cave wall).
struct LayerColours {
  engine::Color3B front;
  engine::Color3B back;
};
struct LayerCorners {
  Corners front;
  Corners back;
};

// The flat colours of the cell from its own light alone.
LayerColours flatColours(const BlockPropsTable& props, const MapBlock& cell, uint32_t darkness);
// The flat colours of the cell as drawn in its map: a solid cell also takes the daylight that seeps
// into the ground from the open cells near it (ground_daylight.h).
LayerColours flatColours(const WorldMap& map, const MapBlock& cell, uint32_t darkness);
// The light in the open air of the cell, as what stands in it is lit: the sky's shade, or the block
// light at the shade of its brightest channel in the hue of its source, whichever is brighter per
// channel; the colour of an open cell's front, whatever fills the cell.
engine::Color3B airColour(const WorldMap& map, const MapBlock& cell, uint32_t darkness);
// The corners of the cell from its 3x3 neighbourhood as drawn in the map (x wraps, rows outside the map are black;
// solid cells take the seeping daylight):
// each corner takes the brightest of the four cells that share it, sky and each block-light
// channel apart, held to `kCornerReach` levels above the cell's own, drawn `kCornerShareTimes3`
// thirds of the way from the cell's flat colour. `cellColour` receives the flat front colour of the cell itself.
// `memo`: the daylight seeping into cells found so far in a pass of re-tints (null: none kept).
LayerCorners cornerColours(const WorldMap& map, const MapBlock& cell, uint32_t darkness, engine::Color3B& cellColour,
                           SeepingMemo* memo = nullptr);

// For a sprite turned by orientation code 0-7: the corner vertex k (in corner order) takes.
const std::array<uint8_t, 4>& cornerForVertex(uint8_t orientation);

// Whether a cell lit by these corner colours is better split along its top-left to bottom-right
// diagonal: a quad is drawn as two triangles, and the split follows the diagonal whose two ends
// are closer in colour, so that a light at one corner fades over the cell instead of drawing a
// ridge across it.
bool splitsAlongFallingDiagonal(engine::Color4B topLeft, engine::Color4B topRight, engine::Color4B bottomLeft,
                                engine::Color4B bottomRight);

// The light through a paint colour: trunc(light / 255 x paint) per channel, in single precision.
engine::Color3B paintTimesLight(engine::Color3B light, engine::Color3B paint);

// The x in pixels at which a sprite is placed so it shows on the player's side of the seam: near
// the left edge of the world (player column below the visible columns) sprites of the right edge
// move left by the world's width; near the right edge sprites of the left edge move right.
float seamPlacedX(float x, int visibleColumns, int worldWidth, int playerColumn);

}  // namespace tile_light
