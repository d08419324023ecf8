#pragma once
// Whether each planet's generation rules can take hold: every filter a rule tests must match some
// block that an earlier generation stage has laid, and every block a rule lays must be defined.
// A filter that matches nothing leaves the rule to its bounded retries, which silently give up.

#include <cstdint>

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

// The fixed filter with which horizontal runs pick the cells they start on.
constexpr uint64_t kRunStartFilter = 119;

void checkPlanetFilters(const ContentIndex& content, CheckReport& report);

}  // namespace content_checks
