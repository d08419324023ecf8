#pragma once
// Reads the planet sources: the twelve planets with their generation rules, fields named by role.

#include <rapidjson/document.h>

#include "tools/content_compiler/content_sources.h"

namespace content_compiler {

void readPlanets(const rapidjson::Value& rows, ContentSources& out);

}  // namespace content_compiler
