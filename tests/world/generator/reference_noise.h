#pragma once
// The gradient noise as it was first written, with `fmod` wrapping every lattice coordinate and
// one full evaluation per sample: the reference the fast noise must match bit for bit. Built from
// the thread's generator exactly like GradientNoise, so the same seed gives the same tables.

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/base/random.h"

namespace noise_test {

class ReferenceNoise {
 public:
  ReferenceNoise() {
    for (int i = 0; i < 256; ++i) {
      permutation_[i] = static_cast<uint32_t>(i);
      gradients1_[i] = drawComponent();
      for (double& c : gradients2_[i]) c = drawComponent();
      normalise(gradients2_[i]);
      for (double& c : gradients3_[i]) c = drawComponent();
      normalise(gradients3_[i]);
    }
    for (int i = 255; i > 0; --i) std::swap(permutation_[i], permutation_[engine::randomNext() % 256]);
    for (int i = 0; i < 258; ++i) {
      permutation_[256 + i] = permutation_[i];
      gradients1_[256 + i] = gradients1_[i];
      gradients2_[256 + i] = gradients2_[i];
      gradients3_[256 + i] = gradients3_[i];
    }
  }

  double noise1(double x) const {
    const Lattice l = latticeOf(x);
    const double u = l.r0 * gradients1_[permutation_[l.b0]];
    const double v = l.r1 * gradients1_[permutation_[l.b1]];
    return lerp(sCurve(l.r0), u, v);
  }

  double noise2(double x, double y) const {
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

  double noise1DSum(double x, double alpha, double beta) const {
    double sum = 0.0;
    double scale = 1.0;
    for (int k = 0; k < 8; ++k) {
      sum += noise1(x) / scale;
      scale *= alpha;
      x *= beta;
    }
    return sum;
  }

  double fractal2D(double x, double y, double alpha, double beta) const {
    double sum = 0.0;
    double scale = 1.0;
    for (int k = 0; k < 8; ++k) {
      sum += noise2(x, y) / scale;
      scale *= alpha;
      x *= beta;
      y *= beta;
    }
    return sum;
  }

 private:
  struct Lattice {
    int b0;
    int b1;
    double r0;
    double r1;
  };

  static double drawComponent() { return static_cast<double>((engine::randomNext() % 512) - 256) / 256.0; }

  template <size_t N>
  static void normalise(std::array<double, N>& v) {
    double sum = 0.0;
    for (double c : v) sum += c * c;
    if (sum == 0.0) return;
    const double length = std::sqrt(sum);
    for (double& c : v) c /= length;
  }

  static Lattice latticeOf(double v) {
    const double t = v + 4096.0;
    const double cell = std::floor(t);
    double wrapped = std::fmod(cell, 256.0);
    if (!(wrapped >= 0.0)) wrapped = std::isnan(wrapped) ? 0.0 : wrapped + 256.0;
    const int b0 = static_cast<int>(wrapped) & 255;
    const double r0 = t - cell;
    return {b0, (b0 + 1) & 255, r0, r0 - 1.0};
  }

  static double sCurve(double r) { return r * r * (3.0 - 2.0 * r); }
  static double lerp(double s, double a, double b) { return a + s * (b - a); }

  std::array<uint32_t, 514> permutation_{};
  std::array<std::array<double, 3>, 514> gradients3_{};
  std::array<std::array<double, 2>, 514> gradients2_{};
  std::array<double, 514> gradients1_{};
};

}  // namespace noise_test
