#include "tools/content_checks/spawnable_mob_check.h"

#include <set>
#include <string>

#include "content/tables/game_tables.h"
#include "content/tables/spawnable_mob.h"

namespace content_checks {

namespace {

const SourcePlace kCatalogueFile{content_compiler::source_files::kCatalogue};

}  // namespace

void checkSpawnableMobs(const std::vector<CatalogueRow>& rows, const ContentIndex& content, CheckReport& report) {
  if (rows.size() != kSpawnableMobCount) {
    report.add(kCatalogueFile, "the spawner category (the released-capsule table) has " + std::to_string(rows.size()) +
                                   " mobs, not " + std::to_string(kSpawnableMobCount));
  }
  std::set<uint16_t> seen;
  for (size_t i = 0; i < rows.size(); ++i) {
    const CatalogueRow& row = rows[i];
    const std::string what = "spawner entry " + std::to_string(i) + " (mob " + std::to_string(row.id) + ")";
    if (!seen.insert(row.id).second) report.add(kCatalogueFile, what + " is listed twice");
    if (content.mob(row.id) == nullptr) report.add(kCatalogueFile, what + " names no authored mob");
    if (row.mask == 0 || (row.mask & (row.mask - 1)) != 0) {
      report.add(kCatalogueFile, what + " needs a one-bit category mask");
    }
  }
}

}  // namespace content_checks
