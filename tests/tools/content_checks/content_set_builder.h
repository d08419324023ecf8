#pragma once
// Small content sets for the checks' tests, written as the same JSON the authors write and read
// through the compiler's own readers.

#include <rapidjson/document.h>

#include <initializer_list>
#include <string>

#include "tools/content_checks/content_set.h"
#include "tools/content_compiler/planet_sources.h"
#include "tools/content_compiler/table_sources.h"

namespace checks_test {

using Reader = void (*)(const rapidjson::Value&, content_compiler::ContentSources&);

inline void readInto(content_compiler::ContentSources& sources, Reader read, const std::string& json) {
  rapidjson::Document document;
  document.Parse(json.c_str());
  read(document, sources);
}

// A set with the fixed-size tables at their full row count and the given files read in.
struct SetBuilder {
  std::string treasures = "[]", blocks = "[]", loot = "[]", lootGroups = "[]", mobs = "[]", crafts = "[]",
              bullets = "[]", tools = "[]", rangeds = "[]", buffs = "[]";

  content_compiler::ContentSources build() const {
    namespace cc = content_compiler;
    cc::ContentSources s;
    readInto(s, cc::readTreasures, treasures);
    readInto(s, cc::readLootGroups, lootGroups);
    readInto(s, cc::readLootTables, loot);
    readInto(s, cc::readBlocks, blocks);
    readInto(s, cc::readMobs, mobs);
    readInto(s, cc::readCrafts, crafts);
    readInto(s, cc::readBullets, bullets);
    readInto(s, cc::readBuffs, buffs);
    readInto(s, cc::readTools, tools);
    readInto(s, cc::readRangeds, rangeds);
    readInto(s, cc::readSwingSpecs, "[]");
    return s;
  }
};

inline std::string itemLoot(int item) {
  return R"({"mode": "each", "entries": [{"chance": 1.0, "minCount": 1, "maxCount": 1, "kind": "item", "item": )" +
         std::to_string(item) + "}]}";
}

// A loot_tables.json text with one table per item, each giving that item for sure.
inline std::string itemLootTables(std::initializer_list<int> items) {
  std::string text = "[";
  for (int item : items) {
    if (text.size() > 1) text += ',';
    text += itemLoot(item);
  }
  text += ']';
  return text;
}

}  // namespace checks_test
