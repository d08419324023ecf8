// Trees played through the window on Thetis, where a newcomer met them: walking with the key
// held she passes a standing tree as she passes its leaves, and back again jumping with the jump
// key held; and once she has cut the lowest cell of a trunk with an axe, what is left of the tree
// hangs in the air but stands in nobody's way: she walks through the cut column and jumps up
// through the trunk that floats over it.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/list_view.h"
#include "world/cells/block_flags.h"
#include "world/cells/cell_sides.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kAstralAxe = 645;
// She starts this many columns left of the tree, and has passed it this many columns right.
constexpr int32_t kApproach = 3;

WorldMap& map() { return player()->world->map(); }
const BlockPropsTable& props() { return map().props(); }

bool isTreeCell(const MapBlock* cell) {
  if (cell == nullptr) return false;
  const BlockProps& front = props()[cell->frontId()];
  return front.has(block_flag::kSupportsLeaves) || front.has(block_flag::kLeaves);
}

// Open for a walk: nothing in the cell stops a body from either side, and it holds no liquid.
bool walkable(const MapBlock* cell) {
  return cell != nullptr && cell->liquid == 0 && !blocksEntryFromLeft(cell, props()) &&
         !blocksEntryFromRight(cell, props());
}

// The foot of a generated tree (its lowest trunk cell, on full ground), the ground levelled with it
// kApproach columns either way and the air over that ground cleared, the tree left as it grew; null
// when the world grew none.
MapBlock* treeOnLevelledGround() {
  const int32_t width = map().width();
  for (int32_t x = kApproach + 1; x < width - kApproach - 1; ++x) {
    for (int32_t y = 1; y + 3 < map().height(); ++y) {
      MapBlock* foot = map().cellAt(x, y);
      const MapBlock* under = map().cellAt(x, y - 1);
      if (!isTreeCell(foot) || isTreeCell(under) || !isImpassable(under, props())) continue;
      for (int32_t dx = -kApproach; dx <= kApproach; ++dx) {
        MapBlock* ground = map().cellAt(x + dx, y - 1);
        if (!isImpassable(ground, props())) ground->setLayer(under->frontId(), 0, MapBlock::kFront);
        ground->liquid = 0;
        map().markChanged(*ground);
        for (int32_t dy = 0; dy < 2; ++dy) {
          MapBlock* open = map().cellAt(x + dx, y + dy);
          open->liquid = 0;
          if (!isTreeCell(open) && !walkable(open)) open->setLayer(0, 0, MapBlock::kFront);
          map().markChanged(*open);
        }
      }
      return foot;
    }
  }
  return nullptr;
}

std::vector<Step> intoANewWorldOnThetis() {
  std::vector<Step> steps = intoANewWorld();
  const Step onThetis{"the new world is on Thetis", [] {
                        const int row = rowIndex("Planet: ");
                        ListView* view = currentList();
                        if (row < 0 || view == nullptr) return false;
                        while (view->list().selected() != row) tap(view->list().selected() < row ? GLFW_KEY_DOWN : GLFW_KEY_UP);
                        if (!hasRow("Planet: Thetis")) tap(GLFW_KEY_RIGHT);
                        return hasRow("Planet: Thetis");
                      }, 30};
  // Before "create the world".
  steps.insert(steps.end() - 2, onThetis);
  return steps;
}

// The steps that find a tree and stand the player on the ground kApproach columns left of it.
std::vector<Step> besideATree(MapBlock*& foot) {
  return {
      {"find a tree and level the ground beside it", [&foot] {
         foot = treeOnLevelledGround();
         if (foot == nullptr) ADD_FAILURE() << "Thetis grew no tree";
         return foot != nullptr;
       }, 1},
      {"stand left of it", [&foot] {
         if (foot == nullptr) return true;
         player()->teleportTo(*map().cellAt(static_cast<int32_t>(foot->x) - kApproach, foot->y));
         return true;
       }, 1},
      {"on the ground", [&foot] { return foot == nullptr || (player()->isGrounded() && player()->cellY == foot->y); }, 60},
  };
}

// With the walk key held she comes kApproach columns past the tree.
Step walkRightPast(MapBlock*& foot) {
  return {"walk right until past the tree", [&foot] {
            if (foot == nullptr) return true;
            press(GLFW_KEY_D);
            if (static_cast<int32_t>(player()->cellX) < static_cast<int32_t>(foot->x) + kApproach) return false;
            release(GLFW_KEY_D);
            return true;
          }, 60 * 8};
}

using TreeWalkAtWindowTest = AppRunTest;

TEST_F(TreeWalkAtWindowTest, SheWalksPastAStandingTreeAsPastItsLeaves) {
  MapBlock* foot = nullptr;
  Script script(joined(joined(intoANewWorldOnThetis(), besideATree(foot)), {
      walkRightPast(foot),
      {"walk back left with the jump key held until past it again", [&] {
         if (foot == nullptr) return true;
         press(GLFW_KEY_A);
         press(GLFW_KEY_SPACE);
         if (static_cast<int32_t>(player()->cellX) > static_cast<int32_t>(foot->x) - kApproach) return false;
         release(GLFW_KEY_SPACE);
         release(GLFW_KEY_A);
         return true;
       }, 60 * 8},
  }));
  playScript(script);
  EXPECT_NE(foot, nullptr);
}

TEST_F(TreeWalkAtWindowTest, ATrunkCutAtItsFootLeavesNothingInHerWay) {
  MapBlock* foot = nullptr;
  int32_t floatingRow = -1;
  Script script(joined(joined(intoANewWorldOnThetis(), besideATree(foot)), {
      {"an axe in hand", [&] {
         give(kAstralAxe, 1);
         const std::vector<SlotRef> slots = slotsHolding(kAstralAxe);
         if (slots.empty() || slots[0].kind != SlotKind::Quick) return false;
         tap(quickKey(slots[0].x));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kAstralAxe;
       }, 10},
      {"step up to the tree", [&] {
         if (foot == nullptr) return true;
         press(GLFW_KEY_D);
         if (static_cast<int32_t>(player()->cellX) < static_cast<int32_t>(foot->x) - 1) return false;
         release(GLFW_KEY_D);
         return true;
       }, 60 * 4},
      {"cut the trunk's lowest cell with the button held", [&] {
         if (foot == nullptr) return true;
         pointAt(pointOf(*foot));
         leftButton(GLFW_PRESS);
         if (isTreeCell(foot)) return false;
         leftButton(GLFW_RELEASE);
         return true;
       }, 60 * 20},
      {"the rest of the tree hangs over the cut", [&] {
         if (foot == nullptr) return true;
         for (int32_t y = static_cast<int32_t>(foot->y) + 1; y < static_cast<int32_t>(foot->y) + 4 && floatingRow < 0; ++y) {
           if (isTreeCell(map().cellAt(static_cast<int32_t>(foot->x), y))) floatingRow = y;
         }
         return true;
       }, 1},
      {"walk into the cut column", [&] {
         if (foot == nullptr) return true;
         press(GLFW_KEY_D);
         if (player()->cellX != foot->x) return false;
         release(GLFW_KEY_D);
         return true;
       }, 60 * 4},
      {"come to rest there", [&] { return foot == nullptr || player()->isGrounded(); }, 60},
      {"jump up through the floating trunk", [&] {
         if (foot == nullptr || floatingRow < 0) return true;
         press(GLFW_KEY_SPACE);
         if (static_cast<int32_t>(player()->cellY) < floatingRow) return false;
         release(GLFW_KEY_SPACE);
         return true;
       }, 60 * 3},
      {"let go of the jump key", [&] {
         release(GLFW_KEY_SPACE);
         return true;
       }, 1},
      walkRightPast(foot),
  }));
  playScript(script);
  EXPECT_NE(foot, nullptr);
  EXPECT_GE(floatingRow, 0) << "nothing of the tree was left above the cut";
}

}  // namespace
