#pragma once
// The HUD's one tooltip, shown over an item: the item's name and category as the title and its
// stat lines as the body (item_tooltip_text.h), wrapped to a fixed width and pointing at a screen
// point. The tooltip is made on first use in the game's HUD layer (or the main layer's overlay
// node) and kept there; hiding only hides it. The inventory views call these when the pointer
// rests on an item and when it leaves.
//
// Main thread only.

#include "engine/base/geometry.h"

class Item;
class TooltipMultiLine;

inline constexpr int kItemTooltipTag = 68;
inline constexpr int kItemTooltipZ = 300;
// The width a tooltip's lines wrap at, in interface points.
inline constexpr float kItemTooltipWrapWidth = 150;

// Shows the item's tooltip at the point; null (nothing shown) without a HUD, for an item without
// a text or when the tooltip cannot be made.
TooltipMultiLine* showItemTooltip(const Item& item, const engine::Vec2& pointer);
void hideItemTooltip();
