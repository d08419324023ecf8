#pragma once
// The checks that span several tables: references between them and per-item rules.

#include "tools/content_compiler/content_sources.h"

namespace content_compiler {

void checkContent(const ContentSources& sources);

}  // namespace content_compiler
