// The local player and its character file: a furnished player saved through the game's character
// source and loaded back into a new player field by field, the health rules of a load, a file
// that does not load, and what the player options stored with the character do.
#include <span>
#include <vector>

#include "content/items/item.h"
#include "content/potions/potion_table.h"
#include "game/crafting/recipe_knowledge.h"
#include "game/player/player_options.h"
#include "saves/character/disk_item.h"
#include "tests/saves/launch/local_player_fixture.h"

namespace saves_test {
namespace {

using Area = Inventory::Area;
constexpr Area kAreas[] = {Area::Quick,      Area::CreativeQuick, Area::CraftGrid, Area::Backpack,
                           Area::Equipment, Area::Equipment2,    Area::Single,    Area::Trinket};

// Every owned slot as stored values, area by area.
std::vector<DiskItem> slotsOf(const Player& player) {
  std::vector<DiskItem> slots;
  for (Area area : kAreas) {
    for (const ItemPtr& item : player.inventory->area(area)) slots.push_back(diskItemOf(item.get()));
  }
  return slots;
}

uint16_t potionValue(size_t row, uint16_t level) {
  return static_cast<uint16_t>(potionDefs()[row].code << 6 | level);
}

class LocalPlayerRoundTrip : public LocalPlayerTest {
 protected:
  // Death ends its game, "Instant Planets" (bit 5) and "Extended Day" (bit 6), and a bit no one
  // uses yet, which is kept all the same.
  static constexpr uint32_t kFlags = character_flag::kDeathEndsGame | 1u << 5 | 1u << 6 | 1u << 12;

  void SetUp() override {
    LocalPlayerTest::SetUp();
    for (uint16_t id = 100; id < 180; ++id) test_rows::defineItem(id, 1);
  }

  // Every slot of every area holds a different stack; the grid and the backpack are filled
  // unevenly so that a transposed slot shows.
  std::unique_ptr<PlayerDesktopLocal> furnished() {
    auto player = std::make_unique<PlayerDesktopLocal>(&rules_);
    player->name = "Hildegard";
    player->stateWord = 1u | 1u << 2;
    player->lookWord = 0x00C0FFEE;
    player->setCharacterFlags(kFlags);
    player->difficultyId = 4;
    uint16_t id = 100;
    for (Area area : kAreas) {
      for (ItemPtr& slot : player->inventory->area(area)) {
        if (id % 7 != 3) slot = newItem(id, 0, static_cast<uint16_t>(id % 40 + 1), id % 13, 0x5000u + id);
        ++id;
      }
    }
    player->stats.buffs = {{potionValue(3, 1), 240}, {potionValue(17, 0), 9}};
    player->knowledge->known[0] = 0x81;
    player->knowledge->known[41] = 0x7F;  // entries 328-334
    player->knowledge->chemistry[5] = 0x10;
    player->knowledge->countKnownRecipes();
    player->health = 3.5f;
    for (size_t achievement : {0u, 7u, 64u, 108u}) statsStore().restoreUnlocked(achievement);
    return player;
  }
};

TEST_F(LocalPlayerRoundTrip, EveryFieldComesBack) {
  CharacterStore& store = saves_.characters();
  auto entry = std::make_unique<PlayerEntry>("Hildegard.dat", "Hildegard", 1);
  entry->characterFlags = kFlags;
  entry->difficultyId = 4;
  ASSERT_TRUE(store.create(std::move(entry), std::nullopt));
  store.setCurrent(store.entries().front().get());

  EXPECT_FALSE(saves_.saveCurrentCharacter()) << "no running player: nothing to save";
  runningWorld().player = furnished();
  const PlayerDesktopLocal& saved = *runningWorld().player;
  ASSERT_TRUE(saves_.saveCurrentCharacter());
  const std::vector<DiskItem> slots = slotsOf(saved);
  const std::vector<PlayerBuff> buffs = saved.stats.buffs;

  // The file holds each area in its own part: quick rows, grid, backpack, equipment, looks,
  // single slot, trinket.
  CharacterRecord onDisk;
  CharacterParts parts;
  {
    kel::FileHandle file(playerPath("Hildegard.dat"), kel::FileHandle::READ);
    ASSERT_TRUE(readCharacterFile(file, onDisk, parts));
  }
  std::vector<DiskItem> stored;
  for (std::span<const DiskItem> part :
       {std::span<const DiskItem>(onDisk.firstRow), std::span<const DiskItem>(onDisk.secondRow),
        std::span<const DiskItem>(onDisk.craftGrid), std::span<const DiskItem>(onDisk.backpack),
        std::span<const DiskItem>(onDisk.equipment), std::span<const DiskItem>(onDisk.looks),
        std::span<const DiskItem>(&onDisk.firstSingle, 1), std::span<const DiskItem>(&onDisk.secondSingle, 1)}) {
    stored.insert(stored.end(), part.begin(), part.end());
  }
  EXPECT_EQ(stored, slots);
  EXPECT_EQ(onDisk.buffs[0], (BuffPair{potionValue(3, 1), 240}));

  statsStore().clearUnlocked();
  statsStore().restoreUnlocked(5);  // another character's achievement does not survive the load
  const std::unique_ptr<PlayerDesktopLocal> loaded = game_.loadLocalPlayer(rules_, nullptr, nullptr);
  ASSERT_NE(loaded, nullptr);

  EXPECT_EQ(loaded->name, "Hildegard");
  EXPECT_EQ(loaded->stateWord, saved.stateWord);
  EXPECT_EQ(loaded->lookWord, 0x00C0FFEEu);
  EXPECT_EQ(loaded->characterFlags, kFlags);
  EXPECT_EQ(loaded->difficultyId, 4u);
  EXPECT_EQ(loaded->health, 3.5f);
  ASSERT_EQ(loaded->stats.buffs.size(), buffs.size());
  for (size_t i = 0; i < buffs.size(); ++i) {
    EXPECT_EQ(loaded->stats.buffs[i].id, buffs[i].id);
    EXPECT_EQ(loaded->stats.buffs[i].remaining, buffs[i].remaining);
  }
  EXPECT_EQ(slotsOf(*loaded), slots);
  EXPECT_EQ(loaded->knowledge->known, saved.knowledge->known);
  EXPECT_EQ(loaded->knowledge->chemistry, saved.knowledge->chemistry);
  EXPECT_EQ(loaded->knowledge->knownCount, 9u);
  EXPECT_EQ(loaded->knowledge->discoveryLists, saved.knowledge->discoveryLists);
  for (size_t n = 0; n < kAchievementCount; ++n) {
    EXPECT_EQ(statsStore().isUnlocked(n), n == 0 || n == 7 || n == 64 || n == 108) << n;
  }
}

// A health of 0 is a character that never had one; more than the maximum is cut to it.
TEST_F(LocalPlayerTest, HealthSettlesWithinTheMaximum) {
  const struct {
    float stored;
    float loaded;
  } cases[] = {{0.0f, 5.0f}, {12.0f, 5.0f}, {5.0f, 5.0f}, {0.25f, 0.25f}};
  for (const auto& c : cases) {
    CharacterRecord record;
    record.name = "Healthy";
    record.health = c.stored;
    writeRecord("Healthy.dat", record);
    const std::unique_ptr<PlayerDesktopLocal> player = loadAs("Healthy.dat");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->health, c.loaded) << "stored " << c.stored;
  }
}

TEST_F(LocalPlayerTest, AFileThatDoesNotReadGivesNoPlayerAndChangesNothing) {
  CharacterRecord record;
  record.difficultyId = 4;
  record.achievements[0] = 0xFF;
  writeRecord("Broken.dat", record);
  writeFile("Broken.dat", cut(fileBytes("Broken.dat"), kCharacterFileSize - 1));
  statsStore().restoreUnlocked(9);
  EXPECT_EQ(loadAs("Broken.dat", 0, 4), nullptr);
  EXPECT_EQ(loadAs("Missing.dat", 0, 4), nullptr);
  saves_.characters().setCurrent(nullptr);
  EXPECT_EQ(game_.loadLocalPlayer(rules_, nullptr, nullptr), nullptr);
  EXPECT_TRUE(statsStore().isUnlocked(9));
  EXPECT_FALSE(statsStore().isUnlocked(0));
}

// The entry's flags and difficulty win over the file's: the list is where they are changed.
TEST_F(LocalPlayerTest, OptionsOfTheCharacterTakeEffect) {
  CharacterRecord record;
  record.knowledge[128] = 0x01;  // crafting entry 0 known
  writeRecord("Opts.dat", record);
  const uint32_t full = playerOptionBit(player_option::kFullCraftbook);
  const uint32_t instant = playerOptionBit(player_option::kInstantPlanets);
  const uint32_t chemistry = playerOptionBit(player_option::kChemistryBook);

  const auto plain = loadAs("Opts.dat", 0, 3);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->difficultyId, 3u);
  EXPECT_TRUE(plain->knowledge->isEntryKnown(0));
  EXPECT_FALSE(plain->knowledge->isEntryKnown(1));
  EXPECT_FALSE(plain->knowledge->isRecipeKnown(0));
  EXPECT_EQ(plain->knowledge->knownCount, 1u);
  EXPECT_TRUE(plain->knowledge->canLearn());
  plain->unlockedPlanets = 5;
  EXPECT_EQ(plain->unlockedPlanetMask(), 5);

  const auto all = loadAs("Opts.dat", full | instant | chemistry);
  ASSERT_NE(all, nullptr);
  for (uint16_t entry = 0; entry < kCraftBookEntryCount; ++entry) {
    ASSERT_TRUE(all->knowledge->isEntryKnown(entry)) << entry;
    ASSERT_TRUE(all->knowledge->isRecipeKnown(entry)) << entry;
  }
  EXPECT_EQ(all->knowledge->countUnknownEntries(), 0u);
  EXPECT_EQ(all->knowledge->knownCount, kCraftBookEntryCount);
  EXPECT_FALSE(all->knowledge->canLearn());
  EXPECT_EQ(all->knowledge->known[1], 0) << "the option does not write the learned bits";
  all->unlockedPlanets = 5;
  EXPECT_EQ(all->unlockedPlanetMask(), Player::kAllPlanets);
  EXPECT_FALSE(playerOptionOn(*all, player_option::kExtendedDay));
}

// Every option on still leaves the character visible to the list, and its game survives death.
TEST_F(LocalPlayerTest, OptionBitsKeepClearOfTheListsOwnBits) {
  uint32_t options = 0;
  for (int option = player_option::kFullCraftbook; option <= player_option::kChemistryBook; ++option) {
    const uint32_t bit = playerOptionBit(option);
    EXPECT_NE(bit, 0u);
    EXPECT_EQ(options & bit, 0u) << "two options share a bit";
    options |= bit;
  }
  EXPECT_EQ(options & (character_flag::kHidden | character_flag::kDeathEndsGame), 0u);
  EXPECT_EQ(playerOptionBit(1) | playerOptionBit(6), 0u);

  CharacterRecord record;
  record.name = "Optimist";
  record.characterFlags = options;
  writeRecord("Optimist.dat", record);
  saves_.characters().scan("Optimist");
  ASSERT_NE(saves_.characters().current(), nullptr);
  EXPECT_EQ(saves_.characters().current()->characterFlags, options);
}

}  // namespace
}  // namespace saves_test
