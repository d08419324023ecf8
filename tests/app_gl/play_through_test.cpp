// The program played from end to end through the window's input events, as a person would: the
// menus make a character and a world on the smallest size, the world generates behind the wait
// view, the player walks, mines the block under its feet and picks up what drops, crafts in the
// inventory, pauses, saves and quits to the start view, and continues the world to find it and the
// character as they were left. Every step's frame is read back and must show something.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "content/items/item.h"
#include "content/loader/content_database.h"
#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "engine/text/label.h"
#include "engine/window/gl_view.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "game/session/running_world.h"
#include "menus/start_view.h"
#include "menus/wait_view.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "tests/support/temp_dir.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "game/player/player_events.h"
#include "world/seams/entity_effects.h"
#include "ui/views/inventory_view.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/main_view.h"
#include "view/console/console_node.h"
#include "view/main_layer.h"
#include "view/overlays/sign_label.h"
#include "view/sky/sky.h"
#include "view/sky/sky_creation.h"
#include "view/sky/sky_phase.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/overlay_art.h"
#include "view/inventory/item_tooltip.h"
#include "view/inventory/overlay_art.h"
#include "ui/views/list_view.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

using Stacks = std::vector<std::pair<uint16_t, uint16_t>>;

// ---- The window's input, as the window system reports it ----

GLFWwindow* window() { return engine::GLView::current()->getWindow(); }

void press(int key) { engine::GLView::onGLFWKey(window(), key, 0, GLFW_PRESS, 0); }
void release(int key) { engine::GLView::onGLFWKey(window(), key, 0, GLFW_RELEASE, 0); }
void tap(int key) {
  press(key);
  release(key);
}
void type(const std::string& text) {
  for (char c : text) engine::GLView::onGLFWChar(window(), static_cast<unsigned char>(c));
}
// The pointer moves to a point of the view (y upwards).
void pointAt(const engine::Vec2& point) {
  const float height = engine::Director::getInstance()->getWinSize().height;
  engine::GLView::onGLFWCursorPos(window(), point.x, height - point.y);
}
// A click at a point of the view (y upwards).
void click(const engine::Vec2& point, int button) {
  const float height = engine::Director::getInstance()->getWinSize().height;
  engine::GLView::onGLFWCursorPos(window(), point.x, height - point.y);
  engine::GLView::onGLFWMouseButton(window(), button, GLFW_PRESS, 0);
  engine::GLView::onGLFWMouseButton(window(), button, GLFW_RELEASE, 0);
}

// ---- What the test reads ----

ViewId current() { return gameViews() != nullptr ? gameViews()->currentId() : ViewId::None; }
PlayerDesktopLocal* player() { return runningWorld().player.get(); }
StartView& startView() { return dynamic_cast<StartView&>(gameViews()->view(ViewId::Start)); }

// Walks the current list to the first row that begins with the text and picks it with Enter.
bool chooseRow(const std::string& prefix) {
  auto* view = gameViews() != nullptr ? dynamic_cast<ListView*>(gameViews()->current()) : nullptr;
  if (view == nullptr) return false;
  const auto& rows = view->list().rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].text.rfind(prefix, 0) != 0) continue;
    // An arrow passes over the headings between rows: the keys are pressed until the row is chosen.
    const int index = static_cast<int>(i);
    for (size_t tries = 0; tries < rows.size() && view->list().selected() != index; ++tries) {
      tap(view->list().selected() < index ? GLFW_KEY_DOWN : GLFW_KEY_UP);
    }
    tap(GLFW_KEY_ENTER);
    return true;
  }
  return false;
}

bool hasRow(const std::string& prefix) {
  auto* view = gameViews() != nullptr ? dynamic_cast<ListView*>(gameViews()->current()) : nullptr;
  if (view == nullptr) return false;
  for (const auto& row : view->list().rows()) {
    if (row.text.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

Stacks carried() {
  Stacks stacks;
  const Inventory& inventory = *player()->inventory;
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) {
    const Item* item = inventory.slotItem({SlotKind::Quick, x, 0});
    if (item != nullptr && !item->isNone()) stacks.emplace_back(item->id, item->count);
  }
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      const Item* item = inventory.slotItem({SlotKind::Backpack, x, y});
      if (item != nullptr && !item->isNone()) stacks.emplace_back(item->id, item->count);
    }
  }
  std::sort(stacks.begin(), stacks.end());
  return stacks;
}

uint32_t itemCount() {
  uint32_t count = 0;
  for (const auto& stack : carried()) count += stack.second;
  return count;
}

// The view point of a cell's centre, with the player at the window's centre.
engine::Vec2 pointOf(const MapBlock& cell) {
  const engine::Size window = engine::Director::getInstance()->getWinSize();
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const engine::Vec2 world(static_cast<float>(cell.x) * 30.0f, static_cast<float>(cell.y) * 30.0f);
  return engine::Vec2(window.width / 2.0f, window.height / 2.0f) + (world - player()->position) * scale;
}

// The block under the player's feet, or the nearest breakable one below its row.
MapBlock* blockToMine() {
  World& world = *player()->world;
  const int32_t x = static_cast<int32_t>(player()->cellX);
  const int32_t y = static_cast<int32_t>(player()->cellY);
  for (int32_t dy = -1; dy >= -3; --dy) {
    for (int32_t dx : {0, -1, 1}) {
      MapBlock* cell = world.map().cellAt(x + dx, y + dy);
      if (cell != nullptr && cell->frontId() != 0 && currentLogic().canBreakBlock(player(), nullptr, *cell)) return cell;
    }
  }
  return nullptr;
}

constexpr uint16_t kWorkbenchItem = 24;

// An open cell beside the player, on its row or the one above, with ground under it and no mob in
// it, where a workbench can stand. A wandering mob that stands in the first choice is why the
// others are tried.
MapBlock* standingPlaceBeside() {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX);
  const int32_t y = static_cast<int32_t>(player()->cellY);
  for (int32_t dy : {0, 1}) {
    for (int32_t dx : {1, -1, 2, -2}) {
      MapBlock* place = map.cellAt(x + dx, y + dy);
      const MapBlock* ground = map.cellAt(x + dx, y + dy - 1);
      if (place == nullptr || ground == nullptr || place->frontId() != 0 || ground->frontId() == 0) continue;
      if (!player()->world->effects().blocksPlacementIn(*place)) return place;
    }
  }
  return nullptr;
}

// ---- The inventory's slot sprites ----

InventorySprite* gridCell(SlotRef slot) { return gameViews()->inventoryView().spriteForSlot(slot); }
uint16_t countIn(SlotRef slot) {
  const Item* item = player()->inventory->slotItem(slot);
  return item != nullptr && !item->isNone() ? item->count : 0;
}

// A quick-row stack of at least two.
SlotRef quickStackOfTwo() {
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) {
    if (countIn({SlotKind::Quick, x, 0}) >= 2) return {SlotKind::Quick, x, 0};
  }
  return {};
}

// A free backpack cell whose right neighbour is free too.
SlotRef freeBackpackPair() {
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x + 1 < Inventory::kBackpackSide; ++x) {
      if (countIn({SlotKind::Backpack, x, y}) == 0 && countIn({SlotKind::Backpack, uint8_t(x + 1), y}) == 0) {
        return {SlotKind::Backpack, x, y};
      }
    }
  }
  return {};
}

// The item tooltip on the main layer's overlay, null before one showed.
engine::Node* itemTooltip() {
  if (engine::InnerNode* overlay = overlay_art::overlayNode()) {
    for (engine::Node* child : overlay->getChildren()) {
      if (child->getTag() == kItemTooltipTag) return child;
    }
  }
  return nullptr;
}

// The panel the console puts behind its lines on its parent, null when none shows.
engine::Node* consolePanel() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return nullptr;
  for (engine::Node* child : layer->getChildren()) {
    if (child->getTag() == ConsoleNode::kPanelTag) return child;
  }
  return nullptr;
}

// How many pixels of the region around a point differ between two readings.
int changedPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int changed = 0;
  for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 30) ++changed;
  }
  return changed;
}

// How many pixels around a slot sprite's middle its icon changes.
int iconPixels(const InventorySprite& sprite) {
  const engine::Vec2 at = sprite.getPosition();
  const int x = static_cast<int>(at.x) - 6, y = static_cast<int>(at.y) - 6;
  const std::vector<unsigned char> withIcon = apptest::framePixels(x, y, 12, 12);
  sprite.icon()->setVisible(false);
  const std::vector<unsigned char> withoutIcon = apptest::framePixels(x, y, 12, 12);
  sprite.icon()->setVisible(true);
  return changedPixels(withIcon, withoutIcon);
}

using apptest::muchChanged;
using apptest::tilePixelsAt;

// The script and its steps: a worker's step waits on its event, bounded by wall-clock.
using apptest::Script;
using apptest::workerStep;

using PlayThroughTest = apptest::AppRunTest;

TEST_F(PlayThroughTest, ACharacterAndAWorldAreMadePlayedSavedAndContinued) {
  int waited = 0;
  float startX = 0;
  uint32_t before = 0;
  int32_t minedX = -1, minedY = -1;
  uint32_t savedX = 0, savedY = 0;
  Stacks savedStacks;
  std::string craftStatus;
  SlotRef sorted;
  engine::Node* floating = nullptr;
  float floatStart = 0;
  uint16_t sortedCount = 0;
  MapBlock* bench = nullptr;
  std::string why;  // what a step that did not finish last saw, for the failure message
  int32_t shownBeforeMessage = -1;  // the console's lines before the test's own message
  std::vector<unsigned char> blockPixels;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };

  Script script({
      {"the start view", [&] {
         // The same ground every run: the world generates from a fixed seed.
         if (auto* local = dynamic_cast<GameLocal*>(&currentGame())) local->setGenerationSeed(7);
         return current() == ViewId::Start && wait(3);
       }},
      {"play", [&] { return chooseRow("Play") && startView().page() == StartView::Page::Characters; }},
      {"new character", [&] { return chooseRow("New character") && startView().page() == StartView::Page::NewCharacter; }},
      {"type its name", [&] {
         if (!chooseRow("Name:")) return false;
         // The entry opens on the default name, "Player".
         for (int i = 0; i < 6; ++i) tap(GLFW_KEY_BACKSPACE);
         type("Tester");
         tap(GLFW_KEY_ENTER);
         return hasRow("Name: Tester");
       }},
      {"create it", [&] { return chooseRow("Create") && startView().status() == "Created Tester."; }},
      {"play as it", [&] { return chooseRow("Play as Tester") && startView().page() == StartView::Page::Worlds; }},
      {"new world", [&] { return chooseRow("New world") && hasRow("Size: 512 x 128"); }},
      {"name the world", [&] {
         if (!chooseRow("Name:")) return false;
         type("Testland");
         tap(GLFW_KEY_ENTER);
         return hasRow("Name: Testland");
       }},
      {"create the world", [&] {
         chooseRow("Create");
         auto* waitView = dynamic_cast<WaitView*>(&gameViews()->view(ViewId::Wait));
         return current() == ViewId::Wait && waitView != nullptr && !waitView->firstLine().empty();
       }},
      workerStep("the world is entered", [&] { return current() == ViewId::Main && player() != nullptr && wait(30); }),
      {"walk", [&] {
         // Right for 40 frames; a wall there turns the player left for 40 more.
         if (waited == 0) {
           startX = player()->position.x;
           press(GLFW_KEY_D);
         }
         if (waited == 40) {
           release(GLFW_KEY_D);
           if (player()->position.x != startX) return wait(1);
           press(GLFW_KEY_A);
         }
         if (!wait(80)) return false;
         release(GLFW_KEY_A);
         return player()->position.x != startX;
       }},
      {"mine the block underfoot by holding the button", [&] {
         if (minedX < 0) {
           if (!wait(30)) return false;  // settles on the ground first
           // The quick slots hold the starting tools: the keys 1 to 4 try each on the ground.
           MapBlock* cell = nullptr;
           for (int slot = 0; slot < 4 && cell == nullptr; ++slot) {
             tap(GLFW_KEY_1 + slot);
             cell = blockToMine();
           }
           if (cell == nullptr) return false;
           before = itemCount();
           minedX = static_cast<int32_t>(cell->x);
           minedY = static_cast<int32_t>(cell->y);
           blockPixels = tilePixelsAt(*cell);
           pointAt(pointOf(*cell));
           engine::GLView::onGLFWMouseButton(window(), GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
           return false;
         }
         const MapBlock& cell = *player()->world->map().cellAt(minedX, minedY);
         if (cell.frontId() != 0) {
           ++waited;
           return false;
         }
         // A held button works on the block for a while: one frame is never enough.
         EXPECT_GT(waited, 5) << "the block broke at once";
         waited = 0;
         engine::GLView::onGLFWMouseButton(window(), GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
         EXPECT_TRUE(muchChanged(blockPixels, tilePixelsAt(cell))) << "the mined cell still draws its block";
         return true;
       }, 300},
      {"pick up its drop", [&] {
         // A block mined beside the player dropped into its own hole: the player walks over to it.
         const int32_t x = static_cast<int32_t>(player()->cellX);
         release(GLFW_KEY_A);
         release(GLFW_KEY_D);
         if (x != minedX) press(x < minedX ? GLFW_KEY_D : GLFW_KEY_A);
         if (itemCount() <= before) {
           why = "the player at (" + std::to_string(x) + ", " + std::to_string(player()->cellY) + "), the mined cell (" +
                 std::to_string(minedX) + ", " + std::to_string(minedY) + ")";
           return false;
         }
         release(GLFW_KEY_A);
         release(GLFW_KEY_D);
         return true;
       }, 60 * 20},
      {"open the inventory", [&] {
         tap(GLFW_KEY_E);
         tap(GLFW_KEY_TAB);
         tap(GLFW_KEY_TAB);
         return current() == ViewId::Inventory && gameViews()->inventoryView().page() == InventoryView::kCrafting;
       }},
      {"craft", [&] {
         auto& inventory = gameViews()->inventoryView();
         const auto& rows = inventory.list().rows();
         const auto craftable = std::find_if(rows.begin(), rows.end(), [](const MenuList::Row& row) {
           return row.action && !row.dimmed;
         });
         if (craftable == rows.end()) {
           ADD_FAILURE() << "nothing to craft from the " << itemCount() << " items carried";
           return false;
         }
         chooseRow(craftable->text);
         craftStatus = inventory.status();
         return craftStatus.rfind("Made ", 0) == 0;
       }, 5},
      {"craft a workbench", [&] {
         auto& inventory = gameViews()->inventoryView();
         if (!chooseRow("Oak Planks") || inventory.status() != "Made Oak Planks x4.") return false;
         if (!chooseRow("Workbench") || inventory.status() != "Made Workbench.") return false;
         // Back to the backpack page: a workbench stored there goes into the held quick slot.
         tap(GLFW_KEY_TAB);
         tap(GLFW_KEY_TAB);
         if (inventory.page() != InventoryView::kBackpack) return false;
         if (hasRow("Backpack: Workbench")) chooseRow("Backpack: Workbench");
         return true;
       }, 5},
      {"move a stack into the backpack by its cells", [&] {
         const SlotRef from = quickStackOfTwo();
         sorted = freeBackpackPair();
         if (from.isNone() || sorted.isNone() || gridCell(from) == nullptr || gridCell(sorted) == nullptr) {
           ADD_FAILURE() << "no quick stack of two or no free backpack cells";
           return false;
         }
         sortedCount = countIn(from);
         click(gridCell(from)->getPosition(), GLFW_MOUSE_BUTTON_LEFT);
         click(gridCell(sorted)->getPosition(), GLFW_MOUSE_BUTTON_LEFT);
         return countIn(from) == 0 && countIn(sorted) == sortedCount;
       }, 5},
      {"split it with S and gather it with G", [&] {
         const SlotRef right{SlotKind::Backpack, uint8_t(sorted.x + 1), sorted.y};
         click(gridCell(sorted)->getPosition(), GLFW_MOUSE_BUTTON_LEFT);
         tap(GLFW_KEY_S);
         EXPECT_EQ(countIn(sorted), sortedCount - sortedCount / 2);
         EXPECT_EQ(countIn(right), sortedCount / 2);
         // The split lets the cell go: it is picked again to gather into it.
         click(gridCell(sorted)->getPosition(), GLFW_MOUSE_BUTTON_LEFT);
         tap(GLFW_KEY_G);
         return countIn(sorted) == sortedCount && countIn(right) == 0;
       }, 5},
      {"its icon is drawn and its tooltip shows under the pointer", [&] {
         InventorySprite* shown = gridCell(sorted);
         if (shown->icon() == nullptr) return false;
         const engine::Vec2 at = shown->getPosition();
         EXPECT_GT(iconPixels(*shown), 20) << "the icon draws nothing";
         pointAt(at);
         const engine::Node* tooltip = itemTooltip();
         if (tooltip == nullptr || !tooltip->isVisible()) return false;
         EXPECT_NE(shown->highlightFrame(), nullptr) << "the cell under the pointer is lit";
         pointAt(engine::Vec2(2, 2));
         EXPECT_EQ(shown->highlightFrame(), nullptr);
         return !tooltip->isVisible();
       }, 5},
      {"a floating text rises from a cell and goes", [&] {
         InventoryView& inventory = gameViews()->inventoryView();
         if (floating == nullptr) {
           // The status line says it too: the floating text is the label that was not there. It
           // rises in the overlay, in front of the cells, on a ground of its own that rises with it.
           engine::InnerNode* overlay = overlay_art::overlayNode();
           if (overlay == nullptr) return false;
           const std::vector<engine::Label*> alreadyShown = apptest::labelsUnder(*overlay, "Found");
           inventory.showFloatingLabel("Found", gridCell(sorted)->getPosition());
           for (engine::Label* label : apptest::labelsUnder(*overlay, "Found")) {
             if (std::find(alreadyShown.begin(), alreadyShown.end(), label) == alreadyShown.end()) floating = label->getParent();
           }
           if (floating == nullptr) return false;
           floating->retain();
           floatStart = floating->getPositionY();
           return false;
         }
         if (floating->getParent() != nullptr) return false;
         EXPECT_GT(floating->getPositionY(), floatStart) << "it rose";
         floating->release();
         return true;
       }, 200},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
      {"a quick slot's tooltip shows under the pointer", [&] {
         const InventorySprite* pick = gameViews()->mainView().hud().quickSlots().sprite(0);
         if (pick == nullptr || pick->slotItem() == nullptr || pick->icon() == nullptr) return false;
         EXPECT_GT(iconPixels(*pick), 20) << "the quick slot's icon draws nothing";
         pointAt(pick->getPosition());
         const engine::Node* tooltip = itemTooltip();
         if (tooltip == nullptr || !tooltip->isVisible()) return false;
         pointAt(pointOf(*player()->world->map().cellAt(player()->cellX, player()->cellY)));
         return !tooltip->isVisible();
       }, 5},
      {"a message shows in the world's console", [&] {
         ConsoleNode* console = MainView::console();
         if (console == nullptr) return false;
         // Sent once: a full console makes room by sliding its oldest line out over the next
         // frames, so the count is read once that is done.
         if (shownBeforeMessage < 0) {
           shownBeforeMessage = console->lineCount();
           player()->events().message(2, "A message for the console");
           return false;
         }
         return console->lineCount() == std::min(shownBeforeMessage + 1, console->maxLines());
       }, 5},
      {"the player's events reach the sky and the sign bubble", [&] {
         Sky* sky = currentSky();
         if (sky == nullptr) return false;
         // Night, from a sky whose pair shows something else.
         SkyPhasePair night;
         chooseSkyPair(night, 4, 0);
         player()->events().skyPhase(1, 0);
         player()->events().skyPhase(4, 0);
         EXPECT_EQ(sky->phasePair().first, night.first);
         EXPECT_EQ(sky->phasePair().second, night.second);
         SignLabel::forget();
         player()->events().signLabel(*player()->world->map().cellAt(player()->cellX, player()->cellY), {"Keep", "out"});
         return SignLabel::instance() != nullptr && SignLabel::instance()->getParent() == MainLayer::current();
       }, 5},
      {"the chat keeps the panel behind the console's lines", [&] {
         tap(GLFW_KEY_T);
         return current() == ViewId::Chat && consolePanel() != nullptr;
       }, 5},
      {"back in play the lines stay backed", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main && consolePanel() != nullptr;
       }, 5},
      {"place the workbench", [&] {
         const Inventory& inventory = *player()->inventory;
         // Keys 1 to 9 pick the first nine quick slots and 0 the tenth.
         for (uint8_t slot = 0; slot < Inventory::kQuickSlots; ++slot) {
           const Item* item = inventory.slotItem({SlotKind::Quick, slot, 0});
           if (item != nullptr && item->id == kWorkbenchItem) tap(slot < 9 ? GLFW_KEY_1 + slot : GLFW_KEY_0);
         }
         if (player()->heldItem() == nullptr || player()->heldItem()->id != kWorkbenchItem) {
           why = "the workbench is not held: " + std::to_string(inventory.countItems(kWorkbenchItem, false, false)) +
                 " carried, " + std::to_string(carried().size()) + " stacks";
           return false;
         }
         bench = standingPlaceBeside();
         if (bench == nullptr) {
           why = "no free place beside the player";
           return false;
         }
         const std::vector<unsigned char> empty = tilePixelsAt(*bench);
         click(pointOf(*bench), GLFW_MOUSE_BUTTON_RIGHT);
         if (bench->frontId() == 0) {
           why = "the click placed nothing";
           return false;
         }
         const std::vector<unsigned char> placed = tilePixelsAt(*bench);
         EXPECT_TRUE(muchChanged(empty, placed))
             << "the placed workbench is not drawn: " << changedPixels(empty, placed) << " of " << empty.size() / 4;
         return true;
       }, 10},
      {"use it to craft at it", [&] {
         click(pointOf(*bench), GLFW_MOUSE_BUTTON_RIGHT);
         // With the openCraftbookRecipe option (on by default) the station opens the book first.
         if (current() == ViewId::Book) chooseRow(BookView::kCraftHere);
         return current() == ViewId::Inventory && gameViews()->inventoryView().page() == InventoryView::kCrafting &&
                player()->inventory->station() != 0;
       }, 10},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
      {"pause", [&] {
         savedStacks = carried();
         savedX = player()->cellX;
         savedY = player()->cellY;
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }},
      {"save and quit", [&] { return chooseRow("Save and quit"); }},
      // The world's file is written on the save worker; the game ends once it is on disk.
      workerStep("the start view once the world is written", [&] { return current() == ViewId::Start && player() == nullptr; }),
      {"play again", [&] { return chooseRow("Play") && chooseRow("Play as Tester") && chooseRow("Continue Testland"); }},
      workerStep("the world is entered again", [&] { return current() == ViewId::Main && player() != nullptr && wait(10); }),
      {"all is as it was", [&] {
         EXPECT_EQ(player()->cellX, savedX);
         EXPECT_EQ(player()->cellY, savedY);
         EXPECT_EQ(carried(), savedStacks);
         const MapBlock* mined = player()->world->map().cellAt(minedX, minedY);
         EXPECT_TRUE(mined != nullptr && mined->frontId() == 0);
         return true;
       }},
  });

  apptest::everyFrame([&](int frame) {
    if (frame == 1) apptest::pinLoadedLibraries();
    script.frame();
  });
  EXPECT_EQ(apptest::runWith("-safe"), 0);
  EXPECT_TRUE(script.failure().empty()) << "stuck at: " << script.failure() << " (step " << script.reached() << ") " << why;
  EXPECT_TRUE(script.finished());
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
  EXPECT_FALSE(craftStatus.empty());
}

}  // namespace
