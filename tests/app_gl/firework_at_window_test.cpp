// A firework played through the window's input: an empty one, fired at the sky, is refused with
// its text and nothing flies. A red paint and then a blue one dragged onto it in the inventory fill
// its first two colours, each using its paint; fired again, it bursts in red sparks and its
// sub-rockets burst in blue ones, and in no other colour.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "entities/core/world_entities.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "tests/support/firework_sparks.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/entities/local_entity.h"
#include "view/inventory/inventory_sprite.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kFirework = 1042;
constexpr uint16_t kRedPaint = 359;   // the paint table's sixth row: colour 6
constexpr uint16_t kBluePaint = 615;  // its tenth: colour 10
constexpr uint8_t kRed = 6, kBlue = 10;
constexpr uint16_t kStone = 2;  // a plain solid block
constexpr const char* kEmpty = "The firework is empty! Fill it with dyes!";

size_t flying() { return player()->world->entities()->bullets().size(); }

// The spark colours among the world's particles.
void collectSparkColours(std::set<uint8_t>& colours) {
  testsupport::collectSparkColours(player()->world->entities()->debris(), colours);
}

uint32_t fireworkWord() {
  const SlotRef slot = slotOf(kFirework);
  return slot.isNone() ? 0xFFFFFFFF : player()->inventory->slotItem(slot)->word;
}

// A point of the sky straight above the player.
engine::Vec2 skyAbove() {
  const MapBlock* above = player()->world->map().cellAt(static_cast<int32_t>(player()->cellX),
                                                        static_cast<int32_t>(player()->cellY) + 5);
  return above != nullptr ? pointOf(*above) : engine::Vec2();
}

bool holdFirework() {
  const SlotRef slot = slotOf(kFirework);
  if (slot.isNone() || slot.kind != SlotKind::Quick) return false;
  tap(quickKey(slot.x));
  return player()->heldItem() != nullptr && player()->heldItem()->id == kFirework;
}

using FireworkAtWindowTest = AppRunTest;

TEST_F(FireworkAtWindowTest, AnEmptyFireworkIsRefusedAndAPaintedOneBurstsInItsColours) {
  std::set<uint8_t> colours;
  Script script(joined(intoANewWorld(), {
      {"carry an empty firework and two paints", [&] {
         give(kFirework, 1);
         give(kRedPaint, 1);
         give(kBluePaint, 1);
         return fireworkWord() == 0 && carriedCount(kRedPaint) == 1 && carriedCount(kBluePaint) == 1;
       }, 1},
      {"hold the firework", [&] { return holdFirework(); }},
      {"fire it at the sky", [&] {
         click(skyAbove(), GLFW_MOUSE_BUTTON_LEFT);
         return consoleSays(kEmpty);
       }, 5},
      {"nothing flew and the firework stays", [&] {
         EXPECT_EQ(flying(), 0u);
         return carriedCount(kFirework) == 1;
       }, 1},
      {"open the inventory", [&] {
         tap(GLFW_KEY_E);
         return current() == ViewId::Inventory && gameViews()->inventoryView().spriteForSlot(slotOf(kFirework)) != nullptr;
       }},
      {"drag the red paint onto the firework", [&] {
         dragInventoryStack(slotOf(kRedPaint), slotOf(kFirework));
         return fireworkWord() == kRed && carriedCount(kRedPaint) == 0;
       }, 1},
      {"then the blue one", [&] {
         dragInventoryStack(slotOf(kBluePaint), slotOf(kFirework));
         return fireworkWord() == (kRed | (kBlue << 4)) && carriedCount(kBluePaint) == 0;
       }, 1},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
      {"hold it again", [&] { return holdFirework(); }},
      {"fire it", [&] {
         click(skyAbove(), GLFW_MOUSE_BUTTON_LEFT);
         return flying() > 0 && carriedCount(kFirework) == 0;
       }, 5},
      // The rocket climbs and bursts; its sub-rockets burst a little later.
      {"it bursts in red, then in blue", [&] {
         collectSparkColours(colours);
         return colours.count(kRed) != 0 && colours.count(kBlue) != 0 && flying() == 0;
       }, 900},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_EQ(colours, (std::set<uint8_t>{kRed, kBlue})) << "sparks of a colour it was never given";
}

// A solid block in the cell, for the firework to meet.
void wallAt(int32_t x, int32_t y) {
  WorldMap& map = player()->world->map();
  if (MapBlock* cell = map.cellAt(x, y)) {
    cell->setFront(kStone, 0, 0);
    map.markChanged(*cell);
  }
}

// Whether some firework in flight is drawn turned to within a few degrees of the way it moves.
bool drawnAlongItsFlight(float& drawn, float moving) {
  for (size_t i = 0; i < player()->world->entities()->bullets().size(); ++i) {
    const RealEntity& rocket = player()->world->entities()->bullets().at(i);
    const auto* drawing = dynamic_cast<const LocalEntity*>(rocket.drawing());
    if (drawing == nullptr || rocket.data.removed) continue;
    drawn = drawing->node()->getRotation();
    return std::abs(std::remainder(drawn - moving, 360.0f)) < 3.0f;
  }
  return false;
}

TEST_F(FireworkAtWindowTest, AFireworkFlyingAtAWallIsDrawnNoseFirstAndBurstsThere) {
  std::set<uint8_t> colours;
  float drawn = 0;
  bool alongFlight = false;
  int32_t wallX = 0, wallY = 0;
  Script script(joined(intoANewWorld(), {
      {"a wall four cells to the right, as high as the player", [&] {
         wallX = static_cast<int32_t>(player()->cellX) + 4;
         wallY = static_cast<int32_t>(player()->cellY);
         for (int32_t dy = 0; dy <= 3; ++dy) wallAt(wallX, wallY + dy);
         return true;
       }, 1},
      {"carry a red firework and hold it", [&] {
         if (slotOf(kFirework).isNone()) player()->pickUpItem(Item(kFirework, 0, 1, 0, kRed));
         return holdFirework();
       }, 5},
      {"fire it at the wall, up and to the right", [&] {
         const MapBlock* target = player()->world->map().cellAt(wallX, wallY + 2);
         click(pointOf(*target), GLFW_MOUSE_BUTTON_LEFT);
         return flying() > 0;
       }, 5},
      // The wall is up and to the right: seen on the screen, the rocket's nose points there.
      {"it flies drawn nose first", [&] {
         const float dx = 4.0f, dy = 2.0f - 0.0f;
         alongFlight = drawnAlongItsFlight(drawn, -std::atan2(dy, dx) * 57.29578f);
         return true;
       }, 2},
      // It meets the wall within a few frames and its life of 1.2 s runs out there.
      {"it bursts", [&] {
         collectSparkColours(colours);
         return flying() == 0 && !colours.empty();
       }, 150},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_TRUE(alongFlight) << "the rocket is drawn turned " << drawn << " degrees, not along its flight";
  EXPECT_EQ(colours, (std::set<uint8_t>{kRed})) << "a firework at a wall never burst";
}

}  // namespace
