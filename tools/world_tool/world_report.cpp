#include "tools/world_tool/world_report.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "content/items/item.h"
#include "entities/core/real_entity.h"
#include "entities/core/world_entities.h"
#include "entities/items/treasure_entity.h"
#include "game/inventory/inventory.h"

namespace world_tool {

InventorySummary summarizeInventory(const Inventory& inventory) {
  InventorySummary summary;
  // The quick row (10 slots), then the backpack (6 x 6).
  for (const auto& [kind, columns, rows] : {std::tuple{SlotKind::Quick, 10, 1}, std::tuple{SlotKind::Backpack, 6, 6}}) {
    for (uint8_t y = 0; y < rows; ++y) {
      for (uint8_t x = 0; x < columns; ++x) {
        const Item* item = inventory.slotItem({kind, x, y});
        if (item == nullptr || item->isNone()) continue;
        ++summary.stacks;
        summary.items += item->count;
        summary.stacksText.append(1, ' ').append(std::to_string(item->id)).append(1, 'x').append(std::to_string(item->count));
      }
    }
  }
  return summary;
}

std::string groundItems(const WorldEntities& entities) {
  std::vector<std::pair<uint16_t, uint16_t>> items;
  entities.treasures().forEach([&items](const RealEntity& e) {
    const TreasureEntity* treasure = treasureOf(e);
    if (treasure != nullptr && !e.data.removed) items.emplace_back(treasure->item().id, treasure->item().count);
  });
  std::sort(items.begin(), items.end());
  uint32_t total = 0;
  std::string text;
  for (const auto& [id, count] : items) {
    total += count;
    text.append(1, ' ').append(std::to_string(id)).append(1, 'x').append(std::to_string(count));
  }
  return std::to_string(total) + ":" + text;
}

}  // namespace world_tool
