#include "tools/art_maker/item_looks.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <vector>

#include "content/potions/potion_effects.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/distinct_pictures.h"
#include "tools/art_maker/item_shapes.h"
#include "tools/art_maker/region_grid.h"

namespace artmaker {
namespace {

constexpr int kFirstPotionColour = 2;  // the palette starts with white and grey
// Two icons closer than this (mean difference over pixels and channels, in steps of 255) read as
// one item at the game's size; the later item turns toward a colour of its own until it stands apart.
constexpr double kIconsApart = 8.0;
constexpr int kMaxVariations = 14;

std::optional<Colour> parseColour(const std::string& text) {
  if (text.size() != 6) return std::nullopt;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 16);
  if (end != text.c_str() + 6) return std::nullopt;
  return opaque(uint32_t(value));
}

std::vector<std::string> words(const std::string& name) {
  std::vector<std::string> out;
  std::istringstream in(name);
  for (std::string word; in >> word;) {
    if (word.size() > 2 && word.compare(word.size() - 2, 2, "'s") == 0) word.resize(word.size() - 2);
    out.push_back(word);
  }
  return out;
}

// The block picture of a block item: a small tile in its family's pattern.
Canvas drawBlockIcon(const ItemLook& look, int size, uint32_t seed) {
  Canvas c(size, size);
  const int m = size / 16, inner = size - 2 * m;
  const Ramp& r = look.oreBlock ? look.rock : look.main;
  c.shadedBox({m, m, inner, inner}, r[2], r[3], r[1]);
  ArtRandom random(seed);
  const int unit = std::max(1, size / 16);
  switch (look.family) {
    case Family::Brick:
      for (int y = m + 4 * unit; y < size - m; y += 4 * unit) c.fillRect({m, y, inner, unit}, r[0]);
      for (int row = 0; row * 4 * unit < inner; ++row) {
        for (int x = m + (row % 2 ? 3 : 7) * unit; x < size - m; x += 8 * unit) {
          c.fillRect({x, m + row * 4 * unit, unit, 4 * unit}, r[0]);
        }
      }
      break;
    case Family::Wood:
      for (int y = m + 5 * unit; y < size - m; y += 5 * unit) c.fillRect({m, y, inner, unit}, r[0]);
      c.speckles({m, m, inner, inner}, {5, 2, 3, r[1], kClear, kClear}, random);
      break;
    case Family::Leaves:
      c.speckles({m, m, inner, inner}, {8, 3, 5, r[3], r[4], r[0]}, random);
      break;
    case Family::Glass:
    case Family::Ice:
      c.line(m + 3 * unit, size - m - 4 * unit, size - m - 4 * unit, m + 3 * unit, r[4]);
      c.line(m + 6 * unit, size - m - 3 * unit, size - m - 3 * unit, m + 6 * unit, r[3]);
      break;
    case Family::Crystal:
      c.line(m, m + inner / 2, m + inner / 2, m, r[4]);
      c.line(m + inner / 2, size - m - 1, size - m - 1, m + inner / 2, r[1]);
      c.speckles({m, m, inner, inner}, {3, 1, 2, r[4], kClear, kClear}, random);
      break;
    case Family::Metal:
      c.strokeRect({m + unit, m + unit, inner - 2 * unit, inner - 2 * unit}, r[1]);
      for (int k : {2, 12}) {
        c.set(m + k * unit, m + 2 * unit, r[4]);
        c.set(m + k * unit, size - m - 3 * unit, r[4]);
      }
      break;
    case Family::Fabric:
      for (int y = m + unit; y < size - m; y += 2 * unit) {
        for (int x = m + (y / unit % 4 == 1 ? 0 : unit); x < size - m; x += 2 * unit) c.fillRect({x, y, unit, unit}, r[1]);
      }
      break;
    case Family::Sand:
      c.speckles({m, m, inner, inner}, {12, 1, 1, r[1], kClear, kClear}, random);
      c.speckles({m, m, inner, inner}, {6, 1, 1, r[3], kClear, kClear}, random);
      break;
    default:
      c.speckles({m, m, inner, inner}, {5, 2, 4, r[1], r[3], kClear}, random);
      break;
  }
  if (look.oreBlock) {
    c.speckles({m + unit, m + unit, inner - 2 * unit, inner - 2 * unit}, {5, 2, 4, look.main[2], look.main[4], look.main[0]},
               random);
  }
  c.strokeRect({0, 0, size, size}, mix(r[0], rgba(10, 8, 20), 0.3f));
  return c;
}

}  // namespace

Colour ownColour(uint16_t id, float saturation, float value) {
  const float hue = std::fmod(float(id) * 137.508f, 360.0f) / 60.0f;
  const float chroma = value * saturation, x = chroma * (1 - std::fabs(std::fmod(hue, 2.0f) - 1)), m = value - chroma;
  float r = 0, g = 0, b = 0;
  switch (int(hue)) {
    case 0: r = chroma, g = x; break;
    case 1: r = x, g = chroma; break;
    case 2: g = chroma, b = x; break;
    case 3: g = x, b = chroma; break;
    case 4: r = x, b = chroma; break;
    default: r = chroma, b = x; break;
  }
  auto byte = [m](float f) { return int(std::lround((f + m) * 255)); };
  return rgba(byte(r), byte(g), byte(b));
}

std::optional<ItemLooks> ItemLooks::load(const ArtSources& sources, std::string& error) {
  const rapidjson::Document* recipes = sources.art("items");
  const rapidjson::Document* rows = sources.content("treasures");
  const rapidjson::Document* language = sources.language();
  if (recipes == nullptr || rows == nullptr || language == nullptr) {
    error = sources.lastError();
    return std::nullopt;
  }
  if (!recipes->IsObject() || !rows->IsArray() || !language->IsObject() || !language->HasMember("treasures")) {
    error = "the item recipes, the item rows or the language file have the wrong form";
    return std::nullopt;
  }
  ItemLooks looks;
  auto material = [&](const rapidjson::Value& v, Material& out) {
    if (!v.IsArray() || v.Empty() || !v[0].IsString()) return false;
    const auto family = familyFromName(v[0].GetString());
    if (!family) return false;
    out.family = *family;
    if (v.Size() > 1 && v[1].IsString()) {
      const std::string colour = v[1].GetString();
      out.own = colour == "*";
      if (!out.own) out.colour = parseColour(colour);
      if (!out.own && !out.colour) return false;
    }
    return true;
  };
  for (const char* section : {"shapes", "kindShapes", "materials", "shapeMaterials", "tints", "shades"}) {
    if (!recipes->HasMember(section) || !(*recipes)[section].IsObject()) {
      error = std::string("items: no \"") + section + "\" table";
      return std::nullopt;
    }
  }
  for (const auto& m : (*recipes)["shapes"].GetObject()) {
    if (!m.value.IsString()) continue;
    looks.shapes_[m.name.GetString()] = m.value.GetString();
  }
  for (const auto& m : (*recipes)["kindShapes"].GetObject()) {
    if (m.value.IsString()) looks.kindShapes_[std::atoi(m.name.GetString())] = m.value.GetString();
  }
  for (const char* section : {"materials", "shapeMaterials"}) {
    auto& table = std::string(section) == "materials" ? looks.materials_ : looks.shapeMaterials_;
    for (const auto& m : (*recipes)[section].GetObject()) {
      Material out;
      if (!material(m.value, out)) {
        error = std::string("items: ") + section + " \"" + m.name.GetString() + "\" is not [family, colour]";
        return std::nullopt;
      }
      table[m.name.GetString()] = out;
    }
  }
  for (const auto& m : (*recipes)["tints"].GetObject()) {
    const auto colour = m.value.IsString() ? parseColour(m.value.GetString()) : std::nullopt;
    if (!colour) {
      error = std::string("items: tint \"") + m.name.GetString() + "\" is not a colour";
      return std::nullopt;
    }
    looks.tints_[m.name.GetString()] = *colour;
  }
  for (const auto& m : (*recipes)["shades"].GetObject()) {
    if (m.value.IsNumber()) looks.shades_[m.name.GetString()] = m.value.GetFloat();
  }
  if (recipes->HasMember("stateWords") && (*recipes)["stateWords"].IsArray()) {
    for (const auto& w : (*recipes)["stateWords"].GetArray()) {
      if (w.IsString()) looks.stateWords_.insert(w.GetString());
    }
  }
  if (recipes->HasMember("hueWords") && (*recipes)["hueWords"].IsArray()) {
    for (const auto& w : (*recipes)["hueWords"].GetArray()) {
      const auto tint = w.IsString() ? looks.tints_.find(w.GetString()) : looks.tints_.end();
      if (tint == looks.tints_.end()) {
        error = "items: every hue word must be a tint";
        return std::nullopt;
      }
      looks.hueWords_[tint->first] = tint->second;
    }
  }
  // Pocket animals and helpers take the colours their kin have as mobs.
  if (const rapidjson::Document* mobs = sources.art("mobs"); mobs != nullptr && mobs->IsObject() && mobs->HasMember("colours")) {
    for (const auto& m : (*mobs)["colours"].GetObject()) {
      if (const auto colour = m.value.IsString() ? parseColour(m.value.GetString()) : std::nullopt) {
        looks.creatureColours_[m.name.GetString()] = *colour;
      }
    }
  }
  std::map<int, std::string> names;
  for (const auto& entry : (*language)["treasures"].GetArray()) {
    if (entry.IsObject() && entry.HasMember("id") && entry["id"].IsInt() && entry.HasMember("name") && entry["name"].IsString()) {
      names[entry["id"].GetInt()] = entry["name"].GetString();
    }
  }
  for (const auto& row : rows->GetArray()) {
    if (!row.IsObject() || !row.HasMember("id") || !row["id"].IsInt()) continue;
    const int id = row["id"].GetInt();
    if (id < 0 || id > 4095) continue;
    ItemEntry item;
    item.id = uint16_t(id);
    item.kind = row.HasMember("kind") && row["kind"].IsInt() ? uint8_t(row["kind"].GetInt()) : 0;
    item.wornPicture = row.HasMember("wornPicture") && row["wornPicture"].IsInt() ? uint8_t(row["wornPicture"].GetInt()) : 0;
    item.name = names.count(id) ? names[id] : "";
    item.placesBlock = row.HasMember("placesBlock") && row["placesBlock"].IsInt() ? uint16_t(row["placesBlock"].GetInt()) : 0;
    looks.items_[item.id] = item;
  }
  const std::vector<std::string>& known = itemShapeNames();
  for (const auto& [word, shape] : looks.shapes_) {
    if (std::find(known.begin(), known.end(), shape) == known.end()) {
      error = "items: \"" + word + "\" asks for the unknown shape \"" + shape + "\"";
      return std::nullopt;
    }
  }
  for (const auto& [kind, shape] : looks.kindShapes_) {
    if (std::find(known.begin(), known.end(), shape) == known.end()) {
      error = "items: kind " + std::to_string(kind) + " asks for the unknown shape \"" + shape + "\"";
      return std::nullopt;
    }
  }
  looks.partLookAlikes();
  return looks;
}

// The substance a name's material word gives wins over a state word ("Dried Bone Dust" is bone),
// whose colour then tints it, so the states of one substance stay apart. Whether a word names the
// substance; `stated` whether one names a state.
bool ItemLooks::nameMaterial(const std::vector<std::string>& parts, Material& material, Material& state,
                             bool& stated) const {
  bool substance = false;
  for (const std::string& w : parts) {
    const auto found = materials_.find(w);
    if (found == materials_.end()) continue;
    if (stateWords_.count(w) && !stated) {
      state = found->second;
      stated = true;
    } else if (!stateWords_.count(w) && !substance) {
      material = found->second;
      substance = true;
    }
  }
  return substance;
}

// The last word of a name that none of the recipes' tables knows: what kind of thing it is.
std::string ItemLooks::kindWordOf(const std::vector<std::string>& parts) const {
  for (auto w = parts.rbegin(); w != parts.rend(); ++w) {
    if (!materials_.count(*w) && !shapes_.count(*w) && !shades_.count(*w) && !tints_.count(*w) && !stateWords_.count(*w)) {
      return *w;
    }
  }
  return {};
}

ItemLook ItemLooks::lookOf(const ItemEntry& item) const {
  const auto found = variations_.find(item.id);
  return lookOf(item, found == variations_.end() ? 0 : found->second);
}

ItemLook ItemLooks::lookOf(const ItemEntry& item, int variation) const {
  ItemLook look;
  const std::vector<std::string> parts = words(item.name);
  for (auto w = parts.rbegin(); w != parts.rend() && look.shape.empty(); ++w) {
    const auto found = shapes_.find(*w);
    if (found != shapes_.end()) look.shape = found->second;
  }
  if (look.shape.empty()) {
    const auto found = kindShapes_.find(item.kind);
    look.shape = found != kindShapes_.end() ? found->second : "orb";
  }
  Material material, state;
  bool stated = false;
  const bool substance = nameMaterial(parts, material, state, stated);
  bool known = substance || stated;
  if (!substance && stated) {
    material = state;  // only a state names the material: it is the material
    stated = false;
  }
  if (!known) {
    const auto found = shapeMaterials_.find(look.shape);
    if (found != shapeMaterials_.end()) material = found->second;
  }
  look.family = material.family;
  Colour base = material.own ? ownColour(item.id) : material.colour.value_or(familyBase(material.family));
  if (stated) base = mix(base, state.colour.value_or(familyBase(state.family)), 0.4f);
  static const std::set<std::string> kAnimals = {"creature", "bird", "bat", "blob", "fish", "eel", "shellfish", "crab"};
  const bool animal = kAnimals.count(look.shape) != 0;
  for (auto w = parts.begin(); animal && !known && w != parts.end(); ++w) {
    const auto found = creatureColours_.find(*w);
    if (found != creatureColours_.end()) {
      // A place's colour turns a little toward the animal's own, so the kinds of one place differ.
      base = hueWords_.count(*w) ? found->second : mix(found->second, ownColour(item.id), 0.3f);
      known = true;
    }
  }
  // A growing or living thing no word colours takes the colour of the word that names its kind
  // ("Moonleaf", "Pumpkin Seeds"), the same in every state it comes in.
  static const std::set<Family> kOrganic = {Family::Leaves, Family::Flesh, Family::Wood, Family::Sand};
  const std::string kindWord = kindWordOf(parts);
  if (!substance && kOrganic.count(material.family) && !kindWord.empty()) {
    base = mix(base, ownColour(uint16_t(artSeed(kindWord) & 0xFFFF), 0.6f, 0.8f), 0.35f);
  }
  for (const std::string& w : parts) {
    const auto found = shades_.find(w);
    if (found != shades_.end()) base = shade(base, found->second);
  }
  for (const std::string& w : parts) {
    const auto found = hueWords_.find(w);
    if (found != hueWords_.end()) {
      look.hue = found->second;
      break;
    }
  }
  const Colour turn = ownColour(uint16_t(item.id * 13 + variation), 0.7f, 0.85f);
  const float turned = variation > 0 ? std::min(0.22f * float(variation), 0.9f) : 0.0f;
  base = mix(base, turn, turned);
  look.namedMaterial = known;
  look.base = base;
  look.main = familyRamp(material.family, base);
  look.mainDark = familyRamp(material.family, shade(base, -1.3f));
  // Most shapes use the dark region for the tint's folds; these use it for a face of their body.
  static const std::vector<std::string> kDarkBodies = {"ingot", "chest", "cache", "door", "gem", "helmet",
                                                       "chestplate", "furnace", "boots"};
  look.darkOfMain = std::find(kDarkBodies.begin(), kDarkBodies.end(), look.shape) != kDarkBodies.end();
  look.oreBlock = look.shape == "block" && std::find(parts.begin(), parts.end(), "Ore") != parts.end();
  look.rock = familyRamp(Family::Stone);
  Colour tint = ownColour(uint16_t(item.id * 7 + 3), 0.75f, 0.92f);
  for (const std::string& w : parts) {
    const auto found = tints_.find(w);
    if (found != tints_.end()) {
      tint = found->second;
      break;
    }
  }
  if (look.shape == "potion" && item.kind == 2) {
    // A brewed potion's liquid takes one of the potion colours the game tints its drinkers with.
    const engine::Color3B c = potionPalette()[size_t(kFirstPotionColour + (item.id >> 6) % (POTION_PALETTE_SIZE - kFirstPotionColour))];
    tint = rgba(c.r, c.g, c.b);
  }
  tint = mix(tint, turn, turned);
  look.tint = makeRamp(tint, 0.8f);
  look.tintDark = makeRamp(shade(tint, -1.0f), 0.8f);
  look.handle = familyRamp(Family::Wood, material.family == Family::Wood ? shade(base, -1.2f) : familyBase(Family::Wood));
  look.accent = material.family == Family::Metal || material.family == Family::Crystal
                    ? familyRamp(Family::Wood, opaque(0x6A4428))
                    : familyRamp(Family::Metal, opaque(0xB8BCC6));
  look.glass = makeRamp(rgba(200, 232, 244, 170), 0.5f);
  look.glint = makeRamp(rgba(255, 255, 250), 0.2f);
  look.eye = makeRamp(rgba(24, 20, 30), 0.3f);
  look.bone = familyRamp(Family::Flesh, mix(opaque(0xE8E2CE), turn, turned));
  look.leaf = familyRamp(Family::Leaves);
  if (variation > 1) {
    // A far turn reaches the parts around the body too (a band or cork, the host rock, the glass),
    // for shapes whose body is too small to part two items alone.
    const Colour around = ownColour(uint16_t(item.id * 29 + variation * 7), 0.65f, 0.75f);
    const float reach = 0.5f * turned;
    look.accent = familyRamp(Family::Metal, mix(look.accent[2], around, reach));
    look.rock = familyRamp(Family::Stone, mix(look.rock[2], around, reach));
    look.glass = makeRamp(withAlpha(mix(rgba(200, 232, 244), around, reach), 170), 0.5f);
  }
  return look;
}

Canvas ItemLooks::draw(const ItemEntry& item, int size) const {
  const auto found = variations_.find(item.id);
  return drawVariation(item, size, found == variations_.end() ? 0 : found->second);
}

void ItemLooks::partLookAlikes() {
  DistinctPictures kept(kIconsApart);
  for (const auto& [id, item] : items_) {
    // The first variation that stands apart; failing that, the one that stands farthest.
    Canvas best;
    double bestDistance = -1;
    for (int variation = 0; variation < kMaxVariations && bestDistance < kIconsApart; ++variation) {
      Canvas icon = drawVariation(item, 16, variation);
      const double distance = kept.nearest(icon);
      if (distance <= bestDistance) continue;
      bestDistance = distance;
      best = std::move(icon);
      if (variation > 0) variations_[id] = variation;
    }
    kept.keep(best);
  }
}

Canvas ItemLooks::drawVariation(const ItemEntry& item, int size, int variation) const {
  ItemLook look = lookOf(item, variation);
  if (look.shape == "block") return drawBlockIcon(look, size, artSeed("item-block", item.id));
  RegionGrid grid(size);
  drawItemShape(look.shape, grid);
  // A colour word colours the body where the shape shows no tinted part of its own ("Red Clay").
  if (look.hue != kClear && !grid.holds('L')) look.main = familyRamp(look.family, mix(look.base, look.hue, 0.55f));
  // A tool named by its metal with no body of that metal ("Cobalt Bow") makes its frame of it.
  if (look.namedMaterial && !grid.holds('M') && look.family != Family::Wood) look.handle = look.main;
  return renderRegions(grid, [&look](char region) -> const Ramp* {
    switch (region) {
      case 'M': return &look.main;
      case 'H': return &look.handle;
      case 'A': return &look.accent;
      case 'L': return &look.tint;
      case 'D': return look.darkOfMain ? &look.mainDark : &look.tintDark;
      case 'S': return &look.glass;
      case 'G': return &look.glint;
      case 'E': return &look.eye;
      case 'W': return &look.bone;
      case 'V': return &look.leaf;
      case 'R': return &look.rock;
      default: return nullptr;
    }
  });
}

}  // namespace artmaker
