// A circuit built through the window's input: a new character places a lever beside her, ten
// wires up and across the air above her, and a lamp at the far end, each with a right click of the
// held item. Throwing the lever lights the lamp; it stays lit across Save and quit and Continue, and
// the lever then puts it out again. A hammer aimed at a wire cuts it out and gives it back.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kLeverItem = 1489;  // places block 2086
constexpr uint16_t kLampItem = 1487;   // places block 2112
constexpr uint16_t kWireItem = 1616;
constexpr uint16_t kHammer = 6;
constexpr uint16_t kLever = 2086;
constexpr uint16_t kLamp = 2112;
constexpr int kWires = 10;

// Where each part goes, from where she stands: the lever beside her at head height, four wires up
// from it, six across over her head, and the lamp past them. Every cell lies within her reach.
struct Layout {
  int32_t side = 1;  // the lever's side of her; the run across goes the other way
  int32_t x = 0, y = 0;
  std::pair<int32_t, int32_t> lever() const { return {x + side, y + 1}; }
  std::pair<int32_t, int32_t> wire(int i) const {
    if (i < 4) return {x + side, y + 2 + i};
    return {x + side - side * (i - 3), y + 5};
  }
  std::pair<int32_t, int32_t> lamp() const { return {x + side - side * 7, y + 5}; }
};

MapBlock* cellOf(std::pair<int32_t, int32_t> at) { return player()->world->map().cellAt(at.first, at.second); }

bool open(std::pair<int32_t, int32_t> at) {
  const MapBlock* cell = cellOf(at);
  return cell != nullptr && cell->frontId() == 0 && circuitKind(*cell) == circuit_kind::kNone;
}

// The side of her on which every cell of the circuit is open air; 0 when neither is.
int32_t openSide(int32_t x, int32_t y) {
  for (int32_t side : {1, -1}) {
    const Layout layout{side, x, y};
    bool all = open(layout.lever()) && open(layout.lamp());
    for (int i = 0; i < kWires; ++i) all = all && open(layout.wire(i));
    if (all) return side;
  }
  return 0;
}

// The quick slot holding the item is selected.
bool holding(uint16_t id) {
  const std::vector<SlotRef> slots = slotsHolding(id);
  if (slots.empty() || slots[0].kind != SlotKind::Quick) return false;
  tap(quickKey(slots[0].x));
  return player()->heldItem() != nullptr && player()->heldItem()->id == id;
}

bool lampLit(const Layout& layout) {
  const MapBlock* lamp = cellOf(layout.lamp());
  return lamp != nullptr && lamp->frontId() == kLamp && block_word::variant(lamp->front) == 1;
}

using CircuitAtWindowTest = AppRunTest;

TEST_F(CircuitAtWindowTest, ALeverTenWiresAndALampBuiltByHandLightItAcrossSaveAndContinue) {
  Layout layout;
  int placed = 0;
  std::vector<unsigned char> dark, lit;
  bool litAfterContinue = false, outAfterContinue = false;
  int calls = 0;

  Script script(joined(joined(intoANewWorld(), {
      {"find open air beside her", [&] {
         layout.x = static_cast<int32_t>(player()->cellX);
         layout.y = static_cast<int32_t>(player()->cellY);
         layout.side = openSide(layout.x, layout.y);
         return layout.side != 0;
       }, 1},
      {"carry the parts", [] {
         give(kLeverItem, 1);
         give(kLampItem, 1);
         give(kWireItem, 20);
         return carriedCount(kWireItem) == 20;
       }, 1},
      {"place the lever beside her", [&] {
         if (!holding(kLeverItem)) return false;
         click(pointOf(*cellOf(layout.lever())), GLFW_MOUSE_BUTTON_RIGHT);
         return cellOf(layout.lever())->frontId() == kLever;
       }, 5},
      {"place ten wires from it", [&] {
         if (!holding(kWireItem)) return false;
         MapBlock* next = cellOf(layout.wire(placed));
         click(pointOf(*next), GLFW_MOUSE_BUTTON_RIGHT);
         if (circuitKind(*next) == circuit_kind::kWire) ++placed;
         return placed == kWires;
       }, 10 * kWires},
      {"each wire spent one, and none took a block's place", [&] {
         EXPECT_EQ(carriedCount(kWireItem), 20u - kWires);
         for (int i = 0; i < kWires; ++i) EXPECT_EQ(cellOf(layout.wire(i))->frontId(), 0) << i;
         return true;
       }, 1},
      {"place the lamp at the end", [&] {
         if (!holding(kLampItem)) return false;
         click(pointOf(*cellOf(layout.lamp())), GLFW_MOUSE_BUTTON_RIGHT);
         return cellOf(layout.lamp())->frontId() == kLamp;
       }, 5},
      {"the lamp is dark", [&] {
         if (lampLit(layout)) return false;
         dark = tilePixelsAt(*cellOf(layout.lamp()));
         return true;
       }, 10},
      {"throw the lever", [&] {
         click(pointOf(*cellOf(layout.lever())), GLFW_MOUSE_BUTTON_RIGHT);
         return block_word::variant(cellOf(layout.lever())->front) == 1;
       }, 5},
      {"the signal runs along the wires and lights the lamp", [&] { return lampLit(layout); }, 60},
      {"the lamp is drawn lit", [&] {
         lit = tilePixelsAt(*cellOf(layout.lamp()));
         return changedPixels(dark, lit) > 10;
       }, 30},
  }), joined(savedQuitAndContinued(calls), {
      {"the lamp is still lit", [&] {
         litAfterContinue = lampLit(layout);
         for (int i = 0; i < kWires; ++i) EXPECT_EQ(circuitKind(*cellOf(layout.wire(i))), circuit_kind::kWire) << i;
         return true;
       }, 1},
      {"throw the lever back", [&] {
         click(pointOf(*cellOf(layout.lever())), GLFW_MOUSE_BUTTON_RIGHT);
         return block_word::variant(cellOf(layout.lever())->front) == 0;
       }, 5},
      {"the lamp goes out", [&] {
         outAfterContinue = !lampLit(layout);
         return outAfterContinue;
       }, 60},
      {"throw it once more: the lamp lights again", [&] {
         if (block_word::variant(cellOf(layout.lever())->front) == 0) {
           click(pointOf(*cellOf(layout.lever())), GLFW_MOUSE_BUTTON_RIGHT);
         }
         return lampLit(layout);
       }, 60},
      {"a hammer aimed at a wire cuts it out", [&] {
         give(kHammer, 1);
         if (!holding(kHammer)) return false;
         click(pointOf(*cellOf(layout.wire(0))), GLFW_MOUSE_BUTTON_RIGHT);
         return circuitKind(*cellOf(layout.wire(0))) == circuit_kind::kNone;
       }, 10},
      {"the cut circuit puts the lamp out", [&] { return !lampLit(layout); }, 60},
  })));

  playScript(script, {}, "-windowed");
  EXPECT_TRUE(litAfterContinue) << "the lamp was dark after Continue though the lever was on";
  EXPECT_TRUE(outAfterContinue) << "the lever did not reach the lamp after Continue";
}

}  // namespace
