// Empty hands call the thrown toys near a point: each within reach is pushed away from the point,
// harder the farther it lies (the other way round with the mechanics inverted), by its kind's push
// factor, the short way across the world's seam; a held item calls nothing.

#include "game/rules/toy_signal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "entities/core/world_entities.h"
#include "entities/items/toy_entity.h"
#include "entities/items/toy_spec.h"
#include "entities/items/treasure_factory.h"
#include "tests/game/game_fixture.h"
#include "world/rules/entity_impulse.h"

namespace game_test {
namespace {

constexpr uint16_t kBall = 979;  // a toy of the toy table

class ThrownToys final : public NullRuleEntities {
 public:
  void collectToys(std::vector<ToyEntity*>& out) override { out.insert(out.end(), toys.begin(), toys.end()); }
  void push(Entity* entity, const EntityImpulse& impulse) override { pushes.emplace_back(entity, impulse); }
  std::vector<ToyEntity*> toys;
  std::vector<std::pair<Entity*, EntityImpulse>> pushes;
};

class ToySignalTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    lists = std::make_unique<WorldEntities>(*world);
    rules.setEntities(&thrown);
  }
  void TearDown() override {
    rules.setEntities(nullptr);
    lists.reset();
    GameTest::TearDown();
  }
  ToyEntity& toyAt(float x, float y) {
    auto* toy = dynamic_cast<ToyEntity*>(createTreasureEntity(*lists, newItem(kBall, 0, 1, -1, 0), {x, y}, 0, 0, 0, true));
    EXPECT_NE(toy, nullptr);
    thrown.toys.push_back(toy);
    return *toy;
  }

  std::unique_ptr<WorldEntities> lists;  // made for the fixture's world
  ThrownToys thrown;
};

TEST_F(ToySignalTest, ToysWithinReachArePushedAwayHarderTheFartherTheyLie) {
  const float factor = toySpecForItem(kBall)->pushFactor;
  ASSERT_GT(factor, 0.0f);
  const engine::Vec2 point(300, 150);
  ToyEntity& near = toyAt(360, 150);   // 60 pixels to the right
  ToyEntity& far = toyAt(300, 390);    // 240 pixels above
  toyAt(300 + 310, 150);               // out of reach
  ASSERT_TRUE(rules.signalEntitiesNear(player.get(), point, false));
  ASSERT_EQ(thrown.pushes.size(), 2u);
  EXPECT_EQ(thrown.pushes[0].first, &near);
  EXPECT_NEAR(thrown.pushes[0].second.strength, 0.2f * factor, 1e-5);
  EXPECT_NEAR(thrown.pushes[0].second.angle, 0.0f, 1e-5);
  EXPECT_EQ(thrown.pushes[0].second.reset, 1);
  EXPECT_EQ(thrown.pushes[1].first, &far);
  EXPECT_NEAR(thrown.pushes[1].second.strength, 0.8f * factor, 1e-5);
  EXPECT_NEAR(thrown.pushes[1].second.angle, static_cast<float>(M_PI / 2), 1e-5);

  thrown.pushes.clear();
  ASSERT_TRUE(rules.signalEntitiesNear(player.get(), point, true));
  EXPECT_NEAR(thrown.pushes[0].second.strength, 0.8f * factor, 1e-5) << "inverted: the near toy is pushed harder";
}

TEST_F(ToySignalTest, AToyJustAcrossTheSeamIsNearAndAHeldItemCallsNothing) {
  const float width = static_cast<float>(kWidth) * 30.0f;
  ToyEntity& across = toyAt(width - 20, 150);
  ASSERT_TRUE(rules.signalEntitiesNear(player.get(), {20, 150}, false));
  ASSERT_EQ(thrown.pushes.size(), 1u);
  EXPECT_EQ(thrown.pushes[0].first, &across);
  EXPECT_NEAR(std::fabs(thrown.pushes[0].second.angle), static_cast<float>(M_PI), 1e-5) << "pushed on, away from the point";

  thrown.pushes.clear();
  player->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kStone, 1));
  player->inventory->select(0);
  EXPECT_FALSE(rules.signalEntitiesNear(player.get(), {20, 150}, false));
  EXPECT_TRUE(thrown.pushes.empty());
}

}  // namespace
}  // namespace game_test
