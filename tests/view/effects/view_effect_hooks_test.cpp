// The world view's effect hooks: mobs go to the rules' form, shakes and wearers to the view, and
// without a world view or a sprite nothing is shaken or placed.

#include "view/effects/view_effect_hooks.h"

#include <gtest/gtest.h>

#include "game/player/player_graphical.h"
#include "view/effects/screen_shake.h"
#include "tests/support/screen_shake_probe.h"

namespace {

class RecordingRules final : public EffectHooks {
 public:
  Entity* mobBody(MobEntity* mob) override {
    asked = mob;
    return body;
  }
  void spawnMob(World&, const MobRequest& request) override { spawned.push_back(request.row); }
  void shakeScreen(bool) override { ++shakes; }
  bool wearerPlace(PlayerGraphical*, World*&, engine::Vec2&) override { return true; }
  MobEntity* asked = nullptr;
  Entity* body = reinterpret_cast<Entity*>(uintptr_t{0x50});
  std::vector<uint16_t> spawned;
  int shakes = 0;
};

TEST(ViewEffectHooks, MobsGoToTheRulesAndTheViewAnswersShakesAndWearers) {
  RecordingRules rules;
  ViewEffectHooks hooks(rules);
  auto* mob = reinterpret_cast<MobEntity*>(uintptr_t{0x40});
  EXPECT_EQ(hooks.mobBody(mob), rules.body);
  EXPECT_EQ(rules.asked, mob);
  World* world = reinterpret_cast<World*>(uintptr_t{0x60});
  hooks.spawnMob(*world, MobRequest{.row = 12});
  EXPECT_EQ(rules.spawned, std::vector<uint16_t>{12});

  // No world view: the shake is the view's and does nothing, and the rules' form is not asked.
  resetScreenShake();
  hooks.shakeScreen(false);
  EXPECT_EQ(rules.shakes, 0);
  EXPECT_TRUE(screenShakeAllowed());

  // A player without a sprite has no place to show a worn item's effect.
  PlayerGraphical player(nullptr);
  World* where = nullptr;
  engine::Vec2 at{};
  EXPECT_FALSE(hooks.wearerPlace(&player, where, at));
  EXPECT_EQ(where, nullptr);
}

}  // namespace
