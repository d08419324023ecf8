#pragma once
// The released-capsule table: the catalogue's spawner category is the table a random capsule
// picks from and the only rows a named capsule may release. It must hold exactly 436 mob rows,
// each once, each an authored mob, each with a one-bit category mask.

#include <vector>

#include "content/tables/game_tables.h"
#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

// `spawners`: the spawner category of the compiled game tables.
void checkSpawnableMobs(const std::vector<CatalogueRow>& spawners, const ContentIndex& content, CheckReport& report);

}  // namespace content_checks
