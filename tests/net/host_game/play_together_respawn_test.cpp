// A player who dies comes back as the host's own player does, over real ENet on 127.0.0.1: the
// pet her trinket calls comes back with her, every other player is told she is back (her teleport
// to her spawn cell and the revival action) and sees her alive again, able to ask her to trade; the
// same for the host's own player. And what she drops as she dies leaves the host's copy of her
// items as it leaves her inventory, stack by stack, so that after several deaths the host still
// takes her next firework filling.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <optional>
#include <string>

#include "content/loader/game_tables_loader.h"
#include "content/tables/difficulty_row.h"
#include "entities/core/entity_cast.h"
#include "entities/mobs/mob_pet_entity.h"
#include "game/inventory/firework_filling.h"
#include "game/rules/player_rules.h"
#include "net/players/player_messages.h"
#include "tests/net/host_game/play_together.h"

namespace nettest {
namespace {

constexpr uint16_t kFirework = 1042;
constexpr uint16_t kRedPaint = 359;  // the paint table's sixth row: colour 6
constexpr uint8_t kRed = 6;
constexpr float kDeadly = 100000.0f;
constexpr uint8_t kHarm = 10;
constexpr uint8_t kHostPeer = 0;

class PlayTogetherRespawn : public PlayTogether {
 protected:
  void TearDown() override {
    PlayTogether::TearDown();
    resetGameTables();
  }
  PlayerRules& rules() { return *dynamic_cast<PlayerRules*>(&hostWorld->rules()); }

  void SetUp() override {
    PlayTogether::SetUp();
    if (HasFatalFailure()) return;
    // Everybody comes back where the host's player stands, beside the others.
    const auto x = static_cast<uint16_t>(column);
    const auto y = static_cast<uint16_t>(ground->y + 1);
    hostPlayer().setSpawnCell(x, y);
    onHost(kAnn).setSpawnCell(x, y);
    onHost(kBo).setSpawnCell(x, y);
  }
  // She is killed where she stands, or a few cells away when `away` is given (a place she can walk
  // to only from where she entered); her screen hears of it, her death view drops what the
  // difficulty drops, and she asks to come back.
  void dieAndRespawn(Joiner& joiner, uint8_t peer, bool away = false) {
    PlayerServerDesktop& onHostCopy = onHost(peer);
    if (away) {
      MapBlock& there = *hostWorld->cellAt(column + 6, groundIn(column + 6)->y + 1);
      walk(joiner, there);
      ASSERT_TRUE(runUntil([&] { return onHostCopy.cellX == there.x; }));
    }
    rules().damagePlayer(onHostCopy, kDeadly, kHarm);
    ASSERT_TRUE(runUntil([&] { return joiner.player().dead != 0; })) << "she hears of her death";
    joiner.game().dropInventoryOnDeath();
    joiner.game().respawn();
    ASSERT_TRUE(runUntil([&] { return joiner.player().dead == 0 && onHostCopy.dead == 0; })) << "she comes back";
  }
  // What a client handled of the host's messages about the player: a teleport ([2][18]), and the
  // action it played ([6][94]).
  static bool heardTeleport(const Joiner& joiner, uint8_t peer) {
    return std::any_of(joiner.net.seen.begin(), joiner.net.seen.end(), [&](const Received& r) {
      return r.bytes.size() >= 3 && r.bytes[0] == 2 && r.bytes[1] == 18 && r.bytes[2] == peer;
    });
  }
  static bool heardAction(const Joiner& joiner, uint8_t peer, uint8_t action) {
    return std::any_of(joiner.net.seen.begin(), joiner.net.seen.end(), [&](const Received& r) {
      return r.bytes.size() >= 4 && r.bytes[0] == 6 && r.bytes[1] == 94 && r.bytes[2] == peer && r.bytes[3] == action;
    });
  }
  // The units of the id (and of the word, when given) her inventory carries.
  static uint32_t carried(const Inventory& inventory, uint16_t id, std::optional<uint32_t> word = std::nullopt) {
    uint32_t units = 0;
    for (auto area : {Inventory::Area::Quick, Inventory::Area::CraftGrid, Inventory::Area::Backpack,
                      Inventory::Area::Equipment, Inventory::Area::Equipment2, Inventory::Area::Single,
                      Inventory::Area::Trinket}) {
      for (const ItemPtr& item : inventory.area(area)) {
        if (item != nullptr && item->id == id && (!word || item->word == *word)) units += item->count;
      }
    }
    return units;
  }
  // A stack in her slot that the host's copy of her items holds too.
  void carryStack(Joiner& joiner, SlotRef slot, const Item& stack) {
    joiner.inventory().setSlot(slot, newItem(stack.id, stack.variant, stack.count, stack.durability, stack.word));
    onHost(joiner.net.localPeerId()).items().add(stack);
  }
  // Every stack of the ids she was given is the same on both sides, the fireworks word by word.
  void expectSameItems(Joiner& joiner, uint8_t peer, const std::string& when) {
    PlayerItemCopy& copy = onHost(peer).items();
    for (uint16_t id : {kFirework, kRedPaint, other_}) {
      EXPECT_EQ(copy.countOf(id), carried(joiner.inventory(), id)) << "item " << id << " " << when;
    }
    for (uint32_t word : {0u, static_cast<uint32_t>(kRed), static_cast<uint32_t>(kRed | kRed << 4)}) {
      EXPECT_EQ(copy.countWithWord(kFirework, word), carried(joiner.inventory(), kFirework, word))
          << "fireworks of word " << word << " " << when;
    }
  }
  bool toldNotHeld(const Joiner& joiner) const {
    const auto& said = joiner.log.messages;
    return std::find(said.begin(), said.end(), std::string(player_msg::kNotHeld)) != said.end();
  }

  uint16_t other_ = 0;
  DifficultyRow dropsBackpack_;
};

TEST_P(PlayTogetherRespawn, HerPetComesBackWithHerWhenSheRespawns) {
  const uint16_t trinket = petTrinket();
  PlayerServerDesktop& annOnHost = onHost(kAnn);
  // Putting it on calls the pet, as her inventory view does.
  carry(*ann, {SlotKind::Trinket, 0, 0}, trinket, 1);
  ASSERT_TRUE(runUntil([&] { return petsOf(annOnHost) == 1; })) << "her trinket calls her pet";

  dieAndRespawn(*ann, kAnn, true);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(runUntil([&] { return petsOf(annOnHost) == 1; })) << "her pet, sent away at her death, is back";
  EntityId pet = kNoEntity;
  session->entities().lists().mobs().forEach([&](RealEntity& entity) {
    if (entity.ownerId() == annOnHost.playerId() && !entity.data.removed) pet = entity.id();
  });
  EXPECT_TRUE(runUntil([&] { return entity_cast<MobPetEntity>(ann->world()->effects().entityById(pet)) != nullptr; }))
      << "her world shows it";
  EXPECT_EQ(livePets(), 1u);
}

// Bo saw her die; he sees her come back (her teleport and the revival action reach him) and can ask
// her to trade.
TEST_P(PlayTogetherRespawn, ASecondPlayerSeesHerComeBackAndCanAskHerToTrade) {
  PlayerClientDesktop* herCopy = bo->net.remotePlayer(kAnn);
  ASSERT_NE(herCopy, nullptr);
  dieAndRespawn(*ann, kAnn, true);
  ASSERT_FALSE(HasFatalFailure());
  // Waited on what Bo hears, not on his copy's flag, which reads alive also before her death reached him.
  EXPECT_TRUE(runUntil([&] { return heardTeleport(*bo, kAnn); })) << "Bo is told where she is back";
  EXPECT_TRUE(runUntil([&] { return heardAction(*bo, kAnn, rule_action::kRevived); })) << "Bo is shown her revival";
  EXPECT_EQ(herCopy->dead, 0) << "Bo's copy of her stays dead";
  EXPECT_EQ(herCopy->cellX, onHost(kAnn).spawnCellX);
  EXPECT_EQ(herCopy->cellY, onHost(kAnn).spawnCellY);
  EXPECT_TRUE(openTrade(*bo, *ann, kAnn)) << "Bo asks her to trade and she accepts";
}

TEST_P(PlayTogetherRespawn, EveryPlayerSeesTheHostsPlayerComeBack) {
  rules().damagePlayer(hostPlayer(), kDeadly, kHarm);
  ASSERT_NE(hostPlayer().dead, 0);
  for (Joiner* joiner : {ann.get(), bo.get()}) {
    PlayerClientDesktop* copy = joiner->net.remotePlayer(kHostPeer);
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(runUntil([&] { return copy->dead != 0; })) << joiner->net.localName() << " hears of the host's death";
  }
  session->game().respawn();
  ASSERT_EQ(hostPlayer().dead, 0);
  for (Joiner* joiner : {ann.get(), bo.get()}) {
    const PlayerClientDesktop* copy = joiner->net.remotePlayer(kHostPeer);
    EXPECT_TRUE(runUntil([&] { return heardTeleport(*joiner, kHostPeer); }));
    EXPECT_TRUE(runUntil([&] { return heardAction(*joiner, kHostPeer, rule_action::kRevived); }));
    EXPECT_EQ(copy->dead, 0) << joiner->net.localName() << "'s copy stays dead";
  }
}

// Her backpack holds a filled firework and her quick row an empty one; the difficulty drops the
// backpack. She dies three times (the first drops the backpack, the others find it empty), and
// each time her items and the host's copy of them agree; then she fills the empty one.
TEST_P(PlayTogetherRespawn, HerItemsStayTheSameOnBothSidesAcrossDeathsAndHerFillingIsTaken) {
  dropsBackpack_.bytes[difficulty_record::dropsBackpack] = 1;
  ann->game().setDifficulty(&dropsBackpack_);
  // A death within her first seconds drops nothing: she has been in the world a while.
  ASSERT_TRUE(runUntil([&] { return ann->game().hasSettled(); }));
  other_ = stackingItems(1)[0];
  carryStack(*ann, {SlotKind::Quick, 0, 0}, Item(kFirework, 0, 1, 0, 0));
  carryStack(*ann, {SlotKind::Quick, 1, 0}, Item(kRedPaint, 0, 2, 0, 0));
  carryStack(*ann, {SlotKind::Backpack, 0, 0}, Item(kFirework, 0, 1, 0, kRed));
  carryStack(*ann, {SlotKind::Backpack, 1, 0}, Item(other_, 0, 3, 0, 0));
  expectSameItems(*ann, kAnn, "before she dies");

  for (int death = 1; death <= 3; ++death) {
    // The first drops her backpack away from where she comes back, out of her way.
    dieAndRespawn(*ann, kAnn, death == 1);
    ASSERT_FALSE(HasFatalFailure());
    // What she dropped lies in the host's world once the host took it out of its copy.
    ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(other_) == 0; })) << "death " << death;
    expectSameItems(*ann, kAnn, "after death " + std::to_string(death));
  }
  ASSERT_EQ(carried(ann->inventory(), kFirework, 0), 1u) << "her empty firework stayed in her quick row";

  ASSERT_EQ(fillPlayersFirework(ann->player(), {SlotKind::Quick, 1, 0}, {SlotKind::Quick, 0, 0}).result,
            FireworkFill::Filled);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(kRedPaint) == 1 || toldNotHeld(*ann); }));
  EXPECT_FALSE(toldNotHeld(*ann)) << "the host answered that she does not hold it";
  EXPECT_EQ(onHost(kAnn).items().countWithWord(kFirework, kRed), 1u) << "the host filled its copy of it";
  expectSameItems(*ann, kAnn, "after the filling");
}

INSTANTIATE_TEST_SUITE_P(Enet, PlayTogetherRespawn, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

// A hosted world of the hardest difficulty: a death there drops the backpack, the quick row and what
// is worn, whoever dies, and every player comes back.
class PlayTogetherHardcore : public PlayTogetherRespawn {
 protected:
  static constexpr uint8_t kHardcore = 4;
  // The tables' hardest row, as the game's tables file gives it, before the host's world is made.
  void SetUp() override {
    GameTables tables;
    tables.difficulties.resize(kHardcore + 1);
    DifficultyRow& row = tables.difficulties[kHardcore];
    row.bytes[difficulty_record::level] = kHardcore;
    for (const size_t drops : {difficulty_record::dropsBackpack, difficulty_record::dropsQuickSlots,
                               difficulty_record::dropsWorn}) {
      row.bytes[drops] = 1;
    }
    for (const size_t factor : {difficulty_record::playerDamage, difficulty_record::mobDamage,
                                difficulty_record::spawnFactor}) {
      putFactor(row, factor, 1.0f);
    }
    setGameTables(std::move(tables));
    PlayTogetherRespawn::SetUp();
  }
  const DifficultyRow* worldDifficulty() const override { return difficultyRow(kHardcore); }
  static void putFactor(DifficultyRow& row, size_t offset, float value) {
    const auto bits = std::bit_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) row.bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
  }
};

// Her quick row, her backpack and the armour she put on during play all drop where she dies, on her
// screen and in the host's copy of her (her worn place empties, as the others see it); the host
// brings her back, and the items lie in the hosted world, none lost and none doubled.
TEST_P(PlayTogetherHardcore, SheLeavesAllSheCarriesAndWearsWhereSheDiesAndComesBack) {
  ASSERT_NE(worldDifficulty(), nullptr);
  ASSERT_TRUE(worldDifficulty()->dropsQuickSlots() && worldDifficulty()->dropsBackpack() && worldDifficulty()->dropsWorn());
  ASSERT_EQ(ann->world()->difficulty(), worldDifficulty()) << "she plays by the host's difficulty";
  ASSERT_TRUE(runUntil([&] { return ann->game().hasSettled(); }));
  const Armour armour = anyArmour();
  ASSERT_NE(armour.id, 0);
  const std::vector<uint16_t> ids = stackingItems(2);
  carryStack(*ann, {SlotKind::Quick, 0, 0}, Item(ids[0], 0, 3, 0, 0));
  carryStack(*ann, {SlotKind::Backpack, 0, 0}, Item(ids[1], 0, 2, 0, 0));
  carryStack(*ann, {SlotKind::Backpack, 1, 0}, Item(armour.id, 0, 1, 0, 0));
  putOn(*ann, {SlotKind::Backpack, 1, 0}, armour.place);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).wornItem(0, armour.place) != nullptr; }));
  const auto before = everyItem();

  dieAndRespawn(*ann, kAnn, true);  // away from where she comes back: nothing is picked up again
  ASSERT_FALSE(HasFatalFailure());
  for (const uint16_t id : {ids[0], ids[1], armour.id}) {
    EXPECT_EQ(carried(ann->inventory(), id), 0u) << "item " << id << " left her inventory";
    EXPECT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(id) == 0; })) << "and the host's copy, item " << id;
  }
  EXPECT_TRUE(runUntil([&] { return onHost(kAnn).wornItem(0, armour.place) == nullptr; })) << "she wears it no more";
  EXPECT_TRUE(runUntil([&] { return bo->net.remotePlayer(kAnn)->wornItem(0, armour.place) == nullptr; }))
      << "as Bo sees her";
  EXPECT_EQ(everyItem(), before) << "all of it lies in the hosted world";
}

INSTANTIATE_TEST_SUITE_P(Enet, PlayTogetherHardcore, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "OverEnet"; });

}  // namespace
}  // namespace nettest
