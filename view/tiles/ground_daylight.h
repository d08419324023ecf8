#pragma once
// How deep daylight is drawn into solid ground. The light map lets sunlight into an opaque cell
// with a loss of six levels a step, so two cells under a sunlit hillside are already black and a
// hill's inside reads as night at midday. The light map keeps its values (growth, mobs and the rules
// read them); only the drawing lets the day seep further: a solid cell shows at least the sky level
// of the nearest open cell less what `lossAt` takes for its distance through ground, flat per cell,
// so the ground darkens in crisp steps with its depth: two levels a cell near the open air, then
// one, so the last lit cells fade to the dark a level at a time rather than ending at a lit step.
// An open cell (a cave, a tunnel) keeps its own light in front, and the wall behind it takes the
// seeping daylight as the rock around it does (at the back layer's share), so a cave within reach
// of the day reads as a dim hollow in lit rock; a cave past the reach stays black, and at night the
// seeping sky is as dark as the sky it comes from.

#include <cstdint>

class WorldMap;

namespace ground_daylight {

// How many cells deep the search reaches; past it nothing is left of a full sky.
inline constexpr int kReach = 11;
// The light levels lost through `cells` cells of ground (1 to kReach): 2 a cell for the first three,
// then 1.
int lossAt(int cells);

// The sky level (0-15, after the world's darkness) drawn on the solid cell at (x, y): the brightest
// open cell within `kReach` side steps (x wraps, rows outside the map are missing), less `lossAt`
// its distance; 0 when none is near. The cell's own light is not counted; the caller takes the larger.
int seepingSky(const WorldMap& map, int32_t x, int32_t y, uint32_t darkness);

}  // namespace ground_daylight
