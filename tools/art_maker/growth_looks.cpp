#include "tools/art_maker/growth_looks.h"

#include <rapidjson/document.h>

#include <map>
#include <optional>

#include "content/tables/fruit_table.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/recipe_words.h"

namespace artmaker {
namespace {

struct PlanetFlora {
  Flora form = Flora::Broadleaf;
  Colour canopy = familyBase(Family::Leaves);
  Colour bark = familyBase(Family::Wood);
  Colour bloom = rgba(230, 200, 80);
  bool snow = false;
};

struct FloraRecipe {
  std::map<std::string, PlanetFlora> planets;
  std::map<std::string, Flora> woodForms;
  std::map<std::string, Colour> fruits;
};

std::optional<Flora> floraFromName(const std::string& name) {
  static const std::map<std::string, Flora> forms = {
      {"broadleaf", Flora::Broadleaf}, {"conifer", Flora::Conifer}, {"palm", Flora::Palm}, {"fungus", Flora::Fungus},
      {"crystal", Flora::Crystal},     {"coral", Flora::Coral},     {"bare", Flora::Bare}};
  auto found = forms.find(name);
  return found == forms.end() ? std::nullopt : std::optional<Flora>(found->second);
}

Colour colourField(const rapidjson::Value& row, const char* key, Colour fallback) {
  if (!row.HasMember(key) || !row[key].IsString()) return fallback;
  const Colour c = parseHexColour(row[key].GetString());
  return c == kClear ? fallback : c;
}

bool readPlanetFlora(const rapidjson::Value& list, FloraRecipe& recipe, std::string& error) {
  if (!list.IsObject()) return error = "blocks.json: flora maps planets to their plants", false;
  for (const auto& member : list.GetObject()) {
    const rapidjson::Value& row = member.value;
    const std::string planet = member.name.GetString();
    auto form = row.IsObject() && row.HasMember("form") && row["form"].IsString() ? floraFromName(row["form"].GetString())
                                                                                 : std::nullopt;
    if (!form) return error = "blocks.json: the flora of " + planet + " needs a known form", false;
    PlanetFlora flora;
    flora.form = *form;
    flora.canopy = colourField(row, "canopy", flora.canopy);
    flora.bark = colourField(row, "bark", flora.bark);
    flora.bloom = colourField(row, "bloom", flora.bloom);
    flora.snow = row.HasMember("snow") && row["snow"].IsBool() && row["snow"].GetBool();
    recipe.planets[planet] = flora;
  }
  return true;
}

bool readRecipe(const rapidjson::Document& art, FloraRecipe& recipe, std::string& error) {
  if (!art.IsObject() || !art.HasMember("flora") || !readPlanetFlora(art["flora"], recipe, error)) {
    if (error.empty()) error = "blocks.json: flora is missing";
    return false;
  }
  if (art.HasMember("woodForms")) {
    if (!art["woodForms"].IsObject()) return error = "blocks.json: woodForms map wood words to forms", false;
    for (const auto& member : art["woodForms"].GetObject()) {
      auto form = member.value.IsString() ? floraFromName(member.value.GetString()) : std::nullopt;
      if (!form) return error = std::string("blocks.json: wood form of ") + member.name.GetString() + " is unknown", false;
      recipe.woodForms[member.name.GetString()] = *form;
    }
  }
  if (!art.HasMember("fruits") || !readColourMap(art["fruits"], recipe.fruits)) {
    return error = "blocks.json: fruits map fruit words to \"#RRGGBB\"", false;
  }
  return true;
}

BlockShape shapeOf(GrowthRole role) {
  switch (role) {
    case GrowthRole::Root: return BlockShape::Root;
    case GrowthRole::LowerTrunk: return BlockShape::LowerTrunk;
    case GrowthRole::Trunk: return BlockShape::Trunk;
    case GrowthRole::Canopy: return BlockShape::Canopy;
    case GrowthRole::Bush: return BlockShape::Bush;
    case GrowthRole::Tuft: return BlockShape::Tuft;
    case GrowthRole::CaveGrowth: return BlockShape::CaveGrowth;
    case GrowthRole::CaveObject: return BlockShape::CaveObject;
    case GrowthRole::Waystone: return BlockShape::Waystone;
    case GrowthRole::Overlay: return BlockShape::Overlay;
    case GrowthRole::Ground: break;
  }
  return BlockShape::Solid;
}

// The fruit's colour by the words of its name; a fruit no word colours gets one of its own.
Colour fruitColour(const FloraRecipe& recipe, const std::string& fruitName, uint16_t fruitId) {
  for (const std::string& word : lowerWords(fruitName)) {
    auto found = recipe.fruits.find(word);
    if (found != recipe.fruits.end()) return found->second;
  }
  ArtRandom random(artSeed("fruit", fruitId));
  return mix(rgba(random.between(120, 240), random.between(40, 200), random.between(40, 160)), rgba(220, 60, 60), 0.3f);
}

// The form a tree grows in: its wood's own (pine grows as a conifer), else its planet's.
Flora treeForm(const FloraRecipe& recipe, const PlanetFlora& planet, const std::string& name) {
  if (planet.form == Flora::Fungus || planet.form == Flora::Crystal || planet.form == Flora::Coral) return planet.form;
  for (const std::string& word : lowerWords(name)) {
    auto found = recipe.woodForms.find(word);
    if (found != recipe.woodForms.end()) return found->second;
  }
  return planet.form;
}

void applyOne(const FloraRecipe& recipe, const GeneratedBlock& block, const std::map<int, std::string>& items,
              BlockLook& look) {
  static const PlanetFlora kDefault;
  auto planetFound = recipe.planets.find(block.planet);
  const PlanetFlora& planet = planetFound == recipe.planets.end() ? kDefault : planetFound->second;
  look.shape = shapeOf(block.role);
  look.snow = planet.snow;
  // Two trees of one planet differ a little in the green of their crowns.
  const Colour canopy = block.tree >= 0 ? shade(planet.canopy, float(block.tree % 3 - 1) * 0.35f) : planet.canopy;
  if (isTreePart(block.role)) {
    look.flora = treeForm(recipe, planet, look.name);
    // A wood word ("Oak Log") gives the bark its colour; a fungus's stalk and a crystal's shaft are the planet's.
    const bool woodColour = look.family == Family::Wood && look.base != kClear && look.flora != Flora::Fungus &&
                            look.flora != Flora::Crystal && look.flora != Flora::Coral;
    const Colour bark = woodColour ? mix(look.base, planet.bark, 0.5f) : planet.bark;
    look.family = block.role == GrowthRole::Canopy ? Family::Leaves : Family::Wood;
    look.base = block.role == GrowthRole::Canopy ? canopy : bark;
    look.accent = block.role == GrowthRole::Canopy ? bark : canopy;
  } else {
    look.flora = planet.form;
    const bool object = block.role == GrowthRole::CaveObject || block.role == GrowthRole::Overlay;
    look.family = object || block.role == GrowthRole::Waystone ? Family::Stone : Family::Leaves;
    // An object keeps its name's colours (a relic's ore); a growth takes its planet's, and a
    // waystone glows in the colour of the planet it leads to.
    if (!object) {
      if (block.role != GrowthRole::Waystone) look.base = canopy;
      look.accent = planet.bloom;
    }
  }
  if (const FruitRow* fruit = fruitRowForBlock(look.id)) {
    auto name = items.find(fruit->fruit);
    look.fruit = fruitColour(recipe, name == items.end() ? std::string() : name->second, fruit->fruit);
  }
}

}  // namespace

bool applyGrowthLooks(const ArtSources& sources, const GeneratedBlocks& generated, std::vector<BlockLook>& looks,
                      std::string& error) {
  const rapidjson::Document* art = sources.art("blocks");
  if (!art) return error = sources.lastError(), false;
  FloraRecipe recipe;
  if (!readRecipe(*art, recipe, error)) return false;
  const std::map<int, std::string> items = sources.language() ? itemNames(*sources.language()) : std::map<int, std::string>{};
  for (BlockLook& look : looks) {
    auto found = generated.find(look.id);
    if (found == generated.end() || found->second.role == GrowthRole::Ground) continue;
    applyOne(recipe, found->second, items, look);
  }
  return true;
}

}  // namespace artmaker
