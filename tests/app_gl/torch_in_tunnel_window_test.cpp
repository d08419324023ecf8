// A torch played through the window's input: a new character digs a short tunnel into the ground
// beside it, picks the torch it starts with by its number key and right-clicks the tunnel's first
// cell. The torch goes in, hanging on the tunnel's wall, and the tunnel's cells are drawn brighter.
// Aimed at the solid ground beside the tunnel, the torch is refused. A workbench goes the same way:
// into the tunnel, drawn there, and never into the ground.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "world/cells/map_block.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kTorch = 149;
constexpr uint16_t kWorkbench = 24;
constexpr uint16_t kWorkbenchBlock = 32;
constexpr uint8_t kBenchSlot = 8;

long brightness(const std::vector<unsigned char>& pixels) {
  long sum = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) sum += pixels[i] + pixels[i + 1] + pixels[i + 2];
  return sum;
}

// Digs the cell out as mining does: its break effects, then its front layer removed.
bool dig(MapBlock& cell) {
  if (cell.frontId() == 0) return true;
  BlockEdit edit;
  edit.x = static_cast<uint16_t>(cell.x);
  edit.y = static_cast<uint16_t>(cell.y);
  edit.layer = MapBlock::kFront;
  edit.kind = edit_kind::kBreakEffects;
  currentGame().editBlock(edit);
  edit.kind = edit_kind::kRemoveLayer;
  return currentGame().editBlock(edit) && cell.frontId() == 0;
}

bool solid(const MapBlock* cell) { return cell != nullptr && cell->frontId() != 0; }

// Two cells side by side under the ground within reach of the player, closed by solid ground on
// each side and above: the wall on the player's side and the tunnel's cells.
bool findTunnel(MapBlock*& wall, std::vector<MapBlock*>& tunnel) {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX);
  const int32_t y = static_cast<int32_t>(player()->cellY);
  for (int32_t row : {y - 2, y - 3}) {
    for (int32_t dir : {1, -1}) {
      MapBlock* near = map.cellAt(x + dir, row);
      MapBlock* first = map.cellAt(x + 2 * dir, row);
      MapBlock* second = map.cellAt(x + 3 * dir, row);
      const bool closed = solid(near) && solid(first) && solid(second) && solid(map.cellAt(x + 4 * dir, row)) &&
                          solid(map.cellAt(x + 2 * dir, row + 1)) && solid(map.cellAt(x + 3 * dir, row + 1));
      if (!closed) continue;
      wall = near;
      tunnel = {first, second};
      return true;
    }
  }
  return false;
}

// Into a new world, then a tunnel of two cells dug into the ground beside the player and drawn.
// The steps keep pointers to the test's own variables, which outlive the script.
std::vector<Step> intoADugTunnel(MapBlock*& wall, std::vector<MapBlock*>& tunnel, int& waited) {
  return joined(intoANewWorld(), {
      {"dig a tunnel into the ground beside the player", [wall = &wall, tunnel = &tunnel] {
         if (!findTunnel(*wall, *tunnel)) {
           ADD_FAILURE() << "no solid ground for a tunnel beside the spawn";
           return false;
         }
         return dig(*(*tunnel)[0]) && dig(*(*tunnel)[1]);
       }, 5},
      {"the dug tunnel is drawn", [waited = &waited] { return ++*waited >= 3; }},
  });
}

using TorchInTunnelWindowTest = AppRunTest;

TEST_F(TorchInTunnelWindowTest, ATorchHungInADugTunnelLightsIt) {
  std::vector<MapBlock*> tunnel;  // two cells side by side, two rows under the ground beside the player
  MapBlock* wall = nullptr;       // the solid ground that closes the tunnel on the player's side
  std::vector<long> dark;
  int waited = 0;
  int torchVariant = -1;

  Script script(joined(intoADugTunnel(wall, tunnel, waited), {
      {"read how dark it is", [&] {
         for (const MapBlock* cell : tunnel) dark.push_back(brightness(tilePixelsAt(*cell)));
         return true;
       }, 1},
      {"take the torch", [&] {
         const std::vector<SlotRef> slots = slotsHolding(kTorch);
         if (slots.empty() || slots[0].kind != SlotKind::Quick) {
           ADD_FAILURE() << "the new character carries no torch in its quick row";
           return false;
         }
         tap(quickKey(static_cast<uint8_t>(slots[0].x)));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kTorch;
       }, 5},
      {"right-click the solid ground: the torch is refused", [&] {
         const uint32_t torches = carriedCount(kTorch);
         click(pointOf(*wall), GLFW_MOUSE_BUTTON_RIGHT);
         EXPECT_NE(wall->frontId(), kTorch);
         EXPECT_FALSE(wall->hasAnyDeco(MapBlock::kFront)) << "the torch went inside the block";
         EXPECT_EQ(carriedCount(kTorch), torches);
         return true;
       }, 1},
      {"right-click the tunnel: the torch goes in", [&] {
         click(pointOf(*tunnel[0]), GLFW_MOUSE_BUTTON_RIGHT);
         torchVariant = tunnel[0]->frontVariant();
         return tunnel[0]->frontId() == kTorch;
       }, 5},
      {"the tunnel is drawn brighter", [&] {
         const long lit = brightness(tilePixelsAt(*tunnel[1]));
         return lit > dark[1] + dark[1] / 4 + 1000;
       }, 30},
  }));

  playScript(script);
  EXPECT_EQ(torchVariant, 1) << "hung on the tunnel's wall";
}

TEST_F(TorchInTunnelWindowTest, AWorkbenchStandsDrawnInADugTunnelAndNeverInTheGround) {
  std::vector<MapBlock*> tunnel;
  MapBlock* wall = nullptr;
  std::vector<unsigned char> empty;
  int waited = 0;

  Script script(joined(intoADugTunnel(wall, tunnel, waited), {
      {"read the empty tunnel", [&] {
         empty = tilePixelsAt(*tunnel[0]);
         return true;
       }, 1},
      {"take a workbench", [&] {
         player()->inventory->setSlot({SlotKind::Quick, kBenchSlot, 0}, newItem(kWorkbench, 0, 1, 0, 0));
         tap(quickKey(kBenchSlot));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kWorkbench;
       }, 5},
      {"right-click the solid ground: the workbench is refused and kept", [&] {
         const uint16_t ground = wall->frontId();
         click(pointOf(*wall), GLFW_MOUSE_BUTTON_RIGHT);
         EXPECT_EQ(wall->frontId(), ground);
         EXPECT_FALSE(wall->hasAnyDeco(MapBlock::kFront)) << "the ground was pushed aside";
         EXPECT_EQ(carriedCount(kWorkbench), 1u) << "the workbench was spent";
         return true;
       }, 1},
      {"right-click the tunnel: the workbench stands there", [&] {
         click(pointOf(*tunnel[0]), GLFW_MOUSE_BUTTON_RIGHT);
         return tunnel[0]->frontId() == kWorkbenchBlock;
       }, 5},
      {"the workbench is drawn in the tunnel, spent from the hand", [&] {
         return tilePixelsAt(*tunnel[0]) != empty && carriedCount(kWorkbench) == 0;
       }, 30},
  }));

  playScript(script);
}

}  // namespace
