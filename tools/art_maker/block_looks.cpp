#include "tools/art_maker/block_looks.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>

#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/block_parting.h"
#include "tools/art_maker/generated_blocks.h"
#include "tools/art_maker/growth_looks.h"
#include "tools/art_maker/growth_names.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/recipe_words.h"
#include "tools/art_maker/rule_placed_blocks.h"
#include "world/light/lamp_colours.h"

namespace artmaker {
namespace {

constexpr uint64_t kSolidFlag = 1ull << 23;
constexpr uint64_t kSwitchedFlag = 1ull << 21;
// A solid block with no name of its own is of the material of the named solid block this close
// below it (blocks of one kind sit in runs of ids); an open one is a small plant, never an object.
constexpr int kInheritDistance = 24;

struct WordRule {
  std::string value;
  std::vector<std::string> words;
};

struct LookRules {
  std::vector<WordRule> families, shapes;
  std::map<std::string, Colour> colours, materials;
  std::map<std::string, float> modifiers;  // ramp steps a word shades the colour by
  std::map<int, BlockLook> byId;
};

std::optional<std::string> firstMatch(const std::vector<WordRule>& rules, const std::vector<std::string>& words) {
  for (const WordRule& rule : rules) {
    for (const std::string& w : rule.words) {
      for (const std::string& word : words) {
        if (word == w) return rule.value;
      }
    }
  }
  return std::nullopt;
}

bool readWordRules(const rapidjson::Value& list, const char* key, std::vector<WordRule>& out) {
  if (!list.IsArray()) return false;
  for (const rapidjson::Value& row : list.GetArray()) {
    if (!row.IsObject() || !row.HasMember(key) || !row[key].IsString() || !row.HasMember("words") ||
        !row["words"].IsArray()) {
      return false;
    }
    WordRule rule{row[key].GetString(), {}};
    for (const rapidjson::Value& w : row["words"].GetArray()) {
      if (!w.IsString()) return false;
      rule.words.emplace_back(w.GetString());
    }
    out.push_back(std::move(rule));
  }
  return true;
}

std::optional<BlockShape> shapeFromName(const std::string& name) {
  static const std::map<std::string, BlockShape> shapes = {
      {"solid", BlockShape::Solid}, {"platform", BlockShape::Platform}, {"door", BlockShape::Door},
      {"pole", BlockShape::Pole},   {"plant", BlockShape::Plant},       {"light", BlockShape::Light},
      {"window", BlockShape::Window}, {"furniture", BlockShape::Furniture}, {"furrows", BlockShape::Furrows}};
  auto found = shapes.find(name);
  if (found == shapes.end()) return std::nullopt;
  return found->second;
}

bool readRules(const rapidjson::Document& doc, LookRules& rules, std::string& error) {
  if (!doc.IsObject() || !doc.HasMember("familyRules") || !doc.HasMember("shapeRules") ||
      !readWordRules(doc["familyRules"], "family", rules.families) ||
      !readWordRules(doc["shapeRules"], "shape", rules.shapes)) {
    error = "blocks.json: the family and shape rules must be lists of {family|shape, words}";
    return false;
  }
  for (const WordRule& rule : rules.families) {
    if (!familyFromName(rule.value)) return error = "blocks.json: unknown family " + rule.value, false;
  }
  for (const WordRule& rule : rules.shapes) {
    if (!shapeFromName(rule.value)) return error = "blocks.json: unknown shape " + rule.value, false;
  }
  if (!doc.HasMember("colours") || !readColourMap(doc["colours"], rules.colours) || !doc.HasMember("materials") ||
      !readColourMap(doc["materials"], rules.materials)) {
    error = "blocks.json: colours and materials map words to \"#RRGGBB\"";
    return false;
  }
  if (doc.HasMember("modifiers")) {
    if (!doc["modifiers"].IsObject()) return error = "blocks.json: modifiers map words to ramp steps", false;
    for (const auto& member : doc["modifiers"].GetObject()) {
      if (!member.value.IsNumber()) return error = "blocks.json: modifiers map words to ramp steps", false;
      rules.modifiers[member.name.GetString()] = member.value.GetFloat();
    }
  }
  if (doc.HasMember("blocks")) {
    if (!doc["blocks"].IsObject()) return error = "blocks.json: blocks must be an object", false;
    for (const auto& member : doc["blocks"].GetObject()) {
      BlockLook look;
      const rapidjson::Value& v = member.value;
      auto family = v.IsObject() && v.HasMember("family") && v["family"].IsString()
                        ? familyFromName(v["family"].GetString()) : std::nullopt;
      if (!family) return error = std::string("blocks.json: block ") + member.name.GetString() + " needs a family", false;
      look.family = *family;
      if (v.HasMember("colour") && v["colour"].IsString()) look.base = parseHexColour(v["colour"].GetString());
      if (v.HasMember("shape") && v["shape"].IsString()) {
        auto shape = shapeFromName(v["shape"].GetString());
        if (!shape) return error = std::string("blocks.json: block ") + member.name.GetString() + " has an unknown shape", false;
        look.shape = *shape;
      }
      rules.byId[std::atoi(member.name.GetString())] = look;
    }
  }
  return true;
}

// Names of the blocks: the name of an item that places the block; pocket pets are skipped since
// they name the animal, not the block.
std::map<int, std::string> blockNames(const rapidjson::Document& treasures, const rapidjson::Document& language) {
  std::map<int, std::string> items = itemNames(language), names;
  if (!treasures.IsArray()) return names;
  for (const rapidjson::Value& row : treasures.GetArray()) {
    if (!row.IsObject() || !row.HasMember("placesBlock") || !row["placesBlock"].IsInt() || !row.HasMember("id")) continue;
    const std::string& name = items[row["id"].GetInt()];
    if (name.empty() || name.rfind("Pocket ", 0) == 0) continue;
    names.emplace(row["placesBlock"].GetInt(), name);
  }
  return names;
}

Colour tintFromWords(const LookRules& rules, const std::vector<std::string>& words, bool materialsFirst) {
  const std::map<std::string, Colour>* tables[2] = {&rules.colours, &rules.materials};
  if (materialsFirst) std::swap(tables[0], tables[1]);
  for (const auto* table : tables) {
    for (const std::string& word : words) {
      auto found = table->find(word);
      if (found != table->end()) return found->second;
    }
  }
  return kClear;
}

// A light colour of 12 bits (red in the low nibble, then green, then blue) as a bright colour.
Colour glowColour(uint32_t light) {
  if (light == 0) return kClear;
  auto channel = [](uint32_t nibble) { return int(90 + nibble * 11); };
  return rgba(channel(light & 15), channel((light >> 4) & 15), channel((light >> 8) & 15));
}

bool naturalFamily(Family family) {
  return family == Family::Stone || family == Family::Soil || family == Family::Sand || family == Family::Ice ||
         family == Family::Leaves;
}

void lookFromName(const LookRules& rules, const std::string& name, BlockLook& look) {
  const std::vector<std::string> words = lowerWords(name);
  if (auto family = firstMatch(rules.families, words)) look.family = *familyFromName(*family);
  if (auto shape = firstMatch(rules.shapes, words)) look.shape = *shapeFromName(*shape);
  const Colour colourWord = tintFromWords(rules, words, false);
  const Colour material = tintFromWords(rules, words, true);
  if (look.family == Family::Ore) {
    // The ore's own colour speckles a host rock: the material word, then a colour word.
    look.accent = material != kClear ? material : colourWord;
    look.base = familyBase(Family::Stone);
    // A grey metal would vanish in grey rock: its ore shows the warm tan of the raw mineral.
    const int spread = std::max({red(look.accent), green(look.accent), blue(look.accent)}) -
                       std::min({red(look.accent), green(look.accent), blue(look.accent)});
    if (spread < 40) look.accent = mix(look.accent, rgba(214, 150, 100), 0.6f);
  } else {
    look.base = colourWord != kClear && look.family != Family::Wood ? colourWord : material;
    look.accent = colourWord != kClear ? colourWord : material;
    // A colour word on a natural material tints it rather than painting it.
    if (colourWord != kClear && look.base == colourWord && naturalFamily(look.family)) {
      look.base = mix(familyBase(look.family), colourWord, 0.5f);
    }
  }
  float steps = 0.0f;
  for (const std::string& word : words) {
    auto found = rules.modifiers.find(word);
    if (found != rules.modifiers.end()) steps += found->second;
  }
  if (steps != 0.0f) look.base = shade(look.base != kClear ? look.base : familyBase(look.family), steps);
}

}  // namespace

Colour parseHexColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return kClear;
  uint32_t value = 0;
  for (size_t i = 1; i < 7; ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if (!std::isxdigit(static_cast<unsigned char>(c))) return kClear;
    value = value * 16 + uint32_t(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'a' + 10);
  }
  return opaque(value);
}

bool readBlockLooks(const ArtSources& sources, std::vector<BlockLook>& out, std::string& error) {
  const rapidjson::Document* blocks = sources.content("blocks");
  const rapidjson::Document* treasures = sources.content("treasures");
  const rapidjson::Document* language = sources.language();
  const rapidjson::Document* art = sources.art("blocks");
  if (!blocks || !treasures || !language || !art) {
    error = sources.lastError();
    return false;
  }
  LookRules rules;
  if (!readRules(*art, rules, error)) return false;
  if (!blocks->IsArray()) return error = "blocks.json of the content is not a list", false;
  std::map<int, std::string> names = blockNames(*treasures, *language);
  GeneratedBlocks generated;
  if (!readGeneratedBlocks(sources, generated, error) || !nameGeneratedBlocks(sources, generated, names, error)) {
    return false;
  }
  nameRulePlacedBlocks(names);
  const BlockLook* lastNamed = nullptr;
  out.clear();
  out.reserve(blocks->Size());
  for (const rapidjson::Value& row : blocks->GetArray()) {
    if (!row.IsObject() || !row.HasMember("id") || !row["id"].IsInt()) return error = "a block row has no id", false;
    BlockLook look;
    look.id = static_cast<uint16_t>(row["id"].GetInt());
    look.variants = static_cast<uint8_t>(row.HasMember("variantCount") && row["variantCount"].IsInt() ? row["variantCount"].GetInt() : 1);
    const uint64_t flags = row.HasMember("flags") && row["flags"].IsString() ? std::strtoull(row["flags"].GetString(), nullptr, 16) : 0;
    const bool solid = (flags & kSolidFlag) != 0;
    // A lamp is switched by its circuit without the generic switch flag: its variant 1 is its on look.
    look.switched = (flags & kSwitchedFlag) != 0 || lamp_block::isLamp(look.id);
    look.shape = solid ? BlockShape::Solid : BlockShape::Furniture;
    look.family = solid ? Family::Stone : Family::Wood;
    auto named = names.find(look.id);
    if (named != names.end()) {
      look.name = named->second;
      lookFromName(rules, look.name, look);
      // A generated block named by its drop ("Crystal Bench") is ground of that material, not the object.
      if (solid && generated.count(look.id)) look.shape = BlockShape::Solid;
    } else if (!solid) {
      // An open block nothing names and no rule places: a small plant reads as one, where an
      // object would stand out.
      look.shape = BlockShape::Plant;
      look.family = Family::Leaves;
      look.generic = true;
    } else if (lastNamed && look.id - lastNamed->id <= kInheritDistance && lastNamed->shape == BlockShape::Solid) {
      look.family = lastNamed->family;
      look.shape = lastNamed->shape;
      // A little lighter or darker than its neighbour, so the two stay apart.
      look.base = shade(lastNamed->base, ((look.id - lastNamed->id) % 2 ? 0.35f : -0.35f) * float(1 + (look.id - lastNamed->id) / 2 % 3));
      look.accent = lastNamed->accent;
    }
    if (named == names.end() && solid) look.generic = true;
    auto set = rules.byId.find(look.id);
    if (set != rules.byId.end()) {
      look.generic = false;
      look.family = set->second.family;
      if (set->second.base != kClear) look.base = set->second.base;
      if (set->second.shape != BlockShape::Solid || solid) look.shape = set->second.shape;
    }
    if (look.base == kClear) {
      // No word gave a colour: the family's own, nudged per block so neighbours in a run differ.
      ArtRandom random(artSeed("block-tint", look.id));
      look.base = shade(familyBase(look.family), (random.unit() - 0.5f) * 0.8f);
    }
    if (look.accent == kClear) {
      // A plant no word colours flowers in a colour of its own, so two flowers are two kinds.
      look.accent = look.shape == BlockShape::Plant ? ownColour(look.id, 0.6f, 0.9f) : shade(look.base, 1.5f);
    }
    const std::string light = row.HasMember("lightColor") && row["lightColor"].IsString() ? row["lightColor"].GetString() : "0";
    look.glow = glowColour(static_cast<uint32_t>(std::strtoul(light.c_str(), nullptr, 16)));
    out.push_back(look);
    if (!look.name.empty()) lastNamed = &out.back();
  }
  if (!applyGrowthLooks(sources, generated, out, error)) return false;
  partLookAlikeBlocks(out);
  return true;
}

}  // namespace artmaker
