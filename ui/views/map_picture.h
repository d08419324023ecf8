#pragma once
// The world map's picture: one RGBA pixel per cell, the top row first; cells the player has not
// explored are a dusk wash through which the map's fog shows (map_fog.h), a shade darker than the
// fog around the world's edges; explored ones are coloured by what fills them, and the player's
// cell is red.

#include <cstdint>
#include <vector>

class WorldMap;

inline constexpr uint8_t kMapUnexplored[4] = {22, 18, 32, 90};
inline constexpr uint8_t kMapOpen[4] = {70, 90, 130, 255};
inline constexpr uint8_t kMapBack[4] = {60, 50, 40, 255};
inline constexpr uint8_t kMapSolid[4] = {150, 110, 70, 255};
inline constexpr uint8_t kMapLiquid[4] = {40, 90, 220, 255};
inline constexpr uint8_t kMapPlayer[4] = {255, 40, 40, 255};

// width x height x 4 bytes; empty for a map without cells.
std::vector<uint8_t> mapPicture(const WorldMap& map, int32_t playerX, int32_t playerY);
