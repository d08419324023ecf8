#pragma once
// The interface's drawing helpers: solid colour panels and bitmap-font labels in the data folder's
// fonts. A label whose font cannot be read (a test without a data folder) is null: every view keeps
// its texts in its own state and treats its labels as a picture of them.
//
// Main thread only.

#include <string>

#include "engine/base/geometry.h"

namespace engine {
class InnerNode;
class Label;
class LayerColor;
}  // namespace engine

// The fonts the font maker writes into the data folder's font folder.
inline constexpr const char* kFontBig = "big.fnt";
inline constexpr const char* kFontSmall = "small.fnt";
inline constexpr const char* kFontTiny = "tiny.fnt";
inline constexpr const char* kFontTooltip = "smalltooltip.fnt";

// The font's path in the platform's font folder (the bare name without a platform).
std::string uiFontPath(const char* font);
// Loads each of the fonts above once, so a damaged one is reported (and its fallback chosen)
// before a view that names damaged files fills its texts.
void checkUiFonts();
// The window's size in points.
engine::Size uiWindowSize();
// The scale the menus' panels and texts draw at. Their fonts and sizes are made for the interface
// scale x2, so the option's x1 draws them at half size and x4 at twice; 1 before a screen is laid out.
float menuScale();

// A rectangle of the colour with its lower left corner at the position, added to the parent.
engine::LayerColor* addColorLayer(engine::InnerNode* parent, engine::Color4B colour, engine::Size size,
                                  engine::Vec2 position, int z = 0);
// A label of the text in the font at the position (the anchor picks the label's point that sits
// there), added to the parent; null when the font cannot be read.
engine::Label* addTextLabel(engine::InnerNode* parent, const std::string& text, engine::Vec2 position,
                            const char* font, engine::Color3B colour = engine::Color3B::WHITE,
                            engine::Vec2 anchor = engine::Vec2(0.0f, 0.5f), int z = 1);
// Null-safe: a missing label keeps nothing.
void setLabelText(engine::Label* label, const std::string& text);
