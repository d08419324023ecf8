// A forge played at the window, alone: a new character places a forge beside itself and
// right-clicks it; the inventory opens on the forge's page. She drags coal and ore into its cells;
// the page draws the bar in the output cell as the forge makes it, while the page stays open and
// nobody clicks, and she drags the bar out into her backpack.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/blocks/forge.h"
#include "world/cells/map_block.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kForgeItem = 88, kForgeBlock = 33;
constexpr uint16_t kCoal = 64, kOre = 65, kBar = 1538;
constexpr SlotRef kFuelCell{SlotKind::EntityItem, Forge::kFuel, 0};
constexpr SlotRef kInputCell{SlotKind::EntityItem, Forge::kInput, 0};
constexpr SlotRef kOutputCell{SlotKind::EntityItem, Forge::kOutput, 0};
// Five smelting steps of 3 s each, and the rules' 1 s task's own beat: 60 frames are a second.
constexpr int kSmeltingFrames = 60 * 25;

InventorySprite* outputCell() { return gameViews()->inventoryView().grid().spriteFor(kOutputCell); }

int outputIconPixels() {
  InventorySprite* cell = outputCell();
  return cell != nullptr && cell->icon() != nullptr ? iconPixels(*cell) : 0;
}

using ForgeAtWindowTest = AppRunTest;

TEST_F(ForgeAtWindowTest, TheOpenForgePageShowsTheBarAsTheForgeMakesIt) {
  MapBlock* cell = nullptr;
  Forge* forge = nullptr;
  int shown = 0;

  Script script(joined(intoANewWorld(), {
      {"carry a forge", [] {
         give(kForgeItem, 1);
         return carriedCount(kForgeItem) == 1;
       }},
      {"place it beside the player", [&] {
         cell = placeCarriedNextToPlayer(kForgeItem);
         return cell != nullptr && cell->frontId() == kForgeBlock;
       }, 10},
      {"it is a forge", [&] {
         forge = player()->world->forges().findAt(*cell);
         return forge != nullptr;
       }, 1},
      {"right-click it: its page opens", [&] {
         if (current() == ViewId::Main) click(pointOf(*cell), GLFW_MOUSE_BUTTON_RIGHT);
         return current() == ViewId::Inventory && gameViews()->inventoryView().page() == InventoryView::kContainer &&
                player()->openContainer() == forge && outputCell() != nullptr;
       }, 10},
      {"carry coal and ore", [] {
         give(kCoal, 1);
         give(kOre, 3);
         return carriedCount(kCoal) == 1 && carriedCount(kOre) == 3;
       }},
      {"drag them into the fuel and input cells: the forge burns, its output cell is empty", [&] {
         const std::vector<SlotRef> coal = slotsHolding(kCoal), ore = slotsHolding(kOre);
         if (coal.empty() || ore.empty()) return false;
         dragInventoryStack(coal[0], kFuelCell);
         dragInventoryStack(ore[0], kInputCell);
         return carriedCount(kCoal) == 0 && carriedCount(kOre) == 0 && forge->burning() && outputIconPixels() == 0;
       }, 1},
      {"the forge makes a bar", [&] {
         const Item* out = forge->itemAt(Forge::kOutput);
         return out != nullptr && out->id == kBar;
       }, kSmeltingFrames},
      {"and the open page draws it in the output cell", [&] {
         shown = outputIconPixels();
         return shown > 10;
       }, 5},
      {"drag the bar out into the backpack", [&] {
         const uint32_t made = forge->itemAt(Forge::kOutput)->count;
         dragInventoryStack(kOutputCell, {SlotKind::Backpack, 5, 5});
         return carriedCount(kBar) == made && forge->itemAt(Forge::kOutput) == nullptr;
       }, 1},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_GT(shown, 10) << "the output cell shows no bar until a click";
}

}  // namespace
