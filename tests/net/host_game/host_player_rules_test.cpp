// The rules a host runs for a client's player tell that client what its own player would hear
// alone: the shared sleep heals and wakes every sleeper (the host's own player and the client's
// alike), a bed she uses becomes her spawn and lays her down, a portal she enters waits for
// everyone and then sends her along before the host travels, a language text the rules show
// reaches the client's console, and a fish biting at its bobber or getting away is heard by the
// client who cast it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "game/crafting/craft_book.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/session/session_fishing.h"
#include "net/players/player_records.h"
#include "tests/net/host_game/host_in_game.h"
#include "world/blocks/alchemy_lab.h"
#include "world/rules/console_kind.h"
#include "world/time/day_clock.h"

namespace nettest {
namespace {

constexpr uint16_t kAnyText = 159;

using Kind = Sent::Kind;

class HostPlayerRules : public HostInGame {
 protected:
  // Ann goes through the join and is in the game, among the present players.
  void SetUp() override {
    HostInGame::SetUp();
    ASSERT_TRUE(server.takeWorldRequest(kAnn));
    ASSERT_TRUE(server.takeWorldReceived(kAnn));
    const Bytes entered{0, 5, 100, 100};
    server.received(entered.data(), static_cast<uint32_t>(entered.size()), kAnn);
    server.dispatchQueued();
    bridge->sent.clear();
  }
  // The message ids sent to Ann alone.
  std::vector<uint8_t> idsToAnn() const {
    std::vector<uint8_t> ids;
    for (const Sent& each : bridge->sent) {
      if (each.kind == Kind::To && each.peer == kAnn && each.bytes.size() >= 2) ids.push_back(each.bytes[1]);
    }
    return ids;
  }
  // Ann's client asks to use the front block of the cell.
  void annUses(int32_t x, int32_t y) {
    const Bytes use{2, 26, static_cast<uint8_t>(x), 0, static_cast<uint8_t>(y), 0, 0};
    server.received(use.data(), static_cast<uint32_t>(use.size()), kAnn);
    server.dispatchQueued();
  }
  bool annHeard(uint8_t id) const {
    const std::vector<uint8_t> ids = idsToAnn();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
  }
};

TEST_F(HostPlayerRules, NobodySleepsUntilEveryPlayerLiesInBedThenEveryoneWakesHealed) {
  host().health = 1.0f;
  ann().health = 1.0f;
  rules().setPlayerInBed(&ann(), 1);
  EXPECT_FALSE(annHeard(wire::idOf(wire::PlayerMsg::Restored))) << "the host's player is still up";
  EXPECT_TRUE(events.texts.empty());
  EXPECT_FLOAT_EQ(host().health, 1.0f);

  rules().setPlayerInBed(&host(), 1);
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::Restored))) << "her client runs her after-sleep step";
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::Heal)));
  EXPECT_FLOAT_EQ(ann().health, ann().stats.maxHealth);
  EXPECT_FLOAT_EQ(host().health, host().stats.maxHealth);
  ASSERT_FALSE(events.texts.empty()) << "the host's own player slept too";
  EXPECT_EQ(events.texts.back().id, 176);
}

TEST_F(HostPlayerRules, APlayerWhoLeftHerBedIsWaitedForAgain) {
  rules().setPlayerInBed(&ann(), 1);
  rules().setPlayerInBed(&ann(), 0);
  bridge->sent.clear();
  rules().setPlayerInBed(&host(), 1);
  EXPECT_FALSE(annHeard(wire::idOf(wire::PlayerMsg::Restored)));
  EXPECT_TRUE(events.texts.empty()) << "the host's player waits for her";
}

TEST_F(HostPlayerRules, HerBedBecomesHerSpawnThenLaysHerDownUntilTheHostSleepsToo) {
  constexpr uint16_t kBed = 228;
  const int32_t row = kFloorRow + 1;
  cell(21, row).setLayer(kBed, 0, MapBlock::kFront);
  world().dayClock().phase = DayPhase::Night;
  world().dayClock().tickCounter = 5;
  annUses(21, row);
  EXPECT_EQ(ann().spawnCellX, 21);
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::SpawnCell)));
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::PlayerText))) << "her spawn point is set";
  bridge->sent.clear();
  annUses(21, row);
  EXPECT_FALSE(annHeard(wire::idOf(wire::PlayerMsg::Restored))) << "she waits for the host's player";
  rules().setPlayerInBed(&host(), 1);
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::Restored)));
}

TEST_F(HostPlayerRules, HerPortalWaitsForTheHostThenSendsHerAlongBeforeTheHostTravels) {
  constexpr uint16_t kPortal = 44;
  constexpr uint32_t kElsewhere = 16;
  const int32_t row = kFloorRow + 1;
  cell(21, row).setLayer(kPortal, 0, MapBlock::kFront);
  const uint32_t here = world().map().params().planetId;
  world().portalList().records().push_back({here, kElsewhere, 21, static_cast<uint16_t>(row), 0});
  annUses(21, row);
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::Portal))) << "she waits with the travel dialog";
  EXPECT_FALSE(annHeard(wire::idOf(wire::PlayerMsg::PortalTravel)));
  bridge->sent.clear();
  rules().usePortal(&host(), &cell(21, row));
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::PortalTravel))) << "everyone chose it: she follows the host";
}

TEST_F(HostPlayerRules, HerBreathAsTheRulesStepItReachesHerClient) {
  rules().startTimers();
  ann().breath = 10;  // out of the water, her breath comes back
  for (int second = 0; second < 3; ++second) rules().timers().step();
  EXPECT_GT(ann().breath, 10);
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::Breath)));
}

TEST_F(HostPlayerRules, ATextTheRulesShowAClientsPlayerReachesHerConsole) {
  rules().showTextById(&ann(), kAnyText, console_kind::kRefusal);
  EXPECT_EQ(idsToAnn(), std::vector<uint8_t>{wire::idOf(wire::PlayerMsg::PlayerText)});
  EXPECT_TRUE(events.texts.empty());
}

TEST_F(HostPlayerRules, HerBobbersBiteAndLossAreHeardByHerClient) {
  SessionFishing fishing(rules());
  const uint32_t her = ann().playerId();
  EXPECT_TRUE(fishing.present(her));
  fishing.biteStarted(her);
  EXPECT_TRUE(annHeard(wire::idOf(wire::FishingMsg::BiteTime)));
  bridge->sent.clear();
  fishing.fishGotAway(her);
  EXPECT_TRUE(annHeard(wire::idOf(wire::PlayerMsg::PlayerText))) << "the fish got away";
  EXPECT_TRUE(annHeard(wire::idOf(wire::FishingMsg::BobberForgotten))) << "her fishing is over";
  EXPECT_TRUE(events.texts.empty()) << "nothing of it on the host's own console";
}

TEST_F(HostPlayerRules, HerCastLandingAndTheBaitTheFishTookAreHeardByHerClientOnce) {
  SessionFishing fishing(rules());
  const uint32_t her = ann().playerId();
  fishing.castLanded(her);
  const std::vector<uint8_t> landed = idsToAnn();
  EXPECT_EQ(std::count(landed.begin(), landed.end(), wire::idOf(wire::FishingMsg::BobberRemembered)), 1)
      << "the line in the water is hers";
  bridge->sent.clear();
  fishing.fishGotAway(her);
  const std::vector<uint8_t> ids = idsToAnn();
  EXPECT_EQ(std::count(ids.begin(), ids.end(), wire::idOf(wire::PlayerMsg::BaitConsumed)), 1) << "her client spends one bait";
}

// What the lab brews for a client's player is brewed once in the host's lab, and her client is told
// the result ([12][130]) so that the copy she has open brews the same.
TEST_F(HostPlayerRules, WhatTheLabBrewsForHerIsBrewedOnceHereAndToldToHerClient) {
  AlchemyLab& lab = world().alchemyLabs().add(std::make_unique<AlchemyLab>(cell(21, kFloorRow + 1)));
  uint8_t slot = 0;
  for (uint16_t id : {431, 431, 175, 1934}) lab.setItem(slot++, newItem(id, 0, 2, 0, 0));
  server.entryOf(kAnn)->remote()->openAlchemyLab(lab);
  lab.setBrewing(true);
  bridge->sent.clear();
  EXPECT_TRUE(rules().brewPotion(lab, &ann()));
  ASSERT_NE(lab.itemAt(AlchemyLab::kOutputSlot), nullptr);
  EXPECT_EQ(lab.itemAt(AlchemyLab::kOutputSlot)->count, 1);
  EXPECT_FALSE(lab.brewing());
  std::vector<Sent> told;
  for (const Sent& each : bridge->sent) {
    if (each.bytes.size() >= 2 && each.bytes[1] == wire::idOf(wire::AlchemyLabMsg::AlchemyLabMessage)) told.push_back(each);
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].peer, kAnn);
  const PotionResult result = player_record::brewFromBytes(std::span<const uint8_t>(told[0].bytes).subspan(2));
  EXPECT_EQ(result.itemId, lab.itemAt(AlchemyLab::kOutputSlot)->id);
}

// A page found in the rock teaches the miner an entry of the craft book: for a client's player,
// one the client's knowledge ([2][58]) lacks, and none once she knows them all.
TEST_F(HostPlayerRules, APageFoundInTheRockTeachesAnEntryHerBookLacks) {
  installCraftBookEntries(std::vector<CraftBookEntry>(kCraftBookEntryCount, CraftBookEntry{"entry", 1, ""}));
  constexpr uint16_t missing = 42;
  RecipeKnowledge::Bitset known{};
  known.fill(0xFF);
  known[missing / 8] = static_cast<uint8_t>(known[missing / 8] & ~(1u << (missing % 8)));
  server.entryOf(kAnn)->remote()->setCraftKnowledge(false, known);
  bool found = false;
  for (int page = 0; page < 200; ++page) {
    const uint16_t value = rules().bonusDropValue(ann());
    if (value == PlayerBase::kNoUnknownEntry) continue;
    EXPECT_EQ(value, missing);
    found = true;
  }
  EXPECT_TRUE(found) << "some pages teach her the entry";
  server.entryOf(kAnn)->remote()->setCraftKnowledge(true, known);
  EXPECT_EQ(rules().bonusDropValue(ann()), PlayerBase::kNoUnknownEntry);
  installCraftBookEntries({});
}

}  // namespace
}  // namespace nettest
