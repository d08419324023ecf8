#pragma once

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <initializer_list>
#include <map>
#include <string>

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"
#include "tools/content_compiler/planet_sources.h"
#include "tools/content_compiler/table_sources.h"

namespace content_checks {

// True when some finding's text contains `part` (found by argument lookup from a report).
inline bool mentions(const CheckReport& report, const std::string& part) {
  for (const Finding& f : report.findings()) {
    if (f.describe().find(part) != std::string::npos) return true;
  }
  return false;
}

}  // namespace content_checks

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

// A loot_tables.json text with one table per item, each giving that item for sure.
inline std::string itemLootTables(std::initializer_list<int> items) {
  std::string text = "[";
  for (int item : items) {
    text += std::string(text.size() > 1 ? "," : "") +
            R"({"mode": "each", "entries": [{"chance": 1.0, "minCount": 1, "maxCount": 1, )" +
            R"("kind": "item", "item": )" + std::to_string(item) + "}]}";
  }
  return text + "]";
}

inline std::string rowList(int count, const std::map<int, std::string>& rows = {}) {
  std::string json = "[";
  for (int row = 0; row < count; ++row) {
    const auto given = rows.find(row);
    json += std::string(row ? "," : "") + (given == rows.end() ? "{}" : given->second);
  }
  return json + "]";
}

// The twelve planets, each laying block 1248 unless `firstRules` replaces planet 0's terrain.
inline std::string planetsJson(const std::string& firstRules = "") {
  std::string json = "[";
  const std::string terrain = R"("terrainBlocks": [{"block": 1248, "weight": 1}])";
  for (int i = 0; i < 12; ++i) {
    json += std::string(i ? "," : "") + R"({"id": )" + std::to_string(1 << i) + R"(, "name": "P)" +
            std::to_string(i) + "\", " + (i == 0 && !firstRules.empty() ? firstRules : terrain) + "}";
  }
  return json + "]";
}

inline void expectMentions(const content_checks::CheckReport& report,
                           std::initializer_list<const char*> present,
                           std::initializer_list<const char*> absent = {}) {
  for (const char* text : present) {
    EXPECT_TRUE(mentions(report, text)) << text << " in:\n" << report.describe();
  }
  for (const char* text : absent) EXPECT_FALSE(mentions(report, text)) << text;
}

}  // namespace checks_test
