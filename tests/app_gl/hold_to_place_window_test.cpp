// The right button held over an empty cell, as a player builds: the held block goes in once, and
// the button's repeats at its pace over the cell it has just filled say nothing. Only a fresh press
// on a taken cell is told that it cannot be placed.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/text/label.h"
#include "engine/window/gl_view.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/main_view.h"
#include "ui/views/placement_refusal.h"
#include "view/console/console_node.h"
#include "world/cells/map_block.h"

namespace {

using namespace apptest;

constexpr uint16_t kOakPlanks = 2149;
constexpr int kHeldFrames = 60;  // a second of game time: several of the button's repeats

void rightButton(int action) {
  engine::GLView* view = engine::GLView::current();
  engine::GLView::onGLFWMouseButton(view->getWindow(), GLFW_MOUSE_BUTTON_RIGHT, action, 0);
}

// How many of the console's lines tell why a placement was refused.
int refusalLines() {
  using namespace placement_refusal;
  const std::vector<std::string> refusals = {kCannotPlace, kCannotPlaceHere, kSomethingInTheWay, kYouAreInTheWay,
                                             kNeedsFloor, kNeedsWall, kNeedsBackWall, kNeedsSideOrBackWall,
                                             kNeedsAbove, kCellTaken, kNeedsBlockFace, kNoRoomOnBlock};
  ConsoleNode* console = MainView::console();
  if (console == nullptr) return 0;
  int found = 0;
  for (int32_t tag = 1; tag <= console->lineCount(); ++tag) {
    auto* line = dynamic_cast<engine::Label*>(console->getChildByTag(tag));
    if (line != nullptr && std::find(refusals.begin(), refusals.end(), line->getString()) != refusals.end()) ++found;
  }
  return found;
}

using HoldToPlaceWindowTest = AppRunTest;

TEST_F(HoldToPlaceWindowTest, AHeldButtonPlacesOnceAndItsRepeatsOverTheFilledCellSayNothing) {
  MapBlock* cell = nullptr;
  std::vector<unsigned char> before;
  int held = 0;

  Script script(joined(intoANewWorld(), {
      {"carry planks in hand", [&] {
         give(kOakPlanks, 5);
         const std::vector<SlotRef> slots = slotsHolding(kOakPlanks);
         if (slots.empty() || slots[0].kind != SlotKind::Quick) return false;
         tap(quickKey(slots[0].x));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kOakPlanks;
       }},
      {"press the right button over an empty cell beside the player", [&] {
         cell = placeNextToPlayer();
         if (cell == nullptr) return false;
         before = tilePixelsAt(*cell);
         pointAt(pointOf(*cell));
         rightButton(GLFW_PRESS);
         return true;
       }, 1},
      {"the planks go in", [&] { return cell->frontId() != 0; }, 10},
      {"the button stays held", [&] { return ++held >= kHeldFrames; }, kHeldFrames + 1},
      {"it is let go", [&] {
         rightButton(GLFW_RELEASE);
         EXPECT_EQ(carriedCount(kOakPlanks), 4u) << "one placement for one press";
         EXPECT_EQ(refusalLines(), 0) << "the repeats over the filled cell said it is taken";
         return muchChanged(before, tilePixelsAt(*cell));
       }, 5},
      {"a fresh press on the now taken cell is refused", [&] {
         rightButton(GLFW_PRESS);
         rightButton(GLFW_RELEASE);
         return refusalLines() == 1;
       }, 5},
  }));

  playScript(script, {}, "-windowed");
}

}  // namespace
