#pragma once
// A sign read in the world shows its text in the sign bubble (view/overlays/sign_label.h) over
// its cell: the lines joined, the bubble grown from the cell's point on the screen. The player's
// interface events call this for a sign the local player reads.
//
// Main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/geometry.h"

namespace engine {
class Node;
}
class MapBlock;

// The screen point of a cell's centre through the world layer, on the side of the world's wrap
// seam nearest the camera (the world layer sits at the negated camera position).
engine::Vec2 cellScreenPoint(const engine::Node& worldLayer, int32_t worldWidth, uint16_t cellX, uint16_t cellY);

// Shows the lines in the bubble over the cell of the running main layer's world; nothing without
// a world view.
void showSignLabelAtCell(const MapBlock& cell, const std::vector<std::string>& lines);
