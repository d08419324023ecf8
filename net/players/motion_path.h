#pragma once
// Whether a body could have gone from where the host has it to where a motion record puts it,
// through the cells of the map. The place it ends at may overlap no cell that stops a body on
// every side (a full block, a closed trapdoor) beyond the cells it overlapped already, so that a
// body a fallen block or a piston shut in may still step out; and the cells between the two
// places must connect, cell to neighbouring cell, through the sides the body's own physics lets
// it pass: a shut door or a piston head stops it at its side, a platform, a ladder or a liquid
// never does. Gravity is not judged here: how fast a body went is the motion allowance's to say.
//
// Main thread only.

#include "engine/base/geometry.h"

class WorldMap;

namespace motion_path {

// Further than this many cells apart no record is judged: no body goes so far between two.
constexpr int kMostCells = 32;
// How far the way may bend beyond the rectangle of the two places, in cells.
constexpr int kDetourCells = 3;

// `to` is measured from `from` the shorter way across the wrap (it may lie past the map's edge).
bool bodyMayReach(const WorldMap& map, engine::Vec2 from, engine::Vec2 to, engine::Vec2 size);

}  // namespace motion_path
