#pragma once
// Every check of a content set against the game: the set compiles, the game loads the compiled
// file without refusing it, the ids the code names hold what it expects, recipe inputs can be
// obtained, no two recipes of a station make different kinds of one thing from the same
// ingredients, planet rules can take hold, the game tables (difficulties, craft book, catalogue, the
// mob-to-item table) compile against the set and load, and the language file has the texts the
// code shows.

#include <string>

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

// The checks that need only the content tables.
void checkContentSet(const ContentIndex& content, CheckReport& report);

// Everything, for a source folder and a language file.
CheckReport checkGame(const std::string& contentFolder, const std::string& languageFile);

}  // namespace content_checks
