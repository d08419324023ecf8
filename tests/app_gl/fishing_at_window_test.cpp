// Fishing played through the window's input: a new character holds a rod by its number key, with
// earthworms in the bag, beside a pool. With nothing in the ammunition slot a left click on the
// water says what the rod needs and where it goes, and mines nothing; with a bobber there the same
// click casts it, and the fishing view waits for a bite. The rod's tooltip shows its speed behind
// an arrow that stands out from the panel, not one a newcomer reads as a minus sign.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "engine/text/label.h"
#include "engine/text/label_colored.h"
#include "entities/core/world_entities.h"
#include "entities/projectiles/bobber_entity.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/views/main_view.h"
#include "view/entities/local_entity.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/item_tooltip.h"
#include "view/inventory/overlay_art.h"
#include "view/inventory/tooltip_multi_line.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace apptest;

// A newcomer's tackle: the first rod, the bobber it casts and the bait a fish takes.
enum Tackle : uint16_t { kEarthworm = 13, kRod = 15, kCorkBobber = 16 };
constexpr uint8_t kRodSlot = 8;
constexpr uint8_t kWaterFull = (1u << 6) | (4u << 3) | 4u;  // water, both levels full

// Three cells of still water a few columns beside the player on its row, whatever stood there,
// with the ground the player stands on behind them as a sea has its bed; the pool's middle cell.
MapBlock* pourPool() {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX) + 4;
  const int32_t y = static_cast<int32_t>(player()->cellY);
  const MapBlock* underfoot = map.cellAt(static_cast<int32_t>(player()->cellX), y - 1);
  const uint16_t ground = underfoot != nullptr ? underfoot->frontId() : 0;
  for (int32_t dx = -1; dx <= 1; ++dx) {
    MapBlock* cell = map.cellAt(x + dx, y);
    if (cell == nullptr || ground == 0) return nullptr;
    cell->setLayer(0, 0, MapBlock::kFront);
    cell->setLayer(ground, 0, MapBlock::kBack);
    cell->liquid = kWaterFull;
    map.markChanged(*cell);  // as every writer of a cell does, so the world's save keeps it
  }
  return map.cellAt(x, y);
}

size_t bobbers() {
  size_t count = 0;
  player()->world->entities()->lists().bullets().forEach([&](const RealEntity& entity) {
    if (dynamic_cast<const BobberEntity*>(&entity) != nullptr && !entity.data.removed) ++count;
  });
  return count;
}

// The player's bobber once it floats, else null.
const BobberEntity* floatingBobber() {
  const BobberEntity* found = nullptr;
  player()->world->entities()->lists().bullets().forEach([&](const RealEntity& entity) {
    const auto* bobber = dynamic_cast<const BobberEntity*>(&entity);
    if (bobber != nullptr && !entity.data.removed && bobber->state == 1) found = bobber;
  });
  return found;
}

// The player's bobber lies on the water, waiting for a bite.
bool floating() { return floatingBobber() != nullptr; }

// The item tooltip on the main layer's overlay while it shows, else null.
TooltipMultiLine* shownTooltip() {
  if (engine::InnerNode* overlay = overlay_art::overlayNode()) {
    for (engine::Node* child : overlay->getChildren()) {
      auto* tooltip = dynamic_cast<TooltipMultiLine*>(child);
      if (child->getTag() == kItemTooltipTag && tooltip != nullptr && tooltip->isVisible()) return tooltip;
    }
  }
  return nullptr;
}

int luminance(const unsigned char* pixel) { return (299 * pixel[0] + 587 * pixel[1] + 114 * pixel[2]) / 1000; }

// How many pixels of a letter of the label stand out from the panel behind it (read just left of
// the letter) as far as dark print on it does; -1 when the letter is not drawn.
int standingOutPixels(engine::Label& label, int index) {
  engine::Sprite* letter = label.getLetter(index);
  if (letter == nullptr) return -1;
  const engine::Size size = letter->getContentSize();
  const engine::Vec2 low = letter->convertToWorldSpace(engine::Vec2(0, 0));
  const engine::Vec2 high = letter->convertToWorldSpace(engine::Vec2(size.width, size.height));
  const int x = static_cast<int>(std::floor(std::min(low.x, high.x)));
  const int y = static_cast<int>(std::floor(std::min(low.y, high.y)));
  const int width = static_cast<int>(std::ceil(std::abs(high.x - low.x)));
  const int height = static_cast<int>(std::ceil(std::abs(high.y - low.y)));
  if (width <= 0 || height <= 0) return -1;
  const int panel = luminance(framePixels(x - 2, y + height / 2, 1, 1).data());
  const std::vector<unsigned char> drawn = framePixels(x, y, width, height);
  int standing = 0;
  for (size_t i = 0; i + 3 < drawn.size(); i += 4) {
    if (std::abs(luminance(&drawn[i]) - panel) > 100) ++standing;
  }
  return standing;
}

// Pixels of the float's red cap in a 16-pixel square around a point of the window, however dim
// the cell's light makes it: water, sky and ground have none.
int redPixelsAround(engine::Vec2 point) {
  const std::vector<unsigned char> drawn = framePixels(static_cast<int>(point.x) - 8, static_cast<int>(point.y) - 8, 16, 16);
  int red = 0;
  for (size_t i = 0; i + 3 < drawn.size(); i += 4) {
    if (drawn[i] > 2 * std::max(drawn[i + 1], drawn[i + 2]) + 8) ++red;
  }
  return red;
}

using FishingAtWindowTest = AppRunTest;

TEST_F(FishingAtWindowTest, TheRodsTooltipShowsItsSpeedBehindAnArrowThatStandsOutFromThePanel) {
  Script script(joined(intoANewWorld(), {
      {"the rod in a quick slot", [&] {
         player()->inventory->setSlot({SlotKind::Quick, kRodSlot, 0}, newItem(kRod, 0, 1, 0, 0));
         InventorySprite* cell = gameViews()->mainView().hud().quickSlots().sprite(kRodSlot);
         if (cell == nullptr) return false;
         cell->refresh();
         return cell->icon() != nullptr;
       }, 5},
      {"the pointer over it shows the speed behind the arrow, and the arrow stands out", [&] {
         pointAt(gameViews()->mainView().hud().quickSlots().sprite(kRodSlot)->getPosition());
         TooltipMultiLine* tooltip = shownTooltip();
         if (tooltip == nullptr || tooltip->bodyLabel() == nullptr) return false;
         EXPECT_EQ(tooltip->bodyLabel()->getString(), "\x0C" "1.00") << "the arrow, then the rod's speed";
         const int arrow = standingOutPixels(*tooltip->bodyLabel(), 0);
         const int digit = standingOutPixels(*tooltip->bodyLabel(), 1);
         EXPECT_GT(digit, 0) << "the 1 reads on the panel";
         // The arrow is the smaller glyph: its dark edge, not the whole of it, stands out.
         EXPECT_GT(arrow, digit / 5) << "the arrow, white on the light panel, reads as a minus sign before the 1";
         return true;
       }, 10},
  }));

  playScript(script);
}


TEST_F(FishingAtWindowTest, ARodWithoutABobberSaysWhereItGoesAndWithOneItCasts) {
  MapBlock* pool = nullptr;

  Script script(joined(intoANewWorld(), {
      {"a pool beside the player", [&] {
         pool = pourPool();
         if (pool == nullptr) ADD_FAILURE() << "no open ground beside the spawn";
         return pool != nullptr;
       }, 1},
      {"earthworms in the bag and the rod in hand", [&] {
         give(kEarthworm, 5);
         player()->inventory->setSlot({SlotKind::Quick, kRodSlot, 0}, newItem(kRod, 0, 1, 0, 0));
         tap(quickKey(kRodSlot));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kRod;
       }, 5},
      {"left-click the water with no bobber: the rod says what it needs", [&] {
         click(pointOf(*pool), GLFW_MOUSE_BUTTON_LEFT);
         EXPECT_EQ(current(), ViewId::Main);
         EXPECT_FALSE(consoleBegins("You need a")) << "the click tried to mine the water";
         EXPECT_NE(pool->liquid, 0);
         EXPECT_NE(pool->backId(), 0) << "the bed behind the water was mined";
         return consoleBegins("A fishing rod needs a bobber or a lure");
       }, 5},
      {"a bobber in the ammunition slot; left-click the water: the rod casts", [&] {
         if (current() == ViewId::Fish) return bobbers() == 1;
         player()->inventory->setSlot({SlotKind::Single, 0, 0}, newItem(kCorkBobber, 0, 1, 0, 0));
         // Aimed high, as at a shore: the cast arcs over and comes down into the pool.
         const MapBlock* aim = player()->world->map().cellAt(static_cast<int32_t>(player()->cellX) + 1,
                                                             static_cast<int32_t>(player()->cellY) + 3);
         click(pointOf(aim != nullptr ? *aim : *pool), GLFW_MOUSE_BUTTON_LEFT);
         return current() == ViewId::Fish && bobbers() == 1;
       }, 5},
      {"the bobber floats in the pool while the view waits", [&] {
         return floating() && current() == ViewId::Fish;
       }, 60 * 3},
      {"it is drawn where it floats, over the pool", [&] {
         const BobberEntity* bobber = floatingBobber();
         const auto* drawing = bobber != nullptr ? dynamic_cast<const LocalEntity*>(bobber->drawing()) : nullptr;
         if (drawing == nullptr || drawing->node() == nullptr) {
           ADD_FAILURE() << "the floating bobber has no drawing";
           return true;
         }
         engine::Sprite& sprite = *drawing->node();
         const engine::Size size = sprite.getContentSize();
         const engine::Vec2 drawn = sprite.convertToWorldSpace(engine::Vec2(size.width / 2, size.height / 2));
         const engine::Vec2 floats = pointOfWorld(engine::Vec2(bobber->data.x, bobber->data.y));
         EXPECT_NEAR(drawn.x, floats.x, 2.0f) << "the sprite is not where the bobber floats";
         EXPECT_NEAR(drawn.y, floats.y, 2.0f) << "the sprite is not where the bobber floats";
         EXPECT_GE(redPixelsAround(drawn), 2) << "no red float shows on the water";
         // The pool is three cells of 30 pixels wide, its middle cell centred on a multiple of 30.
         EXPECT_LE(std::abs(bobber->data.x - static_cast<float>(pool->x) * 30.0f), 45.0f) << "it floats beside the pool";
         EXPECT_LE(std::abs(bobber->data.y - static_cast<float>(pool->y) * 30.0f), 30.0f) << "it floats beside the pool";
         return true;
       }, 1},
  }));

  playScript(script);
}

// A cast that lands on dry ground ends there: the console says so and the fishing view closes,
// so she is not left waiting for a bite that cannot come.
TEST_F(FishingAtWindowTest, TheFishingViewClosesWhenTheBobberLandsOnTheGround) {
  Script script(joined(intoANewWorld(), {
      {"the rod in hand and a bobber in the ammunition slot", [&] {
         player()->inventory->setSlot({SlotKind::Quick, kRodSlot, 0}, newItem(kRod, 0, 1, 0, 0));
         player()->inventory->setSlot({SlotKind::Single, 0, 0}, newItem(kCorkBobber, 0, 1, 0, 0));
         tap(quickKey(kRodSlot));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kRod;
       }, 5},
      {"cast at the air over the ground beside her", [&] {
         const MapBlock* beside = player()->world->map().cellAt(static_cast<int32_t>(player()->cellX) + 3,
                                                                static_cast<int32_t>(player()->cellY) + 1);
         if (beside == nullptr) return false;
         if (current() != ViewId::Fish) click(pointOf(*beside), GLFW_MOUSE_BUTTON_LEFT);
         return current() == ViewId::Fish && bobbers() == 1;
       }, 5},
      {"the bobber lands on the ground and the view closes", [&] {
         return consoleBegins("The bobber landed on the ground.") && bobbers() == 0 && current() == ViewId::Main;
       }, 60 * 10},
  }));

  playScript(script);
}

// The sea's top row: still water one cell deep from a column behind the player to `reach` columns
// ahead of it, her own cell with it, over the ground she stands on.
bool floodHerRow(int32_t from, int32_t reach) {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX);
  const int32_t y = static_cast<int32_t>(player()->cellY);
  const MapBlock* underfoot = map.cellAt(x, y - 1);
  const uint16_t ground = underfoot != nullptr ? underfoot->frontId() : 0;
  for (int32_t dx = from; dx <= reach; ++dx) {
    MapBlock* cell = map.cellAt(x + dx, y);
    MapBlock* bed = map.cellAt(x + dx, y - 1);
    if (cell == nullptr || bed == nullptr || ground == 0) return false;
    if (bed->frontId() == 0) bed->setLayer(ground, 0, MapBlock::kFront);
    cell->setLayer(0, 0, MapBlock::kFront);
    cell->setLayer(ground, 0, MapBlock::kBack);
    cell->liquid = kWaterFull;
    map.markChanged(*bed);
    map.markChanged(*cell);
  }
  return true;
}

bool bobberInAmmunitionSlot() {
  const Item* ammunition = player()->inventory->slotItem({SlotKind::Single, 0, 0});
  return ammunition != nullptr && !ammunition->isNone() && ammunition->id == kCorkBobber && ammunition->count == 1;
}

// She lays the bobber in the ammunition slot by clicks, wades into the sea's top row and casts
// from the water at its surface. Whatever becomes of that cast, the bobber stays in the slot: a
// cast spends none, and from the shore it casts again.
TEST_F(FishingAtWindowTest, ACastFromTheWaterKeepsTheBobberInTheAmmunitionSlot) {
  constexpr uint8_t kQuickSeven = 6;
  SlotRef bobberCell;
  bool fishedOnce = false;

  Script script(joined(intoANewWorld(), {
      {"the rod in quick slot 7, earthworms and a bobber carried", [&] {
         player()->inventory->setSlot({SlotKind::Quick, kQuickSeven, 0}, newItem(kRod, 0, 1, 0, 0));
         give(kEarthworm, 5);
         give(kCorkBobber, 1);
         tap(quickKey(kQuickSeven));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kRod && carriedCount(kCorkBobber) == 1;
       }, 5},
      inventoryPageOpened("open the crafting page", InventoryView::kCrafting, 10),
      {"click the bobber", [&] {
         const std::vector<SlotRef> held = slotsHolding(kCorkBobber);
         if (held.empty()) return false;
         bobberCell = held[0];
         click(inventoryCellPoint(bobberCell), GLFW_MOUSE_BUTTON_LEFT);
         return true;
       }, 1},
      {"click the ammunition cell under the craft grid", [&] {
         click(inventoryCellPoint({SlotKind::Single, 0, 0}), GLFW_MOUSE_BUTTON_LEFT);
         return bobberInAmmunitionSlot() && player()->inventory->slotItem(bobberCell) == nullptr;
       }, 1},
      {"close the inventory", [&] {
         if (current() == ViewId::Inventory) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main && bobberInAmmunitionSlot();
       }, 5},
      {"the rod in hand again", [&] {
         // Picking the bobber from the quick row chose its slot: she takes the rod back by its key.
         tap(quickKey(kQuickSeven));
         return player()->heldItem() != nullptr && player()->heldItem()->id == kRod;
       }, 5},
      {"she stands in the sea's top row", [&] {
         if (!floodHerRow(-2, 8)) ADD_FAILURE() << "no ground to flood beside the spawn";
         return true;
       }, 1},
      {"left-click the sea's surface away from her: the rod casts", [&] {
         const MapBlock* surface = player()->world->map().cellAt(static_cast<int32_t>(player()->cellX) + 6,
                                                                 static_cast<int32_t>(player()->cellY));
         if (surface == nullptr) return false;
         if (current() != ViewId::Fish) click(pointOf(*surface), GLFW_MOUSE_BUTTON_LEFT);
         return current() == ViewId::Fish;
       }, 5},
      {"the cast ends or floats, and the bobber stays in the ammunition slot", [&] {
         if (current() == ViewId::Fish && floating()) fishedOnce = true;
         if (current() != ViewId::Main && !fishedOnce) return false;
         EXPECT_TRUE(bobberInAmmunitionSlot()) << "the cast took the bobber";
         return true;
       }, 60 * 3},
      {"reel in if it floats", [&] {
         if (current() == ViewId::Fish) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main && bobbers() == 0 && bobberInAmmunitionSlot();
       }, 60 * 2},
      {"she steps out onto the shore", [&] {
         // The sea drains from under her and the columns beside her: she stands on dry ground.
         WorldMap& map = player()->world->map();
         for (int32_t dx = -2; dx <= 1; ++dx) {
           MapBlock* cell = map.cellAt(static_cast<int32_t>(player()->cellX) + dx, static_cast<int32_t>(player()->cellY));
           if (cell == nullptr) continue;
           cell->liquid = 0;
           map.markChanged(*cell);
         }
         return floodHerRow(2, 8);
       }, 1},
      {"from dry ground a second cast flies", [&] {
         const MapBlock* aim = player()->world->map().cellAt(static_cast<int32_t>(player()->cellX) + 1,
                                                             static_cast<int32_t>(player()->cellY) + 3);
         if (current() != ViewId::Fish && aim != nullptr) click(pointOf(*aim), GLFW_MOUSE_BUTTON_LEFT);
         return current() == ViewId::Fish && bobbers() == 1;
       }, 5},
      {"the bobber floats while the view waits", [&] {
         EXPECT_TRUE(bobberInAmmunitionSlot());
         return floating() && current() == ViewId::Fish;
       }, 60 * 3},
  }));

  playScript(script);
}

}  // namespace
