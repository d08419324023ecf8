#pragma once
// Checks of the language file against the code and the content: every interface text the code
// shows by id has a text, and every item and mob has a name that finds it again.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

class LanguageTexts;

namespace content_checks {

// The interface text ids the code shows ("strings" of the language file).
const std::vector<uint16_t>& usedTextIds();

// `languageFile` names the file in the findings.
void checkTexts(const LanguageTexts& texts, const std::string& languageFile, const ContentIndex& content,
                CheckReport& report);

}  // namespace content_checks
