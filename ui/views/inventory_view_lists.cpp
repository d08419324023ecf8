// The inventory view's list beside the cells, page by page: the title and help lines, the status,
// the craft grid's line, and the rows each page offers (the backpack's stacks for the held slot, the
// worn slots by name, the recipes, the open container, the catalogue's lists).

#include <algorithm>
#include <iterator>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "game/catalogue/item_catalogue.h"
#include "game/crafting/player_crafting.h"
#include "game/crafting/recipes.h"
#include "game/inventory/crafting_station.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/stats/stats_store.h"
#include "view/inventory/inventory_sprite.h"
#include "ui/views/inventory_view.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/logic_block.h"
#include "world/world.h"

namespace {

// The worn slots by what each takes: the hat, then the four pieces of armour.
constexpr const char* kWornSlotNames[] = {"Hat", "Helmet", "Chestplate", "Greaves", "Boots"};
static_assert(std::size(kWornSlotNames) == static_cast<size_t>(Inventory::kEquipmentSlots));
constexpr const char* kPinHelp = "Right click an entry to pin or unpin it.";
constexpr const char* kPageNames[] = {"Backpack", "Equipment", "Crafting", "Container", "Statistics", "Catalogue",
                                      "Trade"};

std::string itemName(uint16_t id) {
  const std::string& name = languageTexts().treasureName(id);
  return name.empty() ? std::string(1, '#').append(std::to_string(id)) : name;
}

// " x3" after a name for more than one; nothing for one.
std::string timesCount(uint32_t count) { return count > 1 ? std::string(" x").append(std::to_string(count)) : std::string(); }

}  // namespace

std::string itemLabel(const Item* item) {
  if (item == nullptr || item->isNone()) return "(empty)";
  return itemName(item->id) + timesCount(item->count);
}

bool InventoryView::craft(uint16_t recipeRow) {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || recipeRow >= contentTables().craftDefs.size()) return false;
  const CraftDef& recipe = contentTables().craftDefs[recipeRow];
  PlayerCrafting crafting(*p);
  const CraftOutcome outcome = crafting.craft(recipe);
  switch (outcome) {
    case CraftOutcome::Made:
      status_ = "Made " + itemName(recipe.result()) + timesCount(recipe.resultCount()) + ".";
      return true;
    case CraftOutcome::MadeInResult:
      status_ = "Made " + itemName(recipe.result()) + timesCount(recipe.resultCount()) + "; take it from the result.";
      return true;
    default: status_ = craftRefusalText(outcome); break;
  }
  return false;
}

void InventoryView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = std::string("Inventory: ") + kPageNames[page_];
  if (PlayerDesktopLocal* at = player(); page_ == kCrafting && at != nullptr && at->inventory != nullptr) {
    // Where the page crafts: by hand, or at the station the player stands beside.
    const uint8_t station = at->inventory->station();
    const std::string& name = languageTexts().text(static_cast<int16_t>(craftingStationByKind(station).nameText));
    if (station != 0 && !name.empty()) title += " at " + name;
  }
  lines.push_back("Tab: next page. Enter or a click: choose. Escape: close.");
  lines.push_back("Cells: click to pick and swap, or drag; right click to use, S split, G gather.");
  // The status keeps its line even when empty, so a choice never moves the rows under the pointer.
  dropStaleStatus();
  lines.push_back(status_);
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) {
    lines.push_back("No game is running.");
    return;
  }
  // Whatever changed the texts (a craft, a take, a stack dropped or thrown) changed slots too: the
  // cells of every page show the inventory as it is now, never the stacks of before.
  showGridResult(*p);
  grid_.refreshAll();
  // Every page keeps the line the crafting page tells the grid's recipe on, so the cells stand
  // at one height on all of them.
  lines.push_back(page_ == kCrafting ? gridLine(*p) : std::string());
  switch (page_) {
    case kBackpack: fillBackpack(*p, rows); break;
    case kEquipment: fillEquipment(*p, rows); break;
    case kCrafting: fillCrafting(*p, lines, rows); break;
    case kStatistics: stats_.fill(session().statistics(), lines, rows, [this] { refreshTexts(); }); break;
    case kCatalogue: fillCatalogue(*p, rows); break;
    case kTrade: fillTrade(*p, lines, rows); break;
    default: fillContainer(*p, rows); break;
  }
}

void InventoryView::fillBackpack(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  Inventory& inventory = *p.inventory;
  // The quick row shows as cells; the list offers the backpack's stacks for the held slot.
  rows.push_back({"Holding: " + itemLabel(p.heldItem()), nullptr});
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      const SlotRef slot{SlotKind::Backpack, x, y};
      const Item* item = inventory.slotItem(slot);
      if (item == nullptr || item->isNone()) continue;
      rows.push_back({"Backpack: " + itemLabel(item), [this, slot] {
                        swapWithHeld(slot);
                        refresh();
                      }});
    }
  }
  rows.push_back({"Statistics", [this] { setPage(kStatistics); }});
  if (p.world != nullptr && p.world->isCreative()) rows.push_back({"Catalogue", [this] { setPage(kCatalogue); }});
}

void InventoryView::fillCatalogue(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  if (p.inventory->catalogue() == nullptr) return;
  ItemCatalogue& catalogue = *p.inventory->catalogue();
  const uint32_t page = p.inventory->cataloguePage();
  const auto showList = [this](uint32_t list) {
    PlayerDesktopLocal* q = player();
    if (q == nullptr || q->inventory->catalogue() == nullptr) return;
    q->inventory->catalogue()->selectList(list);
    q->inventory->setCataloguePage(0);
    grid_.refreshAll();
    refreshTexts();
  };
  const auto turnTo = [this](uint32_t to) {
    if (PlayerDesktopLocal* q = player()) q->inventory->setCataloguePage(to);
    grid_.refreshAll();
    refreshTexts();
  };
  // Both page rows stand on every list, faded where there is no page that way: a list of more
  // pages than one then moves no row, and choosing a category leaves it under the pointer.
  uint32_t pages = page + 1;
  while (catalogue.catalogueEntry(pages, 0, 0) != nullptr) ++pages;
  MenuList::Row next("Page " + std::to_string(page + 1) + " of " + std::to_string(pages) + ": next page");
  if (page + 1 < pages) next.action = [turnTo, page] { turnTo(page + 1); };
  next.dimmed = !next.action;
  rows.push_back(std::move(next));
  MenuList::Row previous("Previous page");
  if (page > 0) previous.action = [turnTo, page] { turnTo(page - 1); };
  previous.dimmed = !previous.action;
  rows.push_back(std::move(previous));
  for (uint32_t i = 0; i < ItemCatalogue::kCategoryCount; ++i) {
    const bool current = catalogue.currentList() == i;
    rows.push_back({std::string(current ? "> " : "") + catalogue.category(i).title, [showList, i] { showList(i); }});
  }
  const bool pinned = catalogue.currentList() == ItemCatalogue::kPinnedList;
  rows.push_back({std::string(pinned ? "> " : "") + "Pinned", [showList] { showList(ItemCatalogue::kPinnedList); }});
  rows.push_back({kPinHelp, nullptr});
}

bool InventoryView::togglePinned(InventorySprite& catalogueCell) {
  const Item* item = catalogueCell.slotItem();
  if (item == nullptr || item->isNone()) return false;
  const uint16_t id = item->id;
  const std::string name = itemName(id);
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory->catalogue() == nullptr) return false;
  ItemCatalogue& catalogue = *p->inventory->catalogue();
  const auto& ids = catalogue.pinned().ids;
  const bool wasPinned = std::find(ids.begin(), ids.end(), id) != ids.end();
  if (!catalogue.togglePinned(id)) {
    status_ = "The pinned list is full.";
  } else {
    status_ = (wasPinned ? "Unpinned " : "Pinned ") + name + ".";
  }
  // The Pinned list's cells change under the pointer when it is the one shown.
  grid_.refreshAll();
  refreshTexts();
  return true;
}

void InventoryView::fillEquipment(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  for (uint8_t i = 0; i < Inventory::kEquipmentSlots; ++i) {
    const SlotRef slot{SlotKind::Equipment, i, 0};
    rows.push_back({std::string(kWornSlotNames[i]) + ": " + itemLabel(p.inventory->slotItem(slot)), [this, slot] {
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
  craftRows_.update(inventory, *p.knowledge);
  if (craftRows_.rows().empty()) lines.push_back("Nothing to craft here.");
  // Each row is its recipe in pictures: the result, named, then what it is made of; one that
  // cannot be made now is faded.
  for (uint16_t row : craftRows_.rows()) {
    const CraftDef& recipe = contentTables().craftDefs[row];
    const bool craftable = recipeCraftability(inventory, station, recipe) == Craftability::Craftable;
    std::vector<MenuList::Row::Icon> ingredients;
    for (const Ingredient& ingredient : recipeIngredients(recipe)) {
      if (ingredient.id == 0xFFFF) break;
      ingredients.push_back(MenuList::itemPicture(ingredient.id, ingredient.count));
    }
    rows.push_back(MenuList::recipe(itemName(recipe.result()), MenuList::itemPicture(recipe.result(), recipe.resultCount()),
                                    std::move(ingredients), craftable, [this, row] {
                                      craft(row);
                                      ListView::refresh();
                                    }));
  }
}

void InventoryView::fillContainer(PlayerDesktopLocal& p, std::vector<MenuList::Row>& rows) {
  auto* block = block_entity_cast<LogicItemBlock>(p.openContainer());
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
