#include "world/light/relight_traits.h"

#include <algorithm>
#include <cstddef>

#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/light/light_grid.h"

// Each row asks the cell's own predicates of a cell holding the block, so the exceptions of
// particular blocks are those of the cell code. Only variant 1 has exceptions: the variants above 1
// copy the rows of variant 0.
RelightTraits::RelightTraits(const BlockPropsTable& props) {
  for (uint32_t variant = 0; variant < 2; ++variant) {
    for (uint32_t id = 0; id < 0x1000; ++id) {
      MapBlock probe;
      probe.front = block_word::compose(block_word::kLayerMark, static_cast<uint16_t>(id), static_cast<uint8_t>(variant));
      const bool lampOn = variant == 1 && (id == light_grid::kLamp || id == light_grid::kColouredLamp);
      const bool mayEmit = props[static_cast<uint16_t>(id)].has(block_flag::kEmitsLight) || lampOn;
      const uint8_t traits = static_cast<uint8_t>(
          (shadowTraitsOf(props, probe) & relight_trait::kShadowMask) |
          (probe.shutsOutLight(props) ? 0 : relight_trait::kLetsLightThrough) | (mayEmit ? relight_trait::kMayEmit : 0));
      rows_[id | (variant << 12)] = traits;
    }
  }
  for (uint32_t variant = 2; variant < 8; ++variant) {
    std::copy(rows_.begin(), rows_.begin() + 0x1000, rows_.begin() + static_cast<std::ptrdiff_t>(variant << 12));
  }
}
