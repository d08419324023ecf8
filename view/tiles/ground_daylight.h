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
// its distance, or `atLeast` (the cell's own level) when that is brighter. The search ends as soon
// as no cell further out could beat what it has, or once it has `enough` (a level from `enough` up
// then comes out, for a caller that reads no more), so a cell already lit near the sky's full level
// looks at few cells or none: every cell of a window below the full sky asks this at each re-tint.
int seepingSky(const WorldMap& map, int32_t x, int32_t y, uint32_t darkness, int atLeast = 0, int enough = 15);

}  // namespace ground_daylight
