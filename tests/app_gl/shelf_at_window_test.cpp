// A shelf played through the window's input: a new character places a four-place shelf beside
// it, holds a stack of a material and right-clicks the shelf's lower right quarter. One unit goes
// onto the shelf's fourth place and is drawn there; the rest stays in hand. With an empty hand
// she takes it back. What the shelf shows is drawn again once the world is saved, left and
// continued; and it takes an item only from where it gives one back.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "content/items/item.h"
#include "engine/sprite/sprite_batch_node.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "view/atlas/game_textures.h"
#include "world/blocks/shelf.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kShelfItem = 354;  // places the four-place shelf, block 212
constexpr uint16_t kMaterial = 13;
constexpr uint8_t kLowerRight = 3;

// The lower right quarter of the cell on the screen, in view points (y upwards).
engine::Vec2 lowerRightOf(const MapBlock& cell) {
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  return pointOf(cell) + engine::Vec2(7.5f, -7.5f) * scale;
}

// The whole lower right quarter of the cell, and a little below it, where a low display hangs.
std::vector<unsigned char> quarterPixels(const MapBlock& cell) {
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 corner = pointOf(cell) - engine::Vec2(0, 20.0f * scale);
  return framePixels(static_cast<int>(corner.x), static_cast<int>(corner.y), static_cast<int>(15 * scale),
                     static_cast<int>(20 * scale));
}

// A right click on the shelf's lower right quarter puts one of the five held onto it.
Step oneOnTheShelf(std::string name, MapBlock*& shelfCell) {
  return {std::move(name), [&shelfCell] {
            click(lowerRightOf(*shelfCell), GLFW_MOUSE_BUTTON_RIGHT);
            return carriedCount(kMaterial) == 4;
          }, 5};
}

// A quick slot with nothing in it is taken into hand.
Step handEmptied() {
  return {"empty the hand", [] {
            for (uint8_t slot = 0; slot < 10; ++slot) {
              if (player()->inventory->slotItem({SlotKind::Quick, slot, 0}) == nullptr) {
                tap(quickKey(slot));
                break;
              }
            }
            return player()->heldItem() == nullptr;
          }, 5};
}

// A right click on the lower right quarter with the empty hand takes back what it shows there.
Step takenBack(std::string name, MapBlock*& shelfCell) {
  return {std::move(name), [&shelfCell] {
            click(lowerRightOf(*shelfCell), GLFW_MOUSE_BUTTON_RIGHT);
            Shelf* shelf = player()->world->shelves().findAt(*shelfCell);
            return shelf != nullptr && shelf->itemAt(kLowerRight) == nullptr;
          }, 5};
}

// A four-place shelf placed beside the player, and a stack of five of a material in hand.
std::vector<Step> aShelfAndAStackInHand(MapBlock*& shelfCell) {
  return {
      {"place a shelf beside the player", [&shelfCell] {
         give(kShelfItem, 1);
         shelfCell = placeCarriedNextToPlayer(kShelfItem);
         return shelfCell != nullptr;
       }, 1},
      {"the shelf stands", [&shelfCell] { return shelfCell->frontId() == 212; }, 10},
      stackInHand("hold a stack of a material", kMaterial, 5),
  };
}

using ShelfAtWindowTest = AppRunTest;

TEST_F(ShelfAtWindowTest, ARightClickPutsOneOfTheHeldStackOnTheShelfWhereItPoints) {
  MapBlock* shelfCell = nullptr;
  std::vector<unsigned char> empty;
  int drawn = 0;

  Script script(joined(joined(intoANewWorld(), aShelfAndAStackInHand(shelfCell)), {
      {"point at the shelf's lower right quarter", [&] {
         pointAt(lowerRightOf(*shelfCell));
         return true;
       }, 1},
      {"it is drawn empty", [&] {
         empty = quarterPixels(*shelfCell);
         return true;
       }, 1},
      {"right-click it", [&] {
         click(lowerRightOf(*shelfCell), GLFW_MOUSE_BUTTON_RIGHT);
         Shelf* shelf = player()->world->shelves().findAt(*shelfCell);
         return shelf != nullptr && shelf->itemAt(kLowerRight) != nullptr;
       }, 5},
      {"one unit went onto the fourth place", [&] {
         Shelf* shelf = player()->world->shelves().findAt(*shelfCell);
         EXPECT_EQ(shelf->itemAt(kLowerRight)->id, kMaterial);
         EXPECT_EQ(shelf->itemAt(kLowerRight)->count, 1);
         for (uint8_t place = 0; place < kLowerRight; ++place) EXPECT_EQ(shelf->itemAt(place), nullptr);
         return carriedCount(kMaterial) == 4;
       }, 1},
      {"and is drawn there", [&] {
         drawn = changedPixels(empty, quarterPixels(*shelfCell));
         return drawn > 10;
       }, 30},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_GT(drawn, 10) << "the item put on the shelf is not drawn on it";
}

// A right click with an empty hand gives back what the shelf shows: it falls from the shelf as a
// loose item, and she takes it walking onto the shelf's cell, as she takes anything that lies on
// the ground.
TEST_F(ShelfAtWindowTest, AnItemPutOnTheShelfIsTakenBackWithAnEmptyHand) {
  MapBlock* shelfCell = nullptr;
  int walkKey = 0;

  Script script(joined(joined(intoANewWorld(), aShelfAndAStackInHand(shelfCell)), {
      oneOnTheShelf("put one of the stack on it", shelfCell),
      handEmptied(),
      takenBack("right-click the shelf with the empty hand", shelfCell),
      {"walk onto the shelf's cell and take the item back", [&] {
         const auto column = static_cast<int32_t>(player()->cellX);
         if (walkKey == 0) walkKey = static_cast<int32_t>(shelfCell->x) > column ? GLFW_KEY_D : GLFW_KEY_A;
         if (column != static_cast<int32_t>(shelfCell->x)) press(walkKey);
         if (static_cast<int32_t>(shelfCell->y) > static_cast<int32_t>(player()->cellY)) press(GLFW_KEY_SPACE);
         if (carriedCount(kMaterial) != 5) return false;
         release(walkKey);
         release(GLFW_KEY_SPACE);
         return true;
       }, 60 * 5},
  }));

  playScript(script, {}, "-windowed");
}

// How many pixels of the shelf's lower right quarter the treasures' batch draws: what the shelf
// shows there, whatever the light on the cell.
int shownInQuarter(const MapBlock& cell) {
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  return nodePixels(*gameTextures().treasureBatch.get(), lowerRightOf(cell), static_cast<int>(8 * scale));
}

TEST_F(ShelfAtWindowTest, WhatTheShelfShowsIsDrawnAgainAfterSaveAndQuitAndContinue) {
  MapBlock* shelfCell = nullptr;
  int32_t column = 0, row = 0;
  int shownBefore = 0, shownAfter = 0;
  int calls = 0;

  Script script(joined(joined(joined(intoANewWorld(), aShelfAndAStackInHand(shelfCell)), {
      {"put one of the stack on its lower right quarter", [&] {
         click(lowerRightOf(*shelfCell), GLFW_MOUSE_BUTTON_RIGHT);
         column = shelfCell->x;
         row = shelfCell->y;
         return carriedCount(kMaterial) == 4;
       }, 5},
      {"it is drawn there", [&] {
         shownBefore = shownInQuarter(*shelfCell);
         return shownBefore > 10;
       }, 30},
  }), joined(savedQuitAndContinued(calls), {
      {"the shelf still holds the unit", [&] {
         shelfCell = player()->world->map().cellAt(column, row);
         Shelf* shelf = shelfCell != nullptr ? player()->world->shelves().findAt(*shelfCell) : nullptr;
         return shelf != nullptr && shelf->itemAt(kLowerRight) != nullptr && shelf->itemAt(kLowerRight)->id == kMaterial;
       }, 10},
      {"and shows it", [&] {
         shownAfter = shownInQuarter(*shelfCell);
         return shownAfter > 10;
       }, 30},
  })));

  playScript(script, {}, "-windowed");
  EXPECT_GT(shownAfter, 10) << "after Continue the shelf looks empty though it holds the unit";
  EXPECT_NEAR(shownAfter, shownBefore, shownBefore / 4 + 1) << "it is drawn as it was before the save";
}

// An open cell three columns from the player, on its row or one off, with ground under it; null
// for none.
MapBlock* openGroundThreeAway() {
  WorldMap& map = player()->world->map();
  const auto x = static_cast<int32_t>(player()->cellX);
  const auto y = static_cast<int32_t>(player()->cellY);
  for (const int32_t dy : {0, 1, -1}) {
    for (const int32_t side : {1, -1}) {
      MapBlock* at = map.cellAt(x + side * 3, y + dy);
      const MapBlock* ground = map.cellAt(x + side * 3, y + dy - 1);
      if (at != nullptr && ground != nullptr && at->frontId() == 0 && ground->frontId() != 0) return at;
    }
  }
  return nullptr;
}

TEST_F(ShelfAtWindowTest, TheShelfTakesAnItemOnlyFromWhereItGivesItBack) {
  MapBlock* shelfCell = nullptr;
  int walkKey = 0;
  bool toldOutOfReach = false;

  Script script(joined(intoANewWorld(), {
      {"place a shelf three cells away", [&] {
         give(kShelfItem, 1);
         const std::vector<SlotRef> slots = slotsHolding(kShelfItem);
         if (slots.empty() || slots[0].kind != SlotKind::Quick) return false;
         tap(quickKey(slots[0].x));
         shelfCell = openGroundThreeAway();
         if (shelfCell == nullptr) return false;
         click(pointOf(*shelfCell), GLFW_MOUSE_BUTTON_RIGHT);
         return true;
       }, 1},
      {"the shelf stands", [&] { return shelfCell->frontId() == 212; }, 10},
      stackInHand("hold a stack of a material", kMaterial, 5),
      {"right-click the shelf from there", [&] {
         click(lowerRightOf(*shelfCell), GLFW_MOUSE_BUTTON_RIGHT);
         return true;
       }, 1},
      {"she is told it is out of reach, and it takes nothing", [&] {
         toldOutOfReach = consoleSays("That is out of reach.");
         Shelf* shelf = player()->world->shelves().findAt(*shelfCell);
         EXPECT_TRUE(shelf == nullptr || shelf->itemAt(kLowerRight) == nullptr) << "put from where it is not given back";
         EXPECT_EQ(carriedCount(kMaterial), 5u);
         return true;
       }, 5},
      {"walk up next to the shelf", [&] {
         const auto column = static_cast<int32_t>(player()->cellX);
         if (walkKey == 0) walkKey = static_cast<int32_t>(shelfCell->x) > column ? GLFW_KEY_D : GLFW_KEY_A;
         if (std::abs(static_cast<int32_t>(shelfCell->x) - column) > 1) {
           press(walkKey);
           press(GLFW_KEY_SPACE);  // over any step of the ground
           return false;
         }
         release(walkKey);
         release(GLFW_KEY_SPACE);
         return player()->isGrounded();
       }, 60 * 4},
      oneOnTheShelf("put one on it from beside it", shelfCell),
      handEmptied(),
      takenBack("take it back from the same spot", shelfCell),
  }));

  playScript(script, {}, "-windowed");
  EXPECT_TRUE(toldOutOfReach) << "a shelf beyond the use's reach says nothing";
}

}  // namespace
