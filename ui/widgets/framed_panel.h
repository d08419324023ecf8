#pragma once
// The menus' framed panel: the interface atlas's gold-edged frame (art::kMenuFramePieces) stretched
// over a rectangle, its corners and sides drawn at whole multiples of the atlas's pixels like the
// world, tinted by a colour (white shows the frame as drawn). Without the atlas (a test without a
// data folder) it is a plain panel of the tint instead, so the menus still read.
//
// Main thread only.

#include "engine/base/geometry.h"

namespace engine {
class InnerNode;
}  // namespace engine

// The pixel scale the menus' frames draw at: twice the menus' own scale, whole.
float framePixelScale();

// Adds the panel over `area` (lower left corner and size) to the parent at z; null when the parent is.
engine::InnerNode* addFramedPanel(engine::InnerNode* parent, const engine::Rect& area, engine::Color3B tint, int z);
