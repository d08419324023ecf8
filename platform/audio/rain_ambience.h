#pragma once
// The rain ambience that follows the weather: a long looping bed, and near drops that fall over it
// one at a time while it is heard.

#include <cstdint>

namespace kel {

// Weather kinds 1 and 3 loop the rain at volume 0; any other kind stops it.
void setRainAmbience(int8_t weatherKind);
// Rain loudness as a ratio; 0 (or a zero denominator) mutes it without stopping it. Called every
// weather step: while the rain is heard, a near drop may fall in the step, likelier in heavy rain.
void setRainVolume(uint32_t numerator, uint32_t denominator);

}  // namespace kel
