// Potion effects over real ENet on 127.0.0.1. A buff a player drank before she joined goes with
// her: her game names it as she enters, and the host's copy of her takes it, so the host judges
// her body (its armour, resistances, speed, health) as her own game does, and the others see it on
// her. A potion the host's own player drinks starts and wears off on every guest's screen with
// his, and whoever drinks reads when it starts and when it wears off on her own screen alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "content/potions/potion_table.h"
#include "content/texts/language_texts.h"
#include "game/session/game_saves.h"
#include "game/session/game_services.h"
#include "net/wire/wire_out.h"
#include "tests/support/language_texts_reset.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr uint8_t kCy = 3;
constexpr uint16_t kPotion = 2126;  // the potion item; its word names the buff
constexpr int kEffectStartedText = 136;
constexpr int kEffectWornOffText = 137;

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
  // The two texts as the game's language file has them.
  void SetUp() override {
    std::string json = R"({"strings": [)";
    for (int id = 0; id < kEffectStartedText; ++id) json += "\"\",";
    languageTexts().loadText(json + R"("You feel the effect of %s.", "The effect of %s has worn off."]})");
    PlayTogether::SetUp();
  }
  void TearDown() override {
    PlayTogether::TearDown();
    resetLanguageTexts();
  }
  PlayerEvents* hostEvents() override { return &hostLog; }

  std::unique_ptr<Joiner> joinUnder(uint16_t buff) { return join(std::make_shared<BuffedCharacter>(buff)); }
  std::unique_ptr<Joiner> join(std::shared_ptr<CharacterTokens> file) {
    auto cy = std::make_unique<Joiner>("Cy", std::move(file));
    EXPECT_TRUE(meeting->connect(cy->net, "Cy", 203));
    EXPECT_TRUE(runUntil([&] { return inGame(*cy) && server.joinStage(kCy) == host::JoinStage::Entered; }));
    return cy;
  }
  // The potion in the player's quick slot 0 (and in the host's count of a guest's items).
  Item& carryPotion(Inventory& inventory, uint16_t buff) {
    inventory.setSlot({SlotKind::Quick, 0, 0}, newItem(kPotion, 0, 1, 0, buff));
    return *inventory.slotItem({SlotKind::Quick, 0, 0});
  }
  // Seconds of the host's rules pass until the player on the host is no longer under the buff.
  bool wearOff(PlayerBase& onHost, uint16_t buff) {
    LogicTimers& timers = session->rules().timers();
    if (timers.records().empty()) session->rules().startTimers();
    for (uint32_t second = 0; second <= potionDuration(buff) + 1u && onHost.hasBuff(buff); ++second) timers.step();
    return !onHost.hasBuff(buff);
  }
  static bool seesHostUnder(Joiner& joiner, uint16_t buff) {
    const PlayerClientDesktop* seen = joiner.net.remotePlayer(kel::NET_HOST_PEER);
    return seen != nullptr && seen->hasBuff(buff);
  }
  static bool told(const PlayerLog& log, int textId, uint16_t buff) {
    const std::string text = languageTexts().textWith(textId, potionDisplayName(buff));
    return std::find(log.messages.begin(), log.messages.end(), text) != log.messages.end();
  }

  PlayerLog hostLog;
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

// The host's own player drinks: every guest sees the potion on him, a guest who comes in while it
// lasts too, and every one of them sees it wear off with his.
TEST_P(PlayTogetherBuffs, TheHostsOwnPotionStartsAndWearsOffOnEveryScreen) {
  const uint16_t buff = aBuffThatChangesTheBody();
  ASSERT_NE(buff, 0);
  contentTables().itemDefs[kPotion].defined = true;
  ASSERT_TRUE(session->game().consumeItem(&carryPotion(*hostPlayer().inventory, buff)));
  ASSERT_TRUE(hostPlayer().hasBuff(buff));
  EXPECT_TRUE(told(hostLog, kEffectStartedText, buff)) << "the host reads that it started";
  EXPECT_TRUE(runUntil([&] { return seesHostUnder(*ann, buff) && seesHostUnder(*bo, buff); }))
      << "a guest does not see the host's potion on him";

  std::unique_ptr<Joiner> cy = join(std::make_shared<CharacterTokens>());
  ASSERT_TRUE(runUntil([&] { return seesHostUnder(*cy, buff); })) << "the newcomer is not told of it";

  ASSERT_TRUE(wearOff(hostPlayer(), buff));
  EXPECT_TRUE(told(hostLog, kEffectWornOffText, buff)) << "the host reads that it wore off";
  EXPECT_TRUE(runUntil([&] { return !seesHostUnder(*ann, buff) && !seesHostUnder(*bo, buff) && !seesHostUnder(*cy, buff); }))
      << "a guest still sees the potion on the host after it wore off";
  EXPECT_FALSE(told(ann->log, kEffectStartedText, buff)) << "nobody else is told of the host's potion as her own";
}

// A guest drinks: she reads that it started and that it wore off on her own screen, the host
// reads neither.
TEST_P(PlayTogetherBuffs, AGuestIsToldOfHerOwnPotionAlone) {
  const uint16_t buff = aBuffThatChangesTheBody();
  ASSERT_NE(buff, 0);
  contentTables().itemDefs[kPotion].defined = true;
  onHost(kAnn).items().add(Item(kPotion, 0, 1, 0, buff));
  ASSERT_TRUE(ann->game().consumeItem(&carryPotion(ann->inventory(), buff)));
  ASSERT_TRUE(runUntil([&] { return ann->player().hasBuff(buff); })) << "the host never gave her the potion";
  EXPECT_TRUE(told(ann->log, kEffectStartedText, buff));

  ASSERT_TRUE(wearOff(onHost(kAnn), buff));
  EXPECT_TRUE(runUntil([&] { return !ann->player().hasBuff(buff); }));
  EXPECT_TRUE(told(ann->log, kEffectWornOffText, buff));
  EXPECT_FALSE(told(bo->log, kEffectStartedText, buff));
  EXPECT_FALSE(told(hostLog, kEffectStartedText, buff) || told(hostLog, kEffectWornOffText, buff))
      << "the host is told of her potion";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherBuffs, ::testing::Values(false));

}  // namespace
}  // namespace nettest
