// The inventory's cells played through the window's input events: in a new world a helmet is
// pressed on in the backpack, dragged over the first worn slot of the equipment page (its icon
// under the pointer, the drop marker lighting the cell) and let go there, and its icon is drawn in
// the worn cell; on the crafting page a log dragged into the craft grid shows planks in the result
// cell, made there when the result is taken, and closing the inventory gives the rest back.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include "tests/support/drop_marker.h"

#include <cstdlib>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "content/format/record_layout.h"
#include "engine/sprite/sprite.h"
#include "game/crafting/player_crafting.h"
#include "game/crafting/recipes.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "menus/start_view.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/entities/dyable_sprite.h"
#include "view/player/player_sprite.h"
#include "world/rules/game.h"

namespace {

using namespace apptest;

constexpr uint16_t kOakPlanks = 2149;
constexpr uint8_t kHeadKind = 10;  // worn in the first equipment slot
constexpr SlotRef kWorn0{SlotKind::Equipment, 0, 0};
constexpr SlotRef kGrid00{SlotKind::CraftGrid, 0, 0};
constexpr SlotRef kResult{SlotKind::Single, 0, 0};

InventoryView& inventoryView() { return gameViews()->inventoryView(); }

// Where the atlas piece drawn on her head (the part a hat or helmet covers) comes from.
engine::Rect playerHeadRect() {
  for (PlayerSprite* sprite : PlayerSprite::all()) {
    if (&sprite->player() == player()) return sprite->part(0)->getTextureRect();
  }
  return {};
}
Inventory& items() { return *player()->inventory; }

// The first item of the content worn on the head.
uint16_t headPiece() {
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size(); ++id) {
    if (defs[id].defined && defs[id].record.bytes[content::item_record::kind] == kHeadKind) return static_cast<uint16_t>(id);
  }
  return 0;
}

// An empty backpack cell, filled with a new stack of the item.
SlotRef putInBackpack(uint16_t id, uint16_t count) {
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      const SlotRef slot{SlotKind::Backpack, x, y};
      const Item* there = items().slotItem(slot);
      if (there != nullptr && !there->isNone()) continue;
      items().setSlot(slot, newItem(id, 0, count, 0, 0));
      return slot;
    }
  }
  return {};
}

std::vector<unsigned char> cellPixels(SlotRef slot) {
  const engine::Vec2 at = inventoryCellPoint(slot);
  return framePixels(static_cast<int>(at.x) - 6, static_cast<int>(at.y) - 6, 12, 12);
}

uint16_t idIn(SlotRef slot) {
  const Item* item = items().slotItem(slot);
  return item != nullptr && !item->isNone() ? item->id : 0;
}

using InventoryDragWindowTest = AppRunTest;

TEST_F(InventoryDragWindowTest, AHelmetDraggedToTheWornSlotIsWornAndTheCraftGridCrafts) {
  uint16_t helmet = 0;
  uint16_t log = 0;
  uint32_t logsBefore = 0;
  SlotRef helmetSlot, logSlot;
  std::vector<unsigned char> wornBefore;
  engine::Rect headBefore, headShown;
  int markerPixels = 0, wornIconPixels = 0, resultIconPixels = 0, draggedIconPixels = 0, previewPixels = 0;

  Script script(joined(intoANewWorld(), {
      {"carry a helmet and a log", [&] {
         helmet = headPiece();
         const CraftDef* planks = recipeForResult(kOakPlanks);
         if (helmet == 0 || planks == nullptr || planks->shape() != 0) {
           ADD_FAILURE() << "the content has no helmet or no one-log planks";
           return false;
         }
         log = planks->ingredient(0);
         logsBefore = carriedCount(log);
         helmetSlot = putInBackpack(helmet, 1);
         logSlot = putInBackpack(log, 3);
         return !helmetSlot.isNone() && !logSlot.isNone();
       }, 1},
      {"open the equipment page", [&] {
         tap(GLFW_KEY_E);
         tap(GLFW_KEY_TAB);
         return current() == ViewId::Inventory && inventoryView().page() == InventoryView::kEquipment;
       }},
      {"press on the helmet and drag it over the worn slot", [&] {
         headBefore = playerHeadRect();
         wornBefore = cellPixels(kWorn0);
         pointAt(inventoryCellPoint(helmetSlot));
         leftButton(GLFW_PRESS);
         pointAt(inventoryCellPoint(helmetSlot) + engine::Vec2(8, 8));
         pointAt(inventoryCellPoint(kWorn0));
         return inventoryView().isDragging() && testsupport::dropMarkerShown(inventoryView());
       }, 1},
      {"the marker lights the worn cell", [&] {
         markerPixels = changedPixels(wornBefore, cellPixels(kWorn0));
         return true;
       }},
      {"the helmet's icon is under the pointer", [&] {
         engine::Sprite* icon = inventoryView().dragIcon().sprite();
         if (icon == nullptr) {
           ADD_FAILURE() << "no icon follows the pointer";
           return false;
         }
         EXPECT_NEAR(icon->getPosition().x, inventoryCellPoint(kWorn0).x, 1.0f);
         EXPECT_NEAR(icon->getPosition().y, inventoryCellPoint(kWorn0).y, 1.0f);
         draggedIconPixels = nodePixels(*icon, icon->getPosition(), 6);
         return true;
       }},
      {"let go over it", [&] {
         leftButton(GLFW_RELEASE);
         return idIn(kWorn0) == helmet && idIn(helmetSlot) == 0 && !testsupport::dropMarkerShown(inventoryView()) &&
                inventoryView().dragIcon().sprite() == nullptr;
       }, 1},
      {"the helmet's icon is drawn in the worn cell", [&] {
         const InventorySprite* cell = inventoryView().spriteForSlot(kWorn0);
         if (cell == nullptr || cell->icon() == nullptr) return false;
         wornIconPixels = iconPixels(*cell);
         return true;
       }},
      {"and she is drawn wearing it", [&] {
         headShown = playerHeadRect();
         return true;
       }},
      {"the crafting page", [&] {
         tap(GLFW_KEY_TAB);
         return inventoryView().page() == InventoryView::kCrafting;
       }},
      {"drag the logs into the grid", [&] {
         pointAt(inventoryCellPoint(logSlot));
         leftButton(GLFW_PRESS);
         pointAt(inventoryCellPoint(logSlot) + engine::Vec2(8, 8));
         pointAt(inventoryCellPoint(kGrid00));
         leftButton(GLFW_RELEASE);
         return idIn(kGrid00) == log;
       }, 1},
      {"the result cell shows the planks before they are taken", [&] {
         const InventorySprite* cell = inventoryView().spriteForSlot(kResult);
         if (cell == nullptr || cell->icon() == nullptr) {
           ADD_FAILURE() << "the result cell stays empty";
           return false;
         }
         EXPECT_EQ(idIn(kResult), 0) << "shown, not made";
         previewPixels = iconPixels(*cell);
         return true;
       }},
      {"take the result", [&] {
         click(inventoryCellPoint(kResult), GLFW_MOUSE_BUTTON_LEFT);
         return idIn(kResult) == kOakPlanks && items().slotItem(kGrid00)->count == 2;
       }, 1},
      {"the planks' icon is drawn in the result cell", [&] {
         const InventorySprite* cell = inventoryView().spriteForSlot(kResult);
         if (cell == nullptr || cell->icon() == nullptr) return false;
         resultIconPixels = iconPixels(*cell);
         return true;
       }},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
      {"the grid and the result went back", [&] {
         EXPECT_EQ(idIn(kGrid00), 0);
         EXPECT_EQ(idIn(kResult), 0);
         EXPECT_EQ(carriedCount(log), logsBefore + 2) << "one of the three logs was used";
         EXPECT_GE(carriedCount(kOakPlanks), 4u);
         return true;
       }},
  }));

  playScript(script);
  EXPECT_GT(markerPixels, 20) << "the drop marker is not drawn over the worn cell";
  EXPECT_GT(wornIconPixels, 20) << "the worn helmet's cell draws no icon";
  EXPECT_FALSE(headShown == headBefore) << "she is drawn as before she put the helmet on";
  EXPECT_GT(draggedIconPixels, 20) << "the dragged helmet is not drawn under the pointer";
  EXPECT_GT(previewPixels, 20) << "the result cell does not show what the grid makes";
  EXPECT_GT(resultIconPixels, 20) << "the result cell draws no planks";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

}  // namespace
