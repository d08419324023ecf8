// The item catalogue of a creative world played through the window: on the way, the new world's
// name is typed and copied with Control+C, then pasted back with Control+V; in the world, a right
// click on a catalogue entry pins it, and the Pinned list then draws that item in its first cell.
// Every item stands on some list. A category clicked in the list stays under the pointer, chosen,
// though its list has more pages than the one before.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/game_tables.h"
#include "content/tables/item_def.h"
#include "game/catalogue/item_catalogue.h"
#include "platform/platform.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/views/list_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/world.h"
#include "game/player/player_desktop.h"

namespace {

using namespace apptest;

constexpr const char* kName = "Copied World";

InventoryView& inventoryView() { return gameViews()->inventoryView(); }

// Walks the current list's selection onto the row with the arrow keys.
bool selectRow(const std::string& prefix) {
  const int index = rowIndex(prefix);
  ListView* view = currentList();
  if (index < 0 || view == nullptr) return false;
  while (view->list().selected() != index) tap(view->list().selected() < index ? GLFW_KEY_DOWN : GLFW_KEY_UP);
  return true;
}

void controlWith(int key) {
  press(GLFW_KEY_LEFT_CONTROL);
  tap(key);
  release(GLFW_KEY_LEFT_CONTROL);
}

std::string clipboard() {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->clipboardText() : std::string();
}

// The first catalogue cell that shows an item.
InventorySprite* firstCatalogueCell() {
  for (InventorySprite* cell : inventoryView().grid().sprites()) {
    const Item* item = cell->slotItem();
    if (cell->slot().kind == SlotKind::Catalogue && item != nullptr && !item->isNone()) return cell;
  }
  return nullptr;
}

// The steps into a new world, made creative on the new world page before it is created.
std::vector<Step> intoANewCreativeWorld() {
  std::vector<Step> steps = intoANewWorld();
  const Step creative{"a creative world", [] {
                        if (!selectRow("Mode: ")) return false;
                        if (!hasRow("Mode: Creative")) tap(GLFW_KEY_RIGHT);
                        return hasRow("Mode: Creative");
                      }, 10};
  steps.insert(steps.end() - 2, creative);
  return steps;
}

// The inventory opened on its catalogue page.
Step catalogueOpened() {
  return {"open the catalogue", [] {
            if (current() == ViewId::Main) tap(GLFW_KEY_E);
            if (current() != ViewId::Inventory) return false;
            if (inventoryView().page() != InventoryView::kCatalogue) chooseRow("Catalogue");
            return inventoryView().page() == InventoryView::kCatalogue;
          }, 10};
}

using CataloguePinAtWindowTest = AppRunTest;

TEST_F(CataloguePinAtWindowTest, ANameIsCopiedAndPastedAndAPinnedEntryShowsInThePinnedList) {
  std::string copied;
  uint16_t pinnedId = ITEM_NONE;
  int pinnedIcon = 0;

  std::vector<Step> steps = intoANewWorld();
  const std::vector<Step> onTheNewWorldPage = {
      {"type the name and copy it", [&] {
         if (!chooseRow("Name: ")) return false;
         type(kName);
         controlWith(GLFW_KEY_C);
         tap(GLFW_KEY_ENTER);
         copied = clipboard();
         return hasRow(std::string("Name: ") + kName);
       }, 10},
      {"paste it into the emptied name", [&] {
         if (!chooseRow("Name: ")) return false;
         for (size_t i = 0; i < std::string(kName).size(); ++i) tap(GLFW_KEY_BACKSPACE);
         controlWith(GLFW_KEY_V);
         tap(GLFW_KEY_ENTER);
         return hasRow(std::string("Name: ") + kName);
       }, 10},
      {"a creative world", [&] {
         if (!selectRow("Mode: ")) return false;
         if (!hasRow("Mode: Creative")) tap(GLFW_KEY_RIGHT);
         return hasRow("Mode: Creative");
       }, 10},
  };
  // Before "create the world".
  steps.insert(steps.end() - 2, onTheNewWorldPage.begin(), onTheNewWorldPage.end());

  Script script(joined(steps, {
      {"open the catalogue", [&] {
         if (current() == ViewId::Main) tap(GLFW_KEY_E);
         if (current() != ViewId::Inventory) return false;
         if (inventoryView().page() != InventoryView::kCatalogue) chooseRow("Catalogue");
         return inventoryView().page() == InventoryView::kCatalogue && player()->world->isCreative();
       }, 10},
      {"pin an entry with a right click", [&] {
         InventorySprite* cell = firstCatalogueCell();
         if (cell == nullptr) return false;
         pinnedId = cell->slotItem()->id;
         click(cell->getPosition(), GLFW_MOUSE_BUTTON_RIGHT);
         return inventoryView().status().rfind("Pinned ", 0) == 0;
       }, 10},
      {"the Pinned list draws it", [&] {
         if (player()->inventory->catalogue()->currentList() != ItemCatalogue::kPinnedList && !chooseRow("Pinned")) return false;
         InventorySprite* cell = firstCatalogueCell();
         if (cell == nullptr || cell->icon() == nullptr) return false;
         EXPECT_EQ(cell->slotItem()->id, pinnedId);
         pinnedIcon = iconPixels(*cell);
         return true;
       }, 10},
      {"close the inventory", [&] {
         if (current() == ViewId::Inventory) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
  }));

  playScript(script);
  EXPECT_EQ(copied, kName) << "Control+C left the clipboard without the typed name";
  EXPECT_NE(pinnedId, ITEM_NONE);
  EXPECT_GT(pinnedIcon, 20) << "the Pinned list's cell draws no icon";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

// Every item is an entry of some list of the catalogue (the spawner icons stand on the Spawners
// list for its entries), so a creative player can try any: paging through the lists shows the
// firework among the tools and the found page among the items.
TEST_F(CataloguePinAtWindowTest, EveryItemIsOnAListAndTheFireworkAndTheFoundPageAreShown) {
  constexpr uint16_t kFirework = 1042, kFoundPage = 1502;
  std::set<uint16_t> shown;
  size_t list = 0;

  std::vector<Step> steps = intoANewCreativeWorld();

  Script script(joined(steps, {
      catalogueOpened(),
      {"every item is listed", [&] {
         const ItemCatalogue& catalogue = *player()->inventory->catalogue();
         std::set<uint16_t> listed(game_tables::kSpawnerIcons.begin(), game_tables::kSpawnerIcons.end());
         for (size_t i = 0; i < ItemCatalogue::kCategoryCount; ++i) {
           if (i == game_tables::kSpawnerCategory) continue;
           for (const CatalogueSource& source : catalogue.category(i).sources) listed.insert(source.id);
         }
         for (uint16_t id = 1; id < content::kItemIdLimit; ++id) {
           if (contentTables().itemDefs[id].defined) {
             EXPECT_TRUE(listed.count(id)) << "item " << id << " is on no list";
           }
         }
         return true;
       }, 1},
      {"page through every list", [&] {
         for (InventorySprite* cell : inventoryView().grid().sprites()) {
           const Item* item = cell->slotItem();
           if (cell->slot().kind == SlotKind::Catalogue && item != nullptr && !item->isNone()) shown.insert(item->id);
         }
         // The page row stands on every list; it pages on while a page follows.
         const int next = rowIndex("Page ");
         if (next >= 0 && currentList()->list().rows()[static_cast<size_t>(next)].action) {
           chooseRow("Page ");
           return false;
         }
         if (++list >= ItemCatalogue::kCategoryCount) return true;
         chooseRow(player()->inventory->catalogue()->category(list).title);
         return false;
       }, 60 * 10},
  }));

  playScript(script);
  EXPECT_TRUE(shown.count(kFirework)) << "no page shows the firework";
  EXPECT_TRUE(shown.count(kFoundPage)) << "no page shows the found page";
}

// The first list of the catalogue fits one page, the second ("Blocks") many: a click on the second
// leaves its row under the pointer and chosen, so the next click chooses it again rather than the
// category after it.
TEST_F(CataloguePinAtWindowTest, AChosenCategoryStaysUnderThePointer) {
  engine::Vec2 pointer;
  std::string underPointer, chosenRow;
  std::vector<Step> steps = intoANewCreativeWorld();
  const std::string blocks = "Blocks";

  Script script(joined(steps, {
      catalogueOpened(),
      {"click the second category", [&] {
         ListView* view = currentList();
         const int row = rowIndex(blocks);
         if (view == nullptr || row < 0 || !pointOverRow(*view, row, pointer)) return false;
         click(pointer, GLFW_MOUSE_BUTTON_LEFT);
         return player()->inventory->catalogue()->category(player()->inventory->catalogue()->currentList()).title == blocks;
       }, 10},
      {"the row under the pointer is the chosen one", [&] {
         const MenuList& list = currentList()->list();
         const int row = list.rowAt(pointer);
         underPointer = row >= 0 ? list.rows()[static_cast<size_t>(row)].text : std::string();
         chosenRow = list.selected() >= 0 ? list.rows()[static_cast<size_t>(list.selected())].text : std::string();
         return true;
       }, 1},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
  }));

  playScript(script);
  EXPECT_EQ(underPointer, "> " + blocks) << "the click moved another row under the pointer";
  EXPECT_EQ(chosenRow, "> " + blocks) << "another row is chosen";
}

}  // namespace
