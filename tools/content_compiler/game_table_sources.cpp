#include "tools/content_compiler/game_table_sources.h"

#include <algorithm>
#include <cstring>

#include "tools/content_compiler/json_fields.h"

namespace content_compiler {

namespace sf = source_files;

namespace {

SourcePlace placeOf(const char* file, size_t row) { return SourcePlace{file, static_cast<long>(row)}; }

std::string readText(const rapidjson::Value& object, const char* name, bool required,
                     const SourcePlace& place) {
  if (!object.HasMember(name)) {
    if (required) refuse(place, std::string("\"") + name + "\" is missing");
    return {};
  }
  const rapidjson::Value& value = object[name];
  if (!value.IsString()) refuse(place, std::string("\"") + name + "\" must be a text");
  return std::string(value.GetString(), value.GetStringLength());
}

CatalogueRow readCatalogueEntry(const rapidjson::Value& entry, bool spawners, const SourcePlace& place) {
  const char* idName = spawners ? "mob" : "item";
  checkKeys(entry, nullptr, {idName, "mask"}, place);
  if (!entry.HasMember(idName)) {
    refuse(place, std::string("a catalogue entry of this category needs \"") + idName + "\"");
  }
  CatalogueRow row;
  row.id =
      static_cast<uint16_t>(readInteger(entry[idName], 0, 0xFFFF, place, std::string("\"") + idName + "\""));
  if (entry.HasMember("mask")) {
    row.mask = static_cast<uint16_t>(readInteger(entry["mask"], 0, 0xFFFF, place, "\"mask\""));
  }
  return row;
}

uint16_t readWord(const rapidjson::Value& object, const char* name, bool required, const SourcePlace& place) {
  if (!object.HasMember(name)) {
    if (required) refuse(place, std::string("\"") + name + "\" is missing");
    return mob_items::kNone;
  }
  return static_cast<uint16_t>(readInteger(object[name], 0, 0xFFFF, place, std::string("\"") + name + "\""));
}

}  // namespace

void readDifficulties(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kDifficulties}, "the file");
  out.gameTables.difficulties.assign(rows.Size(), DifficultyRow{});
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kDifficulties, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, &content::difficultyRecordLayout(), {}, place);
    fillRecord(content::difficultyRecordLayout(), object, out.gameTables.difficulties[row].bytes,
               {{"level", static_cast<double>(row)}}, place);
  }
}

void readCraftBook(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kCraftBook}, "the file");
  for (size_t row = 0; row < rows.Size(); ++row) {
    const SourcePlace place = placeOf(sf::kCraftBook, row);
    const auto& object = rows[static_cast<rapidjson::SizeType>(row)];
    checkKeys(object, nullptr, {"name", "list", "detail"}, place);
    CraftBookRow entry;
    entry.name = readText(object, "name", true, place);
    if (!object.HasMember("list")) refuse(place, "\"list\" is missing");
    entry.listKind = static_cast<uint8_t>(readInteger(object["list"], 0, 255, place, "\"list\""));
    entry.detail = readText(object, "detail", false, place);
    out.gameTables.book.push_back(entry);
  }
}

void readCatalogue(const rapidjson::Value& rows, ContentSources& out) {
  const SourcePlace file{sf::kCatalogue};
  requireArray(rows, file, "the file");
  if (rows.Size() != game_tables::kCategoryCount) {
    refuse(file, "there must be exactly " + std::to_string(game_tables::kCategoryCount) + " categories");
  }
  for (size_t index = 0; index < game_tables::kCategoryCount; ++index) {
    const SourcePlace place = placeOf(sf::kCatalogue, index);
    const auto& object = rows[static_cast<rapidjson::SizeType>(index)];
    checkKeys(object, nullptr, {"title", "entries"}, place);
    const std::string title = readText(object, "title", true, place);
    if (title != game_tables::kCategoryTitles[index]) {
      refuse(place, "category " + std::to_string(index) + " is \"" + game_tables::kCategoryTitles[index] +
                        "\", not \"" + title + "\"");
    }
    auto& category = out.gameTables.catalogue[index];
    if (object.HasMember("entries")) {
      const auto& entries = requireArray(object["entries"], place, "\"entries\"");
      for (const auto& entry : entries.GetArray()) {
        category.push_back(readCatalogueEntry(entry, index == game_tables::kSpawnerCategory, place));
      }
    }
  }
}

void readMobItems(const rapidjson::Value& rows, ContentSources& out) {
  requireArray(rows, SourcePlace{sf::kMobItems}, "the file");
  std::vector<MobItemRow> table;
  for (size_t index = 0; index < rows.Size(); ++index) {
    const SourcePlace place = placeOf(sf::kMobItems, index);
    const auto& object = rows[static_cast<rapidjson::SizeType>(index)];
    checkKeys(object, nullptr, {"mob", "index", "item", "group", "sex", "young", "youngIndex", "stable"}, place);
    MobItemRow row;
    row.mob = readWord(object, "mob", true, place);
    row.stableIndex = readWord(object, "index", true, place);
    row.item = readWord(object, "item", true, place);
    row.group = static_cast<uint8_t>(std::min<uint16_t>(readWord(object, "group", true, place), 255));
    row.sex = static_cast<uint8_t>(std::min<uint16_t>(readWord(object, "sex", true, place), 255));
    row.young = readWord(object, "young", false, place);
    row.youngIndex = readWord(object, "youngIndex", false, place);
    row.stableBlock = readWord(object, "stable", false, place);
    table.push_back(row);
  }
  out.gameTables.mobItems = MobItemTable(std::move(table));
}

}  // namespace content_compiler
