#include "tools/art_maker/generated_blocks.h"

#include <rapidjson/document.h>

#include "content/items/block_rules.h"
#include "content/tables/process_spec.h"
#include "tools/art_maker/art_sources.h"
#include "tools/content_compiler/planet_sources.h"
#include "tools/content_compiler/source_error.h"

namespace artmaker {
namespace {

// Patterns of this kind hold a tree's growth row in their entry instead of a block.
constexpr uint8_t kTreePattern = 2;
constexpr uint8_t kPickOnePattern = 5;

// Walks one planet's rule lists, noting each block with its role. A block keeps the first role it
// is given, and tree parts and growths are noted before the ground, so a block that is both a
// trunk and a terrain block elsewhere is drawn as the trunk.
class PlanetWalk {
 public:
  PlanetWalk(const PlanetDef& planet, GeneratedBlocks& out) : planet_(planet), out_(out) {}

  void run() {
    for (const SurfacePatternRule& rule : planet_.surfacePatternRules) patterns(rule.groups, GrowthRole::Bush);
    for (const SurfaceRule& rule : planet_.surfaceRules) {
      for (uint16_t block : rule.blocks) note(block, GrowthRole::Tuft);
    }
    for (const CaveDressing& dressing : planet_.caveDressings) {
      patterns(dressing.decorationGroups, GrowthRole::CaveGrowth);
      for (const ChanceBlock& top : dressing.topRules) note(top.block, GrowthRole::CaveGrowth);
      for (const ChanceBlock& fill : dressing.fillRules) note(fill.block, GrowthRole::Ground);
      for (const BlockReplacement& r : dressing.replacements) note(r.block, GrowthRole::Ground);
    }
    for (const SurfaceObjectRule& rule : planet_.surfaceObjectRules) {
      note(rule.block, GrowthRole::CaveObject);
      note(itemValueFromTable(rule.block), GrowthRole::Overlay);
    }
    for (const TerrainBlock& t : planet_.terrainBlocks) note(t.block, GrowthRole::Ground);
    for (const VeinRule& rule : planet_.veinRules) note(rule.block, GrowthRole::Ground);
    for (const BlockRule& rule : planet_.blockRules) note(rule.block, GrowthRole::Ground);
    for (const BiomeRule& rule : planet_.biomeRules) {
      for (const ChanceBlock& layer : rule.layers) note(layer.block, GrowthRole::Ground);
      for (const BlockReplacement& r : rule.replacements) note(r.block, GrowthRole::Ground);
    }
    // Pattern blocks come after the ground, since a cave pattern often stacks the planet's rock.
    for (const auto& [block, role] : pending_) note(block, role);
  }

 private:
  void note(uint16_t block, GrowthRole role, int tree = -1) {
    if (block != 0) out_.emplace(block, GeneratedBlock{role, planet_.name, tree});
  }

  void tree(int row) {
    const ProcessSpec& spec = buildProcessSpecs()[size_t(row) % buildProcessSpecs().size()];
    // A tree that lays no leaves wears its trunk rows as its crown (a fungus's stacked caps).
    const GrowthRole top = spec.blocks[3] == 0 ? GrowthRole::Canopy : GrowthRole::Trunk;
    const GrowthRole roles[4] = {GrowthRole::Root, GrowthRole::LowerTrunk, top, GrowthRole::Canopy};
    for (size_t i = 0; i < 4; ++i) note(spec.blocks[i], roles[i], spec.kind);
  }

  // Ground blocks that a pattern stacks (rock columns in caves) stay ground.
  void patterns(const std::vector<PatternGroup>& groups, GrowthRole role) {
    for (const PatternGroup& group : groups) {
      for (const DecorationPattern& pattern : group.patterns) {
        if (pattern.kind == kTreePattern && !pattern.entries.empty()) {
          tree(pattern.entries.front().block & 0xFF);
          continue;
        }
        for (const PatternEntry& entry : pattern.entries) {
          pending_.emplace(entry.block, role);
          // A pick-one pattern lays the block's companion decoration over it.
          if (pattern.kind == kPickOnePattern) pending_.emplace(itemValueFromTable(entry.block), GrowthRole::Overlay);
        }
      }
    }
  }

  const PlanetDef& planet_;
  GeneratedBlocks& out_;
  std::map<uint16_t, GrowthRole> pending_;
};

// A world holds, for each planet reachable from its own, that planet's waystone in its ground.
void noteWaystones(const PlanetList& planets, GeneratedBlocks& out) {
  std::map<uint32_t, std::string> names;
  for (const auto& planet : planets) names[planet->id] = planet->name;
  for (const auto& planet : planets) {
    for (const PlanetLinkRule* row : rowsForKind(planet->id)) {
      if (row->secondPlanetBit == NO_SECOND_PLANET) continue;
      const std::vector<const PlanetLinkRule*> target = rowsForKind(row->secondPlanetBit);
      if (target.empty() || target.front()->blockA == 0) continue;
      out.emplace(target.front()->blockA, GeneratedBlock{GrowthRole::Waystone, names[row->secondPlanetBit], -1});
    }
  }
}

}  // namespace

bool isTreePart(GrowthRole role) {
  return role == GrowthRole::Root || role == GrowthRole::LowerTrunk || role == GrowthRole::Trunk ||
         role == GrowthRole::Canopy;
}

bool readPlanetList(const ArtSources& sources, PlanetList& out, std::string& error) {
  const rapidjson::Document* planets = sources.content("planets");
  if (planets == nullptr) return error = sources.lastError(), false;
  content_compiler::ContentSources read;
  try {
    content_compiler::readPlanets(*planets, read);
  } catch (const content_compiler::SourceError& e) {
    error = e.what();
    return false;
  }
  out = std::move(read.planets);
  return true;
}

bool readGeneratedBlocks(const ArtSources& sources, GeneratedBlocks& out, std::string& error) {
  PlanetList planets;
  if (!readPlanetList(sources, planets, error)) return false;
  out.clear();
  for (const auto& planet : planets) PlanetWalk(*planet, out).run();
  noteWaystones(planets, out);
  return true;
}

}  // namespace artmaker
