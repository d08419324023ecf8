#pragma once
// How loud and where in the stereo field a sound that happens at a map cell is heard.

#include <cstdint>
#include <optional>

#include "platform/audio/sound_world_source.h"

namespace kel {

// A map cell where a sound happens.
struct SoundCell {
  int32_t column = 0;
  int32_t row = 0;
};

struct SoundPlacement {
  float volume = 1.0f;  // factor, 0..1
  float pan = 0.0f;     // -1 left .. +1 right
};

// Full and centred without a cell (or without a listener); nothing (nullopt) at or beyond the
// hearing limit, which is twice the visible columns over 2.3. Within 3 cells full and centred,
// further out falling linearly, panned by the column difference taken across the wrap seam.
std::optional<SoundPlacement> placeSound(const SoundListener& listener, const SoundCell* cell);

}  // namespace kel
