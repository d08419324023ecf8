#pragma once
// Every sample of a gradient noise's eight-octave fractal sum over a whole grid, as the tests'
// reference for the prepared grid and the noise map: the sum over octaves k of
// noise2(x * step * beta^k, y * step * beta^k) / alpha^k, accumulated in double octave after
// octave from +0 and narrowed to float, into out[x * rows + y] (column after column, the map's
// order). Generation itself only ever sums every octave near a share's threshold (coarse_field.h).

#include <algorithm>
#include <cstdint>
#include <vector>

#include "world/generator/fractal_grid.h"
#include "world/generator/gradient_noise.h"

namespace testsupport {

inline void fillWholeFractalField(const GradientNoise& noise, int32_t columns, int32_t rows, double step,
                                  double alpha, double beta, float* out) {
  if (columns <= 0 || rows <= 0) return;
  const FractalGrid grid(noise, columns, rows, step, alpha, beta);
  std::vector<double> sums(static_cast<size_t>(rows));
  for (int32_t x = 0; x < columns; ++x) {
    std::fill(sums.begin(), sums.end(), 0.0);
    grid.addOctaves(x, 0, sums.data());
    float* column = out + static_cast<size_t>(x) * static_cast<size_t>(rows);
    for (int32_t y = 0; y < rows; ++y) column[y] = static_cast<float>(sums[static_cast<size_t>(y)]);
  }
}

}  // namespace testsupport
