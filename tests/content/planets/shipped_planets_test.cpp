// The twelve planets the game ships, read from the build's own content file the way start-up reads
// them: each has its own id bit and name, values the world generator can work with, rules that
// name only blocks the content file defines, and a page in the book under its name.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"

namespace {

constexpr size_t kShippedPlanets = 12;
constexpr uint8_t kTreeSeedPattern = 2;  // its entry names a tree kind, not a block

class ShippedPlanets : public ::testing::Test {
 protected:
  void SetUp() override {
    loadContentDatabase(std::string(RUBBLE_DATA_DIR) + "/data.dat");
    ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
    ASSERT_TRUE(languageTexts().loadFile(std::string(RUBBLE_DATA_DIR) + "/language/english.json"));
  }
  void TearDown() override {
    resetContentDatabase();
    resetLanguageTexts();
  }
};

// A block the content file defines: its row has at least one variant (an unfilled row has none).
bool isDefinedBlock(uint16_t id) {
  const BlockDef* row = blockDefinitionById(id);
  return row != nullptr && row->record.variantCount() > 0;
}

// Reports every block a planet's rules name that the content file lacks, with the rule list.
class BlockNames {
 public:
  explicit BlockNames(const PlanetDef& planet) : planet_(planet) {}

  void expect(uint16_t id, const char* list) {
    EXPECT_TRUE(isDefinedBlock(id)) << planet_.name << ": " << list << " names block " << id;
  }
  template <class Rule>
  void expectAll(const std::vector<Rule>& rules, const char* list) {
    for (const Rule& rule : rules) expect(rule.block, list);
  }
  void expectPatterns(const std::vector<PatternGroup>& groups, const char* list) {
    for (const PatternGroup& group : groups) {
      for (const DecorationPattern& pattern : group.patterns) {
        if (pattern.kind == kTreeSeedPattern) continue;
        for (const PatternEntry& entry : pattern.entries) expect(entry.block, list);
      }
    }
  }

 private:
  const PlanetDef& planet_;
};

void expectRange(const PlanetDef& planet, float lo, float hi, const char* list) {
  EXPECT_LE(0.0f, lo) << planet.name << ": " << list;
  EXPECT_LE(lo, hi) << planet.name << ": " << list;
  EXPECT_LE(hi, 1.0f) << planet.name << ": " << list;
}

void expectChance(const PlanetDef& planet, float chance, const char* list) {
  EXPECT_GE(chance, 0.0f) << planet.name << ": " << list;
  EXPECT_LE(chance, 1.0f) << planet.name << ": " << list;
}

TEST_F(ShippedPlanets, TwelvePlanetsEachWithItsOwnIdBitAndName) {
  const PlanetList& planets = planetDefs();
  ASSERT_EQ(planets.size(), kShippedPlanets);
  uint32_t seenIds = 0;
  std::set<std::string> seenNames;
  for (const auto& planet : planets) {
    EXPECT_EQ(planet->id & (planet->id - 1), 0u) << planet->name << ": one bit per planet";
    EXPECT_NE(planet->id, 0u) << planet->name;
    EXPECT_EQ(seenIds & planet->id, 0u) << planet->name << " shares its id";
    seenIds |= planet->id;
    EXPECT_FALSE(planet->name.empty());
    EXPECT_TRUE(seenNames.insert(planet->name).second) << planet->name << " is named twice";
    EXPECT_EQ(planet->flag, 1) << planet->name << ": every shipped planet has a surface";
  }
  EXPECT_EQ(planets.front()->name, "Terra") << "new players start on the first planet";
}

TEST_F(ShippedPlanets, ParametersTheGeneratorCanWorkWith) {
  for (const auto& planet : planetDefs()) {
    const PlanetParameters& p = planet->parameters;
    EXPECT_GT(p.surfaceAmplitude, 0u) << planet->name;
    EXPECT_LE(p.surfaceAmplitude, 64u) << planet->name << ": the hills would leave the map";
    EXPECT_GE(p.liquidLevel, -1) << planet->name;
    EXPECT_GE(p.liquidKind, 1) << planet->name;
    EXPECT_LE(p.liquidKind, 3) << planet->name;
    if (p.runCount > 0) {
      EXPECT_GT(p.runMaxLength, 0u) << planet->name;
    }

    uint32_t weight = 0;
    bool anyGround = false;
    for (const TerrainBlock& ground : planet->terrainBlocks) {
      weight += ground.weight;
      anyGround = anyGround || (ground.block != 0 && ground.weight > 0);
    }
    EXPECT_GT(weight, 0u) << planet->name << ": the ground table has no shares";
    EXPECT_TRUE(anyGround) << planet->name << ": the ground would be all air";
  }
}

TEST_F(ShippedPlanets, DepthRangesAndChancesStayWithinTheMap) {
  for (const auto& planet : planetDefs()) {
    const PlanetDef& p = *planet;
    for (const VeinRule& vein : p.veinRules) {
      for (const VeinPlacement& at : vein.placements) {
        expectRange(p, at.lo, at.hi, "vein");
        EXPECT_LE(at.minSize, at.maxSize) << p.name;
        EXPECT_GE(at.density, 0.0f) << p.name;
      }
    }
    for (const BlockRule& rule : p.blockRules) {
      for (const BlockPlacement& at : rule.placements) expectRange(p, at.lo, at.hi, "block rule");
    }
    for (const CaveRule& cave : p.caveRules) expectRange(p, cave.lo, cave.hi, "cave");
    for (const WormRule& worm : p.wormRules) {
      expectRange(p, worm.lo, worm.hi, "worm");
      EXPECT_LE(worm.minLength, worm.maxLength) << p.name;
      EXPECT_LE(worm.minLegSteps, worm.maxLegSteps) << p.name;
      EXPECT_LE(worm.minTurn, worm.maxTurn) << p.name;
      EXPECT_GT(worm.step, 0.0f) << p.name << ": a worm that never moves";
    }
    for (const SurfaceObjectRule& rule : p.surfaceObjectRules) expectRange(p, rule.lo, rule.hi, "surface object");
    for (const PoolRule& pool : p.poolRules) {
      expectRange(p, pool.lo, pool.hi, "pool");
      EXPECT_LE(pool.minRegion, pool.maxRegion) << p.name;
      EXPECT_LE(pool.minLevel, pool.maxLevel) << p.name;
      EXPECT_GE(pool.liquidKind, 1) << p.name;
      EXPECT_LE(pool.liquidKind, 3) << p.name;
    }
    for (const CaveDressing& dressing : p.caveDressings) {
      expectRange(p, dressing.lo, dressing.hi, "cave dressing");
      if (dressing.maxRegion != -1) {
        EXPECT_LE(dressing.minRegion, dressing.maxRegion) << p.name;
      }
      for (const ChanceBlock& fill : dressing.fillRules) expectChance(p, fill.chance, "cave fill");
      for (const ChanceBlock& top : dressing.topRules) expectChance(p, top.chance, "cave top");
      for (const PatternGroup& group : dressing.decorationGroups) expectChance(p, group.chance, "cave decoration");
    }
    for (const BiomeRule& biome : p.biomeRules) {
      expectChance(p, biome.chance, "biome");
      EXPECT_LE(biome.minWidth, biome.maxWidth) << p.name;
      EXPECT_GT(biome.minWidth, 0) << p.name;
      for (const ChanceBlock& layer : biome.layers) expectChance(p, layer.chance, "biome layer");
    }
    for (const SurfaceRule& surface : p.surfaceRules) {
      expectChance(p, surface.chance, "surface");
      EXPECT_FALSE(surface.blocks.empty()) << p.name << ": a surface rule with nothing to place";
    }
  }
}

TEST_F(ShippedPlanets, RulesNameOnlyBlocksTheContentFileDefines) {
  for (const auto& planet : planetDefs()) {
    const PlanetDef& p = *planet;
    BlockNames names(p);
    for (const TerrainBlock& ground : p.terrainBlocks) names.expect(ground.block, "ground");
    names.expectAll(p.veinRules, "vein");
    names.expectAll(p.blockRules, "block rule");
    names.expectAll(p.surfaceObjectRules, "surface object");
    for (const BiomeRule& biome : p.biomeRules) {
      names.expectAll(biome.layers, "biome layer");
      names.expectAll(biome.replacements, "biome replacement");
    }
    for (const CaveDressing& dressing : p.caveDressings) {
      names.expectAll(dressing.replacements, "cave replacement");
      names.expectAll(dressing.fillRules, "cave fill");
      names.expectAll(dressing.topRules, "cave top");
      names.expectPatterns(dressing.decorationGroups, "cave decoration");
    }
    for (const SurfaceRule& surface : p.surfaceRules) {
      for (uint16_t block : surface.blocks) names.expect(block, "surface");
    }
    for (const SurfacePatternRule& rule : p.surfacePatternRules) names.expectPatterns(rule.groups, "surface pattern");
  }
}

TEST_F(ShippedPlanets, EveryPlanetHasItsPageInTheBook) {
  std::set<std::string> entries;
  for (const BookEntry& entry : languageTexts().bookEntries()) entries.insert(entry.name);
  for (const auto& planet : planetDefs()) {
    EXPECT_EQ(entries.count(planet->name), 1u) << planet->name << " has no page in the book";
  }
}

}  // namespace
