// A firework a joined player fills bursts in her colours on every screen, over real ENet on
// 127.0.0.1: she fills it in her own inventory, the host's copy of her items fills its own from
// her request, and the firework the host shoots for her, seen by the host and by a third player,
// carries her colours and bursts in them.

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "entities/effects/entity_effect_registry.h"
#include "entities/projectiles/bullet_entity.h"
#include "game/inventory/firework_filling.h"
#include "tests/net/host_game/play_together.h"
#include "tests/support/firework_sparks.h"

namespace nettest {
namespace {

constexpr uint16_t kFirework = 1042;
constexpr uint16_t kRedPaint = 359;   // the paint table's sixth row: colour 6
constexpr uint16_t kBluePaint = 615;  // its tenth: colour 10
constexpr uint16_t kPurplePaint = 551;  // its ninth: colour 9
constexpr uint8_t kRed = 6, kPurple = 9, kBlue = 10;
constexpr uint32_t kRedThenBlue = kRed | (kBlue << 4);

// The word of the firework flying in the lists; none: no firework flies.
std::optional<uint32_t> fireworkFlying(WorldEntities& lists) {
  std::optional<uint32_t> word;
  lists.bullets().forEach([&](const RealEntity& entity) {
    const auto* bullet = dynamic_cast<const BulletEntity*>(&entity);
    if (bullet != nullptr && !bullet->data.removed && fireworkCodes(bullet->extra) > 0) word = bullet->extra;
  });
  return word;
}

class PlayTogetherFireworks : public PlayTogether {
 protected:
  // A firework bursts as the game's start-up has it burst: its end's effect is registered.
  void SetUp() override {
    PlayTogether::SetUp();
    registry.registerEntityEffects();
  }
  EntityEffectRegistry registry;
};

TEST_P(PlayTogetherFireworks, HerFilledFireworkBurstsInHerColoursOnTheHostAndForAThirdPlayer) {
  ASSERT_FALSE(hostWorld->isCreative());
  carry(*ann, 0, kFirework, 1);
  carry(*ann, 1, kRedPaint, 1);
  carry(*ann, 2, kBluePaint, 1);
  // She fills it as the inventory view does: red first, then blue.
  ASSERT_EQ(fillPlayersFirework(ann->player(), {SlotKind::Quick, 1, 0}, {SlotKind::Quick, 0, 0}).result,
            FireworkFill::Filled);
  ASSERT_EQ(fillPlayersFirework(ann->player(), {SlotKind::Quick, 2, 0}, {SlotKind::Quick, 0, 0}).result,
            FireworkFill::Filled);
  ASSERT_EQ(ann->inventory().slotItem({SlotKind::Quick, 0, 0})->word, kRedThenBlue);
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  ASSERT_TRUE(runUntil([&] { return annOnHost.items().countOf(kBluePaint) == 0; }));
  EXPECT_EQ(annOnHost.items().countOf(kRedPaint), 0u) << "each filling spent its paint on the host too";
  EXPECT_EQ(annOnHost.items().countWithWord(kFirework, kRedThenBlue), 1u);

  hold(*ann, 0);
  ASSERT_TRUE(runUntil([&] {
    const Item* held = annOnHost.heldItem();
    return held != nullptr && held->id == kFirework;
  }));
  EXPECT_EQ(annOnHost.heldItem()->word, kRedThenBlue) << "the host holds her filled firework for her";

  // Up into the sky, as the main view aims.
  ann->game().shoot(0.0f, 8.0f);
  WorldEntities& onHostLists = session->entities().lists();
  WorldEntities& boLists = *bo->world()->entities();
  ASSERT_TRUE(runUntil([&] { return fireworkFlying(onHostLists) && fireworkFlying(boLists); }))
      << "her firework flies on the host and for Bo";
  EXPECT_EQ(fireworkFlying(onHostLists), kRedThenBlue);
  EXPECT_EQ(fireworkFlying(boLists), kRedThenBlue);
  EXPECT_TRUE(runUntil([&] { return ann->inventory().slotItem({SlotKind::Quick, 0, 0}) == nullptr; }))
      << "the firework she set loose is still in her hand";
  EXPECT_EQ(annOnHost.items().countOf(kFirework), 0u) << "the host's copy of her items still holds it";

  // Its burst is red, and the sub-rockets it sends burst in blue.
  const std::set<uint8_t> hers{kRed, kBlue};
  std::set<uint8_t> hostSparks, boSparks;
  runUntil([&] {
    testsupport::collectSparkColours(onHostLists.debris(), hostSparks);
    testsupport::collectSparkColours(boLists.debris(), boSparks);
    return hostSparks.size() >= hers.size() && boSparks.size() >= hers.size();
  });
  EXPECT_EQ(hostSparks, hers) << "on the host";
  EXPECT_EQ(boSparks, hers) << "for a third player";
}

// Two fireworks in one stack, as a character brings them: the first paint fills one that leaves
// the stack for a slot of its own, the next two fill the one left. She shoots the two-coloured one.
TEST_P(PlayTogetherFireworks, TheOneSheFilledOfAStackIsTheOneThatFlies) {
  carry(*ann, 0, kFirework, 2);
  carry(*ann, 1, kRedPaint, 1);
  carry(*ann, 2, kBluePaint, 1);
  carry(*ann, 3, kPurplePaint, 1);
  const FireworkFill split = fillPlayersFirework(ann->player(), {SlotKind::Quick, 1, 0}, {SlotKind::Quick, 0, 0});
  ASSERT_EQ(split.result, FireworkFill::Filled);
  ASSERT_NE(split.where, (SlotRef{SlotKind::Quick, 0, 0})) << "one of the two left the stack";
  ASSERT_EQ(fillPlayersFirework(ann->player(), {SlotKind::Quick, 3, 0}, {SlotKind::Quick, 0, 0}).result,
            FireworkFill::Filled);
  ASSERT_EQ(fillPlayersFirework(ann->player(), {SlotKind::Quick, 2, 0}, {SlotKind::Quick, 0, 0}).result,
            FireworkFill::Filled);
  constexpr uint32_t kPurpleThenBlue = kPurple | (kBlue << 4);
  ASSERT_EQ(ann->inventory().slotItem({SlotKind::Quick, 0, 0})->word, kPurpleThenBlue);
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  ASSERT_TRUE(runUntil([&] { return annOnHost.items().countOf(kBluePaint) == 0; }));
  EXPECT_EQ(annOnHost.items().countWithWord(kFirework, kPurpleThenBlue), 1u);
  EXPECT_EQ(annOnHost.items().countWithWord(kFirework, kRed), 1u);

  hold(*ann, 0);
  ASSERT_TRUE(runUntil([&] {
    const Item* held = annOnHost.heldItem();
    return held != nullptr && held->id == kFirework && held->word == kPurpleThenBlue;
  })) << "the host holds the firework she holds";
  ann->game().shoot(0.0f, 8.0f);
  WorldEntities& onHostLists = session->entities().lists();
  ASSERT_TRUE(runUntil([&] { return fireworkFlying(onHostLists).has_value(); }));
  EXPECT_EQ(fireworkFlying(onHostLists), kPurpleThenBlue);
}

// She fills the firework in her hand. Her inventory view, after every filling, tells the host what
// she holds, so the host's held stack is the filled one of its copy and not the unfilled word it
// held before; a spare unfilled firework shows which of the two the launch spends.
TEST_P(PlayTogetherFireworks, TheFireworkSheFillsWhileHoldingItFliesInHerColours) {
  carry(*ann, 0, kFirework, 1);
  carry(*ann, 1, kRedPaint, 1);
  carry(*ann, 3, kFirework, 1);
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  hold(*ann, 0);
  ASSERT_TRUE(runUntil([&] {
    const Item* held = annOnHost.heldItem();
    return held != nullptr && held->id == kFirework;
  }));
  ASSERT_EQ(annOnHost.heldItem()->word, 0u);

  // As the inventory view fills it: the filling, then what she holds now.
  ASSERT_EQ(fillPlayersFirework(ann->player(), {SlotKind::Quick, 1, 0}, {SlotKind::Quick, 0, 0}).result,
            FireworkFill::Filled);
  ann->player().heldItemChanged(ann->player().heldItem());
  ASSERT_EQ(ann->player().heldItem()->word, kRed);
  ASSERT_TRUE(runUntil([&] { return annOnHost.items().countOf(kRedPaint) == 0; }));
  ASSERT_TRUE(runUntil([&] {
    const Item* held = annOnHost.heldItem();
    return held != nullptr && held->word == kRed;
  })) << "the host holds the firework she filled in her hand";

  ann->game().shoot(0.0f, 8.0f);
  WorldEntities& onHostLists = session->entities().lists();
  ASSERT_TRUE(runUntil([&] { return fireworkFlying(onHostLists).has_value(); })) << "a firework in her colours flies";
  EXPECT_EQ(fireworkFlying(onHostLists), kRed);
  EXPECT_TRUE(runUntil([&] { return ann->inventory().slotItem({SlotKind::Quick, 0, 0}) == nullptr; }));
  EXPECT_TRUE(runUntil([&] { return annOnHost.items().countWithWord(kFirework, kRed) == 0; }))
      << "the host's copy still holds the firework she launched";
  EXPECT_EQ(annOnHost.items().countWithWord(kFirework, 0), 1u) << "her spare unfilled firework stays";
  EXPECT_EQ(annOnHost.items().countOf(kFirework), 1u);
}

INSTANTIATE_TEST_SUITE_P(Enet, PlayTogetherFireworks, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

}  // namespace
}  // namespace nettest
