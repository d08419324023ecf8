// What a joined player spends is spent once, on her side and on the host's, over real ENet on
// 127.0.0.1: a blow she lands on a mob wears her weapon by one point in her inventory and in the
// host's copy of what she holds, and in the host's copy of her items: the weapon she drops after
// lies in the world as worn as she made it.

#include <gtest/gtest.h>

#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "entities/mobs/mob_entity.h"
#include "game/inventory/item_kinds.h"
#include "game/rules/consumption_rules.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

// A weapon of the content that lasts more than one blow; 0 for none.
uint16_t wearingWeapon() {
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size(); ++id) {
    if (!defs[id].defined || defs[id].tool == nullptr) continue;
    const Item weapon(static_cast<uint16_t>(id), 0, 1, -1, 0);
    if (itemKindOf(&weapon) == item_kind::kWeapon && weapon.maxDurability() > 2) return static_cast<uint16_t>(id);
  }
  return 0;
}

// The first mob of the content; null for none.
const MobDef* anyMob() {
  for (uint16_t id = 0; id < 1000; ++id) {
    if (const MobDef* mob = mobDefinitionById(id)) return mob;
  }
  return nullptr;
}

using PlayTogetherSpending = PlayTogether;

TEST_P(PlayTogetherSpending, HerBlowOnAMobWearsHerWeaponOnceOnEachSide) {
  const uint16_t weapon = wearingWeapon();
  ASSERT_NE(weapon, 0);
  const MobDef* kind = anyMob();
  ASSERT_NE(kind, nullptr);
  carryTool(*ann, 4, newItem(weapon, 0, 1, -1, 0));
  hold(*ann, 4);
  const uint16_t full = ann->player().heldItem()->durability;
  ASSERT_TRUE(runUntil([&] {
    const Item* held = onHost(kAnn).heldItem();
    return held != nullptr && held->id == weapon && held->durability == full;
  })) << "the host knows what she holds";

  MobEntity* mob = hostWorld->rules().spawnMob(kind, onHost(kAnn).position, {}, 0, nullptr, 0);
  ASSERT_NE(mob, nullptr);
  const EntityId id = mob->id();
  MobEntity* seen = mobSeenBy(*ann, id);
  ASSERT_NE(seen, nullptr) << "her world shows the mob";
  ann->game().hitMob(seen);
  ASSERT_TRUE(runUntil([&] { return ann->player().heldItem()->durability < full; })) << "her weapon wore";
  settle();
  EXPECT_EQ(ann->player().heldItem()->durability, full - 1) << "by one point, once";
  ASSERT_NE(onHost(kAnn).heldItem(), nullptr);
  EXPECT_EQ(onHost(kAnn).heldItem()->durability, full - 1) << "and the host's copy with it";
  const ItemPtr carried = onHost(kAnn).items().peek(weapon, 1);
  ASSERT_NE(carried, nullptr);
  EXPECT_EQ(carried->durability, full - 1) << "the host's copy of her items wore the same weapon";

  ann->game().dropItem(ann->inventory().takeSlot({SlotKind::Quick, 4, 0}));
  const TreasureEntity* lying = nullptr;
  ASSERT_TRUE(runUntil([&] {
    session->entities().lists().forEach([&](const RealEntity& entity) {
      const auto* treasure = dynamic_cast<const TreasureEntity*>(&entity);
      if (treasure != nullptr && !treasure->data.removed && treasure->item().id == weapon) lying = treasure;
    });
    return lying != nullptr;
  })) << "her weapon lies in the hosted world";
  EXPECT_EQ(lying->item().durability, full - 1) << "as worn as she made it";
}

// A food of the content: a consumable that opens as no bag and feeds; 0 for none.
uint16_t aFood() {
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size(); ++id) {
    const Item food(static_cast<uint16_t>(id), 0, 1, -1, 0);
    if (defs[id].defined && isConsumable(food) && !isPotionItem(food.id) && defs[id].record.value() > 0) {
      return food.id;
    }
  }
  return 0;
}

// Only what her inventory eats is eaten: asked to eat a stone, the host spends none of it, as her
// own game would not have asked; a food she eats is spent.
TEST_P(PlayTogetherSpending, WhatIsNoFoodIsNotEatenFromHerItems) {
  const uint16_t food = aFood();
  ASSERT_NE(food, 0) << "the content has a food";
  const uint16_t stone = stackingItems(1)[0];
  ASSERT_FALSE(isConsumable(Item(stone, 0, 1, 0, 0)));
  carry(*ann, 0, stone, 3);
  carry(*ann, 1, food, 2);
  EXPECT_FALSE(ann->game().consumeItem(ann->inventory().slotItem({SlotKind::Quick, 0, 0}))) << "her game eats stone";

  // What a client sends past her game's own check, then a food.
  const Item bite(stone, 0, 1, 0, 0);
  wire::WireOut out = wire::clientMessage(wire::PlayerMsg::ConsumeItem);
  out.item(&bite);
  ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  ASSERT_TRUE(ann->game().consumeItem(ann->inventory().slotItem({SlotKind::Quick, 1, 0})));
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(food) == 1u; })) << "the food was eaten";
  EXPECT_EQ(onHost(kAnn).items().countOf(stone), 3u) << "the stone was eaten";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherSpending, ::testing::Values(false));

}  // namespace
}  // namespace nettest
