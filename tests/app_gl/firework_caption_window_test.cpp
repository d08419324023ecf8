// The caption a firework's fill raises over the inventory's cells, played through the window: a
// paint dragged onto the firework, the rising "Filled: 1 of 4 colours" reads whole, no cell's icon
// or frame drawn over any of its letters.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/text/label.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"

namespace {

using namespace apptest;

constexpr uint16_t kFirework = 1042;
constexpr uint16_t kRedPaint = 359;
constexpr const char* kCaption = "Filled: 1 of 4 colours";
const engine::Color3B kCaptionColour{255, 230, 120};

// The rising caption (the status line says the same in another colour), or null.
engine::Label* risingCaption() {
  engine::Node* scene = engine::Director::getInstance()->getRunningScene();
  if (scene == nullptr) return nullptr;
  for (engine::Label* label : labelsUnder(*scene, kCaption)) {
    if (label->getColor() == kCaptionColour && label->isVisible()) return label;
  }
  return nullptr;
}

// How far a colour lies from the nearest colour between the caption's dark ground and its letters
// (per channel, summed): a letter's edge blends the two, anything else drawn over it does not.
int offTheCaption(const unsigned char* p) {
  const int ground[3] = {24, 20, 32};
  const int letters[3] = {kCaptionColour.r, kCaptionColour.g, kCaptionColour.b};
  int best = 1 << 20;
  for (int step = 0; step <= 32; ++step) {
    int off = 0;
    for (int c = 0; c < 3; ++c) off += std::abs(p[c] - (ground[c] + (letters[c] - ground[c]) * step / 32));
    best = std::min(best, off);
  }
  return best;
}

// The pixels of the caption's box that neither its ground nor its letters explain.
int foreignPixelsOver(const engine::Label& label) {
  const engine::Vec2 low = label.convertToWorldSpace(engine::Vec2(0, 0));
  const engine::Vec2 high = label.convertToWorldSpace(engine::Vec2(label.getContentSize().width, label.getContentSize().height));
  const std::vector<unsigned char> pixels =
      framePixels(static_cast<int>(std::ceil(low.x)), static_cast<int>(std::ceil(low.y)), static_cast<int>(high.x - low.x) - 1,
                  static_cast<int>(high.y - low.y) - 1);
  int foreign = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) foreign += offTheCaption(&pixels[i]) > 90;
  return foreign;
}

using FireworkCaptionWindowTest = AppRunTest;

TEST_F(FireworkCaptionWindowTest, TheFillsCaptionReadsWholeOverTheCells) {
  int foreign = -1;
  Script script(joined(intoANewWorld(), {
      {"carry an empty firework and a paint", [&] {
         give(kFirework, 1);
         give(kRedPaint, 1);
         return carriedCount(kFirework) == 1 && carriedCount(kRedPaint) == 1;
       }, 1},
      {"open the inventory", [&] {
         tap(GLFW_KEY_E);
         return current() == ViewId::Inventory && gameViews()->inventoryView().spriteForSlot(slotOf(kFirework)) != nullptr;
       }},
      {"drag the paint onto the firework", [&] {
         dragInventoryStack(slotOf(kRedPaint), slotOf(kFirework));
         return carriedCount(kRedPaint) == 0;
       }, 1},
      {"the caption rises over the cells", [&] {
         engine::Label* caption = risingCaption();
         if (caption == nullptr) return false;
         foreign = foreignPixelsOver(*caption);
         return true;
       }, 5},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_EQ(foreign, 0) << "something is drawn over the caption's letters";
}

}  // namespace
