#include "tools/content_checks/planet_filter_check.h"

#include <cstdio>
#include <set>
#include <string>

#include "content/items/block_filter.h"

namespace content_checks {

namespace {

// Patterns of this kind hold a tree's growth row in the entry's id; the generator never lays that id.
constexpr uint8_t kTreePattern = 2;

std::string hex(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

// Walks one planet's rules in generation order, keeping the blocks laid so far.
class PlanetStages {
 public:
  PlanetStages(const PlanetDef& planet, const SourcePlace& place, const ContentIndex& content, CheckReport& report)
      : planet_(planet), place_(place), content_(content), report_(report) {}

  void run() {
    for (const auto& t : planet_.terrainBlocks) lay(t.block, "terrain block");
    commit();
    test(kRunStartFilter, "the horizontal runs' start filter");
    for (size_t i = 0; i < planet_.veinRules.size(); ++i) {
      const auto& rule = planet_.veinRules[i];
      for (size_t p = 0; p < rule.placements.size(); ++p) {
        test(rule.placements[p].filter, "vein rule " + std::to_string(i) + " placement " + std::to_string(p));
      }
      lay(rule.block, "vein rule " + std::to_string(i));
    }
    for (size_t i = 0; i < planet_.blockRules.size(); ++i) {
      test(planet_.blockRules[i].filter, "block rule " + std::to_string(i));
      lay(planet_.blockRules[i].block, "block rule " + std::to_string(i));
    }
    for (size_t i = 0; i < planet_.surfaceObjectRules.size(); ++i) {
      test(planet_.surfaceObjectRules[i].filter, "surface object rule " + std::to_string(i));
      lay(planet_.surfaceObjectRules[i].block, "surface object rule " + std::to_string(i));
    }
    commit();
    dressCaves();
    commit();
    for (size_t i = 0; i < planet_.biomeRules.size(); ++i) layBiome(planet_.biomeRules[i], i);
    commit();
    for (size_t i = 0; i < planet_.biomeRules.size(); ++i) replaceBiome(planet_.biomeRules[i], i);
    commit();
    for (size_t i = 0; i < planet_.surfaceRules.size(); ++i) {
      const std::string what = "surface rule " + std::to_string(i);
      test(planet_.surfaceRules[i].filter, what);
      for (uint16_t block : planet_.surfaceRules[i].blocks) lay(block, what);
    }
    for (size_t i = 0; i < planet_.surfacePatternRules.size(); ++i) {
      const auto& rule = planet_.surfacePatternRules[i];
      const std::string what = "surface pattern rule " + std::to_string(i);
      for (size_t f = 0; f < rule.filters.size(); ++f) test(rule.filters[f], what + " filter " + std::to_string(f));
      for (const auto& group : rule.groups) layPatterns(group, what);
    }
  }

 private:
  void dressCaves() {
    // The dressing's own filter word is carried with the rule but no stage tests it.
    for (size_t i = 0; i < planet_.caveDressings.size(); ++i) {
      const auto& d = planet_.caveDressings[i];
      const std::string what = "cave dressing " + std::to_string(i);
      for (size_t r = 0; r < d.replacements.size(); ++r) {
        test(d.replacements[r].filter, what + " replacement " + std::to_string(r));
        lay(d.replacements[r].block, what);
      }
      for (size_t r = 0; r < d.fillRules.size(); ++r) {
        test(d.fillRules[r].filter, what + " fill rule " + std::to_string(r));
        lay(d.fillRules[r].block, what);
      }
      for (size_t r = 0; r < d.topRules.size(); ++r) {
        test(d.topRules[r].filter, what + " top rule " + std::to_string(r));
        lay(d.topRules[r].block, what);
      }
      for (const auto& group : d.decorationGroups) layPatterns(group, what);
    }
  }

  // Biome layers turn the top soil into turf; their replacements then work on the turf.
  void layBiome(const BiomeRule& rule, size_t i) {
    const std::string what = "biome rule " + std::to_string(i);
    for (size_t l = 0; l < rule.layers.size(); ++l) {
      test(rule.layers[l].filter, what + " layer " + std::to_string(l));
      lay(rule.layers[l].block, what);
    }
  }
  void replaceBiome(const BiomeRule& rule, size_t i) {
    const std::string what = "biome rule " + std::to_string(i);
    for (size_t r = 0; r < rule.replacements.size(); ++r) {
      test(rule.replacements[r].filter, what + " replacement " + std::to_string(r));
      lay(rule.replacements[r].block, what);
    }
  }

  void layPatterns(const PatternGroup& group, const std::string& what) {
    for (const auto& pattern : group.patterns) {
      if (pattern.kind == kTreePattern) continue;
      for (const auto& entry : pattern.entries) lay(entry.block, what + " pattern");
    }
  }

  void test(uint64_t filter, const std::string& what) {
    for (uint16_t id : laid_) {
      if (itemMatchesFilter(id, filter)) return;
    }
    report_.add(place_, "planet " + planet_.name + ": " + what + " filter " + hex(filter) +
                            " matches no block that the earlier generation stages lay");
  }

  void lay(uint16_t block, const std::string& what) {
    if (block == 0) return;  // laying nothing clears the cell
    if (!content_.block(block)) {
      report_.add(place_, "planet " + planet_.name + ": " + what + " lays block " + std::to_string(block) +
                              ", which is not defined");
    }
    pending_.insert(block);
  }

  // What a stage lays becomes visible to the stages after it, not to its own rules.
  void commit() {
    laid_.insert(pending_.begin(), pending_.end());
    pending_.clear();
  }

  const PlanetDef& planet_;
  const SourcePlace& place_;
  const ContentIndex& content_;
  CheckReport& report_;
  std::set<uint16_t> laid_;
  std::set<uint16_t> pending_;
};

}  // namespace

void checkPlanetFilters(const ContentIndex& content, CheckReport& report) {
  const auto& s = content.sources();
  for (size_t i = 0; i < s.planets.size(); ++i) {
    PlanetStages(*s.planets[i], s.planetPlaces[i], content, report).run();
  }
}

}  // namespace content_checks
