// Digging, breaking, stepping on and placing blocks: filtered noise bursts whose band, length,
// click and ringing say the material (soil soft and low, stone short and bright with a click,
// wood a hollow band, glass and metal with ringing partials).
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/sound_maker/effect_families.h"

namespace soundmaker {

namespace {

struct Material {
  const char* name;
  double centre;     // band centre of the noise, Hz
  double q;          // low is broad, high is hollow
  double darken;     // low-pass after the band, Hz
  double decay;      // one burst's fall to silence, s
  double click;      // level of the first millisecond's click
  double body;       // a low thump under the burst, Hz (0 none)
  double ring;       // lowest ringing partial, Hz (0 none)
  double ringDecay;  // s
  int grains;        // micro-bursts in one burst: crunchy materials have many
};

constexpr std::array<Material, 14> kMaterials = {{
    {"dirt", 450, 0.7, 1600, 0.10, 0.05, 85, 0, 0, 3},
    {"mud", 320, 0.9, 900, 0.13, 0.0, 70, 0, 0, 2},
    {"sand", 3200, 0.5, 8000, 0.08, 0.0, 0, 0, 0, 12},
    {"gravel", 1800, 0.6, 6000, 0.07, 0.3, 0, 0, 0, 6},
    {"stone", 2200, 1.2, 9000, 0.045, 0.8, 120, 0, 0, 1},
    {"wood", 620, 4.0, 3000, 0.07, 0.4, 150, 0, 0, 1},
    {"glass", 4500, 1.5, 14000, 0.03, 0.6, 0, 2600, 0.35, 1},
    {"metal", 2500, 2.0, 12000, 0.03, 0.7, 0, 880, 0.5, 1},
    {"foliage", 4000, 0.6, 10000, 0.05, 0.0, 0, 0, 0, 8},
    {"snow", 2400, 0.6, 6000, 0.06, 0.0, 0, 0, 0, 7},
    {"cloth", 1200, 0.6, 3000, 0.05, 0.0, 0, 0, 0, 2},
    {"bone", 1700, 2.5, 6000, 0.03, 0.6, 0, 0, 0, 2},
    {"paper", 3500, 0.7, 9000, 0.05, 0.0, 0, 0, 0, 5},
    {"flesh", 700, 1.0, 2000, 0.07, 0.2, 110, 0, 0, 1},
}};

const Material& materialOf(const Recipe& recipe) {
  const std::string name = recipe.word("material", "dirt");
  for (const Material& material : kMaterials) {
    if (name == material.name) return material;
  }
  recipe.complain("unknown material " + name);
  return kMaterials[0];
}

// One burst of the material: `pitch` scales every frequency, `length` every time.
Samples burst(const Material& m, double pitch, double length, int rate, Rng& rng) {
  const double decay = m.decay * length;
  const double spread = m.grains > 1 ? decay * 1.5 : 0.0;
  const double seconds = decay * 1.3 + spread + (m.ring > 0 ? m.ringDecay * length : 0.0) + 0.02;
  Samples out = silence(seconds, rate);
  std::vector<double> grainAt(static_cast<size_t>(m.grains));
  std::vector<double> grainLevel(grainAt.size());
  for (size_t g = 0; g < grainAt.size(); ++g) {
    grainAt[g] = g == 0 ? 0.0 : rng.uniform() * spread;
    grainLevel[g] = g == 0 ? 1.0 : rng.range(0.3, 0.9);
  }
  Filter band(rate, m.centre * pitch, m.q);
  OnePole dark(rate, m.darken * pitch);
  Filter clickBand(rate, 6000 * pitch, 0.7);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    double envelope = 0;
    for (size_t g = 0; g < grainAt.size(); ++g) {
      envelope += grainLevel[g] * attackDecay(t - grainAt[g], 0.002, decay / (g == 0 ? 1.0 : 2.0));
    }
    band.run(rng.signedUnit());
    double sample = dark.run(band.band()) * envelope * (1.0 + m.q * 0.5);
    clickBand.run(rng.signedUnit());
    sample += m.click * clickBand.high() * attackDecay(t, 0.0005, 0.004);
    if (m.body > 0) {
      const double f = m.body * pitch * (1.0 - 0.4 * std::min(1.0, t / 0.08));
      sample += 0.8 * std::sin(2 * kPi * f * t) * attackDecay(t, 0.002, 0.08 * length);
    }
    if (m.ring > 0) {
      static constexpr double kPartials[] = {1.0, 1.51, 2.37, 3.13};
      for (size_t p = 0; p < 4; ++p) {
        const double f = m.ring * pitch * kPartials[p];
        sample += 0.25 / (1.0 + static_cast<double>(p)) * std::sin(2 * kPi * f * t) *
                  attackDecay(t, 0.001, m.ringDecay * length / (1.0 + 0.4 * static_cast<double>(p)));
      }
    }
    out[i] = static_cast<float>(sample);
  }
  return out;
}

// `count` bursts `spacing` seconds apart, each a little quieter and pitched at random.
Samples bursts(const Recipe& recipe, int rate, Rng& rng, int defaultCount, double defaultLength) {
  const Material& m = materialOf(recipe);
  const double pitch = recipe.number("pitch", 1.0);
  const double length = recipe.number("length", defaultLength);
  const int count = std::clamp(static_cast<int>(recipe.number("bursts", defaultCount)), 1, 12);
  const double spacing = recipe.number("spacing", 0.06);
  Samples out;
  for (int b = 0; b < count; ++b) {
    const double jitter = b == 0 ? 1.0 : rng.range(0.85, 1.2);
    const Samples one = burst(m, pitch * jitter, length, rate, rng);
    mixInto(out, one, b * spacing * rng.range(0.8, 1.2), rate, std::pow(0.75, b));
  }
  return out;
}

}  // namespace

Samples digSound(const Recipe& recipe, int rate, Rng& rng) { return bursts(recipe, rate, rng, 1, 1.0); }

Samples breakSound(const Recipe& recipe, int rate, Rng& rng) {
  return bursts(recipe, rate, rng, 4, 1.4);
}

Samples stepSound(const Recipe& recipe, int rate, Rng& rng) { return bursts(recipe, rate, rng, 1, 0.5); }

Samples placeSound(const Recipe& recipe, int rate, Rng& rng) {
  Samples out = bursts(recipe, rate, rng, 1, 0.7);
  // A soft thud of the block settling.
  const double thud = recipe.number("thud", 110);
  Samples low = silence(0.12, rate);
  for (size_t i = 0; i < low.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    low[i] = static_cast<float>(std::sin(2 * kPi * thud * (1 - 0.3 * t / 0.12) * t) *
                                attackDecay(t, 0.003, 0.1));
  }
  mixInto(out, low, 0.0, rate, 0.9);
  return out;
}

}  // namespace soundmaker
