#include "view/inventory/item_tooltip.h"

#include <string>

#include "content/items/item.h"
#include "content/texts/language_texts.h"
#include "view/inventory/item_tooltip_text.h"
#include "view/inventory/overlay_art.h"
#include "view/inventory/tooltip_multi_line.h"

namespace {

// The main layer's overlay lies above the views, so the tooltip shows over the inventory's grids;
// without a main layer (a test of the HUD alone) the HUD holds it.
engine::InnerNode* tooltipParent() {
  if (engine::InnerNode* overlay = overlay_art::overlayNode()) return overlay;
  return overlay_art::hudLayer();
}

TooltipMultiLine* findTooltip(engine::InnerNode& parent) {
  for (engine::Node* child : parent.getChildren()) {
    if (child->getTag() != kItemTooltipTag) continue;
    if (auto* tooltip = dynamic_cast<TooltipMultiLine*>(child)) return tooltip;
  }
  return nullptr;
}

}  // namespace

TooltipMultiLine* showItemTooltip(const Item& item, const engine::Vec2& pointer) {
  engine::InnerNode* parent = tooltipParent();
  if (parent == nullptr) return nullptr;
  std::string name = languageTexts().treasureName(item.id);
  std::string text;
  itemTooltipText(text, item, name);
  TooltipMultiLine* tooltip = findTooltip(*parent);
  if (text.empty()) {
    if (tooltip != nullptr) tooltip->setVisible(false);
    return nullptr;
  }
  if (tooltip == nullptr) {
    tooltip = TooltipMultiLine::create();
    if (tooltip == nullptr) return nullptr;
    parent->addChild(tooltip, kItemTooltipZ, kItemTooltipTag);
  }
  tooltip->layout(text, pointer, true, kItemTooltipWrapWidth);
  tooltip->setVisible(true);
  return tooltip;
}

void hideItemTooltip() {
  if (engine::InnerNode* parent = tooltipParent()) {
    if (TooltipMultiLine* tooltip = findTooltip(*parent)) tooltip->setVisible(false);
  }
}
