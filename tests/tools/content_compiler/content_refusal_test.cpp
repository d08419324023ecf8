// Sources the loader could not take safely are refused, naming the file and the row.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"
#include "tools/content_compiler/content_compiler.h"

namespace {

namespace fs = std::filesystem;

class ContentRefusalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* data = std::getenv("RUBBLE_TEST_DATA");
    const fs::path basic = fs::path(data ? data : "tests/data") / "content" / "basic";
    for (const auto& entry : fs::directory_iterator(basic)) {
      fs::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
  }

  // Replaces one source file, compiles, and puts the file back; returns the refusal ("" when
  // it compiled).
  std::string refusalWith(const std::string& file, const std::string& json) {
    const std::string original = dir.read(file);
    dir.write(file, json);
    const auto result = content_compiler::compileContent(dir.path().string());
    dir.write(file, original);
    return result.ok ? std::string() : result.error;
  }

  void expectRefused(const std::string& file, const std::string& json, const std::string& where,
                     const std::string& why) {
    const std::string error = refusalWith(file, json);
    EXPECT_NE(error.find(where), std::string::npos) << "expected '" << where << "' in: " << error;
    EXPECT_NE(error.find(why), std::string::npos) << "expected '" << why << "' in: " << error;
  }

  testsupport::TempDir dir;
};

TEST_F(ContentRefusalTest, TheTestSetItselfCompiles) {
  EXPECT_EQ(refusalWith("blocks.json", R"([{"id": 3}])"), "");
}

TEST_F(ContentRefusalTest, IdsAtOrAbove4096) {
  expectRefused("treasures.json", R"([{"id": 1, "kind": 4}, {"id": 4096}])", "treasures.json, row 1", "4096");
  expectRefused("blocks.json", R"([{"id": 5000}])", "blocks.json, row 0", "5000");
  expectRefused("tools.json", R"([{"item": 10}, {"item": 11}, {"item": 70000}])", "tools.json, row 2", "70000");
  expectRefused("loot_groups.json", R"([{"items": [4096]}])", "loot_groups.json, row 0", "4096");
  expectRefused("loot_tables.json", R"([{"entries": [{"kind": "item", "item": 4096}]}])", "loot_tables.json, row 0", "4096");
  expectRefused("crafts.json", R"([{"result": 4096}])", "crafts.json, row 0", "out of range");
}

TEST_F(ContentRefusalTest, MobTableLimits) {
  std::string many = "[";
  for (int i = 0; i < 901; ++i) many += std::string(i ? "," : "") + "{}";
  many += "]";
  expectRefused("mobs.json", many, "mobs.json", "more than 900 mobs");
  expectRefused("mobs.json", R"([{}, {"id": 0}])", "mobs.json, row 1", "\"id\" is 0 but must be 1");
}

TEST_F(ContentRefusalTest, MobGroupLimits) {
  std::string many = "[";
  for (int i = 0; i < 117; ++i) many += std::string(i ? "," : "") + "{}";
  many += "]";
  expectRefused("mob_groups.json", many, "mob_groups.json", "more than 116 mob groups");
  expectRefused("mob_groups.json", R"([{"mobs": [0]}, {"mobs": [1, 3]}])", "mob_groups.json, row 1", "mob 3 is not defined");
}

TEST_F(ContentRefusalTest, LootReferencesOutsideTheirTables) {
  expectRefused("loot_tables.json", R"([{"entries": [{"kind": "group", "group": 2}]}])", "loot_tables.json, row 0",
                "loot group 2 does not exist");
  expectRefused("loot_tables.json", R"([{}, {}, {}, {"entries": [{"kind": "table", "table": 4}]}])",
                "loot_tables.json, row 3", "loot table 4 does not exist");
  expectRefused("blocks.json", R"([{"id": 1, "lootTable": 3}])", "blocks.json, row 0", "loot table 3 does not exist");
  expectRefused("mobs.json", R"([{}, {"lootTable": 9}])", "mobs.json, row 1", "loot table 9 does not exist");
  expectRefused("loot_tables.json", R"([{"entries": [{"kind": "item", "item": 1, "minCount": 3, "maxCount": 2}]}])",
                "loot_tables.json, row 0", "exceeds");
}

TEST_F(ContentRefusalTest, LootTablesThatReachThemselves) {
  expectRefused("loot_tables.json", R"([{"entries": [{"kind": "table", "table": 0}]}, {}, {}])",
                "loot_tables.json, row 0", "reaches itself");
  expectRefused("loot_tables.json",
                R"([{}, {"entries": [{"kind": "table", "table": 2}]}, {"entries": [{"kind": "table", "table": 1}]}])",
                "loot_tables.json, row 1", "reaches itself");
  // Two tables naming one shared table is no loop.
  EXPECT_EQ(refusalWith("loot_tables.json",
                        R"([{"entries": [{"kind": "table", "table": 2}]}, {"entries": [{"kind": "table", "table": 2}]}, {}])"),
            "");
}

TEST_F(ContentRefusalTest, BulletWhoseFirstFieldIsNotItsRow) {
  expectRefused("bullets.json", R"([{}, {}, {"row": 7}])", "bullets.json, row 2", "\"row\" is 7 but must be 2");
  std::string many = "[";
  for (int i = 0; i < 148; ++i) many += std::string(i ? "," : "") + "{}";
  expectRefused("bullets.json", many + "]", "bullets.json", "more than 147");
}

TEST_F(ContentRefusalTest, ItemInBothBuffsAndTools) {
  expectRefused("buffs.json", R"([{"item": 20}, {"item": 10}])", "tools.json, row 0", "in both buffs and tools");
}

TEST_F(ContentRefusalTest, ToolOrWeaponWithoutItsToolRecord) {
  expectRefused("tools.json", R"([{"item": 10}])", "treasures.json, row 2", "tool or weapon item 11 has no tools record");
}

TEST_F(ContentRefusalTest, RangedItemWithNeitherRecord) {
  expectRefused("swing_specs.json", R"([{"item": 11}])", "treasures.json, row 4", "ranged item 13");
}

TEST_F(ContentRefusalTest, VariantCountThatDiffersFromTheVariants) {
  expectRefused("treasures.json", R"([{"id": 1, "variantCount": 2, "variants": [[1, 2, 3, 4, 5, 6]]}])",
                "treasures.json, row 0", "\"variantCount\" is 2 but must be 1");
  expectRefused("treasures.json", R"([{"id": 1, "variants": [[1, 2, 3, 4, 5, 6, 7]]}])", "treasures.json, row 0",
                "more than 6 bytes");
}

TEST_F(ContentRefusalTest, SoundIndexesOutsideTheSoundTable) {
  expectRefused("blocks.json", R"([{"id": 1, "sounds": [263]}])", "blocks.json, row 0", "outside -1..262");
  expectRefused("mobs.json", R"([{"sounds": [0, -2]}])", "mobs.json, row 0", "outside -1..262");
  expectRefused("bullets.json", R"([{"sounds": [1000]}])", "bullets.json, row 0", "outside -1..262");
}

TEST_F(ContentRefusalTest, PlanetsMustBeTheTwelveIdBits) {
  expectRefused("planets.json", R"([{"id": 1, "name": "Home"}])", "planets.json", "exactly 12 planets");
  expectRefused("planets.json", R"([{"id": 3, "name": "Two bits"}])", "planets.json, row 0", "not one of the bits");
  expectRefused("planets.json", R"([{"id": 4096, "name": "Far"}])", "planets.json, row 0", "not one of the bits");
  expectRefused("planets.json", R"([{"id": 1, "name": "A"}, {"id": 1, "name": "B"}])", "planets.json, row 1",
                "appears twice");
  expectRefused("planets.json", R"([{"id": 1, "name": "A name that is far too long for its field"}])",
                "planets.json, row 0", "1 to 31 bytes");
  expectRefused("planets.json", R"([{"id": 1, "name": "A", "veinRules": [{"blok": 3}]}])", "planets.json, row 0",
                "unknown field \"blok\"");
}

TEST_F(ContentRefusalTest, MalformedSources) {
  expectRefused("blocks.json", R"([{"id": 1, "transparncy": 1}])", "blocks.json, row 0", "unknown field");
  expectRefused("blocks.json", R"([{"id": 1, "variantCount": 256}])", "blocks.json, row 0", "outside 0..255");
  expectRefused("blocks.json", R"([{"id": 1, "extra": {"22": [1]}}])", "blocks.json, row 0", "belongs to a named field");
  expectRefused("blocks.json", R"([{"id": 1, "extra": {"23": [1, 2]}}])", "blocks.json, row 0", "past the end");
  expectRefused("blocks.json", R"([{"id": 1)", "blocks.json", "not valid JSON");
  expectRefused("blocks.json", R"({"id": 1})", "blocks.json", "must be a list");
  expectRefused("treasures.json", R"([{"id": 1, "variantSlot": 5}])", "treasures.json, row 0", "must be 0");
  fs::remove(dir.path() / "planets.json");
  EXPECT_NE(content_compiler::compileContent(dir.path().string()).error.find("planets.json"), std::string::npos);
}

}  // namespace
