#pragma once
// The flat light of a cell, channel by channel, as the particles drawn in it take it: the sky's part
// is the cell's sky level less the world's darkness (never below 0), and each channel is the
// brighter of that and the channel's block-light nibble (red the low nibble, then green, then
// blue), 0-15. So a red lamp reddens them.

#include <array>
#include <cstdint>

class MapBlock;

// Red, green and blue, each 0-15.
std::array<uint8_t, 3> cellLightLevels(const MapBlock& cell, uint32_t darkness);
