#include "tools/sound_maker/note_sounds.h"

#include <algorithm>
#include <cmath>

#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/finishing.h"

namespace soundmaker {

namespace {

constexpr double kLowestC = 65.406;
constexpr double kNoteLoudness = 0.14;
constexpr double kPeakCeiling = 0.8;

Samples piano(double f, int rate, Rng& rng) {
  Samples out = silence(2.2, rate);
  // Stiff strings: partials a little sharp, the high ones dying first; a felt hammer's knock.
  OnePole hammer(rate, 1800);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    double sample = 0;
    for (int n = 1; n <= 10; ++n) {
      const double partial = n * f * std::sqrt(1.0 + 0.0004 * n * n);
      if (partial > rate * 0.45) break;
      sample += std::sin(2 * kPi * partial * t) / std::pow(n, 1.3) *
                attackDecay(t, 0.003, 2.2 / (1.0 + 0.35 * n));
    }
    sample += 0.3 * hammer.run(rng.signedUnit()) * attackDecay(t, 0.001, 0.03);
    out[i] = static_cast<float>(sample);
  }
  return out;
}

Samples shaped(Wave wave, double f, int rate, Rng& rng) {
  Samples out = silence(1.2, rate);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    phase += f / rate;
    const double envelope = std::min(1.0, t / 0.01) * (0.4 + 0.6 * std::exp(-3.0 * t)) *
                            std::min(1.0, (1.2 - t) / 0.2);
    out[i] = static_cast<float>(smoothWave(wave, phase, f / rate, 0.5, rng) * envelope);
  }
  return out;
}

Samples drum(int kind, int rate, Rng& rng) {
  const double lengths[] = {0.45, 0.3, 0.12, 0.5, 0.3};
  Samples out = silence(lengths[kind], rate);
  Filter band(rate, kind == 1 ? 2000 : 1200, 1.0);
  Filter highpass(rate, 7000, 0.7);
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = secondsAt(i, rate);
    const double noise = rng.signedUnit();
    band.run(noise);
    highpass.run(noise);
    double sample = 0;
    switch (kind) {
      case 0:  // kick
        phase += (45 + 110 * std::exp(-t / 0.03)) / rate;
        sample = std::sin(2 * kPi * phase) * attackDecay(t, 0.001, 0.35);
        break;
      case 1:  // snare
        phase += 190.0 / rate;
        sample = 0.5 * std::sin(2 * kPi * phase) * attackDecay(t, 0.001, 0.08) +
                 band.band() * 1.5 * attackDecay(t, 0.001, 0.2);
        break;
      case 2:  // closed hat
        sample = highpass.high() * attackDecay(t, 0.0005, 0.06);
        break;
      case 3:  // tom
        phase += (80 + 40 * std::exp(-t / 0.1)) / rate;
        sample = std::sin(2 * kPi * phase) * attackDecay(t, 0.001, 0.4) +
                 0.1 * band.band() * attackDecay(t, 0.001, 0.05);
        break;
      default:  // clap: three quick slaps and a short room
        for (int slap = 0; slap < 3; ++slap) sample += attackDecay(t - slap * 0.011, 0.0005, 0.02);
        sample = band.band() * 2.0 * (sample + 0.4 * attackDecay(t - 0.033, 0.001, 0.2));
        break;
    }
    out[i] = static_cast<float>(sample);
  }
  return out;
}

Samples instrument(const std::string& name, int octave, int rate, Rng& rng, const Recipe& recipe) {
  const double f = kLowestC * std::pow(2.0, octave);
  if (name == "piano") return piano(f, rate, rng);
  if (name == "guitar") return pluckedString(f, 2.0, 0.6, 1.6, rate, rng);
  if (name == "bass") {
    Samples out = pluckedString(f, 1.6, 0.35, 1.2, rate, rng);
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = secondsAt(i, rate);
      out[i] += static_cast<float>(0.5 * std::sin(2 * kPi * f * t) * attackDecay(t, 0.005, 1.2));
    }
    return out;
  }
  if (name == "electricguitar") {
    Samples out = pluckedString(f, 2.0, 0.8, 2.0, rate, rng);
    OnePole tone(rate, 4000);
    for (float& s : out) s = static_cast<float>(tone.run(std::tanh(4.0 * s)));
    return out;
  }
  if (name == "drums") return drum(std::clamp(octave, 0, 4), rate, rng);
  Wave wave = Wave::Sine;
  const std::string waveName = name == "sawtooth" ? "saw" : name;
  if (!parseWave(waveName, wave) || wave == Wave::Noise) {
    recipe.complain("unknown instrument " + name);
    return {};
  }
  return shaped(wave, f, rate, rng);
}

}  // namespace

std::optional<Samples> makeNote(const Recipe& recipe, int octave, int rate, std::string& error) {
  Rng rng(nameSeed(recipe.name()) + static_cast<uint64_t>(octave));
  Samples samples = instrument(recipe.word("instrument", "sine"), octave, rate, rng, recipe);
  for (const std::string& problem : recipe.problems()) {
    error = recipe.name() + ": " + problem;
    return std::nullopt;
  }
  // The attack is the note: only what comes before it and the inaudible end are cut.
  Finish finish;
  finish.leadFloor = 0.0005;
  finish.fadeIn = 0.002;
  finishShortSound(samples, rate, finish);
  if (samples.empty()) {
    error = recipe.name() + ": the recipe makes no sound";
    return std::nullopt;
  }
  normalise(samples, kNoteLoudness, kPeakCeiling);
  return samples;
}

}  // namespace soundmaker
