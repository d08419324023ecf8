#pragma once
// What the interface overlays (inventory sprites, tooltips, the achievement banner) draw from:
// the interface and item-icon atlases, the nodes of the HUD they are drawn in, the interface
// scale and the screen size. The rectangles on the atlases are the shared layout's
// (content/art/interface_layout.h, item_atlas_layout.h); labels come from the label makers.
//
// While a game's atlases are loaded the overlays use those; before (and in tests) the atlas files
// are read through the engine's texture cache.
//
// Main thread only.

#include <string>

#include "engine/base/geometry.h"

namespace engine {
class InnerNode;
class Sprite;
class Texture2D;
}  // namespace engine

namespace overlay_art {

// The scale the interface draws at; 1 until a video mode set one.
float uiScale();
// The window's size in points.
engine::Size screenSize();

// The atlases; null when neither a game's set nor the file has them.
engine::Texture2D* interfaceTexture();
engine::Texture2D* iconTexture();
// A file of a resource folder (platform folder kind) as a path; the bare name without a platform.
std::string resourceFile(int folderKind, const std::string& name);

// A sprite of the interface atlas at a position, scaled by the interface scale; without the
// atlas it draws nothing. Autoreleased.
engine::Sprite* interfaceSprite(const engine::Rect& rect, const engine::Vec2& position);

// The nodes of the running game's HUD: the layer the inventory cells sit on, the batch of item
// icons and the overlay node over them for counts, marks and highlights. Null without a game's
// view.
engine::InnerNode* hudLayer();
engine::InnerNode* iconBatch();
engine::InnerNode* overlayNode();

}  // namespace overlay_art
