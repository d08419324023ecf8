#pragma once
// The growth table of growing blocks, one row each (trees and other plants). Built by the program, not loaded.

#include <array>
#include <cstdint>
#include <vector>

#include "content/format/content_format.h"

struct ProcessStep {
  uint32_t action = 0;
  uint8_t repeatMin = 0;
  uint8_t repeatMax = 0;
  uint8_t offsetMin = 0;
  uint8_t offsetMax = 0;
};

struct ProcessSpec {
  uint8_t kind = 0;  // = row number
  std::array<uint16_t, 4> blocks{};  // A, B, C, D: the blocks the growth may pass through
  std::vector<ProcessStep> steps;
  uint8_t sharedOffset = 0;  // one offset for both axes
  uint8_t zero = 0;
};

// The 26 rows, in kind order.
const std::array<ProcessSpec, content::kProcessSpecCount>& buildProcessSpecs();
