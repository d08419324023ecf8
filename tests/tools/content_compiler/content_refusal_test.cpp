#include <filesystem>
#include <string>

#include "tests/tools/content_compiler/source_copy_test.h"

namespace {

using ContentRefusalTest = compiler_test::SourceCopyTest;

std::string list(int count) {
  std::string json = "[";
  for (int i = 0; i < count; ++i) json += std::string(i ? "," : "") + "{}";
  return json + "]";
}

TEST_F(ContentRefusalTest, SourcesTheLoaderCouldNotTakeAreRefusedNamingFileAndRow) {
  struct Case { const char* file; std::string json; const char* where; const char* why; };
  const Case cases[] = {
      {"treasures.json", R"([{"id": 1, "kind": 4}, {"id": 4096}])", "treasures.json, row 1", "4096"},
      {"mobs.json", list(901), "mobs.json", "more than 900 mobs"},
      {"mobs.json", R"([{}, {"id": 0}])", "mobs.json, row 1", "\"id\" is 0 but must be 1"},
      {"mob_groups.json", R"([{"mobs": [0]}, {"mobs": [1, 3]}])", "mob_groups.json, row 1", "mob 3 is not defined"},
      {"mobs.json", R"([{}, {"movementKind": 4}, {}])", "mobs.json, row 1", "AI kind 4 is none of the game's"},
      {"mob_groups.json", R"([{"mobs": [0], "packSize": [2, 2]}, {"mobs": [0], "packSize": [3, 1]}])",
       "mob_groups.json, row 1", "largest pack is smaller"},
      {"loot_tables.json", R"([{"entries": [{"kind": "group", "group": 2}]}])", "loot_tables.json, row 0",
       "loot group 2 does not exist"},
      {"blocks.json", R"([{"id": 1, "lootTable": 3}])", "blocks.json, row 0", "loot table 3 does not exist"},
      {"loot_tables.json", R"([{"entries": [{"kind": "item", "item": 1, "minCount": 3, "maxCount": 2}]}])",
       "loot_tables.json, row 0", "exceeds"},
      {"loot_tables.json",
       R"([{}, {"entries": [{"kind": "table", "table": 2}]}, {"entries": [{"kind": "table", "table": 1}]}])",
       "loot_tables.json, row 1", "reaches itself"},
      {"buffs.json", R"([{"item": 20}, {"item": 10}])", "tools.json, row 0", "in both buffs and tools"},
      {"tools.json", R"([{"item": 10}])", "treasures.json, row 2", "tool or weapon item 11 has no tools record"},
      {"swing_specs.json", R"([{"item": 11}])", "treasures.json, row 4", "ranged item 13"},
      {"treasures.json", R"([{"id": 1, "variantCount": 2, "variants": [[1, 2, 3, 4, 5, 6]]}])",
       "treasures.json, row 0", "\"variantCount\" is 2 but must be 1"},
      {"blocks.json", R"([{"id": 1, "sounds": [263]}])", "blocks.json, row 0", "outside -1..262"},
      {"planets.json", R"([{"id": 1, "name": "Home"}])", "planets.json", "exactly 12 planets"},
      {"planets.json", R"([{"id": 1, "name": "A"}, {"id": 1, "name": "B"}])", "planets.json, row 1",
       "appears twice"},
      {"planets.json", R"([{"id": 1, "name": "A name that is far too long for its field"}])",
       "planets.json, row 0", "1 to 31 bytes"},
      {"planets.json", R"([{"id": 1, "name": "A", "veinRules": [{"blok": 3}]}])", "planets.json, row 0",
       "unknown field \"blok\""},
      {"blocks.json", R"([{"id": 1, "extra": {"22": [1]}}])", "blocks.json, row 0", "belongs to a named field"},
      {"blocks.json", R"([{"id": 1, "extra": {"23": [1, 2]}}])", "blocks.json, row 0", "past the end"},
      {"blocks.json", R"([{"id": 1)", "blocks.json", "not valid JSON"},
      {"blocks.json", R"({"id": 1})", "blocks.json", "must be a list"},
      {"treasures.json", R"([{"id": 1, "variantSlot": 5}])", "treasures.json, row 0", "must be 0"},
  };
  for (const Case& c : cases) {
    const std::string error = refusalWith(c.file, c.json);
    EXPECT_NE(error.find(c.where), std::string::npos) << "expected '" << c.where << "' in: " << error;
    EXPECT_NE(error.find(c.why), std::string::npos) << "expected '" << c.why << "' in: " << error;
  }
}

TEST_F(ContentRefusalTest, GoodSourcesCompileAndAMissingFileIsNamed) {
  // Two tables naming one shared table is no loop.
  EXPECT_EQ(refusalWith("loot_tables.json",
                        R"([{"entries": [{"kind": "table", "table": 2}]}, {"entries": [{"kind": "table", "table": 2}]}, {}])"),
            "");
  std::filesystem::remove(dir.path() / "planets.json");
  EXPECT_NE(content_compiler::compileContent(dir.path().string()).error.find("planets.json"), std::string::npos);
}

}  // namespace
