// What a player finds again, played through the window: a found page opens the craft book at the
// page that lists the recipes it teaches; a player who died far from where she wakes sees the place
// of her death marked on the map; and a mob nest that gives way under a blow without breaking
// shakes the screen.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/player/player_desktop.h"
#include "game/rules/item_use_rules.h"
#include "game/session/game.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/views/map_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kLostPage = 1502;
constexpr uint16_t kStoneToolsEntry = 10;  // its first recipe makes the Stone Shovel, at the workbench
constexpr uint16_t kFirstNest = 2317;
constexpr uint16_t kStonePickaxe = 68;  // the weakest pickaxe strong enough for a nest

BookView& book() { return gameViews()->bookView(); }
MapView& mapView() { return gameViews()->mapView(); }

bool anyLineHolds(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(), [&part](const std::string& line) { return line.find(part) != std::string::npos; });
}

// How many pixels of the square around the point are near white.
int whitePixelsAround(const engine::Vec2& point, int half) {
  const std::vector<unsigned char> pixels =
      framePixels(static_cast<int>(point.x) - half, static_cast<int>(point.y) - half, 2 * half, 2 * half);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) count += pixels[i] > 230 && pixels[i + 1] > 230 && pixels[i + 2] > 230;
  return count;
}

// The middle of a map mark.
engine::Vec2 middleOf(const engine::LayerColor& mark) {
  return mark.getPosition() + engine::Vec2(mark.getContentSize().width * 0.5f, mark.getContentSize().height * 0.5f);
}

// A solid block beside the player and one row below, within reach.
MapBlock* groundBeside() {
  WorldMap& map = player()->world->map();
  const auto x = static_cast<int32_t>(player()->cellX);
  const auto y = static_cast<int32_t>(player()->cellY);
  for (int32_t dx : {1, -1, 2, -2}) {
    MapBlock* cell = map.cellAt(x + dx, y - 1);
    if (cell != nullptr && cell->frontId() != 0) return cell;
  }
  return nullptr;
}

using FoundAgainAtWindowTest = AppRunTest;

TEST_F(FoundAgainAtWindowTest, AFoundPageOpensTheBookAtItsRecipes) {
  Script script(joined(intoANewWorld(), {
      {"pick up a lost page", [&] {
         player()->pickUpItem(Item(kLostPage, 0, 1, 0, kStoneToolsEntry));
         return !slotsHolding(kLostPage).empty();
       }, 5},
      {"open the inventory", [&] {
         if (current() == ViewId::Main) tap(GLFW_KEY_E);
         return current() == ViewId::Inventory;
       }, 10},
      {"use the page with a right click", [&] {
         const InventorySprite* page = gameViews()->inventoryView().spriteForSlot(slotsHolding(kLostPage).front());
         if (page == nullptr) return false;
         click(page->getPosition(), GLFW_MOUSE_BUTTON_RIGHT);
         return true;
       }, 10},
      {"the book shows the page of the recipe", [&] {
         if (current() != ViewId::Book) return false;
         EXPECT_TRUE(player()->knowledge->isEntryKnown(kStoneToolsEntry));
         EXPECT_EQ(book().title(), "Workbench");
         EXPECT_TRUE(anyLineHolds(book().shownLines(), "Stone Shovel: ")) << "the page drawn is not the Stone Shovel's";
         EXPECT_TRUE(hasRow(BookView::kNextPage) || hasRow(BookView::kPreviousPage));
         tap(GLFW_KEY_ESCAPE);
         return true;
       }, 10},
      {"Escape goes back to the book's list", [&] {
         return book().shownEntry() == -1 && hasRow(BookView::kSearchRow);
       }, 10},
  }));
  playScript(script);
}

TEST_F(FoundAgainAtWindowTest, TheMapMarksWhereThePlayerDied) {
  Game* game = nullptr;
  int32_t startX = 0;
  int32_t deathX = 0;
  int32_t deathY = 0;
  int walked = 0;
  int deathWhite = 0;
  int wakeWhite = 0;

  Script script(joined(intoANewWorld(), {
      {"walk away from where she woke", [&] {
         if (walked++ == 0) {
           startX = static_cast<int32_t>(player()->cellX);
           press(GLFW_KEY_D);
           return false;
         }
         if (std::abs(static_cast<int32_t>(player()->cellX) - startX) < 4) return false;
         release(GLFW_KEY_D);
         return true;
       }, 60 * 8},
      {"the world has settled", [&] {
         game = dynamic_cast<Game*>(&gameViews()->session().game());
         return game != nullptr && game->hasSettled();
       }, 60 * 12},
      {"she dies", [&] {
         deathX = static_cast<int32_t>(player()->cellX);
         deathY = static_cast<int32_t>(player()->cellY);
         gameViews()->session().game().damageLocalPlayer(10000.0f, 0);
         return true;
       }},
      {"the death view", [&] { return current() == ViewId::Death; }, 60},
      {"respawn", [&] { return chooseRow("Respawn") && current() == ViewId::Main; }, 60},
      {"she woke far from it", [&] {
         return std::abs(static_cast<int32_t>(player()->cellX) - deathX) >= 4;
       }, 60},
      {"open the map, zoomed in", [&] {
         if (current() == ViewId::Main) tap(GLFW_KEY_M);
         if (current() != ViewId::Map || mapView().picture() == nullptr) return false;
         if (mapView().frame().zoomSteps() < 3) tap(GLFW_KEY_EQUAL);
         return mapView().frame().zoomSteps() == 3;
       }, 20},
      {"the place of death is marked", [&] {
         engine::LayerColor* mark = mapView().deathMarker();
         if (mark == nullptr) {
           ADD_FAILURE() << "the map has no mark of the death";
           return true;
         }
         EXPECT_TRUE(mark->isVisible());
         deathWhite = whitePixelsAround(middleOf(*mark), 3);
         wakeWhite = whitePixelsAround(middleOf(*mapView().marker()), 3);
         EXPECT_TRUE(anyLineHolds(mapView().lines(), "You died at " + std::to_string(deathX) + ", " + std::to_string(deathY)));
         tap(GLFW_KEY_ESCAPE);
         return true;
       }, 10},
  }));
  playScript(script);
  EXPECT_EQ(deathWhite, 36) << "the mark of the death is drawn white";
  EXPECT_EQ(wakeWhite, 0) << "the player's own mark is not";
}

TEST_F(FoundAgainAtWindowTest, StrikingAMobNestShakesTheScreen) {
  MapBlock* nest = nullptr;
  bool mining = false;
  bool shook = false;
  bool brokeBeforeShaking = false;

  Script script(joined(intoANewWorld(), {
      {"a nest beside the player", [&] {
         nest = groundBeside();
         if (nest == nullptr) return false;
         nest->setFront(kFirstNest, 0, 0);
         player()->world->map().markChanged(*nest);
         return true;
       }, 5},
      {"a stone pickaxe in hand, which breaks it", [&] {
         if (slotsHolding(kStonePickaxe).empty()) give(kStonePickaxe, 1);
         const std::vector<SlotRef> slots = slotsHolding(kStonePickaxe);
         if (slots.empty() || slots[0].kind != SlotKind::Quick) return false;
         tap(quickKey(slots[0].x));
         return canBreakBlock(*player()->world, player(), player()->heldItem(), *nest);
       }, 10},
      {"strike it with a held button", [&] {
         const engine::Size screen = engine::Director::getInstance()->getWinSize();
         const engine::Vec2 centre(screen.width * 0.5f, screen.height * 0.5f);
         if (!mining) {
           pointAt(pointOf(*nest));
           leftButton(GLFW_PRESS);
           mining = true;
           return false;
         }
         const engine::Vec2 camera = MainLayer::current()->rootNode()->getPosition();
         shook = shook || std::abs(camera.x - centre.x) + std::abs(camera.y - centre.y) > 0.5f;
         if (nest->frontId() != kFirstNest) brokeBeforeShaking = !shook;
         if (!shook && nest->frontId() == kFirstNest) return false;
         leftButton(GLFW_RELEASE);
         return true;
       }, 60 * 20},
  }));
  playScript(script);
  EXPECT_TRUE(shook) << "the screen stood still under the blows";
  EXPECT_FALSE(brokeBeforeShaking) << "the nest broke before any blow shook the screen";
}

}  // namespace
