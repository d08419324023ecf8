#include "world/generator/gradient_noise.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/base/random.h"
#include "world/generator/noise_lattice.h"

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
  const noise_lattice::Lattice l = noise_lattice::latticeOf(x);
  const double u = l.r0 * gradients1_[permutation_[l.b0]];
  const double v = l.r1 * gradients1_[permutation_[l.b1]];
  return lerp(noise_lattice::sCurve(l.r0), u, v);
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

