// Pick-ups, interface blips, bells, doors and devices, magic sweeps and hisses.
#include <algorithm>
#include <cmath>

#include "tools/sound_maker/effect_families.h"

namespace soundmaker {

Samples blipSound(const Recipe& recipe, int rate, Rng& rng) {
  // A short tone, optionally jumping by `arp` after `arptime` and repeating: clicks, coins,
  // pops and menu sounds.
  const double length = recipe.number("length", 0.08);
  const double freq = recipe.number("freq", 880);
  const double slide = recipe.number("slide", 0.0);  // octaves over one repeat
  const double arp = recipe.number("arp", 1.0);
  const double arpTime = recipe.number("arptime", 0.5);  // share of the length
  const double duty = recipe.number("duty", 0.5);
  const int repeats = std::clamp(static_cast<int>(recipe.number("repeats", 1)), 1, 8);
  const double gap = recipe.number("gap", 0.02);
  const Wave wave = recipeWave(recipe, "square");
  OnePole soften(rate, recipe.number("soft", 6000));
  Samples out;
  for (int r = 0; r < repeats; ++r) {
    Samples one = silence(length, rate);
    double phase = 0;
    for (size_t i = 0; i < one.size(); ++i) {
      const double x = secondsAt(i, rate) / length;
      const double f = freq * std::pow(2.0, slide * x) * (x >= arpTime ? arp : 1.0);
      phase += f / rate;
      const double envelope = std::min(1.0, x * 40.0) * (1.0 - x);
      one[i] = static_cast<float>(soften.run(smoothWave(wave, phase, f / rate, duty, rng)) * envelope);
    }
    mixInto(out, one, r * (length + gap), rate, std::pow(0.8, r));
  }
  return out;
}

Samples bellSound(const Recipe& recipe, int rate, Rng& /*rng*/) {
  // Sine partials ringing out: dings, blings and chimes. `notes` strikes rise by `step`.
  const double freq = recipe.number("freq", 1200);
  const double length = recipe.number("length", 0.8);
  const int notes = std::clamp(static_cast<int>(recipe.number("notes", 1)), 1, 6);
  const double step = recipe.number("step", 1.5);
  const double spacing = recipe.number("spacing", 0.07);
  static constexpr double kPartials[] = {1.0, 2.0, 2.76, 5.4};
  Samples out;
  for (int n = 0; n < notes; ++n) {
    const double f = freq * std::pow(step, n);
    Samples one = silence(length, rate);
    for (size_t i = 0; i < one.size(); ++i) {
      const double t = secondsAt(i, rate);
      double sample = 0;
      for (size_t p = 0; p < 4; ++p) {
        const double partial = f * kPartials[p];
        sample += std::sin(2 * kPi * partial * t) / (1.0 + 1.5 * static_cast<double>(p)) *
                  attackDecay(t, 0.002, length / (1.0 + static_cast<double>(p)));
      }
      one[i] = static_cast<float>(sample);
    }
    mixInto(out, one, n * spacing, rate);
  }
  return out;
}

Samples creakSound(const Recipe& recipe, int rate, Rng& rng) {
  // A hinge: a rough low tone whose pitch wobbles, through a wooden band, then a thump.
  const double length = recipe.number("length", 0.35);
  const double pitch = recipe.number("pitch", 1.0);
  const double thump = recipe.number("thump", 0.8);
  const double rise = recipe.number("rise", 0.3);  // octaves the creak climbs
  Samples out = silence(length + 0.15, rate);
  Filter body(rate, 700 * pitch, 3.0);
  double phase = 0;
  const size_t creakEnd = static_cast<size_t>(length * rate);
  for (size_t i = 0; i < creakEnd; ++i) {
    const double x = secondsAt(i, rate) / length;
    const double f = 70 * pitch * std::pow(2.0, rise * x) * (1.0 + 0.08 * std::sin(2 * kPi * 9 * x));
    phase += f / rate;
    // A stick-slip pulse train: short bursts at the creak's rate.
    const double p = phase - std::floor(phase);
    body.run((p < 0.15 ? 1.0 : 0.0) + 0.2 * rng.signedUnit());
    out[i] = static_cast<float>(body.band() * std::sin(kPi * x));
  }
  for (size_t i = 0; i < static_cast<size_t>(0.15 * rate); ++i) {
    const double t = secondsAt(i, rate);
    const size_t at = creakEnd + i;
    if (at >= out.size()) break;
    out[at] += static_cast<float>(thump * (std::sin(2 * kPi * 95 * pitch * t) + 0.3 * rng.signedUnit()) *
                                  attackDecay(t, 0.001, 0.09));
  }
  return out;
}

Samples machineSound(const Recipe& recipe, int rate, Rng& rng) {
  // Mechanics: a square hum and grinding noise pulsed at `rate`, sliding in pitch.
  const double length = recipe.number("length", 0.4);
  const double freq = recipe.number("freq", 120);
  const double slide = recipe.number("slide", 0.5);
  const double pulse = recipe.number("pulse", 20);
  const double grind = recipe.number("grind", 0.5);
  Samples out = silence(length, rate);
  Filter band(rate, 1500, 1.0);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double x = t / length;
    const double f = freq * std::pow(2.0, slide * x);
    phase += f / rate;
    band.run(rng.signedUnit());
    const double gate = 0.6 + 0.4 * std::sin(2 * kPi * pulse * t);
    const double envelope = std::min(1.0, x * 30.0) * std::min(1.0, (1.0 - x) * 10.0);
    out[i] = static_cast<float>(((1.0 - grind) * smoothWave(Wave::Square, phase, f / rate, 0.3, rng) * 0.5 +
                                 grind * band.band() * 2.0) * gate * envelope);
  }
  return out;
}

Samples sweepSound(const Recipe& recipe, int rate, Rng& rng) {
  // Magic: a few detuned sines gliding from `freq` to `to`, with a shimmer.
  const double length = recipe.number("length", 0.6);
  const double from = recipe.number("freq", 400);
  const double to = recipe.number("to", 1600);
  const double shimmer = recipe.number("shimmer", 0.3);
  const int voices = std::clamp(static_cast<int>(recipe.number("voices", 3)), 1, 6);
  Samples out = silence(length, rate);
  std::vector<double> phases(static_cast<size_t>(voices), 0.0);
  std::vector<double> detune(phases.size());
  for (double& d : detune) d = 1.0 + 0.012 * rng.signedUnit();
  for (size_t i = 0; i < out.size(); ++i) {
    const double x = secondsAt(i, rate) / length;
    const double f = from * std::pow(to / from, x);
    double sample = 0;
    for (size_t v = 0; v < phases.size(); ++v) {
      phases[v] += f * detune[v] * (1.0 + static_cast<double>(v) * 0.5) / rate;
      sample += std::sin(2 * kPi * phases[v]) / (1.0 + static_cast<double>(v));
    }
    sample *= 1.0 + shimmer * std::sin(2 * kPi * 14 * x * length);
    out[i] = static_cast<float>(sample * std::min(1.0, x * 12.0) * (1.0 - x));
  }
  return out;
}

Samples hissSound(const Recipe& recipe, int rate, Rng& rng) {
  // A fuse, a sizzle, a spray: high noise with random crackles.
  const double length = recipe.number("length", 0.8);
  const double tone = recipe.number("tone", 3000);
  const double crackle = recipe.number("crackle", 0.5);
  Samples out = silence(length, rate);
  Filter highpass(rate, tone, 0.8);
  for (size_t i = 0; i < out.size(); ++i) {
    const double x = secondsAt(i, rate) / length;
    highpass.run(rng.signedUnit());
    double sample = highpass.high() * 0.6;
    if (rng.uniform() < crackle * 0.004) sample += rng.signedUnit() * 1.5;
    out[i] = static_cast<float>(sample * std::min(1.0, x * 20.0) * std::min(1.0, (1.0 - x) * 6.0));
  }
  return out;
}

}  // namespace soundmaker
