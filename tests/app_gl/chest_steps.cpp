#include "tests/app_gl/chest_steps.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "content/items/item_rules.h"
#include "game/player/player_desktop.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "world/blocks/chest.h"
#include "world/cells/map_block.h"
#include "world/world.h"

namespace apptest {

const ItemRule& largestChest() {
  const ItemRule* largest = nullptr;
  for (uint32_t block = 0; block <= 0xFFFF; ++block) {
    const ItemRule* rule = lookupItemRule(static_cast<uint16_t>(block));
    if (rule != nullptr && (largest == nullptr || rule->value > largest->value)) largest = rule;
  }
  EXPECT_NE(largest, nullptr) << "the content has no chest";
  static const ItemRule kNone{};
  return largest != nullptr ? *largest : kNone;
}

std::vector<Step> chestPlaced(const ItemRule& kind, MapBlock*& cell, Chest*& chest) {
  return {
      {"carry a chest of " + std::to_string(kind.value) + " slots", [&kind] {
         give(kind.firstId, 1);
         return carriedCount(kind.firstId) == 1;
       }},
      {"place it beside the player", [&kind, &cell] {
         cell = placeCarriedNextToPlayer(kind.firstId);
         return cell != nullptr && cell->frontId() == kind.blockId;
       }, 10},
      {"the chest has its slots", [&kind, &cell, &chest] {
         chest = player()->world->chests().findAt(*cell);
         if (chest == nullptr) ADD_FAILURE() << "the placed chest has no entity";
         return chest != nullptr && chest->slotCount() == kind.value;
       }, 1},
  };
}

Step chestOpened(const std::string& name, MapBlock*& cell, Chest*& chest) {
  return {name, [&cell, &chest] {
            if (current() == ViewId::Main) click(pointOf(*cell), GLFW_MOUSE_BUTTON_RIGHT);
            return current() == ViewId::Inventory &&
                   gameViews()->inventoryView().page() == InventoryView::kContainer &&
                   player()->openContainer() == chest;
          }, 10};
}

}  // namespace apptest
