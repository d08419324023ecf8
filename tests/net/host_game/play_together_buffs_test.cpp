// A potion's buff a player drank before she joined goes with her, over real ENet on 127.0.0.1: her
// game names it as she enters, and the host's copy of her takes it, so the host judges her body
// (its armour, resistances, speed, health) as her own game does, and the others see it on her.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "content/potions/potion_table.h"
#include "game/session/game_saves.h"
#include "game/session/game_services.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr uint8_t kCy = 3;

// What the host reads of a body: every stat the buffs and worn pieces change.
std::vector<float> bodyOf(const PlayerStats& stats) {
  std::vector<float> body{stats.maxHealth, stats.criticalChance, stats.lifeSteal, stats.thorns, stats.healthDrift,
                          static_cast<float>(stats.buffFlags)};
  for (const float* values : {stats.damageBonus, stats.armour, stats.moveBonus}) body.insert(body.end(), values, values + 4);
  body.insert(body.end(), stats.resist, stats.resist + 5);
  return body;
}

// A character under a potion's buff, with half its time left, as her file keeps it.
class BuffedCharacter final : public CharacterTokens {
 public:
  explicit BuffedCharacter(uint16_t buff) : buff_(buff) {}
  std::unique_ptr<PlayerDesktopLocal> loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                      GameClock* clock) override {
    std::unique_ptr<PlayerDesktopLocal> loaded = CharacterTokens::loadLocalPlayer(game, events, clock);
    loaded->stats.buffs.push_back({buff_, static_cast<uint16_t>(potionDuration(buff_) / 2)});
    loaded->refreshAppearance();
    return loaded;
  }

 private:
  uint16_t buff_;
};

// The buff of the first potion that changes a body's stats; 0 for none.
uint16_t aBuffThatChangesTheBody() {
  const std::vector<float> plain = bodyOf(PlayerStats{});
  for (const PotionDef& def : potionDefs()) {
    if (def.code == 0) continue;
    const auto buff = static_cast<uint16_t>(def.code << 6);
    Player tried(nullptr);
    if (tried.continueBuff(buff, 1) && bodyOf(tried.stats) != plain) return buff;
  }
  return 0;
}

class PlayTogetherBuffs : public PlayTogether {
 protected:
  std::unique_ptr<Joiner> joinUnder(uint16_t buff) {
    auto file = std::make_shared<BuffedCharacter>(buff);
    auto cy = std::make_unique<Joiner>("Cy", file);
    EXPECT_TRUE(meeting->connect(cy->net, "Cy", 203));
    EXPECT_TRUE(runUntil([&] { return inGame(*cy) && server.joinStage(kCy) == host::JoinStage::Entered; }));
    return cy;
  }
};

TEST_P(PlayTogetherBuffs, AGuestWhoJoinsUnderAPotionIsJudgedWithItOnTheHost) {
  const uint16_t buff = aBuffThatChangesTheBody();
  ASSERT_NE(buff, 0) << "the content has a potion that changes the body";
  std::unique_ptr<Joiner> cy = joinUnder(buff);
  ASSERT_EQ(cy->player().stats.buffs.size(), 1u) << "she entered under the potion";
  ASSERT_NE(bodyOf(cy->player().stats), bodyOf(PlayerStats{}));

  ASSERT_TRUE(runUntil([&] { return !onHost(kCy).stats.buffs.empty(); })) << "the host's copy of her never took it";
  ASSERT_EQ(onHost(kCy).stats.buffs.size(), 1u);
  EXPECT_EQ(onHost(kCy).stats.buffs[0].id, buff);
  EXPECT_LE(onHost(kCy).stats.buffs[0].remaining, potionDuration(buff) / 2) << "no longer than she had left";
  EXPECT_EQ(bodyOf(onHost(kCy).stats), bodyOf(cy->player().stats)) << "the host judges her body as her game does";
  EXPECT_TRUE(runUntil([&] {
    const PlayerClientDesktop* seen = ann->net.remotePlayer(kCy);
    return seen != nullptr && std::any_of(seen->stats.buffs.begin(), seen->stats.buffs.end(),
                                          [&](const PlayerBuff& b) { return b.id == buff; });
  })) << "Ann does not see it on her";
}

// Her game names the buff again: one of a family she is under is not taken twice.
TEST_P(PlayTogetherBuffs, TheSameBuffNamedAgainIsTakenOnce) {
  const uint16_t buff = aBuffThatChangesTheBody();
  ASSERT_NE(buff, 0);
  std::unique_ptr<Joiner> cy = joinUnder(buff);
  ASSERT_TRUE(runUntil([&] { return !onHost(kCy).stats.buffs.empty(); }));
  const std::vector<float> body = bodyOf(onHost(kCy).stats);
  wire::WireOut again = wire::clientMessage(wire::PlayerMsg::Effect);
  again.peer(kCy).u16(buff).u16(100);
  cy->net.send(again.data(), static_cast<uint32_t>(again.size()), 0);
  // A chat line after it: once the host printed the line it had read the buff.
  cy->net.sendChat("again");
  ASSERT_TRUE(runUntil([&] { return ann->log.messages.size() > 0 && ann->log.messages.back() == "[Cy] again"; }));
  EXPECT_EQ(onHost(kCy).stats.buffs.size(), 1u);
  EXPECT_EQ(bodyOf(onHost(kCy).stats), body);
}

// Her game names her effects only as she enters. In the game, an effect named with no potion drunk
// gives her copy on the host nothing, and the others are not told of it; a potion she drinks is the
// host's rules' to give, and gives her its buff on every side.
TEST_P(PlayTogetherBuffs, InTheGameOnlyAPotionSheDrinksGivesHerAnEffect) {
  const uint16_t buff = aBuffThatChangesTheBody();
  ASSERT_NE(buff, 0);
  const std::vector<float> body = bodyOf(onHost(kAnn).stats);
  // She plays (a chat line is a message like any other), then names the effect with all its time.
  ann->net.sendChat("playing");
  wire::WireOut named = wire::clientMessage(wire::PlayerMsg::Effect);
  named.peer(kAnn).u16(buff).u16(0xFFFF);
  ann->net.send(named.data(), static_cast<uint32_t>(named.size()), 0);
  ann->net.sendChat("named");
  ASSERT_TRUE(runUntil([&] { return !bo->log.messages.empty() && bo->log.messages.back() == "[Ann] named"; }));
  settle();
  EXPECT_TRUE(onHost(kAnn).stats.buffs.empty()) << "the host's copy of her took it";
  EXPECT_EQ(bodyOf(onHost(kAnn).stats), body);
  EXPECT_TRUE(bo->net.remotePlayer(kAnn)->stats.buffs.empty()) << "Bo was told of it";

  const Item potion(FIRST_POTION_ITEM, 0, 1, 0, buff);
  ann->inventory().setSlot({SlotKind::Quick, 0, 0}, newItem(potion.id, 0, 1, 0, potion.word));
  onHost(kAnn).items().add(potion);
  ASSERT_TRUE(ann->game().consumeItem(ann->inventory().slotItem({SlotKind::Quick, 0, 0})));
  ASSERT_TRUE(runUntil([&] { return !onHost(kAnn).stats.buffs.empty(); })) << "the drink gave her nothing";
  EXPECT_EQ(onHost(kAnn).stats.buffs[0].id, buff);
  EXPECT_NE(bodyOf(onHost(kAnn).stats), body);
  EXPECT_EQ(onHost(kAnn).items().countOf(potion.id), 0u) << "the potion was drunk";
  EXPECT_TRUE(runUntil([&] {
    const auto& seen = bo->net.remotePlayer(kAnn)->stats.buffs;
    return std::any_of(seen.begin(), seen.end(), [&](const PlayerBuff& b) { return b.id == buff; });
  })) << "Bo does not see it on her";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherBuffs, ::testing::Values(false));

}  // namespace
}  // namespace nettest
