#pragma once
// The baseline the noise map is measured against: the least work that yields the same band curves
// and density field, bit for bit, written as plain loops over the map. It draws the same tables
// from the thread's generator (consuming the 3D draws without using them), skips the first octave
// outright because every sample of it lies on the lattice (where the noise is exactly 0), finds each
// later octave's lattice cell of a column or row once with a plain integer mask (every position is
// a non-negative multiple of the sample step, so no wrapping of negative cells is needed) and reads
// one composed gradient table per corner. What it cannot skip is what the engine must also do: one
// blend per cell and octave, divided by the octave's falloff (in a loop of its own, so the divisions
// run two at a time), summed in octave order.

#include <cstdint>
#include <vector>

namespace bench {

struct LeastWorkNoiseMap {
  std::vector<float> curves;  // five band curves of `width` values, scaled to 0..15
  std::vector<float> field;   // width * height densities, column after column, scaled to 0..1
};

// Seeds nothing: draws its tables from the thread's generator where it stands, as the engine does.
void sampleLeastWorkNoiseMap(int32_t width, int32_t height, LeastWorkNoiseMap& out);

}  // namespace bench
