// Catching a mob with a taming collar, over real ENet on 127.0.0.1: a joined player's request runs
// the host's one capture rule for her, so a hand without a collar catches nothing, as it catches
// nothing for the host's own player, and a collar catches one mob into her items on every side.

#include <gtest/gtest.h>

#include <string>

#include "content/loader/game_tables_loader.h"
#include "content/tables/mob_def.h"
#include "content/tables/mob_item_table.h"
#include "game/rules/collar_capture.h"
#include "game/rules/local_logic.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

class PlayTogetherCapture : public PlayTogether {
 protected:
  void SetUp() override {
    PlayTogether::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(contentTables().itemDefs.size() > kTamingCollar && contentTables().itemDefs[kTamingCollar].defined)
        << "the content has a taming collar";
    // The first mob of the content is carried as a stacking item.
    while (mobDefinitionById(row_.mob) == nullptr && row_.mob < 1000) ++row_.mob;
    ASSERT_NE(mobDefinitionById(row_.mob), nullptr);
    row_.item = stackingItems(1)[0];
    GameTables tables;
    tables.mobItems = MobItemTable({row_});
    setGameTables(std::move(tables));
    stands_ = &standingRoom(column + 4);
    onHost(kAnn).setCellCoordinates(stands_->x, stands_->y);
    walk(*ann, *stands_);
    ASSERT_TRUE(runUntil([&] { return onHost(kAnn).cellX == stands_->x; }));
  }
  void TearDown() override {
    PlayTogether::TearDown();
    resetGameTables();
  }
  // A wild mob of the row's kind a cell beside the player's cell, seen by her game: its id.
  EntityId wildMobBeside(const MapBlock& cell) {
    const engine::Vec2 at{static_cast<float>(cell.x + 1) * 30.0f, static_cast<float>(cell.y) * 30.0f};
    MobEntity* mob = session->rules().spawnMob(mobDefinitionById(row_.mob), at, {}, 1, nullptr, 0);
    EXPECT_NE(mob, nullptr);
    return mob != nullptr ? mob->id() : kNoEntity;
  }
  // The host's mob of the id while it is in the world; null once it left.
  MobEntity* onHostWorld(EntityId id) {
    auto* mob = dynamic_cast<MobEntity*>(hostWorld->effects().entityById(id));
    return mob != nullptr && !mob->data.removed ? mob : nullptr;
  }
  // Her game throws what she holds over the mob: her own copy of it.
  void annCatches(EntityId mob) {
    MobEntity* seen = mobSeenBy(*ann, mob);
    ASSERT_NE(seen, nullptr) << "her world shows the mob";
    ASSERT_TRUE(ann->game().captureMob(seen));
  }
  static std::string lastLine(const Joiner& joiner) {
    return joiner.log.messages.empty() ? std::string() : joiner.log.messages.back();
  }
  void annHolds(uint8_t quickSlot, uint16_t id) {
    hold(*ann, quickSlot);
    ASSERT_TRUE(runUntil([&] {
      const Item* held = onHost(kAnn).heldItem();
      return id == ITEM_NONE ? held == nullptr : held != nullptr && held->id == id;
    }));
  }

  MobItemRow row_;
  MapBlock* stands_ = nullptr;
};

TEST_P(PlayTogetherCapture, OnlyACollarCatchesAMobForAGuestAsForTheHostsOwnPlayer) {
  const EntityId first = wildMobBeside(*stands_);
  const EntityId second = wildMobBeside(*stands_);
  carry(*ann, 0, kTamingCollar, 1);
  // Her hand is empty: her request names the first mob all the same.
  annHolds(9, ITEM_NONE);
  annCatches(first);
  // With the collar she catches the second; the host reads her requests in the order she sent them.
  annHolds(0, kTamingCollar);
  annCatches(second);
  ASSERT_TRUE(runUntil([&] { return onHostWorld(second) == nullptr; })) << "the collar caught the second mob";
  settle();
  ASSERT_NE(onHostWorld(first), nullptr) << "an empty hand caught the first";
  EXPECT_EQ(ann->inventory().countItems(row_.item, false, false), 1u) << "one mob in her items";
  EXPECT_EQ(onHost(kAnn).items().countOf(row_.item), 1u) << "and in the host's copy of them";
  EXPECT_EQ(ann->inventory().countItems(kTamingCollar, false, false), 0u) << "her collar was used up";
  EXPECT_EQ(onHost(kAnn).items().countOf(kTamingCollar), 0u);

  // The host's own player, beside the first mob: an empty hand, then a collar.
  MobEntity& mob = *onHostWorld(first);
  const MapBlock& mobCell = *mob.data.cell;
  hostPlayer().position = {static_cast<float>(mobCell.x - 1) * 30.0f, static_cast<float>(mobCell.y) * 30.0f};
  hostPlayer().setCellCoordinates(static_cast<uint32_t>(mobCell.x - 1), static_cast<uint32_t>(mobCell.y));
  hostPlayer().inventory->select(9);
  EXPECT_FALSE(session->game().captureMob(&mob)) << "the host's empty hand caught it";
  hostPlayer().inventory->setSlot({SlotKind::Quick, 0, 0}, newItem(kTamingCollar, 0, 1, 0, 0));
  hostPlayer().inventory->select(0);
  EXPECT_TRUE(session->game().captureMob(&mob));
  EXPECT_EQ(hostPlayer().inventory->countItems(row_.item, false, false), 1u);
}

// Her game sends a capture a swing without waiting for the host's answer: two mobs in reach and one
// collar make two requests before the first answer. The host offers one mob at a time, so one
// collar catches one mob, on the host's copy of her items and on her screen alike.
TEST_P(PlayTogetherCapture, OneCollarCatchesOneMobHoweverFastHerGameAsks) {
  const EntityId first = wildMobBeside(*stands_);
  const EntityId second = wildMobBeside(*stands_);
  carry(*ann, 0, kTamingCollar, 1);
  annHolds(0, kTamingCollar);
  MobEntity* seenFirst = mobSeenBy(*ann, first);
  MobEntity* seenSecond = mobSeenBy(*ann, second);
  ASSERT_TRUE(seenFirst != nullptr && seenSecond != nullptr) << "her world shows both mobs";
  ASSERT_TRUE(ann->game().captureMob(seenFirst));
  ASSERT_TRUE(ann->game().captureMob(seenSecond));
  ASSERT_TRUE(runUntil([&] { return onHostWorld(first) == nullptr || onHostWorld(second) == nullptr; }));
  settle();
  EXPECT_TRUE(onHostWorld(first) == nullptr && onHostWorld(second) != nullptr) << "the first caught, the second free";
  EXPECT_EQ(ann->inventory().countItems(row_.item, false, false), 1u) << "one mob in her items";
  EXPECT_EQ(onHost(kAnn).items().countOf(row_.item), 1u) << "and in the host's copy of them";
  EXPECT_EQ(ann->inventory().countItems(kTamingCollar, false, false), 0u);
  EXPECT_EQ(onHost(kAnn).items().countOf(kTamingCollar), 0u);
}

// She takes another item in hand after her throw and before her game answers the offer: at the
// answer she holds no collar, so nothing is caught and what she holds now is not spent.
TEST_P(PlayTogetherCapture, AnItemTakenInHandBeforeTheAnswerCatchesNothingAndIsNotSpent) {
  const EntityId mob = wildMobBeside(*stands_);
  const uint16_t other = stackingItems(2)[1];
  carry(*ann, 0, kTamingCollar, 1);
  carry(*ann, 1, other, 3);
  annHolds(0, kTamingCollar);
  MobEntity* seen = mobSeenBy(*ann, mob);
  ASSERT_NE(seen, nullptr);
  ASSERT_TRUE(ann->game().captureMob(seen));
  hold(*ann, 1);  // the host reads it after her request and before her answer
  // Chat lines, each sent once the one before arrived, order the rest on the one channel each way:
  // Bo reads her first line after the host read her request and offered her the item; she reads
  // Bo's line after the offer, which her game answered; Bo reads her last line after her answer.
  ann->net.sendChat("thrown");
  ASSERT_TRUE(runUntil([&] { return lastLine(*bo) == "[Ann] thrown"; }));
  bo->net.sendChat("seen");
  ASSERT_TRUE(runUntil([&] { return lastLine(*ann) == "[Bo] seen"; }));
  ann->net.sendChat("answered");
  ASSERT_TRUE(runUntil([&] { return lastLine(*bo) == "[Ann] answered"; }));
  EXPECT_NE(onHostWorld(mob), nullptr) << "the mob stays free";
  EXPECT_EQ(onHost(kAnn).items().countOf(row_.item), 0u) << "the host gave her nothing";
  EXPECT_EQ(onHost(kAnn).items().countOf(other), 3u) << "the item she holds was not spent";
  EXPECT_EQ(onHost(kAnn).items().countOf(kTamingCollar), 1u) << "nor the collar she put away";
  EXPECT_EQ(ann->inventory().countItems(row_.item, false, false), 0u) << "her screen shows the item the host kept";
  EXPECT_EQ(ann->inventory().countItems(other, false, false), 3u) << "her screen spent nothing either";
  EXPECT_EQ(ann->inventory().countItems(kTamingCollar, false, false), 1u);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherCapture, ::testing::Values(false));

}  // namespace
}  // namespace nettest
