// Shots a hostile client makes up with her bow, over real ENet on 127.0.0.1: naming an arrow the
// bow takes that she does not hold, a stack she holds that the bow does not take, no ammunition,
// ids no item has, a shot cut short and one at a speed that is no number. No arrow flies for any of
// them and the host's copy of her items spends and gains nothing; her honest shot after them flies,
// once, and spends one arrow.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "entities/projectiles/bullet_entity.h"
#include "game/rules/projectile_choice.h"
#include "net/players/player_messages.h"
#include "net/wire/wire_messages.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr SlotRef kAmmunitionSlot{SlotKind::Single, 0, 0};

struct Bow {
  uint16_t weapon = 0;
  uint16_t arrow = 0;     // the one she carries
  uint16_t other = 0;     // one it takes that she never had
  uint16_t untaken = 0;   // a ranged item it does not take
};

bool ranged(uint16_t id) {
  const ItemDef& def = contentTables().itemDefs[id];
  return def.defined && def.rangedSpec != nullptr;
}

// A weapon of the content that shoots from the ammunition slot, is no rod and takes two
// ammunitions with projectiles of their own; zeros for none.
Bow anyBowOfTwoArrows() {
  const size_t items = contentTables().itemDefs.size();
  for (size_t id = 1; id < items; ++id) {
    const auto weapon = static_cast<uint16_t>(id);
    if (!ranged(weapon)) continue;
    const RangedSpec& spec = *contentTables().itemDefs[weapon].rangedSpec;
    if (!spec.needsAmmunition() || spec.castsBobber()) continue;
    std::vector<uint16_t> taken;
    uint16_t untaken = 0;
    for (size_t other = 1; other < items; ++other) {
      const auto ammunition = static_cast<uint16_t>(other);
      bool rangeFlag = false;
      if (!ranged(ammunition)) continue;
      if (acceptsAmmunition(weapon, ammunition, rangeFlag)) {
        taken.push_back(ammunition);
      } else if (untaken == 0 && !contentTables().itemDefs[ammunition].rangedSpec->needsAmmunition()) {
        untaken = ammunition;
      }
    }
    if (taken.size() >= 2 && untaken != 0) return {weapon, taken[0], taken[1], untaken};
  }
  return {};
}

Bytes shot(uint16_t ammunition, float speed) {
  const wire::WireOut out = wire::clientMessage(wire::PlayerMsg::Shoot)
                                .u32(0)
                                .u16(ammunition)
                                .u8(0)
                                .u8(0)
                                .point(0.0f, 0.0f)
                                .f32(speed)
                                .f32(1.0f);
  return Bytes(out.data(), out.data() + out.size());
}

class PlayTogetherForgedShots : public PlayTogether {
 protected:
  // The projectiles in the hosted world that her player shot.
  size_t herShots() {
    const uint32_t hers = onHost(kAnn).playerId();
    size_t shots = 0;
    session->entities().lists().forEach([&](const RealEntity& entity) {
      const auto* bullet = dynamic_cast<const BulletEntity*>(&entity);
      if (bullet != nullptr && !bullet->data.removed && bullet->ownerId() == hers) ++shots;
    });
    return shots;
  }
};

TEST_P(PlayTogetherForgedShots, AmmunitionSheLacksOrHerBowDoesNotTakeFliesNowhere) {
  const Bow bow = anyBowOfTwoArrows();
  ASSERT_NE(bow.weapon, 0);
  carry(*ann, kAmmunitionSlot, bow.arrow, 5);
  carry(*ann, 0, bow.untaken, 3);
  carryTool(*ann, 4, newItem(bow.weapon, 0, 1, -1, 0));
  hold(*ann, 4);
  PlayerItemCopy& items = onHost(kAnn).items();
  ASSERT_TRUE(runUntil([&] {
    const Item* held = onHost(kAnn).heldItem();
    return held != nullptr && held->id == bow.weapon;
  })) << "the host holds her bow for her";

  const uint64_t refusedBefore = server.refusedCount();
  for (const uint16_t named : {bow.other, bow.untaken, player_msg::kNoAmmunition, uint16_t{0}, uint16_t{4095}}) {
    sendBytes(*ann, shot(named, 6.0f));
  }
  const Bytes whole = shot(bow.arrow, 6.0f);
  const Bytes refused[] = {Bytes(whole.begin(), whole.end() - 1), shot(bow.arrow, std::nanf(""))};
  for (const Bytes& message : refused) sendBytes(*ann, message);

  ann->game().shoot(6.0f, 8.0f);  // her honest shot, from her slot
  ASSERT_TRUE(runUntil([&] { return herShots() >= 1; })) << "her honest arrow flies";
  EXPECT_EQ(herShots(), 1u) << "only her honest arrow flies";
  settle();
  EXPECT_EQ(server.refusedCount(), refusedBefore + std::size(refused)) << "a shot cut short or aimed at no number";
  EXPECT_EQ(items.countOf(bow.arrow), 4u) << "one arrow spent, by her honest shot";
  EXPECT_EQ(items.countOf(bow.other), 0u) << "the arrow she never had is not hers on the host";
  EXPECT_EQ(items.countOf(bow.untaken), 3u) << "what the bow does not take is not spent";
  EXPECT_EQ(items.countOf(bow.weapon), 1u);
  const auto told = [&] {
    return std::count(ann->log.messages.begin(), ann->log.messages.end(), std::string(player_msg::kNotHeld));
  };
  EXPECT_TRUE(runUntil([&] { return told() == 1; })) << "she is told once that she lacks the arrow she named";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherForgedShots, ::testing::Values(false));

}  // namespace
}  // namespace nettest
