#pragma once
// The looping rain ambience that follows the weather.

#include <cstdint>

namespace kel {

// Weather kinds 1 and 3 loop the rain at volume 0; any other kind stops it.
void setRainAmbience(int8_t weatherKind);
// Rain loudness as a ratio; 0 (or a zero denominator) mutes it without stopping it.
void setRainVolume(uint32_t numerator, uint32_t denominator);

}  // namespace kel
