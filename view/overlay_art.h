#pragma once
// What the interface overlays (inventory sprites, tooltips, the achievement banner, the sign
// bubble) draw from: the interface and item-icon atlases, the rectangles on them, the interface
// scale, the screen size and their bitmap-font labels. Every look-up of a rectangle or a label
// goes through this file, so the shared atlas layout and label makers replace one body each.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"

namespace engine {
class Label;
class Sprite;
class Texture2D;
}  // namespace engine
class LabelColored;

namespace overlay_art {

// The three bitmap fonts of the interface.
inline constexpr const char* kBigFont = "big.fnt";
inline constexpr const char* kTinyFont = "tiny.fnt";
inline constexpr const char* kTooltipFont = "smalltooltip.fnt";

// The scale the interface draws at; 1 until a video mode set one.
float uiScale();
// The window's size in points.
engine::Size screenSize();

// The atlases through the engine's texture cache; null when the image cannot be loaded.
engine::Texture2D* interfaceTexture();
engine::Texture2D* iconTexture();
// A file of a resource folder (platform folder kind) as a path; the bare name without a platform.
std::string resourceFile(int folderKind, const std::string& name);

// Interface sprite `id` in a variant on the interface atlas.
engine::Rect uiSpriteRect(uint16_t id, uint8_t variant);
// The icon of an item id in a variant on the icon atlas.
engine::Rect itemIconRect(uint16_t id, uint8_t variant);

// A sprite of the interface atlas at a position, scaled by the interface scale; null without
// the atlas. Autoreleased.
engine::Sprite* interfaceSprite(const engine::Rect& rect, const engine::Vec2& position);

// A bitmap-font label by size code (0 big, 1 tiny, any other the tooltip font), left-aligned:
// code 2 draws at half the interface scale, raised by 4 interface points; the others at the
// interface scale. Null when the font does not load. Autoreleased.
engine::Label* overlayLabel(uint8_t sizeCode, const std::string& text, const engine::Vec2& position);
// The same with colour markup.
LabelColored* overlayLabelColored(uint8_t sizeCode, const std::string& text,
                                  const engine::Vec2& position);

}  // namespace overlay_art
