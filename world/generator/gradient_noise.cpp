#include "world/generator/gradient_noise.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/base/random.h"
#include "world/generator/noise_column.h"

namespace {

// One gradient component in [-1, 1): the low nine bits of a draw, centred and scaled by 1/256.
double drawComponent() { return static_cast<double>((engine::randomNext() % 512) - 256) / 256.0; }

// A zero vector (every draw landing on 256) stays zero instead of becoming NaN.
template <size_t N>
void normalise(std::array<double, N>& v) {
  double sum = 0.0;
  for (double c : v) sum += c * c;
  if (sum == 0.0) return;
  const double length = std::sqrt(sum);
  for (double& c : v) c /= length;
}

struct Lattice {
  int b0;
  int b1;
  double r0;
  double r1;
};

// The lattice cell of an integral coordinate, wrapped into 0..255 as a floored modulo (-1 is 255).
// Below 2^62 in magnitude the coordinate converts to a 64-bit integer exactly and its low byte is
// that modulo in two's complement; above, every double is a multiple of 256, so the cell is 0, and
// infinities and NaN take cell 0 too.
int wrapCell(double cell) {
  constexpr double kExactLimit = 4611686018427387904.0;  // 2^62
  if (!(std::fabs(cell) < kExactLimit)) return 0;
  return static_cast<int>(static_cast<int64_t>(cell) & GradientNoise::kMask);
}

Lattice latticeOf(double v) {
  const double t = v + GradientNoise::kOffset;
  const double cell = std::floor(t);  // equals trunc while t >= 0
  const int b0 = wrapCell(cell);
  const double r0 = t - cell;
  return {b0, (b0 + 1) & GradientNoise::kMask, r0, r0 - 1.0};
}

using Gradient2 = std::array<double, 2>;
static_assert(sizeof(Gradient2) == 2 * sizeof(double), "a column's gradients are read as x, y pairs");

// The rows' lattice terms field by field, as the column kernel reads them four rows at a time; the
// cells as offsets into a column's gradient pairs.
class RowTermArrays {
 public:
  template <class Term>
  explicit RowTermArrays(const std::vector<Term>& terms)
      : g0_(terms.size()), g1_(terms.size()), r0_(terms.size()), r1_(terms.size()), s_(terms.size()) {
    for (size_t i = 0; i < terms.size(); ++i) {
      g0_[i] = 2 * terms[i].b0;
      g1_[i] = 2 * terms[i].b1;
      r0_[i] = terms[i].r0;
      r1_[i] = terms[i].r1;
      s_[i] = terms[i].s;
    }
  }
  // The terms from `first` on (an octave's rows).
  noise_column::RowTerms octave(size_t first) const {
    return {g0_.data() + first, g1_.data() + first, r0_.data() + first, r1_.data() + first, s_.data() + first};
  }

 private:
  std::vector<uint32_t> g0_, g1_;
  std::vector<double> r0_, r1_, s_;
};

double sCurve(double r) { return r * r * (3.0 - 2.0 * r); }
double lerp(double s, double a, double b) { return a + s * (b - a); }

}  // namespace

GradientNoise::GradientNoise() {
  for (int i = 0; i < kLatticeSize; ++i) {
    permutation_[i] = static_cast<uint32_t>(i);
    gradients1_[i] = drawComponent();
    for (double& c : gradients2_[i]) c = drawComponent();
    normalise(gradients2_[i]);
    for (double& c : gradients3_[i]) c = drawComponent();
    normalise(gradients3_[i]);
  }
  for (int i = kLatticeSize - 1; i > 0; --i) {
    std::swap(permutation_[i], permutation_[engine::randomNext() % kLatticeSize]);
  }
  for (int i = 0; i < kLatticeSize + 2; ++i) {
    permutation_[kLatticeSize + i] = permutation_[i];
    gradients1_[kLatticeSize + i] = gradients1_[i];
    gradients2_[kLatticeSize + i] = gradients2_[i];
    gradients3_[kLatticeSize + i] = gradients3_[i];
  }
}

double GradientNoise::noise1(double x) const {
  const Lattice l = latticeOf(x);
  const double u = l.r0 * gradients1_[permutation_[l.b0]];
  const double v = l.r1 * gradients1_[permutation_[l.b1]];
  return lerp(sCurve(l.r0), u, v);
}

double GradientNoise::noise1DSum(double x, double alpha, double beta) const {
  double sum = 0.0;
  double scale = 1.0;
  for (int k = 0; k < kOctaves; ++k) {
    sum += noise1(x) / scale;
    scale *= alpha;
    x *= beta;
  }
  return sum;
}

std::vector<GradientNoise::AxisTerm> GradientNoise::axisTerms(int32_t count, double step, double beta, bool permute,
                                                               std::array<bool, kOctaves>& onLattice) const {
  std::vector<AxisTerm> terms(static_cast<size_t>(kOctaves) * static_cast<size_t>(count));
  onLattice.fill(true);
  for (int32_t i = 0; i < count; ++i) {
    double v = static_cast<double>(i) * step;
    for (int k = 0; k < kOctaves; ++k) {
      const Lattice l = latticeOf(v);
      const uint32_t b0 = permute ? permutation_[l.b0] : static_cast<uint32_t>(l.b0);
      const uint32_t b1 = permute ? permutation_[l.b1] : static_cast<uint32_t>(l.b1);
      terms[static_cast<size_t>(k) * static_cast<size_t>(count) + static_cast<size_t>(i)] = {b0, b1, l.r0, l.r1, sCurve(l.r0)};
      onLattice[static_cast<size_t>(k)] = onLattice[static_cast<size_t>(k)] && l.r0 == 0.0;
      v *= beta;
    }
  }
  return terms;
}

// Every sample is the 2D noise's arithmetic in its usual order (corner dots, blend in x, blend in
// y), with each octave's scaled coordinates and the running sum, so every value is the
// point-by-point fractal sum's to the bit. An octave whose column and row offsets
// are all 0 contributes exactly +-0 at every sample: each dot is 0*g0 + 0*g1 with finite gradients
// and each blend weight is 0. Added to a sum that starts at +0 and so (rounding to nearest) is
// never -0, it changes nothing, as long as the octave's divisor is not 0 or NaN.
void GradientNoise::fillFractal2DGrid(int32_t columns, int32_t rows, double step, double alpha, double beta,
                                      float* out, const std::function<void()>& beforeColumn) const {
  if (columns <= 0 || rows <= 0) return;
  std::array<bool, kOctaves> columnsOnLattice{}, rowsOnLattice{};
  const std::vector<AxisTerm> columnTerms = axisTerms(columns, step, beta, true, columnsOnLattice);
  const std::vector<AxisTerm> rowTerms = axisTerms(rows, step, beta, false, rowsOnLattice);
  std::array<double, kOctaves> scales{};
  std::array<bool, kOctaves> skip{};
  double scale = 1.0;
  for (size_t k = 0; k < scales.size(); ++k) {
    scales[k] = scale;
    skip[k] = columnsOnLattice[k] && rowsOnLattice[k] && scale != 0.0 && !std::isnan(scale);
    scale *= alpha;
  }
  // gradients2 of permutation[n], one indirection fewer per corner.
  std::array<Gradient2, kTableSize> gradients{};
  for (size_t n = 0; n < gradients.size(); ++n) gradients[n] = gradients2_[permutation_[n]];
  const RowTermArrays rowArrays(rowTerms);
  std::vector<double> sums(static_cast<size_t>(rows));
  for (int32_t x = 0; x < columns; ++x) {
    if (beforeColumn) beforeColumn();
    std::fill(sums.begin(), sums.end(), 0.0);
    for (size_t k = 0; k < scales.size(); ++k) {
      if (skip[k]) continue;
      const AxisTerm& cx = columnTerms[k * static_cast<size_t>(columns) + static_cast<size_t>(x)];
      const noise_column::ColumnTerm column{gradients[cx.b0].data(), gradients[cx.b1].data(), cx.r0, cx.r1, cx.s};
      noise_column::addOctave(column, rowArrays.octave(k * static_cast<size_t>(rows)), rows, scales[k], sums.data());
    }
    float* column = out + static_cast<size_t>(x) * static_cast<size_t>(rows);
    for (int32_t y = 0; y < rows; ++y) column[y] = static_cast<float>(sums[static_cast<size_t>(y)]);
  }
}
