#pragma once
// Whether a player can come by every item a recipe asks for: by breaking a block or beating a mob
// (their loot), by another recipe, or through one of the code's own ways of handing out items.

#include <cstdint>
#include <set>

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

// Every item a player can obtain in the set (without creative mode).
std::set<uint16_t> obtainableItems(const ContentIndex& content);

// Reports each recipe whose ingredients, result or station item cannot be had, and each item the
// code's own tables hand out that the set does not define.
void checkRecipeInputs(const ContentIndex& content, CheckReport& report);

}  // namespace content_checks
