#pragma once
// The arithmetic of the drawn cell's light, kept apart from the sprites so it can be checked on its
// own: the flat colour of a cell, the four corner colours of smooth lighting, which corner each
// vertex of a turned sprite takes, how a paint colour and the back layer's third of the light
// apply, and on which side of the world's wrap seam a sprite is placed.
//
// A cell's light per channel is max(sky level less the world's darkness, the block-light nibble of
// that channel), 0-15; drawn colours are that times 17.

#include <array>
#include <cstdint>

#include "engine/base/geometry.h"

class MapBlock;
class WorldMap;

namespace tile_light {

// Corner order of the record and of a quad's vertices: top-left, top-right, bottom-left,
// bottom-right.
enum Corner : uint8_t { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };
using Corners = std::array<engine::Color4B, 4>;

// The three channels 0-15 of the cell's light.
std::array<uint8_t, 3> cellLevels(const MapBlock& cell, uint32_t darkness);
// The flat colour of the cell (levels x 17).
engine::Color3B flatColour(const MapBlock& cell, uint32_t darkness);
// The corners of the cell from its 3x3 neighbourhood (x wraps, rows outside the map are black);
// `cellColour` receives the flat colour of the cell itself.
Corners cornerColours(const WorldMap& map, const MapBlock& cell, uint32_t darkness, engine::Color3B& cellColour);

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
// A back layer is drawn at a third of the light (integer division per channel).
engine::Color3B backLayerThird(engine::Color3B colour);

// The x in pixels at which a sprite is placed so it shows on the player's side of the seam: near
// the left edge of the world (player column below the visible columns) sprites of the right edge
// move left by the world's width; near the right edge sprites of the left edge move right.
float seamPlacedX(float x, int visibleColumns, int worldWidth, int playerColumn);

}  // namespace tile_light
