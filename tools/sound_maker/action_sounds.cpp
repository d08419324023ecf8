// Hits, swings, shots, bows, explosions and splashes.
#include <algorithm>
#include <cmath>

#include "tools/sound_maker/effect_families.h"

namespace soundmaker {

Samples hitSound(const Recipe& recipe, int rate, Rng& rng) {
  // A noise crack with a body tone sliding down: the impact of a blow.
  const double length = recipe.number("length", 0.15);
  const double body = recipe.number("body", 180);
  const double bright = recipe.number("bright", 3000);
  const double noise = recipe.number("noise", 0.7);
  const Wave wave = recipeWave(recipe, "saw");
  Samples out = silence(length, rate);
  Filter lowpass(rate, bright, 0.9);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double f = body * std::pow(0.5, t / length * 1.5);
    phase += f / rate;
    lowpass.tune(bright * (1.0 - 0.7 * t / length), 0.9);
    lowpass.run(noise * rng.signedUnit() +
                (1.0 - noise) * smoothWave(wave, phase, f / rate, 0.5, rng));
    out[i] = static_cast<float>(lowpass.low() * attackDecay(t, 0.001, length * 0.8));
  }
  return out;
}

Samples swingSound(const Recipe& recipe, int rate, Rng& rng) {
  // A whoosh: band-passed noise whose band rises and falls with the swing.
  const double length = recipe.number("length", 0.25);
  const double low = recipe.number("low", 400);
  const double high = recipe.number("high", 2200);
  Samples out = silence(length, rate);
  Filter band(rate, low, 2.0);
  for (size_t i = 0; i < out.size(); ++i) {
    const double x = secondsAt(i, rate) / length;
    const double arc = std::sin(kPi * x);
    band.tune(low + (high - low) * arc, 2.0);
    band.run(rng.signedUnit());
    out[i] = static_cast<float>(band.band() * arc * arc);
  }
  return out;
}

Samples shootSound(const Recipe& recipe, int rate, Rng& rng) {
  // The classic shot: a tone sliding fast downwards, some noise, high-passed.
  const double length = recipe.number("length", 0.2);
  const double freq = recipe.number("freq", 900);
  const double slide = recipe.number("slide", -3.0);  // octaves over the length
  const double noise = recipe.number("noise", 0.3);
  const double duty = recipe.number("duty", 0.5);
  const double vibrato = recipe.number("vibrato", 0.0);
  const Wave wave = recipeWave(recipe, "saw");
  Filter highpass(rate, recipe.number("highpass", 250), 0.7);
  Samples out = silence(length, rate);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double f = freq * std::pow(2.0, slide * t / length) *
                     (1.0 + vibrato * std::sin(2 * kPi * 18 * t));
    phase += f / rate;
    highpass.run((1.0 - noise) * smoothWave(wave, phase, f / rate, duty, rng) +
                 noise * rng.signedUnit());
    out[i] = static_cast<float>(highpass.high() * attackDecay(t, 0.002, length));
  }
  return out;
}

Samples twangSound(const Recipe& recipe, int rate, Rng& rng) {
  // A bow string let go, with the air of the arrow behind it.
  const double freq = recipe.number("freq", 140);
  const double length = recipe.number("length", 0.35);
  Samples out = pluckedString(freq, length, 0.7, length * 0.8, rate, rng);
  Filter band(rate, 1500, 1.5);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    band.run(rng.signedUnit());
    out[i] = static_cast<float>(out[i] * attackDecay(t, 0.001, length) +
                                0.3 * band.band() * attackDecay(t, 0.02, length * 0.5));
  }
  return out;
}

Samples explosionSound(const Recipe& recipe, int rate, Rng& rng) {
  // Noise with its low-pass sweeping down, a low thump under it and a long tail.
  const double length = recipe.number("length", 1.4);
  const double size = recipe.number("size", 1.0);
  const double crackle = recipe.number("crackle", 0.0);
  Samples out = silence(length, rate);
  Filter lowpass(rate, 3000, 0.8);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double x = t / length;
    lowpass.tune(200 + 3500 / size * std::pow(1.0 - x, 3.0), 0.8);
    lowpass.run(rng.signedUnit());
    double sample = lowpass.low() * attackDecay(t, 0.004, length * 0.9);
    const double thump = 70.0 / size * (1.0 - 0.5 * std::min(1.0, t / 0.3));
    phase += thump / rate;
    sample += 0.9 * std::sin(2 * kPi * phase) * attackDecay(t, 0.003, 0.5 * size);
    if (crackle > 0 && rng.uniform() < crackle * 0.002 * (1.0 - x)) sample += rng.signedUnit();
    out[i] = static_cast<float>(sample);
  }
  return out;
}

Samples splashSound(const Recipe& recipe, int rate, Rng& rng) {
  // Noise with a slow low-pass sweep, and a few short sine bloops sliding up.
  const double length = recipe.number("length", 0.5);
  const double wash = recipe.number("wash", 1.0);
  const int bloops = std::clamp(static_cast<int>(recipe.number("bloops", 3)), 0, 20);
  const double pitch = recipe.number("pitch", 1.0);
  Samples out = silence(length, rate);
  Filter lowpass(rate, 4000, 0.7);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    lowpass.tune(300 + 5000 * pitch * std::exp(-3.0 * t / length), 0.7);
    lowpass.run(rng.signedUnit());
    out[i] = static_cast<float>(wash * lowpass.low() * attackDecay(t, 0.01, length * 0.8));
  }
  for (int b = 0; b < bloops; ++b) {
    const double at = rng.uniform() * length * 0.7;
    const double f = rng.range(300, 900) * pitch;
    Samples bloop = silence(0.06, rate);
    double phase = 0;
    for (size_t i = 0; i < bloop.size(); ++i) {
      const double t = secondsAt(i, rate);
      phase += f * (1.0 + 8.0 * t) / rate;
      bloop[i] = static_cast<float>(std::sin(2 * kPi * phase) * std::sin(kPi * t / 0.06));
    }
    mixInto(out, bloop, at, rate, 0.5);
  }
  return out;
}

}  // namespace soundmaker
