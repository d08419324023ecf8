#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <set>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/items/trinket_pets.h"
#include "content/potions/potion_table.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"

namespace {

struct Spawned {
  Item item;
  float speed;
  float angle;
};

class RecordingSpawner : public ItemSpawner {
 public:
  void spawnItemEntity(ItemPtr item, engine::Vec2, MapBlock*, float speed, float angle,
                       bool) override {
    spawned.push_back({*item, speed, angle});
  }
  std::vector<Spawned> spawned;
};

class Wearer : public TrinketPetOwner {
 public:
  const Item* equipmentItem(int set, int slot) const override {
    return set == 0 && slot >= 0 && slot < 5 && !worn[slot].isNone() ? &worn[slot] : nullptr;
  }
  engine::Vec2 position() const override { return {320, 48}; }
  MapBlock* visibleMapBlock() const override { return cell; }
  Item worn[5];
  MapBlock* cell = reinterpret_cast<MapBlock*>(0x1000);
};

class TrinketPetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentTables();
    engine::randomSeed(3);
  }
  void TearDown() override {
    resetContentTables();
  }

  void runSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) dropFromTrinketPets(wearer_, spawner_);
  }

  RecordingSpawner spawner_;
  Wearer wearer_;
};

TEST_F(TrinketPetTest, PetsDropFromTheirListAboutTwoPercentOfTheTime) {
  wearer_.worn[1] = Item(3536, 0, 1, 0, 0);  // a pet without a list
  wearer_.worn[2] = Item(2206, 0, 1, 0, 0);
  wearer_.worn[3] = Item(4500, 0, 1, 0, 0);  // an id with no definition
  constexpr int SECONDS = 10000;
  runSeconds(SECONDS);
  const double rate = static_cast<double>(spawner_.spawned.size()) / SECONDS;
  EXPECT_NEAR(rate, 0.02, 0.006);
  const std::vector<uint16_t>& list = *petDropList(2206);
  for (const Spawned& drop : spawner_.spawned) {
    EXPECT_NE(std::find(list.begin(), list.end(), drop.item.id), list.end());
    EXPECT_FLOAT_EQ(drop.speed, 0.6f);
    const float degrees = drop.angle * 180.0f / std::numbers::pi_v<float>;
    EXPECT_TRUE(degrees > 70.5f && degrees < 110.5f) << degrees;
  }
}

TEST_F(TrinketPetTest, PatternPetGivesRandomPatternsAndPotionPetTheFirstTwoPotions) {
  wearer_.worn[0] = Item(1950, 0, 1, 0, 0);
  wearer_.worn[4] = Item(1885, 0, 1, 0, 0);
  runSeconds(8000);
  std::set<uint32_t> patterns;
  int potions = 0;
  for (const Spawned& drop : spawner_.spawned) {
    if (drop.item.id == 41) {
      patterns.insert(drop.item.word);
    } else {
      const std::string name = potionDisplayName(static_cast<uint16_t>(drop.item.word));
      EXPECT_TRUE(name == "Potion of Giants" || name == "Potion of Dwarves") << name;
      ++potions;
    }
  }
  EXPECT_GT(patterns.size(), 1u);
  EXPECT_GT(potions, 20);
}

}  // namespace
