// The pages' one look as the window draws it: the map fills its frame with fog where little is
// explored, a worn tool's durability bar lies inside its quick slot at every window size and on
// either side the option names, and the
// start view's planet is drawn at the world's pixel scale.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/sprite/sprite.h"
#include "engine/window/gl_view.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "platform/settings/option_values.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "ui/views/map_view.h"
#include "view/inventory/inventory_sprite.h"

namespace {

using namespace apptest;

using Pixels = std::vector<unsigned char>;

// Black as the map drew the cells no one had seen: no channel above 24.
bool nearBlack(const Pixels& pixels, size_t i) { return pixels[i] <= 24 && pixels[i + 1] <= 24 && pixels[i + 2] <= 24; }

double nearBlackShare(const Pixels& pixels) {
  size_t dark = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) dark += nearBlack(pixels, i);
  return 100.0 * static_cast<double>(dark) / static_cast<double>(std::max<size_t>(1, pixels.size() / 4));
}

engine::Rect wholePoints(const engine::Rect& r) {
  const float left = std::floor(r.getMinX()), bottom = std::floor(r.getMinY());
  return {left, bottom, std::ceil(r.getMaxX()) - left, std::ceil(r.getMaxY()) - bottom};
}

Pixels pixelsOf(const engine::Rect& r) {
  const engine::Rect w = wholePoints(r);
  return framePixels(static_cast<int>(w.getMinX()), static_cast<int>(w.getMinY()), static_cast<int>(w.size.width),
                     static_cast<int>(w.size.height));
}

MapView& mapView() { return dynamic_cast<MapView&>(gameViews()->view(ViewId::Map)); }

// ---- The quick slot's durability bar ----

// The smallest rectangle around the pixels that the bar and its marker frame change, read in a
// square around the slot four times its size; empty when they change none.
engine::Rect barPixelsBox(InventorySprite& slot) {
  const engine::Rect around = wholePoints(slot.getBoundingBox());
  const float reach = around.size.width * 1.5f;
  const engine::Rect region = wholePoints(engine::Rect(around.getMinX() - reach, around.getMinY() - reach,
                                                       around.size.width + 2 * reach, around.size.height + 2 * reach));
  const Pixels shown = pixelsOf(region);
  slot.durabilityBar()->setVisible(false);
  if (slot.marker() != nullptr) slot.marker()->setVisible(false);
  const Pixels hidden = pixelsOf(region);
  slot.durabilityBar()->setVisible(true);
  if (slot.marker() != nullptr) slot.marker()->setVisible(true);
  const int width = static_cast<int>(region.size.width);
  int left = width, right = -1, bottom = 1 << 20, top = -1;
  for (size_t i = 0; i + 3 < shown.size() && i + 3 < hidden.size(); i += 4) {
    if (shown[i] == hidden[i] && shown[i + 1] == hidden[i + 1] && shown[i + 2] == hidden[i + 2]) continue;
    const int x = static_cast<int>(i / 4) % width, y = static_cast<int>(i / 4) / width;
    left = std::min(left, x), right = std::max(right, x), bottom = std::min(bottom, y), top = std::max(top, y);
  }
  if (right < 0) return {};
  return {region.getMinX() + static_cast<float>(left), region.getMinY() + static_cast<float>(bottom),
          static_cast<float>(right - left + 1), static_cast<float>(top - bottom + 1)};
}

// Whether the bar and its frame are drawn, all inside the slot's rectangle, in the half of it the
// quickslotDurabilityAnchor option names (1 up, 2 down).
void expectBarInsideSlot(InventorySprite& slot, const std::string& where) {
  const engine::Rect bar = barPixelsBox(slot);
  const engine::Rect frame = wholePoints(slot.getBoundingBox());
  ASSERT_GT(bar.size.width, 0.0f) << where << ": the worn pickaxe shows its bar";
  EXPECT_GE(bar.getMinX(), frame.getMinX()) << where;
  EXPECT_LE(bar.getMaxX(), frame.getMaxX()) << where;
  EXPECT_GE(bar.getMinY(), frame.getMinY()) << where;
  EXPECT_LE(bar.getMaxY(), frame.getMaxY()) << where;
  const float middle = frame.getMinY() + frame.size.height / 2.0f;
  if (kel::options().quickslotDurabilityAnchor == kel::Anchor{2}) {
    EXPECT_LE(bar.getMaxY(), middle) << where << ": the bar lies along the slot's foot";
  } else {
    EXPECT_GE(bar.getMinY(), middle) << where << ": the bar lies along the slot's head";
  }
}

using HudAndMapLookTest = AppRunTest;

TEST_F(HudAndMapLookTest, AWornToolsDurabilityBarLiesInsideItsSlotAtEachWindowSize) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  const engine::Size larger(1280, 720);
  bool readSmall = false, readLarge = false;
  const auto pickaxeSlot = []() -> InventorySprite* {
    InventorySprite* slot = gameViews()->mainView().hud().quickSlots().sprite(0);
    return slot != nullptr && slot->durabilityBar() != nullptr && slot->durabilityBar()->isVisible() ? slot : nullptr;
  };
  Script script(joined(intoANewWorld(), {
      {"the pickaxe is worn by use", [&] {
         const Item* pickaxe = player()->inventory->slotItem({SlotKind::Quick, 0, 0});
         if (pickaxe == nullptr || pickaxe->maxDurability() == 0) return false;
         // Mining wears the held tool a point a block: a third of its life.
         for (int i = 0; i < pickaxe->maxDurability() / 3; ++i) player()->wearTool(0);
         return true;
       }},
      {"its bar in an 800 x 600 window", [&] {
         InventorySprite* slot = pickaxeSlot();
         if (slot == nullptr || !wait(3)) return false;
         expectBarInsideSlot(*slot, "800 x 600");
         readSmall = true;
         return true;
       }},
      {"the bar asked at the slots' foot and the window resized", [&] {
         kel::options().quickslotDurabilityAnchor = kel::Anchor{2};
         glfwSetWindowSize(engine::GLView::current()->getWindow(), static_cast<int>(larger.width),
                           static_cast<int>(larger.height));
         return true;
       }},
      {"its bar in a 1280 x 720 window", [&] {
         if (engine::Director::getInstance()->getWinSize() != larger) return false;
         InventorySprite* slot = pickaxeSlot();
         if (slot == nullptr || !wait(3)) return false;
         expectBarInsideSlot(*slot, "1280 x 720");
         readLarge = true;
         return true;
       }, 240},
  }));
  playScript(script);
  EXPECT_TRUE(readSmall && readLarge);
}

// ---- The map ----

TEST_F(HudAndMapLookTest, TheMapFillsItsFrameWithFogWhereLittleIsExplored) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  double blackShare = 100.0;
  double edgeBlack[4] = {100.0, 100.0, 100.0, 100.0};
  bool markerRed = false;
  Script script(joined(intoANewWorld(), {
      {"open the map", [&] {
         tap(GLFW_KEY_M);
         return current() == ViewId::Map && mapView().picture() != nullptr && wait(2);
       }},
      {"the whole map in its frame", [&] {
         const engine::Rect box = mapView().pictureFrame();
         blackShare = nearBlackShare(pixelsOf(box));
         // A line of pixels just inside each edge of the frame: the left, right, bottom and top.
         const engine::Rect edges[4] = {{box.getMinX(), box.getMinY(), 1, box.size.height},
                                        {box.getMaxX() - 1, box.getMinY(), 1, box.size.height},
                                        {box.getMinX(), box.getMinY(), box.size.width, 1},
                                        {box.getMinX(), box.getMaxY() - 1, box.size.width, 1}};
         for (int i = 0; i < 4; ++i) edgeBlack[i] = nearBlackShare(pixelsOf(edges[i]));
         // The player's mark stays on the player's cell.
         const engine::Vec2 at = mapView().frame().pointOfCell(static_cast<int32_t>(player()->cellX),
                                                               static_cast<int32_t>(player()->cellY));
         const Pixels mark = framePixels(static_cast<int>(box.getMinX() + at.x), static_cast<int>(box.getMinY() + at.y), 1, 1);
         markerRed = mark[0] > 200 && mark[1] < 80 && mark[2] < 80;
         return true;
       }},
  }));
  playScript(script);
  EXPECT_LT(blackShare, 2.0) << "the frame is not a black box where little is explored";
  for (int i = 0; i < 4; ++i) EXPECT_LT(edgeBlack[i], 2.0) << "the picture reaches the frame's edge " << i;
  EXPECT_TRUE(markerRed) << "the player's mark on the player's cell";
}

}  // namespace
