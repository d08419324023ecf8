#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "content/format/game_tables_file.h"
#include "tests/support/temp_dir.h"
#include "tools/content_compiler/content_compiler.h"

namespace {

// The real content set, copied so each case can damage one file of it.
class GameTablesRefusal : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto real = std::filesystem::path(RUBBLE_SOURCE_DIR) / "assets" / "content";
    for (const auto& entry : std::filesystem::directory_iterator(real)) {
      std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
  }

  // The refusal when `from` in `file` is replaced by `to` (the good file is put back after).
  std::string refusalWith(const std::string& file, const std::string& from, const std::string& to) {
    const std::string original = dir.read(file);
    const size_t at = original.find(from);
    if (at == std::string::npos) return "the case's text is not in " + file;
    std::string damaged = original;
    damaged.replace(at, from.size(), to);
    dir.write(file, damaged);
    const auto result = content_compiler::compileGameTables(dir.path().string());
    dir.write(file, original);
    return result.ok ? "" : result.error;
  }

  testsupport::TempDir dir;
};

TEST_F(GameTablesRefusal, TheRealSetCompilesIntoTablesTheGameTakes) {
  const auto result = content_compiler::compileGameTables(dir.path().string());
  ASSERT_TRUE(result.ok) << result.error;
  GameTables tables;
  std::string error;
  ASSERT_TRUE(content::readGameTables(result.bytes, tables, error)) << error;
  EXPECT_TRUE(tables.difficulties[0].peaceful());
  EXPECT_GT(tables.difficulties[0].regeneration(), 0.0f);
  EXPECT_EQ(tables.difficulties[4].regeneration(), 0.0f);
  for (size_t level = 1; level < tables.difficulties.size(); ++level) {
    EXPECT_FALSE(tables.difficulties[level].peaceful()) << level;
    EXPECT_GT(tables.difficulties[level].playerDamageFactor(),
              tables.difficulties[level - 1].playerDamageFactor());
  }
  // The boar (145) is summoned by item 27, and a stabled piglet (147) reads back as a piglet.
  ASSERT_NE(tables.mobItems.forItem(27), nullptr);
  EXPECT_EQ(tables.mobItems.forItem(27)->mob, 145);
  EXPECT_EQ(tables.mobItems.mobOfStableIndex(tables.mobItems.stableIndexOf(147)), 147);
}

TEST_F(GameTablesRefusal, DamagedTablesAreRefusedNamingFileAndRow) {
  struct Case {
    const char* file;
    std::string from, to;
    const char* why;
  };
  const Case cases[] = {
      {"difficulties.json", R"(}
])",
       R"(},
  {"playerDamage": 3.0}
])",
       "difficulties.json: there are 6 difficulty rows, not 5"},
      {"difficulties.json", R"("regeneration": 3.0)", R"("regeneration": -3.0)",
       "difficulty 0: the value at byte 16"},
      {"difficulties.json", R"("dropsQuickSlots": 1)", R"("dropsQuickSlots": 2)",
       "difficulty 4: the flag at byte 80"},
      {"difficulties.json", R"("peaceful": 1)", R"("peacefull": 1)", "difficulties.json, row 0"},
      {"difficulties.json", R"("peaceful": 1)", R"("level": 3)", "\"level\" is 3 but must be 0"},
      {"craft_book.json", R"({"name": "Anvil", "list": 0})", R"({"name": "Anvil", "list": 7})",
       "craft book entry 0: list kind 7 is not 0-4"},
      {"craft_book.json", R"({"name": "Anvil", "list": 0})", R"({"name": "Anvil", "list": 1})",
       "the craft book's list 0 has 31 entries, not 32"},
      {"craft_book.json", R"({"name": "Anvil", "list": 0},)", "", "334 entries, not 335"},
      {"crafts.json", R"("bookEntry": 0,)", R"("bookEntry": 1,)",
       "craft_book.json, row 0: no recipe names entry 0 (\"Anvil\")"},
      {"crafts.json", R"("bookEntry": 0,)", R"("bookEntry": 335,)", "the craft book entry is out of range"},
      {"catalogue.json", R"({"item": 39})", R"({"item": 4090})",
       "catalogue.json, row 0: entry 0: item 4090 is not defined"},
      {"catalogue.json", R"({"item": 39})", R"({"item": 2})",
       "item 2 is of kind 1, which \"Addons\" does not list"},
      {"catalogue.json", R"({"item": 1042})", R"({"item": 2})", "item 1042 is on no list of the catalogue"},
      {"catalogue.json", R"({"mob": 2})", R"({"mob": 15})",
       "catalogue.json, row 10: entry 0: mob 15 is not defined"},
      {"catalogue.json", R"({"mob": 2})", R"({"item": 2})", "catalogue.json, row 10"},
      {"catalogue.json", R"({"item": 39})", R"({"item": 39, "mask": 0})",
       "the planet mask is not a 12-bit mask"},
      {"catalogue.json", R"("title": "Addons")", R"("title": "Adds")",
       "category 0 is \"Addons\", not \"Adds\""},
      {"mob_items.json", R"("mob": 145,)", R"("mob": 145, "colour": 1,)", "mob_items.json, row 0"},
      {"mob_items.json", R"("mob": 145, "index": 0,)", R"("index": 0,)", "mob_items.json, row 0: \"mob\" is missing"},
      {"mob_items.json", R"("sex": 0, "young": 147)", R"("sex": 1, "young": 147)",
       "mob_items.json: mob item row 0: the pair needs one of each sex"},
      {"mob_items.json", R"("index": 137,)", R"("index": 0,)", "a saved number stands for two mobs"},
  };
  for (const Case& c : cases) {
    const std::string error = refusalWith(c.file, c.from, c.to);
    EXPECT_NE(error.find(c.why), std::string::npos) << c.file << " " << c.to << ": " << error;
  }
}

TEST_F(GameTablesRefusal, AMissingTableSourceIsRefused) {
  std::filesystem::remove(dir.path() / "craft_book.json");
  const auto result = content_compiler::compileGameTables(dir.path().string());
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("craft_book.json: cannot open"), std::string::npos) << result.error;
}

}  // namespace
