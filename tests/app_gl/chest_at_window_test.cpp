// A chest played through the window's input events: a new character in a new world places a
// wooden chest beside itself and right-clicks it; the inventory opens on the container page, whose
// twelve cells are drawn beside the backpack; planks dragged into the first of them are drawn there
// and kept by the chest, and dragged back they are carried again. Closing the inventory closes
// the chest.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/chest_steps.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/blocks/chest.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kWoodenChest = 25, kChestBlock = 213, kOakPlanks = 2149;
constexpr size_t kWoodenChestSlots = 12;
constexpr SlotRef kChestSlot0{SlotKind::Chest, 0, 0};

InventoryView& inventoryView() { return gameViews()->inventoryView(); }


using ChestAtWindowTest = AppRunTest;

TEST_F(ChestAtWindowTest, APlacedChestOpensShowsItsCellsAndKeepsWhatIsStoredInIt) {
  MapBlock* cell = nullptr;
  Chest* chest = nullptr;
  SlotRef planks;
  int chestCells = 0, frameShown = 0, storedIconPixels = 0;

  Script script(joined(intoANewWorld(), {
      {"carry a wooden chest and planks", [&] {
         give(kWoodenChest, 1);
         give(kOakPlanks, 5);
         return carriedCount(kWoodenChest) == 1 && carriedCount(kOakPlanks) == 5;
       }},
      {"place the chest beside the player", [&] {
         cell = placeCarriedNextToPlayer(kWoodenChest);
         if (cell == nullptr) return false;
         return cell->frontId() == kChestBlock;
       }, 10},
      {"the chest has its slots", [&] {
         chest = player()->world->chests().findAt(*cell);
         if (chest == nullptr) ADD_FAILURE() << "the placed chest has no entity";
         return chest != nullptr && chest->slotCount() == kWoodenChestSlots;
       }, 1},
      chestOpened("right-click it", cell, chest),
      {"its cells are drawn beside the backpack", [&] {
         for (uint8_t i = 0; i < 255; ++i) {
           if (inventoryView().grid().spriteFor({SlotKind::Chest, i, 0}) != nullptr) ++chestCells;
         }
         InventorySprite* first = inventoryView().grid().spriteFor(kChestSlot0);
         if (first == nullptr) return false;
         // The whole cell: its frame is what stands out from the world behind.
         frameShown = nodePixels(*first, first->getPosition(), static_cast<int>(inventoryView().grid().pitch() / 2.0f));
         return true;
       }, 1},
      {"drag the planks into its first cell", [&] {
         const std::vector<SlotRef> slots = slotsHolding(kOakPlanks);
         if (slots.empty()) return false;
         planks = slots[0];
         dragInventoryStack(planks, kChestSlot0);
         const Item* stored = chest->itemAt(0);
         return stored != nullptr && stored->id == kOakPlanks && stored->count == 5;
       }, 1},
      {"the planks are drawn in the chest's cell", [&] {
         EXPECT_EQ(carriedCount(kOakPlanks), 0u) << "the planks left the player";
         const InventorySprite* first = inventoryView().grid().spriteFor(kChestSlot0);
         if (first == nullptr || first->icon() == nullptr) return false;
         storedIconPixels = iconPixels(*first);
         return true;
       }},
      {"drag them back out", [&] {
         dragInventoryStack(kChestSlot0, planks);
         return carriedCount(kOakPlanks) == 5 && chest->itemAt(0) == nullptr;
       }, 1},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main && player()->openContainer() == nullptr && !chest->inUse();
       }},
  }));

  playScript(script);
  EXPECT_EQ(chestCells, static_cast<int>(kWoodenChestSlots)) << "a cell for each of the chest's slots";
  EXPECT_GT(frameShown, 20) << "the chest's first cell is not drawn";
  EXPECT_GT(storedIconPixels, 20) << "the stored planks are not drawn in the chest's cell";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

}  // namespace
