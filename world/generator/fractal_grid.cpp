#include "world/generator/fractal_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "world/generator/gradient_noise.h"
#include "world/generator/noise_column.h"
#include "world/generator/noise_lattice.h"

namespace {

// Rounding in the corners' dots and the blends adds a few parts in 2^53 to a bound found in exact
// arithmetic; this allows far more.
constexpr double kRoundingSlack = 1.0 + 1.0 / (1 << 20);

// The largest magnitudes of one axis's offsets and blend weight over its samples.
struct AxisReach {
  double r0 = 0.0, r1 = 0.0, s = 0.0;
  void widen(double offset0, double offset1, double weight) {
    r0 = std::max(r0, std::fabs(offset0));
    r1 = std::max(r1, std::fabs(offset1));
    s = std::max(s, std::fabs(weight));
  }
};

// How far one octave's noise can reach either side of 0 over the grid. Each corner's dot is at
// most |rx| g + |ry| g (g the largest gradient component), and a blend a + s (b - a) at most
// |a| + s (|a| + |b|). Where every offset from the lower corners is small, as in the octaves whose
// sample step is just over a whole number of cells, so is the noise.
double octaveReach(const AxisReach& x, const AxisReach& y, double g) {
  const double d00 = (x.r0 + y.r0) * g, d10 = (x.r1 + y.r0) * g;
  const double d01 = (x.r0 + y.r1) * g, d11 = (x.r1 + y.r1) * g;
  const double a = d00 + x.s * (d10 + d00);
  const double b = d01 + x.s * (d11 + d01);
  return (a + y.s * (a + b)) * kRoundingSlack;
}

}  // namespace

FractalGrid::FractalGrid(const GradientNoise& noise, int32_t columns, int32_t rows, double step, double alpha,
                         double beta)
    : columns_(columns > 0 ? columns : 0), rows_(rows > 0 ? rows : 0) {
  std::array<bool, kOctaves> columnsOnLattice{}, rowsOnLattice{};
  columnTerms_ = axisTerms(noise, columns_, step, beta, true, columnsOnLattice);
  const std::vector<AxisTerm> rowTerms = axisTerms(noise, rows_, step, beta, false, rowsOnLattice);
  double scale = 1.0;
  for (size_t k = 0; k < scales_.size(); ++k) {
    scales_[k] = scale;
    zero_[k] = columnsOnLattice[k] && rowsOnLattice[k];
    skip_[k] = zero_[k] && scale != 0.0 && !std::isnan(scale);
    scale *= alpha;
  }
  gradients_.resize(GradientNoise::kTableSize);
  for (size_t n = 0; n < gradients_.size(); ++n) gradients_[n] = noise.gradients2_[noise.permutation_[n]];
  double gradient = 0.0;
  for (const auto& g : gradients_) gradient = std::max({gradient, std::fabs(g[0]), std::fabs(g[1])});
  for (size_t k = 0; k < reach_.size(); ++k) {
    AxisReach x, y;
    for (int32_t i = 0; i < columns_; ++i) {
      const AxisTerm& t = columnTerms_[k * static_cast<size_t>(columns_) + static_cast<size_t>(i)];
      x.widen(t.r0, t.r1, t.s);
    }
    for (int32_t i = 0; i < rows_; ++i) {
      const AxisTerm& t = rowTerms[k * static_cast<size_t>(rows_) + static_cast<size_t>(i)];
      y.widen(t.r0, t.r1, t.s);
    }
    reach_[k] = octaveReach(x, y, gradient);
  }
  rowArrays_.g0.resize(rowTerms.size());
  rowArrays_.g1.resize(rowTerms.size());
  rowArrays_.r0.resize(rowTerms.size());
  rowArrays_.r1.resize(rowTerms.size());
  rowArrays_.s.resize(rowTerms.size());
  for (size_t i = 0; i < rowTerms.size(); ++i) {
    rowArrays_.g0[i] = 2 * rowTerms[i].b0;
    rowArrays_.g1[i] = 2 * rowTerms[i].b1;
    rowArrays_.r0[i] = rowTerms[i].r0;
    rowArrays_.r1[i] = rowTerms[i].r1;
    rowArrays_.s[i] = rowTerms[i].s;
  }
}

std::vector<FractalGrid::AxisTerm> FractalGrid::axisTerms(const GradientNoise& noise, int32_t count, double step,
                                                          double beta, bool permute,
                                                          std::array<bool, kOctaves>& onLattice) const {
  std::vector<AxisTerm> terms(static_cast<size_t>(kOctaves) * static_cast<size_t>(count));
  onLattice.fill(true);
  for (int32_t i = 0; i < count; ++i) {
    double v = static_cast<double>(i) * step;
    for (int k = 0; k < kOctaves; ++k) {
      const noise_lattice::Lattice l = noise_lattice::latticeOf(v);
      const uint32_t b0 = permute ? noise.permutation_[l.b0] : static_cast<uint32_t>(l.b0);
      const uint32_t b1 = permute ? noise.permutation_[l.b1] : static_cast<uint32_t>(l.b1);
      terms[static_cast<size_t>(k) * static_cast<size_t>(count) + static_cast<size_t>(i)] = {
          b0, b1, l.r0, l.r1, noise_lattice::sCurve(l.r0)};
      onLattice[static_cast<size_t>(k)] = onLattice[static_cast<size_t>(k)] && l.r0 == 0.0;
      v *= beta;
    }
  }
  return terms;
}

struct FractalGrid::OctaveTerms {
  noise_column::ColumnTerm column;
  noise_column::RowTerms rows;
};

FractalGrid::OctaveTerms FractalGrid::octaveTerms(int32_t x, size_t k, int32_t firstRow) const {
  const AxisTerm& cx = columnTerms_[k * static_cast<size_t>(columns_) + static_cast<size_t>(x)];
  const size_t first = k * static_cast<size_t>(rows_) + static_cast<size_t>(firstRow);
  return {{gradients_[cx.b0].data(), gradients_[cx.b1].data(), cx.r0, cx.r1, cx.s},
          {rowArrays_.g0.data() + first, rowArrays_.g1.data() + first, rowArrays_.r0.data() + first,
           rowArrays_.r1.data() + first, rowArrays_.s.data() + first}};
}

void FractalGrid::addOctave(int32_t x, size_t k, int32_t firstRow, int32_t count, double* sums, bool scalar) const {
  const OctaveTerms terms = octaveTerms(x, k, firstRow);
  if (scalar) {
    noise_column::addOctaveScalar(terms.column, terms.rows, count, scales_[k], sums);
  } else {
    noise_column::addOctave(terms.column, terms.rows, count, scales_[k], sums);
  }
}

// An octave whose column and row offsets are all 0 contributes exactly +-0 at every sample: each
// dot is 0*g0 + 0*g1 with finite gradients and each blend weight is 0. Added to a sum that starts
// at +0 and so (rounding to nearest) is never -0, it changes nothing, as long as the octave's
// divisor is not 0 or NaN.
void FractalGrid::addOctaves(int32_t x, int first, double* sums) const {
  for (size_t k = static_cast<size_t>(first < 0 ? 0 : first); k < scales_.size(); ++k) {
    if (!skip_[k]) addOctave(x, k, 0, rows_, sums, false);
  }
}

// The vector kernel's lanes do the scalar kernel's operations, so one row through the scalar
// kernel is the fill's value there.
float FractalGrid::sample(int32_t x, int32_t y) const {
  double sum = 0.0;
  for (size_t k = 0; k < scales_.size(); ++k) {
    if (!skip_[k]) addOctave(x, k, y, 1, &sum, true);
  }
  return static_cast<float>(sum);
}

void FractalGrid::sampleRows(int32_t x, const int32_t* which, int32_t count, double* sums, float* out) const {
  std::fill(sums, sums + count, 0.0);
  for (size_t k = 0; k < scales_.size(); ++k) {
    if (skip_[k]) continue;
    const OctaveTerms terms = octaveTerms(x, k, 0);
    noise_column::addOctaveAt(terms.column, terms.rows, which, count, scales_[k], sums);
  }
  for (int32_t i = 0; i < count; ++i) out[i] = static_cast<float>(sums[i]);
}

double FractalGrid::boundBelow(int first) const {
  double bound = 0.0;
  for (size_t k = 0; k < scales_.size() && static_cast<int>(k) < first; ++k) {
    if (zero_[k] && skip_[k]) continue;
    if (!(scales_[k] != 0.0) || std::isnan(scales_[k])) return std::numeric_limits<double>::infinity();
    bound += reach_[k] / std::fabs(scales_[k]) * kRoundingSlack;
  }
  return bound;
}
