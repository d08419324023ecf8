#include "content/items/block_edit.h"
#include "content/items/trinket_pets.h"
#include "content/potions/potion_table.h"
#include "content/texts/language_texts.h"
#include "game/rules/bed_rules.h"
#include "game/rules/consumption_rules.h"
#include "game/rules/finding_pets.h"
#include "game/rules/portal_rules.h"
#include "tests/game/game_fixture.h"
#include "world/light/light_map.h"
#include "world/plants/plant_system.h"

namespace game_test {
namespace {

using world_test::kDirt;

constexpr uint16_t kBread = 110;    // food value 3
constexpr uint16_t kSpoiled = 111;  // food value -2
constexpr uint16_t kPotion = 2126 + 64 * 3;
constexpr uint16_t kSeedSniffer = 1885;  // a pet that finds seed items (41)

class ThrownItems final : public ItemSpawner {
 public:
  void spawnItemEntity(Item* item, engine::Vec2, MapBlock*, float speed, float, bool) override {
    thrown.push_back({item->id, item->word, speed});
    freeItem(item);
  }
  struct Thrown {
    uint16_t id;
    uint32_t word;
    float speed;
  };
  std::vector<Thrown> thrown;
};

void setFood(uint16_t id, float value) {
  defineItem(id, 2, true);
  std::memcpy(contentTables().itemDefs[id].record.bytes.data() + content::item_record::value, &value, sizeof value);
}

uint16_t potionValue() {
  for (const PotionDef& def : potionDefs()) {
    if (def.code != 0) return static_cast<uint16_t>(def.code << 6);
  }
  return 0;
}

class PlayerRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    setItemSpawner(&spawner);
    floorAt(4);
    player->stats.maxHealth = 10;
    player->health = 4;
  }
  void TearDown() override {
    setItemSpawner(nullptr);
    resetLanguageTexts();
    GameTest::TearDown();
  }
  // Texts 0..193, each "text <id>", with the refusal texts as the game has them.
  static void loadTexts() {
    std::string json = "{\"strings\": [";
    for (int id = 0; id < 194; ++id) {
      if (id > 0) json += ",";
      std::string text = "\"text " + std::to_string(id) + "\"";
      if (id == kCannotDrinkText) text = "\"You can't drink this now: %s\"";
      if (id == 190) text = "\"a similar effect is already active\"";
      json += text;
    }
    languageTexts().loadText(json + "]}");
  }
  void wearSniffer() { player->setEquipment(newItem(kSeedSniffer, 0, 1, 0, 0), false, 4); }
  ThrownItems spawner;
};

TEST_F(PlayerRulesTest, PortalsLetThePlayerTravelOnlyToAnotherPlanet) {
  const std::vector<PortalRecord> portals = {
      {1, 2, 5, 5, 0}, {1, 1, 7, 5, 0}, {2, 1, 9, 5, 0}, {1, 4, 9, 5, 0},
  };
  struct Case {
    uint32_t planet;
    int x;
    int16_t refusal;       // -1: travels
    uint32_t destination;  // of the portal taken
  };
  const Case cases[] = {
      {1, 5, -1, 2},
      {1, 7, portal_text::kLeadsHere, 0},
      {1, 6, portal_text::kNoPortal, 0},
      {4, 5, portal_text::kNoPortal, 0},
      {1, 9, -1, 4},  // the record of another planet at the same cell is not this planet's
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "planet " << c.planet << " column " << c.x);
    events.texts.clear();
    std::vector<uint32_t> travelled;
    const bool went = usePortal(*player, portals, c.planet, at(c.x, 5), [&](Player&, const PortalRecord& p) {
      travelled.push_back(p.target);
    });
    EXPECT_EQ(went, c.refusal < 0);
    EXPECT_EQ(travelled, went ? std::vector<uint32_t>{c.destination} : std::vector<uint32_t>{});
    EXPECT_EQ(events.texts, (went ? RecordingEvents::Texts{} : RecordingEvents::Texts{{3, c.refusal}}));
  }
}

TEST_F(PlayerRulesTest, OnAHostEveryoneTravelsOnceAllChoseThePortalTheHostLast) {
  PlayerDesktopLocal other(&game);
  const std::vector<PortalRecord> portals = {{1, 2, 5, 5, 0}, {1, 8, 6, 5, 0}};
  const std::vector<Player*> present = {player.get(), &other};
  PortalChoices choices;
  EXPECT_TRUE(choices.choose(*player, portals[0], present).empty()) << "the host waits for the other";
  EXPECT_TRUE(choices.choose(other, portals[1], present).empty()) << "a different portal";
  const std::vector<Player*> travellers = choices.choose(other, portals[0], present);
  ASSERT_EQ(travellers.size(), 2u);
  EXPECT_EQ(travellers[0], &other);
  EXPECT_EQ(travellers[1], player.get());
  EXPECT_EQ(choices.chosenBy(*player), nullptr) << "choices are cleared for the next portal";
}

TEST_F(PlayerRulesTest, SleepingAloneHealsAndSaysSo) {
  rules.setPlayerInBed(player.get(), 1);
  EXPECT_FLOAT_EQ(player->health, 10.0f);
  EXPECT_EQ(events.texts, (RecordingEvents::Texts{{2, kSleepingText}}));
}

TEST_F(PlayerRulesTest, OnAHostTheLastToLieDownMakesEveryoneSleep) {
  PlayerDesktopLocal other(&game);
  other.stats.maxHealth = 8;
  other.health = 1;
  const std::vector<Player*> present = {player.get(), &other};
  BedRoll beds;
  EXPECT_TRUE(beds.lieDown(*player, true, present).empty());
  EXPECT_TRUE(beds.inBed(*player));
  EXPECT_FLOAT_EQ(player->health, 4.0f) << "lying down alone only marks the player";

  EXPECT_TRUE(beds.lieDown(*player, false, present).empty()) << "got up again";
  EXPECT_TRUE(beds.lieDown(other, true, present).empty());
  EXPECT_FLOAT_EQ(other.health, 1.0f);

  EXPECT_EQ(beds.lieDown(*player, true, present), present);
  EXPECT_FLOAT_EQ(player->health, 10.0f);
  EXPECT_FLOAT_EQ(other.health, 8.0f);
  EXPECT_FALSE(beds.inBed(*player));
  EXPECT_FALSE(beds.inBed(other));
  EXPECT_EQ(events.texts.size(), 2u);
}

TEST_F(PlayerRulesTest, RespawningPutsTheDeadPlayerAliveOnTheNearestSpawnableCell) {
  player->setSpawnCell(12, 5);
  player->setCellCoordinates(30, 5);
  rules.damagePlayer(*player, 50, 5);
  ASSERT_TRUE(player->dead);
  rules.respawnPlayer(player.get());
  EXPECT_FALSE(player->dead);
  EXPECT_GT(player->health, 0.0f);
  EXPECT_EQ(player->cellX, 12u);
  EXPECT_EQ(player->cellY, 5u);
  put(12, 5, kDirt);  // walled in: the spawn cell moves to the nearest spawnable one
  rules.respawnPlayer(player.get());
  EXPECT_TRUE(isSpawnableCell(*world, world->cellAt(static_cast<int32_t>(player->cellX), static_cast<int32_t>(player->cellY))));
  EXPECT_LE(std::abs(static_cast<int>(player->cellX) - 12) + std::abs(static_cast<int>(player->cellY) - 5), 2);
}

TEST_F(PlayerRulesTest, FoodHealsOrHurtsAndIsCounted) {
  setFood(kBread, 3.0f);
  setFood(kSpoiled, -2.0f);
  Item bread(kBread, 0, 1, 0, 0);
  Item spoiled(kSpoiled, 0, 1, 0, 0);
  EXPECT_TRUE(canConsume(*player, bread));
  EXPECT_TRUE(consumeItem(rules, *player, &bread));
  EXPECT_FLOAT_EQ(player->health, 7.0f);
  player->cooldown = 5;  // harm is not stopped by the contact protection
  EXPECT_TRUE(consumeItem(rules, *player, &spoiled));
  EXPECT_FLOAT_EQ(player->health, 5.0f);
  EXPECT_EQ(events.stats, (std::vector<RecordingEvents::Stat>{{0, kBread}, {0, kSpoiled}}));
  EXPECT_TRUE(consumeItem(rules, *player, nullptr));
}

TEST_F(PlayerRulesTest, APotionOfAnActiveFamilyIsRefusedWithItsReason) {
  loadTexts();
  defineItem(kPotion, 2, false);
  Item potion(kPotion, 0, 1, 0, potionValue());
  EXPECT_TRUE(canConsume(*player, potion));
  EXPECT_TRUE(consumeItem(rules, *player, &potion));
  ASSERT_EQ(player->stats.buffs.size(), 1u);
  EXPECT_FALSE(canConsume(*player, potion));
  EXPECT_EQ(events.messages,
            (RecordingEvents::Messages{{3, "You can't drink this now: a similar effect is already active"}}));
  EXPECT_FALSE(consumeItem(rules, *player, &potion));
  EXPECT_EQ(player->stats.buffs.size(), 1u);
}

TEST(ConsumptionTest, PotionIdBoundsAndRefusalTexts) {
  EXPECT_TRUE(isPotionItem(2126));
  EXPECT_TRUE(isPotionItem(2126 + 64 * 14));
  EXPECT_FALSE(isPotionItem(2126 + 64 * 15));
  EXPECT_FALSE(isPotionItem(2127));
  EXPECT_FALSE(isPotionItem(2062));
  EXPECT_EQ(refusalTextFor(255), refusalTextFor(1)) << "an unknown reason reads as the general one";
  EXPECT_EQ(refusalMessage("No: %s!", "why"), "No: why!");
}

TEST_F(PlayerRulesTest, WornPetsFindThingsNowAndThenButNotInACreativeWorld) {
  wearSniffer();
  for (int run = 0; run < 1000; ++run) findWithPets(rules, world.get());
  EXPECT_GT(spawner.thrown.size(), 5u) << "about one run in fifty";
  EXPECT_LT(spawner.thrown.size(), 45u);
  for (const auto& found : spawner.thrown) {
    EXPECT_EQ(found.id, 41);
    EXPECT_FLOAT_EQ(found.speed, 0.6f);
  }

  spawner.thrown.clear();
  auto creativeWorld = World::create(&difficulty, {.mode = 1}, kWidth, kHeight);
  for (int run = 0; run < 1000; ++run) findWithPets(rules, creativeWorld.get());
  EXPECT_TRUE(spawner.thrown.empty());
}

TEST_F(PlayerRulesTest, ThePetsTaskRunsEveryTenSeconds) {
  wearSniffer();
  rules.startTimers();
  for (int second = 0; second < 10 * 1000; ++second) rules.timers().step();
  EXPECT_GT(spawner.thrown.size(), 5u);
  EXPECT_LT(spawner.thrown.size(), 45u) << "a thousand runs, not ten thousand";
}

TEST_F(PlayerRulesTest, PlantedWheatGrowsThroughTheRulesTasks) {
  constexpr uint16_t kSprout = 2340, kGreen = 2338, kWheat = 2337;  // planted, middle, grown
  defineBlock(kSprout, {.flags = bits({33, 34}), .transparency = 1, .variants = 3});
  defineBlock(kGreen, {.transparency = 1, .variants = 2});
  defineBlock(kWheat, {.transparency = 1});
  remakeWorld();
  floorAt(4);
  world->map().lightMap().relightAll();
  BlockEdit planting;
  makeBlockValue(planting, 10, 5, 4, kSprout, 0, MapBlock::kFront, 0);
  ASSERT_TRUE(rules.editBlock(planting, nullptr));
  ASSERT_EQ(world->plants().plantCount(), 1u);
  rules.startTimers();
  int seconds = 0;
  for (; world->plants().plantCount() > 0 && seconds < 20 * 2000; ++seconds) rules.timers().step();
  EXPECT_EQ(at(10, 5).frontId(), kWheat);
  EXPECT_EQ(seconds % 20, 0) << "plants grow only on the twenty-second task";
}

}  // namespace
}  // namespace game_test
