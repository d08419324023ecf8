// What the window draws stays inside its frame at 960 x 540, 1280 x 720 and 1920 x 1080, read back
// pixel by pixel: each quick slot's durability bar keeps off the slot's key number and a stack's
// count stays inside the slot's frame; the map's frame stands above the quick row; the death view
// and the inventory leave an achievement's banner whole over their titles; the inventory's cells
// lie inside the window, clear of the HUD's quick slots, and so do those of the content's largest
// chest, which pages, and the quick row and the backpack keep their places on every page of it;
// every row of the Options, the start view's and the pause view's, is drawn inside the window when
// the arrow keys reach it. CTest runs these on a screen that holds the largest window.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "content/items/item_rules.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/layer/layer_color.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "engine/window/gl_view.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "menus/start_view.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/chest_steps.h"
#include "tests/app_gl/window_play.h"
#include "tests/ui/chest_cells.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/views/list_view.h"
#include "ui/views/main_view.h"
#include "ui/views/map_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/overlays/achievement_banner_popup.h"
#include "view/overlays/achievement_dialog.h"
#include "world/blocks/chest.h"
#include "world/rules/game.h"

namespace {

using namespace apptest;

constexpr uint16_t kOakPlanks = 2149;
const engine::Size kSizes[] = {{960, 540}, {1280, 720}, {1920, 1080}};

// A box of whole pixels; empty when nothing was drawn.
struct Box {
  int left = 0, bottom = 0, right = -1, top = -1;  // inclusive
  bool empty() const { return right < left || top < bottom; }
  bool inside(const Box& outer) const {
    return left >= outer.left && right <= outer.right && bottom >= outer.bottom && top <= outer.top;
  }
  bool meets(const Box& other) const {
    return !empty() && !other.empty() && left <= other.right && other.left <= right && bottom <= other.top &&
           other.bottom <= top;
  }
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "[" << b.left << ".." << b.right << " x " << b.bottom << ".." << b.top << "]";
}

engine::Size winSize() { return engine::Director::getInstance()->getWinSize(); }

Box wholeWindow() {
  const engine::Size size = winSize();
  return {0, 0, static_cast<int>(size.width) - 1, static_cast<int>(size.height) - 1};
}

// The pixels of a node's own rectangle, rounded out to whole pixels.
Box boxOf(const engine::Node& node) {
  const engine::Rect r = node.getBoundingBox();
  return {static_cast<int>(std::floor(r.getMinX())), static_cast<int>(std::floor(r.getMinY())),
          static_cast<int>(std::ceil(r.getMaxX())) - 1, static_cast<int>(std::ceil(r.getMaxY())) - 1};
}

// The whole window read once as drawn, then again with nodes hidden, as often as asked: every node
// of one look at the window is compared with the same drawn reading, so a look at many nodes costs
// one drawing more than it has nodes. Nothing may change between the readings (one step's work).
class WindowReadings {
 public:
  WindowReadings() : window_(wholeWindow()), shown_(read()) {}

  // The pixels of the whole window that the nodes change by being drawn.
  Box drawnBox(const std::vector<engine::Node*>& nodes) const {
    const std::vector<unsigned char> hidden = readWithout(nodes);
    Box box{width(), 1 << 20, -1, -1};
    for (size_t i = 0; i + 3 < shown_.size(); i += 4) {
      if (!changed(hidden, i)) continue;
      const int x = static_cast<int>(i / 4) % width(), y = static_cast<int>(i / 4) / width();
      box.left = std::min(box.left, x), box.right = std::max(box.right, x);
      box.bottom = std::min(box.bottom, y), box.top = std::max(box.top, y);
    }
    return box;
  }

  // How many of the pixels that the nodes change by being drawn they draw gold (`bright`: as bright
  // as a banner's title, not dimmed by a shade over it).
  int goldDrawnBy(const std::vector<engine::Node*>& nodes, bool bright = false) const {
    const std::vector<unsigned char> hidden = readWithout(nodes);
    const int least = bright ? 230 : 180;
    int gold = 0;
    for (size_t i = 0; i + 3 < shown_.size(); i += 4) {
      gold += changed(hidden, i) && shown_[i] > least && shown_[i + 1] > least - 40 && shown_[i + 2] < 140;
    }
    return gold;
  }

 private:
  int width() const { return window_.right + 1; }
  std::vector<unsigned char> read() const { return framePixels(0, 0, width(), window_.top + 1); }
  std::vector<unsigned char> readWithout(const std::vector<engine::Node*>& nodes) const {
    for (engine::Node* node : nodes) node->setVisible(false);
    std::vector<unsigned char> hidden = read();
    for (engine::Node* node : nodes) node->setVisible(true);
    return hidden;
  }
  bool changed(const std::vector<unsigned char>& hidden, size_t i) const {
    return shown_[i] != hidden[i] || shown_[i + 1] != hidden[i + 1] || shown_[i + 2] != hidden[i + 2];
  }

  Box window_;
  std::vector<unsigned char> shown_;
};

// How many pixels of the box the nodes change by being drawn.
int changedIn(const Box& box, const std::vector<engine::Node*>& nodes) {
  if (box.empty()) return 0;
  const int width = box.right - box.left + 1, height = box.top - box.bottom + 1;
  const std::vector<unsigned char> shown = framePixels(box.left, box.bottom, width, height);
  for (engine::Node* node : nodes) node->setVisible(false);
  const std::vector<unsigned char> hidden = framePixels(box.left, box.bottom, width, height);
  for (engine::Node* node : nodes) node->setVisible(true);
  return changedPixels(shown, hidden);
}

void resizeWindow(const engine::Size& size) {
  glfwSetWindowSize(engine::GLView::current()->getWindow(), static_cast<int>(size.width),
                    static_cast<int>(size.height));
}

std::string sizeName(const engine::Size& size) {
  return std::to_string(static_cast<int>(size.width)) + " x " + std::to_string(static_cast<int>(size.height));
}

QuickSlots& quickSlots() { return gameViews()->mainView().hud().quickSlots(); }
MapView& mapView() { return dynamic_cast<MapView&>(gameViews()->view(ViewId::Map)); }
InventoryView& inventoryView() { return gameViews()->inventoryView(); }

// Every cell and page button of the inventory's page drawn whole inside the window and over none of
// the HUD's quick slots that are drawn.
void expectCellsInsideAndClearOfTheHud(const std::string& where) {
  const WindowReadings window;
  std::vector<Box> hudSlots;
  for (int i = 0; i < QuickSlots::kCount; ++i) {
    if (InventorySprite* slot = quickSlots().sprite(i)) hudSlots.push_back(window.drawnBox({slot}));
  }
  const std::vector<engine::RefPtr<InventorySprite>>& cells = inventoryView().grid().sprites();
  ASSERT_FALSE(cells.empty()) << where;
  for (InventorySprite* cell : cells) {
    const Box drawn = window.drawnBox({cell});
    const std::string name = where + ": the cell of kind " + std::to_string(static_cast<int>(cell->slot().kind)) +
                             " at " + std::to_string(cell->slot().x) + "," + std::to_string(cell->slot().y);
    EXPECT_FALSE(drawn.empty()) << name << " is drawn";
    // What is read back stops at the window's edge: the cell's own square tells one cut there.
    EXPECT_TRUE(drawn.inside(wholeWindow()) && boxOf(*cell).inside(wholeWindow()))
        << name << " " << boxOf(*cell) << " runs out of the window";
    for (const Box& hud : hudSlots) EXPECT_FALSE(drawn.meets(hud)) << name << " " << drawn << " meets the HUD's " << hud;
  }
  for (const InventorySlotGrid::ShownButton& button : inventoryView().grid().pageButtons()) {
    const Box drawn = window.drawnBox({button.node.get()});
    const std::string name = where + ": the page button " + std::to_string(button.step);
    EXPECT_FALSE(drawn.empty()) << name << " is drawn";
    EXPECT_TRUE(drawn.inside(wholeWindow())) << name << " " << drawn << " runs out of the window";
    for (const Box& hud : hudSlots) EXPECT_FALSE(drawn.meets(hud)) << name << " " << drawn << " meets the HUD's " << hud;
  }
}

// Each quick slot's pieces inside its frame and off its key number.
void expectQuickRowInsideItsFrames(const std::string& where) {
  const WindowReadings window;
  QuickSlots& slots = quickSlots();
  int bars = 0, counts = 0;
  for (int i = 0; i < QuickSlots::kCount; ++i) {
    InventorySprite* slot = slots.sprite(i);
    ASSERT_NE(slot, nullptr) << where;
    const Box frame = boxOf(*slot);
    const Box number = window.drawnBox({slots.numberLabel(i)});
    EXPECT_FALSE(number.empty()) << where << ": slot " << i + 1 << " shows its key";
    EXPECT_TRUE(number.inside(wholeWindow())) << where;
    if (slot->durabilityBar() != nullptr && slot->durabilityBar()->isVisible()) {
      std::vector<engine::Node*> bar{slot->durabilityBar()};
      if (slot->marker() != nullptr) bar.push_back(slot->marker());
      const Box drawn = window.drawnBox(bar);
      EXPECT_TRUE(drawn.inside(frame)) << where << ": slot " << i + 1 << "'s bar " << drawn << " in " << frame;
      EXPECT_FALSE(drawn.meets(number)) << where << ": slot " << i + 1 << "'s bar " << drawn << " covers its key "
                                        << number;
      // The bar lies in a dark well: nothing of it shows gold past the bar's end.
      if (i != slots.selected()) {
        EXPECT_EQ(window.goldDrawnBy(bar), 0) << where << ": slot " << i + 1;
      }
      ++bars;
    }
    if (slot->countLabel() != nullptr) {
      const Box drawn = window.drawnBox({slot->countLabel()});
      EXPECT_TRUE(drawn.inside(frame)) << where << ": slot " << i + 1 << "'s count " << drawn << " in " << frame;
      EXPECT_FALSE(drawn.meets(number)) << where;
      ++counts;
    }
  }
  EXPECT_GT(bars, 0) << where << ": a tool shows its bar";
  EXPECT_GT(counts, 0) << where << ": a stack shows its count";
}

// A new world whose quick row holds a stack, which shows its count.
std::vector<Step> intoAWorldWithAStack() {
  return joined(intoANewWorld(), {
      {"a stack in the quick row", [] {
         give(kOakPlanks, 64);
         return !slotsHolding(kOakPlanks).empty();
       }},
  });
}

// The view left for the main view.
Step closedWithEscape(const std::string& what, ViewId view) {
  return {what + " closed", [view] {
            if (current() == view) tap(GLFW_KEY_ESCAPE);
            return current() == ViewId::Main;
          }};
}

class ScreenFramesTest : public AppRunTest {
 protected:
  int waited_ = 0;
  bool wait(int frames) { return ++waited_ >= frames ? (waited_ = 0, true) : false; }
  // A step that sizes the window and waits until the game has laid itself out for it.
  Step sized(const engine::Size& size) {
    return {"a window of " + sizeName(size), [this, size] {
              if (winSize() != size) {
                resizeWindow(size);
                return false;
              }
              return wait(5);
            }, 240};
  }
  // A step that reads every cell of the inventory's page as drawn, counted in `read`.
  static Step cellsRead(const std::string& where, int& read) {
    return {"the cells " + where, [where, &read] {
              expectCellsInsideAndClearOfTheHud(where);
              ++read;
              return true;
            }};
  }
};

TEST_F(ScreenFramesTest, TheQuickRowAndTheMapStayInsideTheirFramesAtEachWindowSize) {
  std::vector<Step> steps = intoAWorldWithAStack();
  int read = 0;
  for (const engine::Size& size : kSizes) {
    const std::string where = sizeName(size);
    steps.push_back(sized(size));
    steps.push_back({"the quick row at " + where, [where, &read] {
                       expectQuickRowInsideItsFrames(where);
                       ++read;
                       return true;
                     }});
    steps.push_back({"the map at " + where, [this] {
                       if (current() == ViewId::Main) tap(GLFW_KEY_M);
                       return current() == ViewId::Map && mapView().framePanel() != nullptr && wait(3);
                     }});
    steps.push_back({"the map's frame at " + where, [where, &read] {
                       const Box panel = WindowReadings().drawnBox({mapView().framePanel()});
                       EXPECT_TRUE(panel.inside(wholeWindow())) << where << ": " << panel;
                       EXPECT_GE(panel.bottom, static_cast<int>(std::ceil(QuickSlots::barTop())))
                           << where << ": the frame's lower edge " << panel << " runs through the quick row";
                       ++read;
                       return true;
                     }});
    steps.push_back(closedWithEscape("the map", ViewId::Map));
  }
  Script script(steps);
  playScript(script);
  EXPECT_EQ(read, 6);
}

TEST_F(ScreenFramesTest, TheDeathViewAndTheInventoryLeaveAnAchievementBannerWhole) {
  AchievementDialog* banner = nullptr;
  const auto showBanner = [&banner] {
    banner = mainLayerAchievementDialog();
    return banner != nullptr && banner->show("Timber!", "Break the trunk of a tree with a tool of stone or better.", 0);
  };
  // The banner is down once its slide is over: its top at the window's top.
  const auto bannerDown = [&banner] {
    return banner != nullptr && banner->isVisible() &&
           std::abs(banner->getPositionY() - (winSize().height - AchievementDialog::shownHeight() / 2)) < 1.0f;
  };
  // The banner drawn whole (as tall as it stands) and nothing of the view's over it.
  const auto expectBannerWhole = [&banner](const std::string& where) {
    const WindowReadings window;
    const Box drawn = window.drawnBox({banner});
    ASSERT_FALSE(drawn.empty()) << where;
    EXPECT_GE(drawn.top - drawn.bottom + 2, static_cast<int>(AchievementDialog::shownHeight()))
        << where << ": the banner " << drawn << " is cut";
    EXPECT_GT(window.goldDrawnBy({banner}, true), 30) << where << ": the banner's title is drawn under the view's shade";
    // What the view draws there besides its shade, which darkens the whole window under the banner.
    std::vector<engine::Node*> drawnByView;
    for (engine::Node* child : gameViews()->current()->root()->getChildren()) {
      if (dynamic_cast<engine::LayerColor*>(child) == nullptr) drawnByView.push_back(child);
    }
    EXPECT_EQ(changedIn(drawn, drawnByView), 0) << where << ": the view draws under the banner " << drawn;
  };
  int read = 0;
  std::vector<Step> steps = joined(intoANewWorld(), {});
  for (const engine::Size& size : {kSizes[1], kSizes[2]}) {
    const std::string where = sizeName(size);
    steps.push_back(sized(size));
    steps.push_back({"a banner at " + where, showBanner});
    steps.push_back({"the banner down", bannerDown, 60});
    steps.push_back({"the player dies", [] {
                       gameViews()->session().game().damageLocalPlayer(10000.0f, 0);
                       return true;
                     }});
    steps.push_back({"the death view", [this] { return current() == ViewId::Death && wait(2); }, 30});
    steps.push_back({"the banner over the death view at " + where, [&, where] {
                       expectBannerWhole("the death view at " + where);
                       ++read;
                       return true;
                     }});
    steps.push_back({"respawn", [] { return chooseRow("Respawn"); }});
    steps.push_back({"the banner gone", [&banner] { return current() == ViewId::Main && !banner->isVisible(); }, 240});
    steps.push_back({"the inventory", [] {
                       if (current() == ViewId::Main) tap(GLFW_KEY_E);
                       return current() == ViewId::Inventory;
                     }});
    steps.push_back({"a banner over the inventory", showBanner});
    steps.push_back({"that banner down", bannerDown, 60});
    steps.push_back({"the banner over the inventory at " + where, [&, where] {
                       expectBannerWhole("the inventory at " + where);
                       ++read;
                       return true;
                     }});
    steps.push_back({"the inventory closed and the banner gone", [&banner] {
                       if (current() == ViewId::Inventory) tap(GLFW_KEY_ESCAPE);
                       return current() == ViewId::Main && !banner->isVisible();
                     }, 240});
  }
  Script script(steps);
  playScript(script);
  EXPECT_EQ(read, 4);
}

TEST_F(ScreenFramesTest, TheInventorysCellsStayInsideTheWindowAndClearOfTheHudAtEachWindowSize) {
  std::vector<Step> steps = intoAWorldWithAStack();
  int read = 0;
  for (const engine::Size& size : kSizes) {
    const std::string where = sizeName(size);
    steps.push_back(sized(size));
    steps.push_back({"the inventory at " + where, [this] {
                       if (current() == ViewId::Main) tap(GLFW_KEY_E);
                       return current() == ViewId::Inventory && inventoryView().page() == InventoryView::kBackpack &&
                              wait(3);
                     }});
    for (const uint8_t page : {InventoryView::kBackpack, InventoryView::kCrafting}) {
      const std::string on = where + (page == InventoryView::kBackpack ? " on the backpack" : " on the crafting page");
      steps.push_back({"the page " + on, [this, page] {
                         if (inventoryView().page() != page) tap(GLFW_KEY_TAB);
                         return inventoryView().page() == page && wait(3);
                       }});
      steps.push_back(cellsRead(on, read));
    }
    steps.push_back(closedWithEscape("the inventory", ViewId::Inventory));
  }
  Script script(steps);
  playScript(script);
  EXPECT_EQ(read, 6);
}

TEST_F(ScreenFramesTest, TheLargestChestsCellsStayInsideTheWindowAndClearOfTheHudAtEachWindowSize) {
  const ItemRule& largest = largestChest();
  MapBlock* placed = nullptr;
  Chest* chest = nullptr;
  std::vector<Step> steps = joined(intoAWorldWithAStack(), chestPlaced(largest, placed, chest));
  int read = 0;
  for (const engine::Size& size : kSizes) {
    const std::string where = sizeName(size) + " with a chest of " + std::to_string(largest.value) + " slots";
    steps.push_back(sized(size));
    steps.push_back(chestOpened("open the chest at " + where, placed, chest));
    steps.push_back({"the chest's page at " + where, [this, where] {
                       if (!wait(3)) return false;
                       EXPECT_GT(inventoryView().grid().pageStep(true), 0) << where << ": its later slots are paged to";
                       return true;
                     }});
    steps.push_back(cellsRead(where, read));
    steps.push_back(closedWithEscape("the chest", ViewId::Inventory));
  }
  Script script(steps);
  playScript(script);
  EXPECT_EQ(read, 3);
}

// Walks the current list from its first row to its last with the Down key, as a player reads the
// Options: each row the selection reaches is drawn, whole inside the window. The rows reached.
int expectEveryRowReachedInsideTheWindow(const std::string& where) {
  ListView* view = currentList();
  if (view == nullptr) {
    ADD_FAILURE() << where << ": no list";
    return 0;
  }
  const MenuList& list = view->list();
  const int count = static_cast<int>(list.rows().size());
  while (list.selected() > 0 && list.selected() != count - 1) tap(GLFW_KEY_UP);
  if (list.selected() == count - 1) tap(GLFW_KEY_DOWN);  // from the last row to the first
  int reached = 0;
  for (int step = 0; step < count; ++step) {
    const int row = list.selected();
    const engine::Rect rect = list.rowRect(row);
    const Box box{static_cast<int>(std::floor(rect.getMinX())), static_cast<int>(std::floor(rect.getMinY())),
                  static_cast<int>(std::ceil(rect.getMaxX())) - 1, static_cast<int>(std::ceil(rect.getMaxY())) - 1};
    const std::string name = where + ": the row \"" + list.rows()[static_cast<size_t>(row)].text + "\"";
    EXPECT_FALSE(box.empty()) << name << " is not shown when it is chosen";
    EXPECT_TRUE(box.inside(wholeWindow())) << name << " " << box << " runs out of the window";
    if (!box.empty() && box.inside(wholeWindow())) {
      EXPECT_GT(changedIn(box, {list.node()}), 0) << name << " is not drawn where it stands";
    }
    ++reached;
    if (row == count - 1) break;
    tap(GLFW_KEY_DOWN);
  }
  EXPECT_EQ(list.selected(), count - 1) << where << ": the last row is never reached";
  return reached;
}

TEST_F(ScreenFramesTest, EveryOptionsRowIsDrawnInsideTheWindowAtEachWindowSize) {
  std::vector<Step> steps = {
      {"the start view", [this] { return current() == ViewId::Start && wait(3); }},
      {"its options", [] { return chooseRow("Options") && startView().page() == StartView::Page::Options; }, 10},
  };
  int startRows = 0, pauseRows = 0;
  for (const engine::Size& size : kSizes) {
    const std::string where = "the start view's Options at " + sizeName(size);
    steps.push_back(sized(size));
    steps.push_back({where, [where, &startRows] {
                       startRows += expectEveryRowReachedInsideTheWindow(where);
                       return true;
                     }});
  }
  steps.push_back({"back to the main menu", [] {
                     tap(GLFW_KEY_ESCAPE);
                     return startView().page() == StartView::Page::Main;
                   }, 10});
  steps = joined(steps, intoANewWorld());
  steps.push_back({"pause", [] {
                     if (current() == ViewId::Main) tap(GLFW_KEY_ESCAPE);
                     return current() == ViewId::Pause;
                   }, 10});
  steps.push_back({"the pause view's options", [] { return chooseRow("Options") && hasRow("Back"); }, 10});
  for (const engine::Size& size : kSizes) {
    const std::string where = "the pause view's Options at " + sizeName(size);
    steps.push_back(sized(size));
    steps.push_back({where, [where, &pauseRows] {
                       pauseRows += expectEveryRowReachedInsideTheWindow(where);
                       return true;
                     }});
  }
  steps.push_back({"back to the game", [] {
                     if (current() == ViewId::Pause) tap(GLFW_KEY_ESCAPE);
                     return current() == ViewId::Main;
                   }, 10});
  Script script(steps);
  playScript(script);
  EXPECT_GT(startRows, 3 * 20) << "the start view's Options were not all walked";
  EXPECT_GT(pauseRows, 3 * 20) << "the pause view's Options were not all walked";
}

// The quick row's first cell and the backpack's first, where the inventory draws them now.
struct CellPlaces {
  engine::Vec2 quick, backpack;
  bool operator==(const CellPlaces&) const = default;
};
CellPlaces cellPlaces() {
  return {inventoryCellPoint({SlotKind::Quick, 0, 0}), inventoryCellPoint({SlotKind::Backpack, 0, 0})};
}

TEST_F(ScreenFramesTest, TheQuickRowAndTheBackpackStayInPlaceOnEveryPageOfTheLargestChest) {
  const ItemRule& largest = largestChest();
  MapBlock* placed = nullptr;
  Chest* chest = nullptr;
  std::vector<Step> steps = joined(intoAWorldWithAStack(), chestPlaced(largest, placed, chest));
  int pagesRead = 0;
  // The tallest window the screen holds too: there a full page has more rows than the backpack.
  for (const engine::Size& size : {kSizes[0], kSizes[1], kSizes[2], engine::Size(1920, 1200)}) {
    const std::string where = sizeName(size);
    auto first = std::make_shared<CellPlaces>();
    steps.push_back(sized(size));
    steps.push_back(chestOpened("open the chest at " + where, placed, chest));
    // The chest opens on the page it was left at: back to its first.
    steps.push_back({"its first page at " + where, [this, first] {
                       if (!wait(2)) return false;
                       const engine::Vec2 back = ui_test::pageButtonPoint(inventoryView(), false);
                       if (back.x >= 0) {
                         click(back, GLFW_MOUSE_BUTTON_LEFT);
                         return false;
                       }
                       *first = cellPlaces();
                       return first->quick.x >= 0 && first->backpack.x >= 0;
                     }, 600});
    steps.push_back({"every later page at " + where, [this, first, where, &pagesRead, &chest] {
                       if (!wait(2)) return false;
                       const CellPlaces now = cellPlaces();
                       EXPECT_EQ(now.quick, first->quick) << where << " at slot " << chest->offset()
                                                          << ": the quick row moved";
                       EXPECT_EQ(now.backpack, first->backpack) << where << " at slot " << chest->offset()
                                                                << ": the backpack moved";
                       ++pagesRead;
                       const engine::Vec2 next = ui_test::pageButtonPoint(inventoryView(), true);
                       if (next.x < 0) return true;  // the last page
                       click(next, GLFW_MOUSE_BUTTON_LEFT);
                       return false;
                     }, 600});
    steps.push_back(closedWithEscape("the chest", ViewId::Inventory));
  }
  Script script(steps);
  playScript(script);
  EXPECT_GE(pagesRead, 4 * 2) << "the chest was not paged at every size";
}

}  // namespace
