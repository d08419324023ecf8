#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "content/format/game_tables_file.h"
#include "content/loader/game_tables_loader.h"
#include "tests/support/temp_dir.h"

namespace {

void putF32(DifficultyRow& row, size_t offset, float value) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) row.bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

// 24 breedable pairs, then 90 rows of group 8: every mob, item and saved number its own.
MobItemTable validMobItems() {
  std::vector<MobItemRow> rows;
  for (uint16_t r = 0; r < mob_items::kRowCount; ++r) {
    const uint16_t pair = r / 2;
    if (r < mob_items::kBreedableRows) {
      rows.push_back({static_cast<uint16_t>(10 + r), r, static_cast<uint16_t>(100 + r), static_cast<uint8_t>(pair % 8),
                      static_cast<uint8_t>(r % 2), static_cast<uint16_t>(500 + pair), static_cast<uint16_t>(200 + pair),
                      352});
    } else {
      rows.push_back({static_cast<uint16_t>(300 + r), r, static_cast<uint16_t>(100 + r), mob_items::kUnbredGroup,
                      mob_items::kNoSex, mob_items::kNone, mob_items::kNone, mob_items::kNone});
    }
  }
  return MobItemTable(std::move(rows));
}

MobItemTable withRow(size_t index, const std::function<void(MobItemRow&)>& change) {
  std::vector<MobItemRow> rows = validMobItems().rows();
  change(rows[index]);
  return MobItemTable(std::move(rows));
}

// Five rows naming their levels, the book in its list counts, a few catalogue entries and the
// mob-to-item table.
GameTables validTables() {
  GameTables tables;
  tables.difficulties.resize(game_tables::kDifficultyCount);
  for (size_t level = 0; level < tables.difficulties.size(); ++level) {
    DifficultyRow& row = tables.difficulties[level];
    row.bytes[difficulty_record::level] = static_cast<uint8_t>(level);
    putF32(row, difficulty_record::playerDamage, 0.5f + 0.5f * static_cast<float>(level));
    for (size_t i = 0; i < difficulty_record::lootFactorCount; ++i) {
      putF32(row, difficulty_record::lootFactors + 4 * i, 1.0f + static_cast<float>(i + level) / 10);
    }
  }
  tables.difficulties[3].bytes[difficulty_record::dropsWorn] = 1;
  for (uint8_t kind = 0; kind < game_tables::kListKindCount; ++kind) {
    for (size_t i = 0; i < game_tables::kEntriesPerList[kind]; ++i) {
      tables.book.push_back(
          {"Entry " + std::to_string(tables.book.size()), kind, i == 0 ? "description" : ""});
    }
  }
  tables.catalogue[0] = {{5, 1}, {4095, 0x800}};
  tables.catalogue[game_tables::kSpawnerCategory] = {{899, 4}};
  tables.mobItems = validMobItems();
  return tables;
}

bool read(const std::vector<uint8_t>& bytes, GameTables& out, std::string& error) {
  return content::readGameTables(bytes, out, error);
}

TEST(GameTablesFile, WrittenTablesReadBackWhole) {
  const GameTables tables = validTables();
  const std::vector<uint8_t> bytes = content::writeGameTables(tables);
  GameTables back;
  std::string error;
  ASSERT_TRUE(read(bytes, back, error)) << error;
  EXPECT_EQ(content::writeGameTables(back), bytes);
  EXPECT_EQ(back.book[335 - 1].listKind, 4);
  EXPECT_EQ(back.book[0].detail, "description");
  EXPECT_FLOAT_EQ(back.difficulties[4].playerDamageFactor(), 2.5f);
  EXPECT_EQ(back.catalogue[game_tables::kSpawnerCategory][0].mask, 4);
  EXPECT_EQ(back.mobItems.rows(), validMobItems().rows());
}

TEST(GameTablesFile, EveryCutOfTheFileIsRefusedAndLeavesTheOutputAlone) {
  const std::vector<uint8_t> bytes = content::writeGameTables(validTables());
  for (size_t size = 0; size < bytes.size(); ++size) {
    GameTables out;
    out.book.push_back({"kept", 0, ""});
    std::string error;
    ASSERT_FALSE(
        read(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(size)), out, error))
        << size;
    EXPECT_FALSE(error.empty()) << size;
    ASSERT_EQ(out.book.size(), 1u) << size;
  }
}

struct Damage {
  const char* name;
  std::function<void(GameTables&)> tables;           // applied before writing
  std::function<void(std::vector<uint8_t>&)> bytes;  // applied after writing
  const char* why;
};

TEST(GameTablesFile, DamagedTablesAreRefusedWithTheirReason) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<Damage> cases = {
      {"a byte past the end", {}, [](auto& b) { b.push_back(0); }, "goes on past its tables"},
      {"another magic", {}, [](auto& b) { b[0] = 'X'; }, "not a game tables file"},
      {"a later version", {}, [](auto& b) { b[4] = 3; }, "unknown version"},
      {"a mob item count past the table",
       {},
       [](auto& b) {
         const size_t at = b.size() - mob_items::kRowCount * mob_items::kRowBytes - 2;
         b[at] = 139;
       },
       "too many mob item rows"},
      {"137 mob item rows",
       [](GameTables& t) {
         std::vector<MobItemRow> rows = t.mobItems.rows();
         rows.pop_back();
         t.mobItems = MobItemTable(std::move(rows));
       },
       {},
       "137 rows, not 138"},
      {"a mob past the mob table",
       [](GameTables& t) { t.mobItems = withRow(60, [](MobItemRow& r) { r.mob = 900; }); },
       {},
       "mob item row 60: mob 900 is out of range"},
      {"an item past the item ids",
       [](GameTables& t) { t.mobItems = withRow(3, [](MobItemRow& r) { r.item = 4096; }); },
       {},
       "mob item row 3: item 4096"},
      {"a pair of one sex",
       [](GameTables& t) { t.mobItems = withRow(5, [](MobItemRow& r) { r.sex = 0; }); },
       {},
       "mob item row 4: the pair needs one of each sex"},
      {"a pair of two stables",
       [](GameTables& t) { t.mobItems = withRow(9, [](MobItemRow& r) { r.stableBlock = 353; }); },
       {},
       "mob item row 8: the pair differs"},
      {"a stabled mob of group 8",
       [](GameTables& t) { t.mobItems = withRow(100, [](MobItemRow& r) { r.stableBlock = 352; }); },
       {},
       "mob item row 100: rows past the breedable pairs"},
      {"a saved number for two mobs",
       [](GameTables& t) { t.mobItems = withRow(70, [](MobItemRow& r) { r.stableIndex = 200; }); },
       {},
       "a saved number stands for two mobs"},
      {"a book count past the book",
       {},
       [](auto& b) {
         b[7 + 5 * 88] = 0xFF;
         b[8 + 5 * 88] = 0xFF;
       },
       "too many craft book entries"},
      {"four difficulties", [](GameTables& t) { t.difficulties.pop_back(); }, {}, "4 difficulty rows, not 5"},
      {"a NaN damage factor",
       [&](GameTables& t) { putF32(t.difficulties[2], difficulty_record::playerDamage, nan); },
       {},
       "difficulty 2: the value at byte 0"},
      {"an endless spawn factor",
       [](GameTables& t) { putF32(t.difficulties[1], difficulty_record::spawnFactor, INFINITY); },
       {},
       "difficulty 1: the value at byte 8"},
      {"a negative regeneration",
       [](GameTables& t) { putF32(t.difficulties[0], difficulty_record::regeneration, -1); },
       {},
       "difficulty 0: the value at byte 16"},
      {"a NaN loot factor",
       [&](GameTables& t) { putF32(t.difficulties[4], difficulty_record::lootFactors + 20, nan); },
       {},
       "difficulty 4: loot factor 5"},
      {"a drop flag of 2",
       [](GameTables& t) { t.difficulties[3].bytes[difficulty_record::dropsWorn] = 2; },
       {},
       "difficulty 3: the flag at byte 82"},
      {"a row of another level",
       [](GameTables& t) { t.difficulties[1].bytes[difficulty_record::level] = 3; },
       {},
       "difficulty 1: names level 3"},
      {"334 book entries", [](GameTables& t) { t.book.pop_back(); }, {}, "334 entries, not 335"},
      {"list kind 5", [](GameTables& t) { t.book[10].listKind = 5; }, {}, "entry 10: list kind 5 is not 0-4"},
      {"an entry moved to another list",
       [](GameTables& t) { t.book[0].listKind = 1; },
       {},
       "list 0 has 31 entries, not 32"},
      {"a nameless entry", [](GameTables& t) { t.book[7].name.clear(); }, {}, "entry 7: has no name"},
      {"a long second text",
       [](GameTables& t) { t.book[8].detail.assign(65, 'x'); },
       {},
       "entry 8: a text is too long"},
      {"item 4096",
       [](GameTables& t) {
         t.catalogue[3].push_back({4096, 1});
       },
       {},
       "category 3, entry 0: id 4096 is out of range"},
      {"mob 900",
       [](GameTables& t) {
         t.catalogue[10].push_back({900, 1});
       },
       {},
       "category 10, entry 1: id 900 is out of range"},
      {"no planet",
       [](GameTables& t) { t.catalogue[0][1].mask = 0; },
       {},
       "category 0, entry 1: the planet mask"},
      {"a thirteenth planet",
       [](GameTables& t) { t.catalogue[0][0].mask = 0x1000; },
       {},
       "category 0, entry 0: the planet mask"},
  };
  for (const Damage& c : cases) {
    GameTables tables = validTables();
    if (c.tables) c.tables(tables);
    std::vector<uint8_t> bytes = content::writeGameTables(tables);
    if (c.bytes) c.bytes(bytes);
    GameTables out;
    std::string error;
    EXPECT_FALSE(read(bytes, out, error)) << c.name;
    EXPECT_NE(error.find(c.why), std::string::npos) << c.name << ": " << error;
    EXPECT_TRUE(out.difficulties.empty()) << c.name;
  }
}

class GameTablesLoad : public ::testing::Test {
 protected:
  void TearDown() override { resetGameTables(); }
  std::string writeFile(const std::vector<uint8_t>& bytes) {
    return dir.write("tables.dat", std::string(bytes.begin(), bytes.end()));
  }
  testsupport::TempDir dir;
};

TEST_F(GameTablesLoad, AGoodFileGivesEachDifficultyItsRowAndABadOneEmptiesTheTables) {
  ASSERT_TRUE(loadGameTables(writeFile(content::writeGameTables(validTables()))));
  for (uint32_t id = 0; id < 5; ++id) {
    ASSERT_NE(difficultyRow(id), nullptr) << id;
    EXPECT_EQ(difficultyRow(id)->level(), id);
  }
  EXPECT_EQ(difficultyRow(5), nullptr);
  EXPECT_EQ(difficultyRow(0xFFFFFFFF), nullptr);
  EXPECT_EQ(gameTables().book.size(), 335u);

  std::vector<uint8_t> cut = content::writeGameTables(validTables());
  cut.pop_back();
  EXPECT_FALSE(loadGameTables(writeFile(cut)));
  EXPECT_EQ(gameTablesLoadError(), "the file ends early");
  EXPECT_EQ(difficultyRow(2), nullptr);
  EXPECT_TRUE(gameTables().book.empty());
}

TEST_F(GameTablesLoad, AMissingOrOversizedFileIsRefusedUnread) {
  EXPECT_FALSE(loadGameTables(dir.file("none.dat")));
  EXPECT_NE(gameTablesLoadError().find("cannot open"), std::string::npos);
  std::vector<uint8_t> huge = content::writeGameTables(validTables());
  huge.resize(content::kGameTablesSizeLimit + 1);
  EXPECT_FALSE(loadGameTables(writeFile(huge)));
  EXPECT_NE(gameTablesLoadError().find("too large"), std::string::npos);
}

TEST(DifficultyRowValues, LootChancesTakeTheFactorOfTheirThreshold) {
  const GameTables tables = validTables();
  const DifficultyRow& hard = tables.difficulties[3];  // loot factors 1.3 .. 1.8
  struct Case {
    float chance;
    float factor;
  };
  for (const Case& c : {Case{0.001f, 1.3f}, Case{0.005f, 1.4f}, Case{0.3f, 1.7f}, Case{0.99f, 1.8f},
                        Case{1.0f, 1.8f}, Case{7.0f, 1.8f}}) {
    EXPECT_FLOAT_EQ(difficultyLootFactor(&hard, c.chance, false), c.factor) << c.chance;
  }
  // A switch lately: a row above the middle gives the fixed factors, the middle row its own.
  EXPECT_FLOAT_EQ(difficultyLootFactor(&hard, 0.001f, true), kSwitchedLootFactors[0]);
  EXPECT_FLOAT_EQ(difficultyLootFactor(&tables.difficulties[2], 0.001f, true), 1.2f);
  EXPECT_FLOAT_EQ(difficultyLootFactor(nullptr, 0.001f, false), 1.0f);
}

TEST(DifficultyRowValues, WithoutARowOrANumberTheValuesAreNeutral) {
  DifficultyRow row;
  putF32(row, difficulty_record::playerDamage, std::numeric_limits<float>::quiet_NaN());
  putF32(row, difficulty_record::mobDamage, 0.7f);
  putF32(row, difficulty_record::regeneration, INFINITY);
  EXPECT_FLOAT_EQ(difficultyDamageFactor(&row), 1.0f);
  EXPECT_FLOAT_EQ(difficultyMobDamageFactor(&row), 0.7f);
  EXPECT_FLOAT_EQ(difficultyRegeneration(&row), 0.0f);
  EXPECT_FLOAT_EQ(difficultyDamageFactor(nullptr), 1.0f);
  EXPECT_FLOAT_EQ(difficultySpawnFactor(nullptr), 1.0f);
  EXPECT_FLOAT_EQ(difficultyProtectionTime(nullptr), 0.0f);
}

}  // namespace

namespace {

// A stabled animal is saved under its row's number and read back as the same mob; a young one
// under its parents' young number; a mob of no row under none.
TEST(MobItemTable, SavedNumbersAndItemsLeadBackToTheirMobs) {
  const MobItemTable table = validMobItems();
  struct Case {
    uint16_t mob;
    uint16_t saved;
  };
  const Case cases[] = {{10, 0}, {11, 1}, {57, 47}, {348, 48}, {437, 137}, {500, 200}, {523, 223}};
  for (const Case& c : cases) {
    EXPECT_EQ(table.stableIndexOf(c.mob), c.saved) << c.mob;
    EXPECT_EQ(table.mobOfStableIndex(c.saved), c.mob) << c.mob;
  }
  EXPECT_EQ(table.stableIndexOf(9), mob_items::kNone);
  EXPECT_EQ(table.mobOfStableIndex(224), -1);
  EXPECT_EQ(table.mobOfStableIndex(mob_items::kNone), -1);
  ASSERT_NE(table.forItem(100 + 60), nullptr);
  EXPECT_EQ(table.forItem(100 + 60)->mob, 360);
  EXPECT_EQ(table.forItem(99), nullptr);
  EXPECT_EQ(table.forMob(500), nullptr) << "a young mob is carried as no item";
}

}  // namespace
