#pragma once
// A player's sprite without a window: a small stone world with recorded sounds, a player standing
// on it holding what the test gives it, and the scene's director for the swing's actions.

#include <memory>

#include "content/items/item.h"
#include "engine/scene/action_manager.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_graphical.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/entities/entity_world.h"
#include "tests/world/world_recorders.h"
#include "view/player/player_sprite.h"
#include "world/light/light_map.h"

namespace player_sprite_test {

constexpr float kFrame = 1.0f / 60.0f;

class TestPlayer final : public PlayerGraphical {
 public:
  using PlayerGraphical::PlayerGraphical;
  Item* heldItem() const override { return held; }
  Item* getEquipment(bool secondSet, int index) const override { return worn[secondSet ? 1 : 0][index]; }
  Item* held = nullptr;
  Item* worn[2][5] = {};
};

class PlayerSpriteTest : public scenetest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    world = entity_test::buildStoneWorld(1);
    world->setContext({.sounds = &sounds});
    world->map().lightMap().relightAll();
  }
  void TearDown() override {
    world.reset();
    SceneTest::TearDown();
  }

  std::unique_ptr<TestPlayer> playerAt(uint32_t x, uint32_t y) {
    auto player = std::make_unique<TestPlayer>(world.get());
    player->setCellCoordinates(x, y);
    return player;
  }
  // Frames of the scheduler (the actions) and of the animator, as the main layer runs them.
  void frames(PlayerSprite& sprite, int count) {
    tick(0.0f);
    for (int i = 0; i < count; ++i) {
      tick(kFrame);
      sprite.animator()->update(kFrame);
    }
  }
  bool heldMoving(const PlayerSprite& sprite) {
    return director()->getActionManager()->getNumberOfRunningActionsInTarget(sprite.heldSprite()) > 0;
  }

  world_test::RecordingSounds sounds;
  std::unique_ptr<World> world;
};

}  // namespace player_sprite_test
