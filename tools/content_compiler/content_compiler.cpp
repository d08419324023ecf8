#include "tools/content_compiler/content_compiler.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "tools/content_compiler/content_checks.h"
#include "content/format/game_tables_file.h"
#include "tools/content_compiler/content_file_writer.h"
#include "tools/content_compiler/game_table_sources.h"
#include "tools/content_compiler/planet_sources.h"
#include "tools/content_compiler/table_sources.h"

namespace content_compiler {

namespace {

using Reader = void (*)(const rapidjson::Value&, ContentSources&);

struct SourceFile {
  const char* name;
  Reader read;
  bool required;
};

// In the order the loader needs them: loot before the tables that name loot, mobs before groups.
const SourceFile kSources[] = {
    {source_files::kTreasures, readTreasures, false},
    {source_files::kLootGroups, readLootGroups, false},
    {source_files::kLootTables, readLootTables, false},
    {source_files::kBlocks, readBlocks, false},
    {source_files::kMobs, readMobs, false},
    {source_files::kMobGroups, readMobGroups, false},
    {source_files::kCrafts, readCrafts, false},
    {source_files::kBullets, readBullets, false},
    {source_files::kBuffs, readBuffs, false},
    {source_files::kTools, readTools, false},
    {source_files::kRangeds, readRangeds, false},
    {source_files::kSwingSpecs, readSwingSpecs, false},
    {source_files::kPlanets, readPlanets, true},
};

// The sources of the game tables file; each is required.
const SourceFile kGameTableSources[] = {
    {source_files::kDifficulties, readDifficulties, true},
    {source_files::kCraftBook, readCraftBook, true},
    {source_files::kCatalogue, readCatalogue, true},
    {source_files::kMobItems, readMobItems, true},
};

void readSource(const std::filesystem::path& folder, const SourceFile& source, ContentSources& out) {
  const SourcePlace place{source.name};
  const auto path = folder / source.name;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (source.required) refuse(place, "cannot open " + path.string());
    rapidjson::Document empty;
    empty.SetArray();
    source.read(empty, out);  // fixed tables still get their full row count
    return;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  rapidjson::Document document;
  document.Parse(text.c_str(), text.size());
  if (document.HasParseError()) {
    refuse(place, std::string("not valid JSON at byte ") + std::to_string(document.GetErrorOffset()) +
                      ": " + rapidjson::GetParseError_En(document.GetParseError()));
  }
  source.read(document, out);
}

void checkCounts(const ContentSources& s) {
  auto limit = [](size_t count, const char* file) {
    if (count > std::numeric_limits<uint16_t>::max()) {
      refuse(SourcePlace{file}, "more rows than the file header can count");
    }
  };
  limit(s.treasures.size(), source_files::kTreasures);
  limit(s.lootGroups.size(), source_files::kLootGroups);
  limit(s.lootTables.size(), source_files::kLootTables);
  limit(s.blocks.size(), source_files::kBlocks);
  limit(s.buffs.size(), source_files::kBuffs);
  limit(s.tools.size(), source_files::kTools);
  limit(s.rangeds.size(), source_files::kRangeds);
  limit(s.swingSpecs.size(), source_files::kSwingSpecs);
}

ContentSources readContentTables(const std::string& sourceFolder) {
  ContentSources sources;
  for (const SourceFile& source : kSources) readSource(sourceFolder, source, sources);
  checkCounts(sources);
  checkContent(sources);
  return sources;
}

bool writeResult(const CompileResult& result, const std::string& outputPath, std::string& error) {
  if (!result.ok) {
    error = result.error;
    return false;
  }
  // Written beside the target and renamed, so a failed write never leaves half a file.
  const std::string temporary = outputPath + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(result.bytes.data()),
              static_cast<std::streamsize>(result.bytes.size()));
    if (!out) {
      error = "cannot write " + temporary;
      return false;
    }
  }
  std::error_code code;
  std::filesystem::rename(temporary, outputPath, code);
  if (code) {
    error = "cannot write " + outputPath + ": " + code.message();
    return false;
  }
  return true;
}

}  // namespace

CompileResult compileContent(const std::string& sourceFolder) {
  CompileResult result;
  try {
    result.bytes = writeContentFile(readContentTables(sourceFolder));
    result.ok = true;
  } catch (const SourceError& e) {
    result.error = e.what();
  }
  return result;
}

CompileResult compileGameTables(const std::string& sourceFolder) {
  CompileResult result;
  try {
    ContentSources sources = readContentTables(sourceFolder);
    for (const SourceFile& source : kGameTableSources) readSource(sourceFolder, source, sources);
    checkGameTables(sources);
    result.bytes = content::writeGameTables(sources.gameTables);
    result.ok = true;
  } catch (const SourceError& e) {
    result.error = e.what();
  }
  return result;
}

bool compileContentFile(const std::string& sourceFolder, const std::string& outputPath,
                        std::string& error) {
  return writeResult(compileContent(sourceFolder), outputPath, error);
}

bool compileGameTablesFile(const std::string& sourceFolder, const std::string& outputPath,
                           std::string& error) {
  return writeResult(compileGameTables(sourceFolder), outputPath, error);
}

}  // namespace content_compiler
