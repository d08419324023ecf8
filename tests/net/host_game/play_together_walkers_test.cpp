// A walking mob walks on every screen, over real ENet on 127.0.0.1: when the host's rules send a
// walker on its way, the joined player's copy of it sets out on the same walk rather than standing
// where it was made.

#include <gtest/gtest.h>

#include <cmath>

#include "content/tables/mob_def.h"
#include "entities/core/entity_cast.h"
#include "entities/mobs/mob_entity.h"
#include "tests/net/host_game/play_together.h"
#include "world/rules/mob_movement.h"

namespace nettest {
namespace {

constexpr float kCell = 30.0f;

// The first mob of the content that walks; null for none.
const MobDef* aWalker() {
  for (uint16_t id = 0; id < 1000; ++id) {
    const MobDef* mob = mobDefinitionById(id);
    if (mob != nullptr && static_cast<MobAiKind>(mob->movementKind() & 3) == MobAiKind::Walker) return mob;
  }
  return nullptr;
}

using PlayTogetherWalkers = PlayTogether;

TEST_P(PlayTogetherWalkers, HerCopyOfAWalkerFollowsTheHostsWalk) {
  const MobDef* kind = aWalker();
  ASSERT_NE(kind, nullptr);
  MobEntity* mob = hostWorld->rules().spawnMob(kind, onHost(kAnn).position, {}, 0, nullptr, 0);
  ASSERT_NE(mob, nullptr);
  const EntityId id = mob->id();
  MobEntity* seen = nullptr;
  ASSERT_TRUE(runUntil([&] {
    seen = entity_cast<MobEntity>(ann->world()->effects().entityById(id));
    return seen != nullptr;
  })) << "her world shows the mob";
  // Both settle where the host put it down.
  settle();
  const float before = seen->data.x;

  // The host's rules choose a walk for it, as its thinking does: her copy takes the same walk.
  const float speed = std::max(kind->moveStrength(1) * 0.5f, 1.0f);
  hostWorld->rules().steerMob(mob, MobMovement{static_cast<uint32_t>(mob_state::kWalkingRight), speed, 120.0f});
  EXPECT_TRUE(runUntil([&] {
    seen = entity_cast<MobEntity>(ann->world()->effects().entityById(id));
    return seen != nullptr && seen->state == mob_state::kWalkingRight && seen->walkingSpeed() == speed;
  })) << "her copy does not set out";
  EXPECT_TRUE(runUntil([&] {
    seen = entity_cast<MobEntity>(ann->world()->effects().entityById(id));
    return seen != nullptr && std::fabs(seen->data.x - before) > kCell / 2;
  })) << "her copy stands where it was made, at x " << before;
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherWalkers, ::testing::Values(false));

}  // namespace
}  // namespace nettest
