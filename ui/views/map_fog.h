#pragma once
// The fog the map is drawn on: what shows of the world where the player has not been, and around
// the world's edges, so the map's frame is filled however little is explored. Stepped tones of
// the menus' dusk violet in soft blots, one texel a block of whole pixels like the world's.

#include <cstdint>
#include <vector>

// The fog's tones, darkest first; a texel is always one of them.
inline constexpr uint8_t kMapFogTones[4][4] = {
    {46, 41, 60, 255}, {54, 48, 70, 255}, {63, 56, 81, 255}, {73, 65, 93, 255}};

// width x height x 4 bytes of fog, the top row first; the same size always gives the same fog.
std::vector<uint8_t> mapFogPicture(int32_t width, int32_t height);
