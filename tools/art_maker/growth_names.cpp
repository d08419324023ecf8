#include "tools/art_maker/growth_names.h"

#include <rapidjson/document.h>

#include "content/tables/fruit_table.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/recipe_words.h"

namespace artmaker {
namespace {

const char* roleName(GrowthRole role) {
  switch (role) {
    case GrowthRole::Ground: return "ground";
    case GrowthRole::Root: return "tree root";
    case GrowthRole::LowerTrunk: return "lower trunk";
    case GrowthRole::Trunk: return "trunk";
    case GrowthRole::Canopy: return "canopy";
    case GrowthRole::Bush: return "bush";
    case GrowthRole::Tuft: return "surface growth";
    case GrowthRole::CaveGrowth: return "cave growth";
    case GrowthRole::CaveObject: return "cave floor object";
    case GrowthRole::Waystone: return "waystone";
    case GrowthRole::Overlay: return "decoration over a cave floor object";
  }
  return "block";
}

// The names the art recipe gives blocks by id ("blocks": {"id": {"name": ...}}).
std::map<int, std::string> recipeNames(const rapidjson::Document& art) {
  std::map<int, std::string> names;
  if (!art.IsObject() || !art.HasMember("blocks") || !art["blocks"].IsObject()) return names;
  for (const auto& member : art["blocks"].GetObject()) {
    if (member.value.IsObject() && member.value.HasMember("name") && member.value["name"].IsString()) {
      names[std::atoi(member.name.GetString())] = member.value["name"].GetString();
    }
  }
  return names;
}

// The first named item of a block's loot table; pocket pets name the animal, not the block.
std::string dropName(const rapidjson::Value& block, const rapidjson::Document& loot, const std::map<int, std::string>& items) {
  if (!block.HasMember("lootTable") || !block["lootTable"].IsInt() || !loot.IsArray()) return {};
  const int table = block["lootTable"].GetInt();
  if (table < 0 || table >= int(loot.Size()) || !loot[rapidjson::SizeType(table)].IsObject()) return {};
  const rapidjson::Value& row = loot[rapidjson::SizeType(table)];
  if (!row.HasMember("entries") || !row["entries"].IsArray()) return {};
  for (const rapidjson::Value& entry : row["entries"].GetArray()) {
    if (!entry.IsObject() || !entry.HasMember("item") || !entry["item"].IsInt()) continue;
    auto found = items.find(entry["item"].GetInt());
    if (found != items.end() && found->second.rfind("Pocket ", 0) != 0) return found->second;
  }
  return {};
}

}  // namespace

bool nameGeneratedBlocks(const ArtSources& sources, const GeneratedBlocks& generated, std::map<int, std::string>& names,
                         std::string& error) {
  const rapidjson::Document* blocks = sources.content("blocks");
  const rapidjson::Document* loot = sources.content("loot_tables");
  const rapidjson::Document* language = sources.language();
  const rapidjson::Document* art = sources.art("blocks");
  if (!blocks || !loot || !language || !art || !blocks->IsArray()) return error = sources.lastError(), false;
  const std::map<int, std::string> items = itemNames(*language);
  const std::map<int, std::string> given = recipeNames(*art);
  std::map<int, const rapidjson::Value*> rows;
  for (const rapidjson::Value& row : blocks->GetArray()) {
    if (row.IsObject() && row.HasMember("id") && row["id"].IsInt()) rows[row["id"].GetInt()] = &row;
  }
  for (const auto& [id, block] : generated) {
    if (names.count(id)) continue;
    std::string name;
    if (auto g = given.find(id); g != given.end()) name = g->second;
    const FruitRow* fruit = block.role == GrowthRole::Bush ? fruitRowForBlock(id) : nullptr;
    if (name.empty() && fruit) {
      auto f = items.find(fruit->fruit);
      if (f != items.end()) name = f->second + " Bush";
    }
    auto row = rows.find(id);
    if (name.empty() && row != rows.end()) name = dropName(*row->second, *loot, items);
    // A tree's part is named by its tree, whatever it drops.
    if (name.empty() && isTreePart(block.role)) name = block.planet + " " + roleName(block.role);
    if (name.empty()) {
      error = "block " + std::to_string(id) + ", a " + roleName(block.role) + " on " + block.planet +
              ", has no name to be drawn by: give it one under \"blocks\" in blocks.json";
      return false;
    }
    names[id] = name;
  }
  return true;
}

}  // namespace artmaker
