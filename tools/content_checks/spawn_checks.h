#pragma once
// The spawn rows against the mobs and the planets: every mob a row names holds a mob (a row left
// empty would spawn a creature of no health), a row that lives in a liquid holds only mobs proof
// against it, every row can make a mob, and every planet has land rows for the day (group 0), the
// night (a row of group 2 that spawns at night) and the caves (group 1), and a row for its waters
// (one that lives in a liquid: water, or the lava or acid the planet's pools hold).

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

void checkSpawnRows(const ContentIndex& content, CheckReport& report);

}  // namespace content_checks
