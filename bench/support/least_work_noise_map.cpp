#include "bench/support/least_work_noise_map.h"

#include <array>
#include <cmath>
#include <utility>

#include "engine/base/random.h"
#include "world/map/world_map.h"

namespace bench {
namespace {

constexpr int kOctaves = 8;
constexpr int kCurves = 5;
constexpr double kStep = 3000.0;
constexpr double kFactor = static_cast<double>(0.2f);

struct Tables {
  std::array<double, 256> slope1{};                  // the 1D gradient at each permuted lattice point
  std::array<std::array<double, 2>, 512> slope2{};   // the 2D gradient of permutation[n & 255]
  std::array<int, 256> permutation{};
};

double draw() { return static_cast<double>((engine::randomNext() % 512) - 256) / 256.0; }

Tables drawTables() {
  std::array<double, 256> g1{};
  std::array<std::array<double, 2>, 256> g2{};
  Tables t;
  for (int i = 0; i < 256; ++i) {
    t.permutation[i] = i;
    g1[i] = draw();
    g2[i] = {draw(), draw()};
    const double sum = g2[i][0] * g2[i][0] + g2[i][1] * g2[i][1];
    if (sum != 0.0) {
      const double length = std::sqrt(sum);
      g2[i] = {g2[i][0] / length, g2[i][1] / length};
    }
    for (int skip = 0; skip < 3; ++skip) engine::randomNext();
  }
  for (int i = 255; i > 0; --i) std::swap(t.permutation[i], t.permutation[engine::randomNext() % 256]);
  for (int i = 0; i < 256; ++i) t.slope1[i] = g1[t.permutation[i]];
  for (int n = 0; n < 512; ++n) t.slope2[n] = g2[t.permutation[n & 255]];
  return t;
}

struct Axis {
  int b0, b1;
  double r0, r1, s;
};

// Octaves 1..7 of position i * step, octave after octave (index (k - 1) * count + i).
std::vector<Axis> axes(int32_t count) {
  std::vector<Axis> out(static_cast<size_t>(kOctaves - 1) * static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    double v = static_cast<double>(i) * kStep;
    for (int k = 1; k < kOctaves; ++k) {
      v *= kFactor;
      const double t = v + 4096.0;
      const double cell = std::floor(t);
      const int b0 = static_cast<int>(cell) & 255;
      const double r0 = t - cell;
      out[static_cast<size_t>(k - 1) * static_cast<size_t>(count) + static_cast<size_t>(i)] = {
          b0, (b0 + 1) & 255, r0, r0 - 1.0, r0 * r0 * (3.0 - 2.0 * r0)};
    }
  }
  return out;
}

void curves(const Tables& t, int32_t width, std::vector<float>& out) {
  out.assign(static_cast<size_t>(kCurves) * static_cast<size_t>(width), 0.0f);
  const std::vector<Axis> columns = axes(kCurves * width);
  const size_t count = out.size();
  for (size_t i = 0; i < count; ++i) {
    double sum = 0.0, scale = 1.0;
    for (int k = 1; k < kOctaves; ++k) {
      scale *= kFactor;
      const Axis& a = columns[static_cast<size_t>(k - 1) * count + i];
      const double u = a.r0 * t.slope1[a.b0], v = a.r1 * t.slope1[a.b1];
      sum += (u + a.s * (v - u)) / scale;
    }
    out[i] = static_cast<float>(sum);
  }
  for (int k = 0; k < kCurves; ++k) normalizeToRange(&out[static_cast<size_t>(k) * static_cast<size_t>(width)], 15.0f, width);
}

void field(const Tables& t, int32_t width, int32_t height, std::vector<float>& out) {
  out.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const std::vector<Axis> columns = axes(width);
  const std::vector<Axis> rows = axes(height);
  std::array<double, kOctaves> scales{};
  for (int k = 1; k < kOctaves; ++k) scales[k] = (k == 1 ? 1.0 : scales[k - 1]) * kFactor;
  std::vector<double> sums(static_cast<size_t>(height)), blends(static_cast<size_t>(height));
  for (int32_t x = 0; x < width; ++x) {
    sums.assign(sums.size(), 0.0);
    for (int k = 1; k < kOctaves; ++k) {
      const Axis& c = columns[static_cast<size_t>(k - 1) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      const std::array<double, 2>* gi = &t.slope2[static_cast<size_t>(t.permutation[c.b0])];
      const std::array<double, 2>* gj = &t.slope2[static_cast<size_t>(t.permutation[c.b1])];
      const Axis* row = &rows[static_cast<size_t>(k - 1) * static_cast<size_t>(height)];
      for (int32_t y = 0; y < height; ++y) {
        const Axis& r = row[y];
        const double d00 = c.r0 * gi[r.b0][0] + r.r0 * gi[r.b0][1], d10 = c.r1 * gj[r.b0][0] + r.r0 * gj[r.b0][1];
        const double d01 = c.r0 * gi[r.b1][0] + r.r1 * gi[r.b1][1], d11 = c.r1 * gj[r.b1][0] + r.r1 * gj[r.b1][1];
        const double a = d00 + c.s * (d10 - d00), b = d01 + c.s * (d11 - d01);
        blends[static_cast<size_t>(y)] = a + r.s * (b - a);
      }
      for (size_t y = 0; y < sums.size(); ++y) sums[y] += blends[y] / scales[k];
    }
    float* column = &out[static_cast<size_t>(x) * static_cast<size_t>(height)];
    for (int32_t y = 0; y < height; ++y) column[y] = static_cast<float>(sums[static_cast<size_t>(y)]);
  }
  normalizeToRange(out.data(), 1.0f, static_cast<int>(out.size()));
}

}  // namespace

void sampleLeastWorkNoiseMap(int32_t width, int32_t height, LeastWorkNoiseMap& out) {
  const Tables tables = drawTables();
  curves(tables, width, out.curves);
  field(tables, width, height, out.field);
}

}  // namespace bench
