#include "tools/content_compiler/planet_sources.h"

#include <limits>
#include <set>
#include <string>

#include "tools/content_compiler/json_fields.h"

namespace content_compiler {

namespace {

constexpr size_t kPlanetCount = 12;

// One JSON object of a rule; remembers which members were read so the rest can be refused.
class Fields {
 public:
  Fields(const rapidjson::Value& object, const SourcePlace& place, std::string context)
      : object_(object), place_(place), context_(std::move(context)) {
    if (!object.IsObject()) refuse(place_, context_ + " must be an object");
  }

  const rapidjson::Value* find(const char* key) {
    used_.insert(key);
    return object_.HasMember(key) ? &object_[key] : nullptr;
  }
  std::string what(const char* key) const { return context_ + " \"" + key + "\""; }

  template <typename T>
  void integer(const char* key, T& out) {
    if (const auto* v = find(key)) {
      out = static_cast<T>(readInteger(*v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), place_, what(key)));
    }
  }
  void number(const char* key, float& out) {
    if (const auto* v = find(key)) out = static_cast<float>(readNumber(*v, place_, what(key)));
  }
  void filter(const char* key, uint64_t& out) {
    if (const auto* v = find(key)) out = readU64(*v, place_, what(key));
  }
  template <typename T, typename Fn>
  void list(const char* key, std::vector<T>& out, Fn element) {
    const auto* v = find(key);
    if (!v) return;
    requireArray(*v, place_, what(key));
    for (const auto& item : v->GetArray()) out.push_back(element(item, place_, what(key)));
  }
  void finish() {
    for (auto it = object_.MemberBegin(); it != object_.MemberEnd(); ++it) {
      if (!used_.count(it->name.GetString())) {
        refuse(place_, context_ + ": unknown field \"" + it->name.GetString() + "\"");
      }
    }
  }

 private:
  const rapidjson::Value& object_;
  SourcePlace place_;
  std::string context_;
  std::set<std::string> used_;
};

using Json = rapidjson::Value;

VeinPlacement veinPlacement(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  VeinPlacement r;
  f.filter("filter", r.filter); f.number("lo", r.lo); f.number("hi", r.hi);
  f.number("density", r.density); f.integer("minSize", r.minSize); f.integer("maxSize", r.maxSize);
  f.finish();
  return r;
}

VeinRule veinRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  VeinRule r;
  f.integer("block", r.block); f.number("factor", r.factor);
  f.list("placements", r.placements, veinPlacement);
  f.finish();
  return r;
}

CaveRule caveRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  CaveRule r;
  f.number("lo", r.lo); f.number("hi", r.hi); f.number("density", r.density);
  f.number("dropChance", r.dropChance); f.integer("size", r.size);
  f.finish();
  return r;
}

WormRule wormRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  WormRule r;
  f.number("step", r.step); f.number("radius", r.radius); f.number("density", r.density);
  f.number("lo", r.lo); f.number("hi", r.hi);
  f.integer("minLength", r.minLength); f.integer("maxLength", r.maxLength);
  f.integer("minLegSteps", r.minLegSteps); f.integer("maxLegSteps", r.maxLegSteps);
  f.integer("minTurn", r.minTurn); f.integer("maxTurn", r.maxTurn);
  f.finish();
  return r;
}

BlockPlacement blockPlacement(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  BlockPlacement r;
  f.number("density", r.density); f.number("lo", r.lo); f.number("hi", r.hi);
  f.integer("layer", r.layer);
  f.finish();
  return r;
}

BlockRule blockRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  BlockRule r;
  f.filter("filter", r.filter); f.integer("block", r.block);
  f.list("placements", r.placements, blockPlacement);
  f.finish();
  return r;
}

SurfaceObjectRule surfaceObjectRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  SurfaceObjectRule r;
  f.filter("filter", r.filter); f.integer("block", r.block);
  f.number("lo", r.lo); f.number("hi", r.hi); f.number("density", r.density);
  f.finish();
  return r;
}

TerrainBlock terrainBlock(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  TerrainBlock r;
  f.integer("block", r.block); f.integer("weight", r.weight);
  f.finish();
  return r;
}

BlockReplacement replacement(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  BlockReplacement r;
  f.filter("filter", r.filter); f.integer("block", r.block); f.integer("variant", r.variant);
  f.finish();
  return r;
}

ChanceBlock chanceBlock(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  ChanceBlock r;
  f.filter("filter", r.filter); f.number("chance", r.chance); f.integer("block", r.block);
  f.finish();
  return r;
}

PatternEntry patternEntry(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  PatternEntry r;
  f.integer("block", r.block); f.integer("minCount", r.minCount); f.integer("maxCount", r.maxCount);
  f.finish();
  return r;
}

DecorationPattern pattern(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  DecorationPattern r;
  f.list("entries", r.entries, patternEntry);
  f.integer("fixedVariant", r.fixedVariant); f.integer("mirror", r.mirror);
  f.integer("kind", r.kind); f.integer("placement", r.placement);
  f.finish();
  return r;
}

PatternGroup patternGroup(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  PatternGroup r;
  f.list("patterns", r.patterns, pattern); f.number("chance", r.chance);
  f.finish();
  return r;
}

BiomeRule biomeRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  BiomeRule r;
  f.list("layers", r.layers, chanceBlock); f.list("replacements", r.replacements, replacement);
  f.number("chance", r.chance); f.number("decay", r.decay);
  f.integer("minWidth", r.minWidth); f.integer("maxWidth", r.maxWidth); f.integer("mask", r.mask);
  f.finish();
  return r;
}

CaveDressing caveDressing(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  CaveDressing r;
  f.filter("filter", r.filter);
  f.list("replacements", r.replacements, replacement);
  f.number("spreadChance", r.spreadChance);
  f.integer("decideOnce", r.decideOnce); f.integer("decaying", r.decaying);
  f.integer("backLayer", r.backLayer);
  f.list("decorationGroups", r.decorationGroups, patternGroup);
  f.list("fillRules", r.fillRules, chanceBlock); f.list("topRules", r.topRules, chanceBlock);
  f.number("density", r.density); f.number("lo", r.lo); f.number("hi", r.hi);
  f.integer("minRegion", r.minRegion); f.integer("maxRegion", r.maxRegion);
  f.finish();
  return r;
}

PoolRule poolRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  PoolRule r;
  f.number("lo", r.lo); f.number("hi", r.hi); f.number("density", r.density);
  f.integer("minRegion", r.minRegion); f.integer("maxRegion", r.maxRegion);
  f.integer("minLevel", r.minLevel); f.integer("maxLevel", r.maxLevel);
  f.integer("liquidKind", r.liquidKind);
  f.finish();
  return r;
}

uint16_t blockId(const Json& j, const SourcePlace& p, const std::string& c) {
  return static_cast<uint16_t>(readInteger(j, 0, 0xFFFF, p, c));
}

uint64_t filterWord(const Json& j, const SourcePlace& p, const std::string& c) {
  return readU64(j, p, c);
}

SurfaceRule surfaceRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  SurfaceRule r;
  f.filter("filter", r.filter); f.number("chance", r.chance); f.list("blocks", r.blocks, blockId);
  f.finish();
  return r;
}

SurfacePatternRule surfacePatternRule(const Json& j, const SourcePlace& p, const std::string& c) {
  Fields f(j, p, c);
  SurfacePatternRule r;
  f.list("filters", r.filters, filterWord); f.list("groups", r.groups, patternGroup);
  f.integer("mask", r.mask);
  f.finish();
  return r;
}

void readParameters(Fields& planet, PlanetParameters& out, const SourcePlace& place) {
  const auto* v = planet.find("parameters");
  if (!v) return;
  Fields f(*v, place, "\"parameters\"");
  f.integer("surfaceAmplitude", out.surfaceAmplitude); f.integer("runCount", out.runCount);
  f.integer("runMaxLength", out.runMaxLength); f.integer("liquidLevel", out.liquidLevel);
  f.integer("liquidKind", out.liquidKind); f.integer("covered", out.covered);
  f.finish();
}

std::unique_ptr<PlanetDef> readPlanet(const Json& j, const SourcePlace& place) {
  Fields f(j, place, "planet");
  uint32_t id = 0;
  uint8_t flag = 0;
  f.integer("id", id);
  f.integer("flag", flag);
  std::string name;
  if (const auto* v = f.find("name")) {
    if (!v->IsString()) refuse(place, "\"name\" must be a text");
    name = v->GetString();
  }
  if (name.empty() || name.size() >= content::kPlanetNameSize || name.find('\0') != std::string::npos) {
    refuse(place, "\"name\" must be 1 to 31 bytes");
  }
  auto planet = std::make_unique<PlanetDef>(name, id, flag);
  readParameters(f, planet->parameters, place);
  f.list("terrainBlocks", planet->terrainBlocks, terrainBlock);
  f.list("veinRules", planet->veinRules, veinRule);
  f.list("blockRules", planet->blockRules, blockRule);
  f.list("caveRules", planet->caveRules, caveRule);
  f.list("wormRules", planet->wormRules, wormRule);
  f.list("caveDressings", planet->caveDressings, caveDressing);
  f.list("poolRules", planet->poolRules, poolRule);
  f.list("surfaceObjectRules", planet->surfaceObjectRules, surfaceObjectRule);
  f.list("biomeRules", planet->biomeRules, biomeRule);
  f.list("surfaceRules", planet->surfaceRules, surfaceRule);
  f.list("surfacePatternRules", planet->surfacePatternRules, surfacePatternRule);
  f.finish();
  return planet;
}

}  // namespace

void readPlanets(const rapidjson::Value& rows, ContentSources& out) {
  const SourcePlace file{source_files::kPlanets};
  requireArray(rows, file, "the file");
  std::set<uint32_t> seen;
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place{source_files::kPlanets, static_cast<long>(row)};
    auto planet = readPlanet(rows[static_cast<rapidjson::SizeType>(row)], place);
    const uint32_t id = planet->id;
    if (id == 0 || (id & (id - 1)) != 0 || id > (1u << (kPlanetCount - 1))) {
      refuse(place, "planet id " + std::to_string(id) + " is not one of the bits 1, 2, 4 ... 2048");
    }
    if (!seen.insert(id).second) refuse(place, "planet id " + std::to_string(id) + " appears twice");
    out.planets.push_back(std::move(planet));
    out.planetPlaces.push_back(place);
  }
  if (out.planets.size() != kPlanetCount) {
    refuse(file, "there must be exactly 12 planets, one for each id bit 1, 2, 4 ... 2048; found " +
                     std::to_string(out.planets.size()));
  }
}

}  // namespace content_compiler
