#pragma once
// What the whole-map relight reads of a cell's front block word, flattened into one byte for each
// block id and variant (32 KB, indexed by the word less its layer mark; taken afresh by every
// relight, so a table changed since is read as it is now): whether the cell lets light through, whether it may emit
// (its colour is then worked out in full), and the front's shadow traits (column_shadows.h). The
// relight's pass over two million cells then reads one small table instead of the 64 KB property
// rows and the block-specific exceptions. Internal to world/light.

#include <array>
#include <cstdint>

#include "world/cells/column_shadows.h"

class BlockPropsTable;

namespace relight_trait {
// Bits 0-3 are the front block's shadow traits (never kHasBack, which is the back word's).
constexpr uint8_t kShadowMask = shadow_trait::kOpaque | shadow_trait::kFullyClear | shadow_trait::kScanOpaque;
constexpr uint8_t kLetsLightThrough = 0x10;
constexpr uint8_t kMayEmit = 0x20;  // glowing liquid aside
}  // namespace relight_trait

class RelightTraits {
 public:
  explicit RelightTraits(const BlockPropsTable& props);

  uint8_t of(uint16_t frontWord) const { return rows_[frontWord & 0x7FFFu]; }

 private:
  std::array<uint8_t, 0x8000> rows_{};
};
