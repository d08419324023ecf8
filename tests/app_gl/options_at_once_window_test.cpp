// The pause view's switches that something running holds a copy of, played through the window:
// each takes effect on the next frame or the next input, without entering the world again or
// starting the program again. Smooth lighting off lights the cells flat; the mouse wheel off
// leaves the quick slot where it was; keeping the last slot empty keeps new items out of it.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/items/item.h"
#include "engine/window/gl_view.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

// Items no starting character carries, each its own stack: more than the quick row holds.
constexpr uint16_t kNewItems[] = {24, 25, 2149, 152, 216, 472, 536, 664, 280, 344, 88, 2085};

// The tile window's pixels over the cells below the player, down through the ground where the
// light fades.
std::vector<unsigned char> groundPixels() {
  WorldMap& map = player()->world->map();
  std::vector<unsigned char> all;
  for (int32_t dy = 1; dy <= 12; ++dy) {
    const MapBlock* cell = map.cellAt(static_cast<int32_t>(player()->cellX), static_cast<int32_t>(player()->cellY) - dy);
    if (cell == nullptr) break;
    const std::vector<unsigned char> pixels = tilePixelsAt(*cell);
    all.insert(all.end(), pixels.begin(), pixels.end());
  }
  return all;
}

int changed(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  if (a.size() != b.size()) return -1;
  int count = 0;
  for (size_t i = 0; i < a.size(); i += 4) count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
  return count;
}

Inventory& inventory() { return *player()->inventory; }

// The item of the quick slot, null when it is empty.
const Item* lastSlotItem(uint32_t slot) {
  const Item* item = inventory().slotItem({SlotKind::Quick, static_cast<uint8_t>(slot), 0});
  return item != nullptr && !item->isNone() ? item : nullptr;
}

using OptionsAtOnceWindowTest = AppRunTest;

TEST_F(OptionsAtOnceWindowTest, LightingWheelAndLastSlotChangeWithoutEnteringAgain) {
  std::vector<unsigned char> smooth;
  int smoothAgain = -1;
  int flat = -1;
  uint32_t lastSlot = 0;

  Script script(joined(intoANewWorld(), {
      {"the ground, lit smoothly", [&] {
         smooth = groundPixels();
         return !smooth.empty();
       }, 5},
      {"lit the same a frame later", [&] {
         smoothAgain = changed(smooth, groundPixels());
         return true;
       }},
      {"pause", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }, 10},
      {"the options", [&] { return chooseRow("Options") && hasRow("Smooth Lighting: On"); }, 10},
      {"smooth lighting off", [&] { return chooseRow("Smooth Lighting: On") && hasRow("Smooth Lighting: Off"); }, 10},
      {"the mouse wheel off", [&] {
         return chooseRow("Disable Mouse Wheel: Off") && hasRow("Disable Mouse Wheel: On");
       }, 10},
      {"keep the last slot empty", [&] {
         return chooseRow("Keep Last Slot Empty: Off") && hasRow("Keep Last Slot Empty: On");
       }, 10},
      {"back to the game", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
      {"the ground is lit flat", [&] {
         flat = changed(smooth, groundPixels());
         return true;
       }},
      {"the wheel turns", [&] {
         tap(quickKey(1));
         if (inventory().selected() != 1) return false;
         engine::GLView::onGLFWScroll(engine::GLView::current()->getWindow(), 0, -1);
         return true;
       }, 10},
      {"the quick slot stays", [&] {
         EXPECT_EQ(inventory().selected(), 1u) << "the wheel still picks the quick slot";
         return true;
       }},
      {"new items come", [&] {
         lastSlot = inventory().quickSlotsInUse() - 1;
         EXPECT_EQ(lastSlotItem(lastSlot), nullptr) << "a new character's last quick slot is empty";
         for (uint16_t id : kNewItems) give(id, 1);
         return true;
       }},
      {"the last slot is empty", [&] {
         const Item* last = lastSlotItem(lastSlot);
         EXPECT_EQ(last, nullptr) << "item " << (last != nullptr ? last->id : 0) << " went into the last slot";
         return true;
       }},
  }));
  playScript(script);
  EXPECT_EQ(smoothAgain, 0) << "the ground's light changes by itself";
  EXPECT_GT(flat, 0) << "the ground is still lit smoothly";
}

}  // namespace
