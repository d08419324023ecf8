#include "platform/audio/sound_placement.h"

#include <algorithm>
#include <cmath>

namespace kel {

std::optional<SoundPlacement> placeSound(const SoundListener& listener, const SoundCell* cell) {
  if (cell == nullptr || !listener.present) return SoundPlacement{};
  int64_t dx = int64_t{cell->column} - listener.column;
  const int64_t halfWidth = listener.mapWidth / 2;
  if (dx > halfWidth) {
    dx -= listener.mapWidth;
  } else if (dx < -halfWidth) {
    dx += listener.mapWidth;
  }
  const int64_t dy = int64_t{cell->row} - listener.row;
  const float distance = std::sqrt(static_cast<float>(dx * dx + dy * dy));
  const float limit = 2.0f * static_cast<float>(listener.visibleColumns) / 2.3f;
  if (distance >= limit) return std::nullopt;
  if (distance <= 3.0f) return SoundPlacement{};
  return SoundPlacement{std::max(0.0f, 1.0f - distance / limit),
                        std::clamp(static_cast<float>(dx) / limit, -1.0f, 1.0f)};
}

}  // namespace kel
