#pragma once
// The colours that entities are drawn in: the light of their cell, and a dye over it.
//
// The light: that of the cell's open air as the cells are drawn (`tile_light::airColour`): per
// channel the brighter of the sky's shade and the block light's, the block light in the hue of its
// source, so a torch's light darkens towards brown at its edge instead of turning red. So a cell with
// sky 15 under darkness 5 and block light (12, 3, 0) from a light of that hue tints (228, 208, 208).
//
// The dye: each channel is truncate(light / 255 x dye), so full light shows the dye exactly and
// darkness scales it down: dye (200, 100, 0) under light (128, 128, 128) gives (100, 50, 0).

#include <cstdint>

#include "engine/base/geometry.h"

class MapBlock;
class WorldMap;

engine::Color3B entityTint(const WorldMap& map, const MapBlock& cell, uint32_t darkness);
// A player's light: the cell's, its brightest channel never below the shade of `kPlayerLightFloor`
// (about what a moonlit night gives; grey is added to every channel alike to reach it, so the
// light keeps its hue), so a player in an unlit cave or a dark room at night still reads as a figure
// (her own, or the one she is looking for) instead of a black cut-out; mobs keep the dark's cover.
inline constexpr int kPlayerLightFloor = 3;
engine::Color3B playerTint(const WorldMap& map, const MapBlock& cell, uint32_t darkness);
engine::Color3B dyedColour(const engine::Color3B& light, const engine::Color3B& dye);
