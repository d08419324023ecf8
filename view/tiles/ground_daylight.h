#pragma once
// How deep daylight is drawn into solid ground. The light map lets sunlight into an opaque cell
// with a loss of six levels a step, so two cells under a sunlit hillside are already black and a
// hill's inside reads as night at midday. The light map keeps its values (growth, mobs and the rules
// read them); only the drawing lets the day seep further: a solid cell shows at least the sky level
// of the nearest open cell less `kDepthStep` for each step through ground, flat per cell, so the
// ground darkens in crisp steps with its depth. An open cell (a cave, a tunnel) keeps its own light,
// so an unlit cave stays black, and at night the seeping sky is as dark as the sky it comes from.

#include <cstdint>

class WorldMap;

namespace ground_daylight {

// Light levels lost per cell of ground between the cell and the open air.
inline constexpr int kDepthStep = 2;
// How many cells deep the search reaches; past it nothing is left to see at the step above.
inline constexpr int kReach = 6;

// The sky level (0-15, after the world's darkness) drawn on the solid cell at (x, y): the brightest
// open cell within `kReach` side steps (x wraps, rows outside the map are missing), less `kDepthStep`
// per step; 0 when none is near. The cell's own light is not counted; the caller takes the larger.
int seepingSky(const WorldMap& map, int32_t x, int32_t y, uint32_t darkness);

}  // namespace ground_daylight
