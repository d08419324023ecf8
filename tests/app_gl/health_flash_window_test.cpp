// The HUD's health played through the window: hurt, the player heals by the world's regeneration,
// and as she does the whole health bar and its number flash green for a moment.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "game/session/game.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/hud/hud.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "view/player/portrait_frame.h"
#include "world/rules/game.h"

namespace {

using namespace apptest;

// Ten seconds of regeneration and a little more, in frames of the game's clock.
constexpr int kRegenerationFrames = 60 * 12;

PortraitFrame* portrait() { return gameViews()->mainView().hud().portrait(); }

// How many pixels of the portrait's bars and number (right of its figure) are green: the health
// bar is red and its number white, so only a heal's flash makes any. Greener than red is enough: the
// bar passes through yellow on its way to the flash's colour and back.
int greenInPortrait() {
  PortraitFrame* frame = portrait();
  if (frame == nullptr) return -1;
  const engine::Vec2 low = frame->getPosition() + frame->layoutPoint(0.3f, 0.0f);
  const engine::Vec2 high = frame->getPosition() + frame->layoutPoint(1.0f, 1.0f);
  const std::vector<unsigned char> pixels = framePixels(static_cast<int>(low.x), static_cast<int>(low.y),
                                                        static_cast<int>(high.x - low.x), static_cast<int>(high.y - low.y));
  int green = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    green += pixels[i + 1] > pixels[i] && pixels[i + 1] > pixels[i + 2] + 50;
  }
  return green;
}

// The health bar's pixels on the screen.
int barPixels() {
  const engine::Rect bar = portrait()->healthFill()->getBoundingBox();
  return static_cast<int>(bar.size.width * bar.size.height);
}

using HealthFlashWindowTest = AppRunTest;

TEST_F(HealthFlashWindowTest, TheHealthFlashesGreenAsSheHeals) {
  float hurt = 0;
  int before = -1;
  int whileHealing = 0;
  int framesSinceHeal = -1;
  int framesHurt = 0;
  int bar = 0;

  Script script(joined(intoANewWorld(), {
      {"she is hurt", [&] {
         gameViews()->session().game().damageLocalPlayer(3.0f, 0);
         hurt = player()->health;
         return hurt < player()->stats.maxHealth;
       }},
      {"the bars are read, the hurt's flash over", [&] {
         if (++framesHurt < 30) return false;
         before = greenInPortrait();
         return before >= 0;
       }, 40},
      {"she heals, and the health flashes", [&] {
         if (framesSinceHeal < 0 && player()->health > hurt) framesSinceHeal = 0;
         if (framesSinceHeal < 0) return false;
         whileHealing = std::max(whileHealing, greenInPortrait());
         bar = barPixels();
         return ++framesSinceHeal >= 8;
       }, kRegenerationFrames},
  }));

  playScript(script);
  EXPECT_EQ(before, 0);
  EXPECT_GT(whileHealing, bar / 2) << "healing does not flash the HUD's health bar: " << bar << " pixels of bar";
}

}  // namespace
