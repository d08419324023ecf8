#pragma once
// Lays the compiled content out as "data.dat": header, stored checksum and the thirteen sections,
// then scrambles the whole file.

#include <cstdint>
#include <vector>

#include "tools/content_compiler/content_sources.h"

namespace content_compiler {

std::vector<uint8_t> writeContentFile(const ContentSources& sources);

}  // namespace content_compiler
