#include "tests/app_gl/window_play.h"

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "content/items/item.h"
#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/node.h"
#include "engine/text/label.h"
#include "engine/window/gl_view.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "game/session/running_world.h"
#include "menus/start_view.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/views/list_view.h"
#include "ui/views/main_view.h"
#include "view/console/console_node.h"
#include "view/main_layer.h"
#include "view/inventory/inventory_sprite.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"
#include "world/rules/game.h"

namespace apptest {

namespace {

GLFWwindow* window() { return engine::GLView::current()->getWindow(); }
float windowHeight() { return engine::Director::getInstance()->getWinSize().height; }

}  // namespace

int changedPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int changed = 0;
  for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 30) ++changed;
  }
  return changed;
}

engine::Vec2 inventoryCellPoint(SlotRef slot) {
  const InventorySprite* cell = gameViews()->inventoryView().spriteForSlot(slot);
  return cell != nullptr ? cell->getPosition() : engine::Vec2(-1, -1);
}

void dragInventoryStack(SlotRef from, SlotRef to) {
  pointAt(inventoryCellPoint(from));
  leftButton(GLFW_PRESS);
  pointAt(inventoryCellPoint(from) + engine::Vec2(8, 8));
  pointAt(inventoryCellPoint(to));
  leftButton(GLFW_RELEASE);
}

void press(int key) { engine::GLView::onGLFWKey(window(), key, 0, GLFW_PRESS, 0); }
void release(int key) { engine::GLView::onGLFWKey(window(), key, 0, GLFW_RELEASE, 0); }
void tap(int key) {
  press(key);
  release(key);
}
void type(const std::string& text) {
  for (char c : text) engine::GLView::onGLFWChar(window(), static_cast<unsigned char>(c));
}
void pointAt(const engine::Vec2& point) { engine::GLView::onGLFWCursorPos(window(), point.x, windowHeight() - point.y); }
void click(const engine::Vec2& point, int button) {
  pointAt(point);
  engine::GLView::onGLFWMouseButton(window(), button, GLFW_PRESS, 0);
  engine::GLView::onGLFWMouseButton(window(), button, GLFW_RELEASE, 0);
}

void turnWheel(const engine::Vec2& point, int towardsPlayer) {
  pointAt(point);
  // The window system counts a turn away from the player as positive.
  engine::GLView::onGLFWScroll(window(), 0.0, -static_cast<double>(towardsPlayer));
}

ViewId current() { return gameViews() != nullptr ? gameViews()->currentId() : ViewId::None; }
PlayerDesktopLocal* player() { return runningWorld().player.get(); }
ListView* currentList() { return gameViews() != nullptr ? dynamic_cast<ListView*>(gameViews()->current()) : nullptr; }

int rowIndex(const std::string& prefix) {
  ListView* view = currentList();
  if (view == nullptr) return -1;
  const auto& rows = view->list().rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].text.rfind(prefix, 0) == 0) return static_cast<int>(i);
  }
  return -1;
}

bool chooseRow(const std::string& prefix) {
  const int index = rowIndex(prefix);
  if (index < 0) return false;
  // An arrow passes over the headings between rows: the keys are pressed until the row is chosen.
  const MenuList& list = currentList()->list();
  for (size_t tries = 0; tries < list.rows().size() && list.selected() != index; ++tries) {
    tap(list.selected() < index ? GLFW_KEY_DOWN : GLFW_KEY_UP);
  }
  tap(GLFW_KEY_ENTER);
  return true;
}

bool hasRow(const std::string& prefix) { return rowIndex(prefix) >= 0; }

bool pointOverRow(const ListView& view, int row, engine::Vec2& point) {
  const engine::Size size = engine::Director::getInstance()->getWinSize();
  // The middle of the window, else three quarters across, where a list beside cells stands.
  for (float x : {size.width / 2.0f, size.width * 0.75f}) {
    for (float y = size.height; y > 0; y -= 2.0f) {
      const engine::Vec2 at(x, y);
      if (const_cast<ListView&>(view).list().rowAt(at) == row) {
        point = at;
        return true;
      }
    }
  }
  return false;
}

engine::Vec2 pointOf(const MapBlock& cell) {
  return pointOfWorld(engine::Vec2(static_cast<float>(cell.x) * 30.0f, static_cast<float>(cell.y) * 30.0f));
}

engine::Vec2 pointOfWorld(const engine::Vec2& world) {
  const engine::Size size = engine::Director::getInstance()->getWinSize();
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  return engine::Vec2(size.width / 2.0f, size.height / 2.0f) + (world - player()->position) * scale;
}

std::vector<SlotRef> slotsHolding(uint16_t id) {
  std::vector<SlotRef> slots;
  const Inventory& inventory = *player()->inventory;
  const auto look = [&](SlotRef slot) {
    const Item* item = inventory.slotItem(slot);
    if (item != nullptr && !item->isNone() && item->id == id) slots.push_back(slot);
  };
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) look({SlotKind::Quick, x, 0});
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) look({SlotKind::Backpack, x, y});
  }
  return slots;
}

SlotRef slotOf(uint16_t id) {
  const std::vector<SlotRef> slots = slotsHolding(id);
  return slots.empty() ? SlotRef{} : slots[0];
}

uint32_t carriedCount(uint16_t id) {
  uint32_t count = 0;
  for (SlotRef slot : slotsHolding(id)) count += player()->inventory->slotItem(slot)->count;
  return count;
}

void give(uint16_t id, uint16_t count) { player()->pickUpItem(Item(id, 0, count, 0, 0)); }

int quickKey(uint8_t slot) { return slot < 9 ? GLFW_KEY_1 + slot : GLFW_KEY_0; }

MapBlock* placeNextToPlayer() {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX);
  const int32_t y = static_cast<int32_t>(player()->cellY);
  for (int32_t dy : {0, 1}) {
    for (int32_t dx : {1, -1}) {
      MapBlock* place = map.cellAt(x + dx, y + dy);
      const MapBlock* ground = map.cellAt(x + dx, y + dy - 1);
      if (place != nullptr && ground != nullptr && place->frontId() == 0 && ground->frontId() != 0) return place;
    }
  }
  return nullptr;
}

MapBlock* placeCarriedNextToPlayer(uint16_t item) {
  const std::vector<SlotRef> slots = slotsHolding(item);
  if (slots.empty() || slots[0].kind != SlotKind::Quick) return nullptr;
  tap(quickKey(slots[0].x));
  MapBlock* cell = placeNextToPlayer();
  if (cell != nullptr) click(pointOf(*cell), GLFW_MOUSE_BUTTON_RIGHT);
  return cell;
}

std::vector<engine::Label*> labelsUnder(engine::Node& node, const std::string& prefix) {
  std::vector<engine::Label*> found;
  if (auto* label = dynamic_cast<engine::Label*>(&node); label != nullptr && label->getString().rfind(prefix, 0) == 0) {
    found.push_back(label);
  }
  if (auto* inner = dynamic_cast<engine::InnerNode*>(&node)) {
    for (engine::Node* child : inner->getChildren()) {
      std::vector<engine::Label*> below = labelsUnder(*child, prefix);
      found.insert(found.end(), below.begin(), below.end());
    }
  }
  return found;
}

namespace {

bool consoleHas(const std::function<bool(const std::string&)>& matches) {
  ConsoleNode* console = MainView::console();
  if (console == nullptr) return false;
  for (int32_t tag = 1; tag <= console->lineCount(); ++tag) {
    auto* line = dynamic_cast<engine::Label*>(console->getChildByTag(tag));
    if (line != nullptr && matches(line->getString())) return true;
  }
  return false;
}

}  // namespace

bool consoleSays(const std::string& text) {
  return consoleHas([&text](const std::string& line) { return line == text; });
}

bool consoleBegins(const std::string& start) {
  return consoleHas([&start](const std::string& line) { return line.rfind(start, 0) == 0; });
}

int nodePixels(engine::Node& node, const engine::Vec2& at, int half) {
  const int x = static_cast<int>(at.x) - half, y = static_cast<int>(at.y) - half;
  const std::vector<unsigned char> shown = framePixels(x, y, 2 * half, 2 * half);
  node.setVisible(false);
  const std::vector<unsigned char> hidden = framePixels(x, y, 2 * half, 2 * half);
  node.setVisible(true);
  return changedPixels(shown, hidden);
}

int iconPixels(const InventorySprite& sprite) { return nodePixels(*sprite.icon(), sprite.getPosition(), 6); }

void leftButton(int action) { engine::GLView::onGLFWMouseButton(window(), GLFW_MOUSE_BUTTON_LEFT, action, 0); }

// The pixels that the tile window alone draws over the middle of a cell: every other node of the
// scene (sky, entities, particles, the player, the HUD) is hidden for the reading, so a dropped item
// or the player standing in a hole cannot pass for the block.
std::vector<unsigned char> tilePixelsAt(const MapBlock& cell) {
  MainLayer* layer = MainLayer::current();
  std::vector<engine::Node*> hidden;
  const auto hide = [&hidden](engine::Node* node) {
    if (!node->isVisible()) return;
    node->setVisible(false);
    hidden.push_back(node);
  };
  for (engine::Node* child : layer->worldLayer()->getChildren()) {
    if (child->getLocalZOrder() != 1) hide(child);  // the block batch stays
  }
  for (engine::Node* child : layer->rootNode()->getChildren()) {
    if (child != layer->worldLayer()) hide(child);
  }
  for (engine::Node* child : layer->getChildren()) {
    if (child != layer->rootNode()) hide(child);
  }
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const float half = 15.0f * scale * 0.8f;
  const engine::Vec2 at = pointOf(cell);
  std::vector<unsigned char> pixels = apptest::framePixels(static_cast<int>(at.x - half), static_cast<int>(at.y - half),
                                                           static_cast<int>(2 * half), static_cast<int>(2 * half));
  for (engine::Node* node : hidden) node->setVisible(true);
  return pixels;
}

// Whether more than a quarter of a reading's pixels changed (a piece of furniture does not fill its
// cell; a cell left as it was changes none).
bool muchChanged(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after) {
  const int pixels = static_cast<int>(before.size() / 4);
  return pixels > 0 && changedPixels(before, after) * 4 > pixels;
}

Step workerStep(std::string name, std::function<bool()> done) {
  return {std::move(name), std::move(done), 0, true};
}

Step inventoryPageOpened(std::string name, uint8_t page, int frameLimit) {
  return {std::move(name), [page] {
            if (current() == ViewId::Main) tap(GLFW_KEY_E);
            InventoryView& view = gameViews()->inventoryView();
            if (current() == ViewId::Inventory && view.page() != page) tap(GLFW_KEY_TAB);
            return current() == ViewId::Inventory && view.page() == page;
          }, frameLimit};
}

Step escapedTo(std::string name, ViewId view, int frameLimit) {
  return {std::move(name), [view] {
            tap(GLFW_KEY_ESCAPE);
            return current() == view;
          }, frameLimit};
}

Step stackInHand(std::string name, uint16_t id, uint16_t count) {
  return {std::move(name), [id, count] {
            give(id, count);
            const std::vector<SlotRef> slots = slotsHolding(id);
            if (slots.empty() || slots[0].kind != SlotKind::Quick) return false;
            tap(quickKey(slots[0].x));
            return player()->heldItem() != nullptr && player()->heldItem()->id == id;
          }};
}

bool Script::outOfTime() {
  const Step& step = steps_[index_];
  if (!step.onWorker) return ++frames_ > step.frameLimit;
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - stepStart_;
  return waited.count() > kWorkerSeconds;
}

void Script::frame() {
  engine::Node* scene = engine::Director::getInstance()->getRunningScene();
  // The step reads the scene as a player would see it, drawn or not this frame.
  if (scene != nullptr) scene->setVisible(true);
  if (finished()) return;
  Step& step = steps_[index_];
  if (step.done()) {
    const char* folder = std::getenv("RUBBLE_PLAY_PICTURES");
    const std::string picture = folder != nullptr ? std::string(folder) + "/" + std::to_string(index_) + ".ppm" : "";
    shots_.emplace_back(step.name, frameShowsSomething(picture));
    ++index_;
    frames_ = 0;
    waited_ = 0;
    stepStart_ = std::chrono::steady_clock::now();
  } else if (outOfTime()) {
    failure_ = step.name;
  } else {
    ++waited_;
  }
  if (finished()) {
    engine::Application::getInstance()->quit();
    return;
  }
  drawOnlyWhatIsNeeded();
}

void Script::drawOnlyWhatIsNeeded() {
  engine::Node* scene = engine::Director::getInstance()->getRunningScene();
  // The frame is drawn after this callback: a hidden scene draws nothing, and is shown again at the
  // start of the next frame, before anything reads it.
  if (scene != nullptr) scene->setVisible(waited_ < kDrawnFirst || waited_ % kDrawnWhileWaiting == 0);
}

bool typeInRow(const std::string& prefix, const std::string& text, int erase) {
  if (!chooseRow(prefix)) return false;
  for (int i = 0; i < erase; ++i) tap(GLFW_KEY_BACKSPACE);
  type(text);
  tap(GLFW_KEY_ENTER);
  return hasRow(prefix + text);
}

bool saveAndQuitOnce(int& calls) {
  if (calls++ == 0 && !chooseRow("Save and quit")) return false;
  if (current() != ViewId::Start) return false;
  calls = 0;
  return true;
}

void playScript(Script& script, const std::function<void()>& alsoEachFrame, const std::string& word) {
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    script.frame();
    if (alsoEachFrame) alsoEachFrame();
  });
  EXPECT_EQ(runWith(word), 0);
  EXPECT_TRUE(script.failure().empty()) << "stuck at: " << script.failure() << " (step " << script.reached() << ")";
  EXPECT_TRUE(script.finished());
}

StartView& startView() { return dynamic_cast<StartView&>(gameViews()->view(ViewId::Start)); }

std::vector<Step> intoANewWorld() {
  auto waited = std::make_shared<int>(0);
  const auto wait = [waited](int frames) { return ++*waited >= frames ? (*waited = 0, true) : false; };
  return {
      {"the start view", [wait] {
         // The same ground every run.
         if (auto* local = dynamic_cast<GameLocal*>(&currentGame())) local->setGenerationSeed(7);
         return current() == ViewId::Start && wait(3);
       }},
      {"play", [] { return chooseRow("Play") && startView().page() == StartView::Page::Characters; }},
      {"new character", [] { return chooseRow("New character") && startView().page() == StartView::Page::NewCharacter; }},
      {"create it", [] { return chooseRow("Create") && startView().status() == "Created Player."; }},
      {"play as it", [] { return chooseRow("Play as Player") && startView().page() == StartView::Page::Worlds; }},
      {"new world", [] { return chooseRow("New world") && hasRow("Size: 512 x 128"); }},
      {"create the world", [] { return chooseRow("Create") && current() == ViewId::Wait; }},
      workerStep("the world is entered", [wait] { return current() == ViewId::Main && player() != nullptr && wait(30); }),
  };
}

std::vector<Step> savedQuitAndContinued(int& calls) {
  return {
      {"pause", [] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }, 10},
      workerStep("save and quit", [&calls] { return saveAndQuitOnce(calls) && player() == nullptr; }),
      {"continue the world", [] {
         return chooseRow("Play") && chooseRow("Play as Player") && chooseRow("Continue ");
       }, 20},
      workerStep("the world is entered again", [] { return current() == ViewId::Main && player() != nullptr; }),
  };
}

std::vector<Step> joined(std::vector<Step> first, const std::vector<Step>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

}  // namespace apptest
