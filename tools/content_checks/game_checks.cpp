#include "tools/content_checks/game_checks.h"

#include "content/format/game_tables_file.h"
#include "content/loader/content_database.h"
#include "content/texts/language_texts.h"
#include "tools/content_checks/fixed_id_checks.h"
#include "tools/content_checks/mob_item_check.h"
#include "tools/content_checks/obtainability_check.h"
#include "tools/content_checks/planet_filter_check.h"
#include "tools/content_checks/plant_checks.h"
#include "tools/content_checks/recipe_conflict_check.h"
#include "tools/content_checks/spawn_checks.h"
#include "tools/content_checks/spawnable_mob_check.h"
#include "tools/content_checks/text_checks.h"
#include "tools/content_compiler/content_compiler.h"

namespace content_checks {

namespace {

// The compiled file must pass the loader the game starts with, or the game shows its alert.
void checkGameLoads(const std::string& contentFolder, CheckReport& report) {
  const auto compiled = content_compiler::compileContent(contentFolder);
  if (!compiled.ok) {
    report.add(SourcePlace{contentFolder}, "the content compiler refuses the set: " + compiled.error);
    return;
  }
  resetContentDatabase();
  const uint32_t computed = loadContentDatabaseBytes(compiled.bytes);
  const std::string loadError = contentLoadError();
  const bool intact = loadError.empty() && computed == storedContentChecksum();
  resetContentDatabase();
  if (!intact) {
    report.add(SourcePlace{contentFolder}, "the game refuses the compiled file" +
                                               (loadError.empty() ? std::string(" (checksum)") : ": " + loadError));
  }
}

// The game tables (difficulties, craft book, catalogue) must compile against the set, and the
// game's reader must take the file the compiler writes.
void checkGameTablesLoad(const std::string& contentFolder, GameTables& tables, CheckReport& report) {
  const auto compiled = content_compiler::compileGameTables(contentFolder);
  if (!compiled.ok) {
    report.add(SourcePlace{contentFolder}, "the game tables do not compile: " + compiled.error);
    return;
  }
  std::string error;
  if (!content::readGameTables(compiled.bytes, tables, error)) {
    report.add(SourcePlace{contentFolder}, "the game does not take the compiled game tables: " + error);
  }
}

}  // namespace

void checkContentSet(const ContentIndex& content, CheckReport& report) {
  checkFixedIds(content, report);
  checkRecipeInputs(content, report);
  checkRecipeConflicts(content, report);
  checkPlanetFilters(content, report);
  checkPlantRules(content, gamePlantRules(), report);
  checkSpawnRows(content, report);
}

CheckReport checkGame(const std::string& contentFolder, const std::string& languageFile) {
  CheckReport report;
  ContentSources sources;
  try {
    sources = readContentSources(contentFolder);
  } catch (const content_compiler::SourceError& e) {
    report.add(SourcePlace{contentFolder}, e.what());
    return report;
  }
  checkGameLoads(contentFolder, report);
  GameTables tables;
  checkGameTablesLoad(contentFolder, tables, report);
  const ContentIndex content(sources);
  checkContentSet(content, report);
  checkSpawnableMobs(tables.catalogue[game_tables::kSpawnerCategory], content, report);
  checkMobItems(tables.mobItems, content, report);
  LanguageTexts texts;
  if (!texts.loadFile(languageFile)) {
    report.add(SourcePlace{languageFile}, "cannot be read as a language file");
  } else {
    checkTexts(texts, languageFile, content, report);
  }
  return report;
}

}  // namespace content_checks
