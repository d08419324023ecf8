#include "world/generator/gradient_noise.h"

#include <cmath>
#include <utility>

#include "engine/base/random.h"

namespace {

constexpr int kOctaves = 8;

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

Lattice latticeOf(double v) {
  const double t = v + GradientNoise::kOffset;
  const double cell = std::floor(t);  // equals trunc while t >= 0
  double wrapped = std::fmod(cell, static_cast<double>(GradientNoise::kLatticeSize));
  if (!(wrapped >= 0.0)) wrapped = std::isnan(wrapped) ? 0.0 : wrapped + GradientNoise::kLatticeSize;
  const int b0 = static_cast<int>(wrapped) & GradientNoise::kMask;
  const double r0 = t - cell;
  return {b0, (b0 + 1) & GradientNoise::kMask, r0, r0 - 1.0};
}

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

double GradientNoise::noise2(double x, double y) const {
  const Lattice lx = latticeOf(x);
  const Lattice ly = latticeOf(y);
  const uint32_t i = permutation_[lx.b0];
  const uint32_t j = permutation_[lx.b1];
  const auto dot = [&](uint32_t index, double a, double b) {
    const std::array<double, 2>& g = gradients2_[permutation_[index]];
    return a * g[0] + b * g[1];
  };
  const double sx = sCurve(lx.r0);
  const double a = lerp(sx, dot(i + ly.b0, lx.r0, ly.r0), dot(j + ly.b0, lx.r1, ly.r0));
  const double b = lerp(sx, dot(i + ly.b1, lx.r0, ly.r1), dot(j + ly.b1, lx.r1, ly.r1));
  return lerp(sCurve(ly.r0), a, b);
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

double GradientNoise::fractal2D(double x, double y, double alpha, double beta) const {
  double sum = 0.0;
  double scale = 1.0;
  for (int k = 0; k < kOctaves; ++k) {
    sum += noise2(x, y) / scale;
    scale *= alpha;
    x *= beta;
    y *= beta;
  }
  return sum;
}
