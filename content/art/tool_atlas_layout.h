#pragma once
// The held pictures of the swing items on the tool atlas (tools.png). The art maker draws at these
// places and the held item reads them, so the layout is written once.
//
// The left 512 columns hold each item's picture at the rectangle its swing record names, upright.
// Right of them lies the same picture turned a whole eighth of a turn (45 degrees clockwise) about
// its grip, drawn in the art's own pixels at twice the rectangle's size with the grip at its centre,
// at (512 + 2x, 2y) for a picture at (x, y). A held item turns through whole eighths only: a
// quarter turn of either picture keeps its pixels square, so every eighth shows square pixels and
// none smears as a picture turned freely at 45 degrees does.

#include "engine/base/geometry.h"

namespace art {

inline constexpr int kToolAtlasWidth = 1536;
inline constexpr int kToolAtlasHeight = 2048;
// The upright pictures lie left of this column and, for a turned copy to fit, above this row.
inline constexpr int kUprightToolWidth = 512;
inline constexpr int kUprightToolHeight = 1024;
inline constexpr float kTurnedToolDegrees = 45.0f;

// Whether a picture rectangle lies where it has a turned copy.
bool hasTurnedTool(const engine::Rect& picture);
// The copy of the picture turned 45 degrees clockwise about its grip; its grip is at its centre.
engine::Rect turnedToolRect(const engine::Rect& picture);

}  // namespace art
