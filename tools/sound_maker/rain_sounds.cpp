#include "tools/sound_maker/rain_sounds.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/finishing.h"

namespace soundmaker {

namespace {

constexpr double kRainLoudness = 0.09;
constexpr double kDropLoudness = 0.06;
constexpr double kPeakCeiling = 0.8;
constexpr int kGustPartials = 8;

struct RainRecipe {
  double patter = 40;  // distant drops a second
  double hiss = 2500;  // centre of the hiss band, Hz
  double rumble = 0.4;
};

bool readRecipe(const Recipe& recipe, RainRecipe& rain, std::string& error) {
  rain.patter = std::clamp(recipe.number("drops", 40), 0.0, 400.0);
  rain.hiss = recipe.number("hiss", 2500);
  rain.rumble = recipe.number("rumble", 0.4);
  for (const std::string& problem : recipe.problems()) {
    error = recipe.name() + ": " + problem;
    return false;
  }
  return true;
}

// The rain's strength over one period: slow swells whose whole cycles fit the period, so the
// strength joins where the loop does.
std::vector<double> gusts(size_t period, Rng& rng) {
  std::array<double, kGustPartials> depth{};
  std::array<double, kGustPartials> phase{};
  for (int k = 0; k < kGustPartials; ++k) {
    depth[static_cast<size_t>(k)] = rng.range(0.03, 0.12);
    phase[static_cast<size_t>(k)] = rng.uniform();
  }
  std::vector<double> strength(period);
  for (size_t i = 0; i < period; ++i) {
    const double cycle = static_cast<double>(i) / static_cast<double>(period);
    double s = 1.0;
    for (int k = 0; k < kGustPartials; ++k) {
      s += depth[static_cast<size_t>(k)] * std::sin(2 * kPi * ((k + 1) * cycle + phase[static_cast<size_t>(k)]));
    }
    strength[i] = std::max(0.2, s);
  }
  return strength;
}

// A drop's ping: a small bubble whose pitch rises as it rings out.
double ping(double t, double f, double decay) {
  return std::sin(2 * kPi * f * (1.0 + 10.0 * t) * t) * attackDecay(t, 0.0005, decay);
}

// One period of the bed: noise filtered around the circle (the first pass lets the filters settle
// so the second wraps seamlessly), shaped by the gusts, with distant drops scattered over it.
std::vector<double> bedTexture(const RainRecipe& rain, size_t period, int rate, Rng& rng) {
  std::vector<double> noise(period);
  for (double& n : noise) n = rng.signedUnit();
  const std::vector<double> strength = gusts(period, rng);
  std::vector<double> texture(period);
  Filter band(rate, rain.hiss, 0.6);
  Filter low(rate, 250, 0.7);
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < period; ++i) {
      band.run(noise[i]);
      low.run(noise[i]);
      texture[i] = (band.band() + rain.rumble * low.low() * 3.0) * strength[i];
    }
  }
  const auto drops = static_cast<int>(rain.patter * static_cast<double>(period) / rate);
  const auto length = static_cast<size_t>(0.008 * rate);
  for (int d = 0; d < drops; ++d) {
    const auto at = static_cast<size_t>(rng.uniform() * static_cast<double>(period));
    const double f = rng.range(1800, 5000);
    const double level = rng.range(0.1, 0.35) * strength[at];
    for (size_t i = 0; i < length; ++i) {
      texture[(at + i) % period] += level * ping(secondsAt(i, rate), f, 0.008);
    }
  }
  return texture;
}

}  // namespace

std::optional<Samples> makeRain(const Recipe& recipe, int rate, double loopStart, double loopEnd,
                                std::string& error) {
  RainRecipe rain;
  if (!readRecipe(recipe, rain, error)) return std::nullopt;
  Rng rng(nameSeed(recipe.name()));
  const auto period = static_cast<size_t>(std::lround((loopEnd - loopStart) * rate));
  const std::vector<double> texture = bedTexture(rain, period, rate, rng);
  Samples out = silence(loopEnd + 0.5, rate);
  const auto startFrame = static_cast<size_t>(std::lround(loopStart * rate));
  for (size_t i = 0; i < out.size(); ++i) {
    // Aligned so the loop start sits at the texture's start.
    const size_t phase = (i + period - startFrame % period) % period;
    out[i] = static_cast<float>(texture[phase]);
  }
  const double fadeIn = std::min(0.3, loopStart);
  for (size_t i = 0; i < static_cast<size_t>(fadeIn * rate); ++i) {
    out[i] *= static_cast<float>(secondsAt(i, rate) / fadeIn);
  }
  fadeOut(out, rate, 0.4);
  normalise(out, kRainLoudness, kPeakCeiling);
  return out;
}

std::optional<Samples> makeRainDrop(const Recipe& recipe, int index, int rate, std::string& error) {
  RainRecipe rain;
  if (!readRecipe(recipe, rain, error)) return std::nullopt;
  Rng rng(nameSeed(recipe.name() + ":drop" + std::to_string(index)));
  Samples out = silence(0.6, rate);
  OnePole tick(rate, 6000);
  const int drops = 1 + rng.below(3);
  for (int d = 0; d < drops; ++d) {
    const double at = rng.range(0.0, 0.4);
    const double f = rng.range(1400, 3800);
    const double decay = rng.range(0.02, 0.05);
    const double level = rng.range(0.5, 1.0);
    Samples drop = silence(decay + 0.01, rate);
    for (size_t i = 0; i < drop.size(); ++i) {
      const double t = secondsAt(i, rate);
      // The splash's click, then the bubble.
      const double click = tick.run(rng.signedUnit()) * attackDecay(t, 0.0002, 0.004);
      drop[i] = static_cast<float>(level * (ping(t, f, decay) + 0.6 * click));
    }
    mixInto(out, drop, at, rate);
  }
  // The drops keep their offsets from the start; the silence after the last one goes.
  Finish finish;
  finish.leadFloor = 0;
  finishShortSound(out, rate, finish);
  normalise(out, kDropLoudness, kPeakCeiling);
  return out;
}

}  // namespace soundmaker
