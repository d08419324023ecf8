// A joined player's bow fires what lies in her ammunition slot and spends it once, on her side and
// on the host's copy of her items, over real ENet on 127.0.0.1; an arrow the host's copy lacks
// flies nowhere and goes back to her.

#include <gtest/gtest.h>

#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "entities/projectiles/bullet_entity.h"
#include "game/rules/projectile_choice.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

struct Bow {
  uint16_t weapon = 0;
  uint16_t arrow = 0;
};

// A weapon of the content that shoots from the ammunition slot and is no rod, with an ammunition
// it accepts that has a projectile of its own; zeros for none.
Bow anyBow() {
  const auto& defs = contentTables().itemDefs;
  for (size_t weapon = 1; weapon < defs.size(); ++weapon) {
    const RangedSpec* ranged = defs[weapon].defined ? defs[weapon].rangedSpec : nullptr;
    if (ranged == nullptr || !ranged->needsAmmunition() || ranged->castsBobber()) continue;
    for (size_t arrow = 1; arrow < defs.size(); ++arrow) {
      bool rangeFlag = false;
      if (!defs[arrow].defined || defs[arrow].rangedSpec == nullptr) continue;
      if (acceptsAmmunition(static_cast<uint16_t>(weapon), static_cast<uint16_t>(arrow), rangeFlag)) {
        return {static_cast<uint16_t>(weapon), static_cast<uint16_t>(arrow)};
      }
    }
  }
  return {};
}

constexpr SlotRef kAmmunitionSlot{SlotKind::Single, 0, 0};

uint16_t countIn(const Inventory& inventory, SlotRef slot) {
  const Item* item = inventory.slotItem(slot);
  return item != nullptr ? item->count : 0;
}

class PlayTogetherAmmunition : public PlayTogether {
 protected:
  // The bow in her hand, the host holding it for her too.
  void holdBow(const Bow& bow) {
    carryTool(*ann, 4, newItem(bow.weapon, 0, 1, -1, 0));
    hold(*ann, 4);
    ASSERT_TRUE(runUntil([&] {
      const Item* held = onHost(kAnn).heldItem();
      return held != nullptr && held->id == bow.weapon;
    })) << "the host knows what she holds";
  }
  // The arrows of the bow's own projectile row flying in the hosted world.
  size_t arrowsFlying(const Bow& bow) {
    const int16_t row = contentTables().itemDefs[bow.arrow].rangedSpec->bulletRow();
    size_t flying = 0;
    session->entities().lists().forEach([&](const RealEntity& entity) {
      const auto* bullet = dynamic_cast<const BulletEntity*>(&entity);
      if (bullet != nullptr && !bullet->data.removed && bullet->row() == static_cast<uint16_t>(row)) ++flying;
    });
    return flying;
  }
};

TEST_P(PlayTogetherAmmunition, HerBowShootsAnArrowFromHerSlotAndSpendsItOnEachSide) {
  const Bow bow = anyBow();
  ASSERT_NE(bow.weapon, 0);
  carry(*ann, kAmmunitionSlot, bow.arrow, 5);
  holdBow(bow);

  ann->game().shoot(6.0f, 1.0f);
  EXPECT_TRUE(runUntil([&] { return arrowsFlying(bow) == 1; })) << "her arrow flies on the host";
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(bow.arrow) < 5; }))
      << "the host's copy of her items spent no arrow";
  settle();
  EXPECT_EQ(onHost(kAnn).items().countOf(bow.arrow), 4u) << "one arrow, once, on the host";
  EXPECT_EQ(countIn(ann->inventory(), kAmmunitionSlot), 4) << "and one from her ammunition slot";
}

TEST_P(PlayTogetherAmmunition, AnArrowTheHostsCopyLacksFliesNowhereAndComesBack) {
  const Bow bow = anyBow();
  ASSERT_NE(bow.weapon, 0);
  // In her slot, but never declared to the host nor gained there.
  ann->inventory().setSlot(kAmmunitionSlot, newItem(bow.arrow, 0, 3, 0, 0));
  holdBow(bow);

  ann->game().shoot(6.0f, 1.0f);
  EXPECT_EQ(countIn(ann->inventory(), kAmmunitionSlot), 2) << "her game spends its arrow as she shoots";
  ASSERT_TRUE(runUntil([&] { return ann->inventory().countItems(bow.arrow, false, true) == 3; }))
      << "the arrow her game spent came back to her";
  settle();
  EXPECT_EQ(arrowsFlying(bow), 0u) << "no arrow flies that the host's copy lacks";
  EXPECT_EQ(onHost(kAnn).items().countOf(bow.arrow), 0u);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherAmmunition, ::testing::Values(false));

}  // namespace
}  // namespace nettest
