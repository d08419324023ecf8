#include "ui/views/inventory_view.h"

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/node.h"
#include "game/crafting/player_crafting.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/crafting/recipes.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "platform/platform.h"
#include "ui/views/game_views.h"
#include "world/blocks/logic_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

constexpr uint32_t kInventoryAction = 6;
constexpr uint32_t kPaneAction = 11;
constexpr const char* kPageNames[] = {"Backpack", "Equipment", "Crafting", "Container"};

bool isBound(uint32_t action, engine::KeyCode key) {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr && platform->keyForAction(action) == static_cast<uint32_t>(key);
}

std::string itemName(uint16_t id) {
  const std::string& name = languageTexts().treasureName(id);
  return name.empty() ? std::string(1, '#').append(std::to_string(id)) : name;
}

PlayerDesktopLocal* player() { return runningWorld().player.get(); }

// " x3" after a name for more than one; nothing for one.
std::string timesCount(uint32_t count) { return count > 1 ? std::string(" x").append(std::to_string(count)) : std::string(); }

}  // namespace

std::string itemLabel(const Item* item) {
  if (item == nullptr || item->isNone()) return "(empty)";
  return itemName(item->id) + timesCount(item->count);
}

InventoryView::InventoryView() : ListView(ViewId::Inventory), dropMarker_(engine::Node::create()) {
  dropMarker_->setVisible(false);
  root()->addChild(dropMarker_);
}

InventoryView::~InventoryView() = default;

void InventoryView::enter() {
  status_.clear();
  currentGame().pause();
  ListView::enter();
}

void InventoryView::exit() {
  ListView::exit();
  if (PlayerDesktopLocal* p = player(); p != nullptr && p->openContainer() != nullptr) currentGame().closeContainer();
  currentGame().unpause();
  page_ = kBackpack;
}

void InventoryView::refresh() {
  dropMarker_->setVisible(false);
  ListView::refresh();
}

void InventoryView::showDropMarker(const engine::Vec2& position) {
  dropMarker_->setPosition(position);
  dropMarker_->setVisible(true);
}

bool InventoryView::isDropMarkerShown() const { return dropMarker_->isVisible(); }

void InventoryView::setPage(uint8_t page) {
  page_ = page < kPageCount ? page : static_cast<uint8_t>(kBackpack);
  list().select(0);
  refresh();
}

bool InventoryView::ownKey(engine::KeyCode key, bool released) {
  if (isBound(kPaneAction, key)) {
    if (!released) setPage(static_cast<uint8_t>((page_ + 1) % kPageCount));
    return true;
  }
  if (isBound(kInventoryAction, key)) {
    if (released) back();
    return true;
  }
  return false;
}

bool InventoryView::swapWithHeld(SlotRef slot) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return false;
  Inventory& inventory = *p->inventory;
  if (inventory.selected() >= static_cast<uint32_t>(Inventory::kQuickSlots)) inventory.select(0);
  const SlotRef held{SlotKind::Quick, static_cast<uint8_t>(inventory.selected()), 0};
  if (held == slot) return false;
  Item* from = inventory.slotItem(slot);
  Item* to = inventory.slotItem(held);
  if (!inventory.slotAcceptsItem(held, from) || !inventory.slotAcceptsItem(slot, to)) {
    status_ = "That cannot go there.";
    return false;
  }
  inventory.setSlot(held, from);
  inventory.setSlot(slot, to);
  p->heldItemChanged(p->heldItem());
  status_ = "Holding " + itemLabel(from) + ".";
  return true;
}

bool InventoryView::craft(uint16_t recipeRow) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || recipeRow >= contentTables().craftDefs.size()) return false;
  const CraftDef& recipe = contentTables().craftDefs[recipeRow];
  PlayerCrafting crafting(*p);
  switch (crafting.craft(recipe)) {
    case CraftOutcome::Made:
      status_ = "Made " + itemName(recipe.result()) + timesCount(recipe.resultCount()) + ".";
      return true;
    case CraftOutcome::WrongStation: status_ = "That needs another station."; break;
    case CraftOutcome::MissingIngredients: status_ = "The ingredients are missing."; break;
    case CraftOutcome::NoRoom: status_ = "No room for it."; break;
  }
  return false;
}

void InventoryView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = std::string("Inventory: ") + kPageNames[page_];
  lines.push_back("Tab: next page. Enter or a click: choose. Escape: close.");
  if (!status_.empty()) lines.push_back(status_);
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) {
    lines.push_back("No game is running.");
    return;
  }
  switch (page_) {
    case kBackpack: fillBackpack(*p, rows); break;
    case kEquipment: fillEquipment(*p, rows); break;
    case kCrafting: fillCrafting(*p, lines, rows); break;
    default: fillContainer(*p, rows); break;
  }
}

void InventoryView::fillBackpack(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  Inventory& inventory = *p.inventory;
  rows.push_back({"Holding: " + itemLabel(p.heldItem()), nullptr});
  for (uint8_t i = 0; i < Inventory::kQuickSlots; ++i) {
    const SlotRef slot{SlotKind::Quick, i, 0};
    const std::string mark = inventory.selected() == i ? "> " : "  ";
    rows.push_back({mark + "Quick " + std::to_string((i + 1) % 10) + ": " + itemLabel(inventory.slotItem(slot)),
                    [this, i] {
                      if (PlayerDesktopLocal* q = player()) q->inventory->select(i);
                      status_ = "Quick slot " + std::to_string((i + 1) % 10) + " selected.";
                      ListView::refresh();
                    }});
  }
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      const SlotRef slot{SlotKind::Backpack, x, y};
      const Item* item = inventory.slotItem(slot);
      if (item == nullptr || item->isNone()) continue;
      rows.push_back({"Backpack: " + itemLabel(item), [this, slot] {
                        swapWithHeld(slot);
                        ListView::refresh();
                      }});
    }
  }
}

void InventoryView::fillEquipment(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  for (uint8_t i = 0; i < Inventory::kEquipmentSlots; ++i) {
    const SlotRef slot{SlotKind::Equipment, i, 0};
    rows.push_back({"Worn " + std::to_string(i + 1) + ": " + itemLabel(p.inventory->slotItem(slot)), [this, slot] {
                      if (swapWithHeld(slot)) {
                        if (PlayerDesktopLocal* q = player()) q->refreshAppearance();
                      }
                      ListView::refresh();
                    }});
  }
}

void InventoryView::fillCrafting(PlayerDesktopLocal& p, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  if (p.knowledge == nullptr) return;
  Inventory& inventory = *p.inventory;
  const uint8_t station = inventory.station();
  const std::vector<uint16_t> recipes = listStationRecipes(inventory, station, *p.knowledge, station, "");
  if (recipes.empty()) lines.push_back("Nothing to craft here.");
  for (uint16_t row : recipes) {
    const CraftDef& recipe = contentTables().craftDefs[row];
    const bool craftable = recipeCraftability(inventory, station, recipe) == Craftability::Craftable;
    std::string text = std::string(craftable ? "" : "(missing) ").append(itemName(recipe.result())).append(" <-");
    for (const Ingredient& ingredient : recipeIngredients(recipe)) {
      if (ingredient.id == 0xFFFF) break;
      text.append(" ").append(itemName(ingredient.id)).append(timesCount(ingredient.count));
    }
    rows.push_back({text, [this, row] {
                      craft(row);
                      ListView::refresh();
                    }});
  }
}

void InventoryView::fillContainer(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  auto* block = dynamic_cast<LogicItemBlock*>(p.openContainer());
  if (block == nullptr) {
    rows.push_back({"No container is open.", nullptr});
    return;
  }
  rows.push_back({"Take all", [this] {
                    if (PlayerDesktopLocal* q = player()) q->inventory->takeFiveContainerItems();
                    ListView::refresh();
                  }});
  rows.push_back({"Store all", [this] {
                    if (PlayerDesktopLocal* q = player()) q->inventory->stackIntoContainer();
                    ListView::refresh();
                  }});
  for (size_t i = 0; i < block->slotCount(); ++i) {
    const Item* item = block->itemAt(i);
    if (item != nullptr && !item->isNone()) rows.push_back({"In the container: " + itemLabel(item), nullptr});
  }
}
