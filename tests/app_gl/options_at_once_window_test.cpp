// The pause view's switches that something running holds a copy of, played through the window:
// each takes effect on the next frame or the next input, without entering the world again or
// starting the program again. Smooth lighting off lights the cells flat; the mouse wheel off
// leaves the quick slot where it was; keeping the last slot empty keeps new items out of it. Fancy
// chat off, the chat background off and the profanity filter on change the console at once: its
// lines stay, plain and unbacked, and the next chat line is filtered; the background on again
// backs them again.

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
#include "view/console/console_node.h"
#include "view/main_layer.h"
#include "ui/views/main_view.h"

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
      escapedTo("pause", ViewId::Pause, 10),
      {"the options", [&] { return chooseRow("Options") && hasRow("Smooth Lighting: On"); }, 10},
      {"smooth lighting off", [&] { return chooseRow("Smooth Lighting: On") && hasRow("Smooth Lighting: Off"); }, 10},
      {"the mouse wheel off", [&] {
         return chooseRow("Disable Mouse Wheel: Off") && hasRow("Disable Mouse Wheel: On");
       }, 10},
      {"keep the last slot empty", [&] {
         return chooseRow("Keep Last Slot Empty: Off") && hasRow("Keep Last Slot Empty: On");
       }, 10},
      escapedTo("back to the game", ViewId::Main, 10),
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

// The console's lines as drawn, oldest first.
std::vector<std::string> consoleLines() {
  std::vector<std::string> lines;
  if (ConsoleNode* console = MainView::console()) {
    for (const ConsoleNode::ShownLine& line : console->shownLines()) lines.push_back(line.text);
  }
  return lines;
}

bool consoleShows(const std::string& text) {
  for (const std::string& line : consoleLines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

// The dark panel behind the console's lines, on the main layer; null while none is drawn.
engine::Node* consolePanel() {
  MainLayer* layer = MainLayer::current();
  return layer != nullptr ? layer->getChildByTag(ConsoleNode::kPanelTag) : nullptr;
}

// The sliding form keeps a holder for the lines it pushes out; the plain form has none.
bool consoleSlides() {
  ConsoleNode* console = MainView::console();
  return console != nullptr && console->getChildByTag(ConsoleNode::kHolderTag) != nullptr;
}

// A chat line said through the chat view, as a player types it.
Step said(const std::string& what, const std::string& line) {
  return {what, [line] {
            if (current() == ViewId::Main) tap(GLFW_KEY_T);
            if (current() != ViewId::Chat) return false;
            type(line);
            tap(GLFW_KEY_ENTER);
            return current() == ViewId::Main;
          }, 10};
}

TEST_F(OptionsAtOnceWindowTest, TheChatSwitchesChangeTheConsoleWithoutEnteringAgain) {
  bool slidBefore = false, backedBefore = false;
  bool slidAfter = true, backedAfter = true, keptTheLine = false, backedAgain = false;
  Script script(joined(intoANewWorld(), {
      said("a first chat line", "hello there"),
      {"it shows, sliding in over the panel", [&] {
         slidBefore = consoleSlides();
         backedBefore = consolePanel() != nullptr;
         return consoleShows("hello there");
       }, 30},
      escapedTo("pause", ViewId::Pause, 10),
      {"the options", [&] { return chooseRow("Options") && hasRow("Fancy Chat: On"); }, 10},
      {"fancy chat off", [&] { return chooseRow("Fancy Chat: On") && hasRow("Fancy Chat: Off"); }, 10},
      {"the background off", [&] { return chooseRow("Chat Background: On") && hasRow("Chat Background: Off"); }, 10},
      {"the filter on", [&] { return chooseRow("Profanity Filter: Off") && hasRow("Profanity Filter: On"); }, 10},
      escapedTo("back to the game", ViewId::Main, 10),
      {"the console is plain and unbacked, its line kept", [&] {
         slidAfter = consoleSlides();
         backedAfter = consolePanel() != nullptr;
         keptTheLine = consoleShows("hello there");
         return true;
       }, 1},
      said("a rude chat line", "you bastard"),
      {"it shows filtered", [&] {
         if (!consoleShows("you *******")) return false;
         EXPECT_FALSE(consoleShows("bastard"));
         return true;
       }, 30},
      escapedTo("pause again", ViewId::Pause, 10),
      {"the options again", [&] { return chooseRow("Options") && hasRow("Chat Background: Off"); }, 10},
      {"the background on", [&] { return chooseRow("Chat Background: Off") && hasRow("Chat Background: On"); }, 10},
      escapedTo("back to the game again", ViewId::Main, 10),
      {"the lines are backed again", [&] {
         backedAgain = consolePanel() != nullptr;
         return true;
       }, 1},
  }));
  playScript(script);
  EXPECT_TRUE(slidBefore) << "the console starts in the sliding form";
  EXPECT_TRUE(backedBefore) << "the console starts backed";
  EXPECT_FALSE(slidAfter) << "fancy chat turned off still slides the lines";
  EXPECT_FALSE(backedAfter) << "the background turned off still backs the lines";
  EXPECT_TRUE(keptTheLine) << "the lines shown were lost";
  EXPECT_TRUE(backedAgain) << "the background turned on again does not back the lines";
}

}  // namespace
