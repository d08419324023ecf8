#pragma once
// Which frame of the liquid atlas a cell's liquid shows. A cell still filling or falling shows the
// moving frame; settled liquid shows its level, and a full cell under more liquid of its kind shows
// no surface line, darker the deeper it lies, so a body of water reads as one body.

#include "engine/base/geometry.h"

class MapBlock;
class WorldMap;

namespace liquid_frame {

// Full cells of liquid above the cell, of its kind, counted up to the deepest band; 0 for a cell
// that is not full or has no liquid of its kind above it.
int coveredDepth(const WorldMap& map, const MapBlock& cell);
// A source whose liquid still pours into the cell below it.
bool flows(WorldMap& map, const MapBlock& cell);
// The atlas rectangle of the cell's liquid; the cell holds liquid.
engine::Rect frameFor(WorldMap& map, const MapBlock& cell);
// A still, full cell under more liquid of its kind shows no surface: it is drawn in one colour,
// its depth band's (one pixel of that frame, stretched over the cell), so a body of liquid has
// neither seams between its cells nor a pattern repeating in each. Its rectangle, or an empty
// one for a cell that shows a surface or moves.
engine::Rect bodyPixelFor(WorldMap& map, const MapBlock& cell);

}  // namespace liquid_frame
