// Nobody floods the others through the host, over real ENet on 127.0.0.1. Bo's client sends what
// his own game never would, by the thousand and all at once: chat lines, motion records, trade
// requests to Ann, uses of a lever, hits on one mob and calls of the pet he has out. The host takes
// of each kind only what an honest game sends at most, so Ann is passed no more than that; beside
// each flood, the honest game's busiest pattern passes whole.
//
// The host's budgets read the test's own clock, which stands still while a flood comes in and is
// moved on by hand: what passes is a count, whatever the machine's speed. Bo's look message after
// a flood marks its end: once Ann has it, the host has handled all that came before it on his link.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include "content/loader/game_tables_loader.h"
#include "content/tables/mob_def.h"
#include "entities/core/entity_cast.h"
#include "entities/mobs/mob_pet_entity.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_requests.h"
#include "net/endpoint/host/hit_pace.h"
#include "net/endpoint/host/request_budget.h"
#include "net/endpoint/host/trade_askings.h"
#include "tests/net/host_game/play_together.h"
#include "world/edits/cell_edit.h"

namespace nettest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint16_t kLever = 2086;
constexpr uint8_t kPetArrives = 20;

template <wire::MessageId E>
size_t allowed(E kind) {
  return static_cast<size_t>(host::RequestBudget::of(wire::idOf(kind)).allowance.most);
}

class PlayTogetherBudget : public PlayTogether {
 protected:
  void SetUp() override {
    heldBudgetClock = Clock::now();
    PlayTogether::SetUp();
    if (HasFatalFailure()) return;
    settle();  // what their games send on entering has arrived
  }
  void TearDown() override {
    PlayTogether::TearDown();
    resetGameTables();
  }
  void wait(double seconds) {
    *heldBudgetClock += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }

  // Bo's look after what he sent, a word of its own each time: once Ann has it, she has all the host
  // passed on of what came before it. Where in what she saw it stands.
  size_t boMarks() {
    const size_t from = ann->net.seen.size();
    const uint32_t word = 0x7E570000u + ++marks_;
    const Bytes look{2, 23, static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
                     static_cast<uint8_t>(word >> 24), kBo};
    sendBytes(*bo, look);
    std::optional<size_t> at;
    runUntil([&] {
      for (size_t i = from; i < ann->net.seen.size() && !at; ++i) {
        if (ann->net.seen[i].bytes == look) at = i;
      }
      return at.has_value();
    }, 120);
    EXPECT_TRUE(at.has_value()) << "Bo's mark never reached Ann";
    return at.value_or(ann->net.seen.size());
  }
  // Of what Ann saw from `from` on, up to `to`, the messages of the category and id from Bo.
  size_t annSawOfBo(size_t from, size_t to, uint8_t category, uint8_t id) {
    return static_cast<size_t>(std::count_if(ann->net.seen.begin() + static_cast<long>(from),
                                              ann->net.seen.begin() + static_cast<long>(to), [&](const Received& r) {
                                                return r.bytes.size() >= 3 && r.bytes[0] == category &&
                                                       r.bytes[1] == id && r.bytes[2] == kBo;
                                              }));
  }
  static Bytes chatBytes(uint8_t peer, const std::string& text) {
    Bytes chat{2, 43, peer};
    chat.resize(99, 0);
    std::copy(text.begin(), text.end(), chat.begin() + 3);
    return chat;
  }
  PlayerStateRecord motionOf(const PlayerBase& player, float dx, uint8_t phase) {
    PlayerStateRecord motion;
    motion.code = PlayerStateRecord::kRight;
    motion.phase = phase;
    motion.x = player.position.x + dx;
    motion.y = player.position.y;
    return motion;
  }
  static Bytes cellBytes(uint8_t category, uint8_t id, const MapBlock& cell) {
    return {category, id, static_cast<uint8_t>(cell.x), static_cast<uint8_t>(cell.x >> 8), static_cast<uint8_t>(cell.y),
            static_cast<uint8_t>(cell.y >> 8)};
  }

  uint32_t marks_ = 0;
};

TEST_P(PlayTogetherBudget, AChatFloodIsCutWhileTypedLinesAllArrive) {
  const size_t from = ann->net.seen.size();
  for (int line = 0; line < 1000; ++line) sendBytes(*bo, chatBytes(kBo, "flood"));
  const size_t mark = boMarks();
  EXPECT_EQ(annSawOfBo(from, mark, 2, 43), allowed(wire::PlayerMsg::Chat)) << "what a burst of typing sends, no more";

  // Ann types a line a second for twenty seconds: Bo reads every one.
  for (int line = 0; line < 20; ++line) {
    wait(1.0);
    ann->net.sendChat("line " + std::to_string(line));
    const std::string read = "[Ann] line " + std::to_string(line);
    ASSERT_TRUE(runUntil([&] { return std::count(bo->log.messages.begin(), bo->log.messages.end(), read) == 1; }))
        << read;
  }
}

TEST_P(PlayTogetherBudget, AMotionFloodIsMergedToHerLatestPlace) {
  // Ann's game sends a record a frame, a second of them: Bo is passed every one.
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  const size_t boSawBefore = bo->net.seen.size();
  for (int frame = 0; frame < 60; ++frame) {
    wait(1.0 / 60);
    ann->game().sendPlayerState(motionOf(annOnHost, 0, PlayerStateRecord::kReleased));
    int frames = 0;
    runUntil([&] { return ++frames > 1; });
  }
  const auto annRecordsBoSaw = [&] {
    return std::count_if(bo->net.seen.begin() + static_cast<long>(boSawBefore), bo->net.seen.end(), [](const Received& r) {
      return r.bytes.size() >= 3 && r.bytes[0] == 2 && r.bytes[1] == 20 && r.bytes[2] == kAnn;
    });
  };
  ASSERT_TRUE(runUntil([&] { return annRecordsBoSaw() == 60; })) << "an honest game's every record";

  // Bo sends twenty thousand records where he stands, the last a few pixels on.
  PlayerServerDesktop& boOnHost = onHost(kBo);
  const PlayerStateRecord still = motionOf(boOnHost, 0, PlayerStateRecord::kReleased);
  const PlayerStateRecord last = motionOf(boOnHost, 7, PlayerStateRecord::kReleased);
  const size_t from = ann->net.seen.size();
  for (int record = 0; record < 20000; ++record) bo->game().sendPlayerState(record < 19999 ? still : last);
  const size_t mark = boMarks();
  EXPECT_LE(annSawOfBo(from, mark, 2, 20), allowed(wire::PlayerMsg::PlayerMotion)) << "passed on one by one";
  EXPECT_NE(boOnHost.position.x, last.x) << "his latest waits for his budget";

  wait(1.0);
  const PlayerBase* boSeen = ann->net.remotePlayer(kBo);
  ASSERT_NE(boSeen, nullptr);
  EXPECT_TRUE(runUntil([&] { return boOnHost.position.x == last.x && boSeen->position.x == last.x; }))
      << "his latest record put him right on the host and on Ann's screen";
}

TEST_P(PlayTogetherBudget, TradeRequestsDoNotHoldHerInTheDialog) {
  const MapBlock* herCell = onHost(kAnn).currentMapBlock();
  ASSERT_NE(herCell, nullptr);
  Bytes request = cellBytes(11, 111, *herCell);
  request.push_back(kAnn);
  for (int i = 0; i < 2000; ++i) sendBytes(*bo, request);
  boMarks();
  ASSERT_EQ(ann->log.asked.size(), 1u) << "one dialog for his pending request";

  ann->game().answerTrade(trade::kRefuse, ann->log.asked[0].askedAs, ann->log.asked[0].asking);
  ASSERT_TRUE(runUntil([&] { return !hasTradeRequest(onHost(kBo), onHost(kAnn)); })) << "her no reached the host";
  for (int i = 0; i < 2000; ++i) sendBytes(*bo, request);
  boMarks();
  EXPECT_EQ(ann->log.asked.size(), 1u) << "she just said no: the dialog does not open again";

  // A while later he may ask her again, once.
  const double coolDown = std::chrono::duration<double>(host::TradeAskings::kCoolDown).count();
  wait(coolDown + 1);
  sendBytes(*bo, request);
  ASSERT_TRUE(runUntil([&] { return ann->log.asked.size() == 2u; })) << "an honest second request after the cool-down";

  // She says no again; coming back as soon as he could the first time opens nothing now.
  ann->game().answerTrade(trade::kRefuse, ann->log.asked[1].askedAs, ann->log.asked[1].asking);
  ASSERT_TRUE(runUntil([&] { return !hasTradeRequest(onHost(kBo), onHost(kAnn)); }));
  wait(coolDown + 1);
  for (int i = 0; i < 2000; ++i) sendBytes(*bo, request);
  boMarks();
  EXPECT_EQ(ann->log.asked.size(), 2u) << "a second no in a row holds him off twice as long";
  wait(coolDown);
  sendBytes(*bo, request);
  EXPECT_TRUE(runUntil([&] { return ann->log.asked.size() == 3u; })) << "and then he may ask once more";
}

TEST_P(PlayTogetherBudget, ALeverFloodIsCutWhileOneFlipReachesTheOthers) {
  MapBlock& boCell = *onHost(kBo).currentMapBlock();
  MapBlock& cell = *hostWorld->cellAt(boCell.x + 1, boCell.y);
  for (World* world : {hostWorld, ann->world(), bo->world()}) {
    world->map().setBlockAt(0, 0, cell.x, cell.y, 0);
    world->map().cellAt(cell.x, cell.y - 1)->front = ground->front;
  }
  BlockEdit edit = editForCell(cell, edit_kind::kSetLayerBlock, kLever);
  edit.layer = MapBlock::kFront;
  ASSERT_TRUE(hostWorld->rules().editBlock(edit, nullptr));
  MapBlock& annCopy = *ann->world()->cellAt(cell.x, cell.y);
  ASSERT_TRUE(runUntil([&] { return annCopy.frontId() == kLever; }));

  Bytes use = cellBytes(2, 26, cell);
  use.push_back(MapBlock::kFront);
  sendBytes(*bo, use);
  ASSERT_TRUE(runUntil([&] { return annCopy.frontVariant() == 1; })) << "an honest flip reaches Ann";

  const size_t from = ann->net.seen.size();
  for (int i = 0; i < 5000; ++i) sendBytes(*bo, use);
  const size_t mark = boMarks();
  const size_t edits = static_cast<size_t>(std::count_if(
      ann->net.seen.begin() + static_cast<long>(from), ann->net.seen.begin() + static_cast<long>(mark),
      [](const Received& r) { return r.bytes.size() >= 2 && r.bytes[0] == 4 && r.bytes[1] == 60; }));
  EXPECT_GT(edits, 0u);
  EXPECT_LE(edits, allowed(wire::PlayerMsg::UseBlock)) << "a held button's pace, no more";
  settle();
  EXPECT_EQ(annCopy.frontVariant(), cell.frontVariant()) << "Ann's lever stands as the host's";
}

TEST_P(PlayTogetherBudget, HitsOnOneMobAreHeldToHisSwing) {
  const MobDef* kind = nullptr;
  for (uint16_t id = 0; id < 1000 && kind == nullptr; ++id) {
    const MobDef* mob = mobDefinitionById(id);
    if (mob != nullptr && mob->mobId() == id && !mob->hasFlag(mob_flag::kContact)) kind = mob;
  }
  ASSERT_NE(kind, nullptr);
  MobEntity* mob = hostWorld->rules().spawnMob(kind, onHost(kBo).position, {}, 0, nullptr, 0);
  ASSERT_NE(mob, nullptr);
  mob->health = 100000;  // every blow hurts it and none kills it
  const EntityId id = mob->id();
  ASSERT_NE(mobSeenBy(*ann, id), nullptr);
  const auto puffs = [&] {
    return static_cast<size_t>(std::count_if(ann->log.effects.begin(), ann->log.effects.end(), [&](const PlayerLog::Effect& e) {
      return e.entity == id && e.kind == MobEntity::kHurtEffect;
    }));
  };

  Bytes hit{2, 37, static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id >> 16),
            static_cast<uint8_t>(id >> 24)};
  for (int i = 0; i < 20; ++i) sendBytes(*bo, hit);
  boMarks();
  settle();
  EXPECT_EQ(puffs(), static_cast<size_t>(host::HitPace::kBunched)) << "twenty at once: a slow link's few, no more";

  // His empty hand swings every quarter second: a swing later his next blow lands.
  wait(0.25);
  sendBytes(*bo, hit);
  EXPECT_TRUE(runUntil([&] { return puffs() == static_cast<size_t>(host::HitPace::kBunched) + 1; }))
      << "the blow of his next swing";
}

TEST_P(PlayTogetherBudget, CallingThePetHeHasChangesNothing) {
  const uint16_t trinket = petTrinket();
  carry(*bo, {SlotKind::Trinket, 0, 0}, trinket, 1);
  bo->game().refreshPet();
  ASSERT_TRUE(runUntil([&] { return petsOf(onHost(kBo)) == 1; })) << "his game calls his pet";
  const auto arrivals = [&] {
    return std::count_if(ann->log.cellEffects.begin(), ann->log.cellEffects.end(),
                         [](const PlayerLog::CellEffect& e) { return e.kind == kPetArrives; });
  };
  ASSERT_TRUE(runUntil([&] { return arrivals() >= 1; })) << "Ann sees it come";
  settle();
  const auto cameBefore = arrivals();
  EntityId pet = kNoEntity;
  session->entities().lists().mobs().forEach([&](RealEntity& entity) {
    if (entity.ownerId() == onHost(kBo).playerId() && !entity.data.removed) pet = entity.id();
  });

  for (int i = 0; i < 2000; ++i) bo->game().refreshPet();
  boMarks();
  settle();
  EXPECT_EQ(petsOf(onHost(kBo)), 1u);
  EXPECT_NE(session->entities().lists().mobs().findById(pet), nullptr) << "the same pet stays";
  EXPECT_EQ(arrivals(), cameBefore) << "no pet left and came again on Ann's screen";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherBudget, ::testing::Values(false));

}  // namespace
}  // namespace nettest
