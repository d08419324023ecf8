#pragma once
// The checks that span several tables: references between them and per-item rules.

#include "tools/content_compiler/content_sources.h"

namespace content_compiler {

void checkContent(const ContentSources& sources);
// The game tables' own rules (content/tables/game_tables.h) and their references into the other
// tables: recipes and book entries name each other, catalogue ids exist and are of the right kind.
void checkGameTables(const ContentSources& sources);

}  // namespace content_compiler
