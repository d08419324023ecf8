#pragma once
// Recipes that contradict each other: two recipes of one station that take the same ingredients
// (the same items in the same counts) and make different items that stand in for each other (one
// family of the crafting code's equivalents, such as the planks). One of the two makes the wrong
// kind: an oak log gives oak planks, not a second, other kind of planks beside them. Different,
// unrelated items from the same ingredients are a choice the station offers (a torch or a wall
// torch from a stick and coal) and pass.

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

// Reports the later row of each such pair, naming the earlier one.
void checkRecipeConflicts(const ContentIndex& content, CheckReport& report);

}  // namespace content_checks
