#include "tools/sound_maker/dsp.h"

#include <algorithm>
#include <cmath>

namespace soundmaker {

uint64_t nameSeed(const std::string& name) {
  uint64_t hash = 1469598103934665603ull;
  for (const unsigned char c : name) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

uint64_t Rng::next() {
  // splitmix64: tiny, fast, and the same on every platform.
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

bool parseWave(const std::string& word, Wave& wave) {
  static const std::pair<const char*, Wave> kWaves[] = {{"sine", Wave::Sine},
                                                        {"square", Wave::Square},
                                                        {"saw", Wave::Saw},
                                                        {"triangle", Wave::Triangle},
                                                        {"noise", Wave::Noise}};
  for (const auto& [name, value] : kWaves) {
    if (word == name) {
      wave = value;
      return true;
    }
  }
  return false;
}

double waveAt(Wave wave, double phase, double duty, Rng& rng) {
  const double p = phase - std::floor(phase);
  switch (wave) {
    case Wave::Sine: return std::sin(2.0 * kPi * p);
    case Wave::Square: return p < duty ? 1.0 : -1.0;
    case Wave::Saw: return 2.0 * p - 1.0;
    case Wave::Triangle: return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
    case Wave::Noise: return rng.signedUnit();
  }
  return 0.0;
}

void Filter::tune(double cutoff, double q) {
  cutoff = std::clamp(cutoff, 10.0, rate_ * 0.45);
  g_ = std::tan(kPi * cutoff / rate_);
  k_ = 1.0 / std::max(0.1, q);
  a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

void Filter::run(double in) {
  const double v3 = in - ic2_;
  const double v1 = a1_ * ic1_ + a2_ * v3;
  const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  low_ = v2;
  band_ = v1;
  high_ = in - k_ * v1 - v2;
}

OnePole::OnePole(double rate, double cutoff)
    : coefficient_(1.0 - std::exp(-2.0 * kPi * std::max(1.0, cutoff) / rate)) {}

double attackDecay(double t, double attack, double decay) {
  if (t < 0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-6.9 * (t - attack) / std::max(1e-4, decay));
}

Samples silence(double seconds, int rate) {
  return Samples(static_cast<size_t>(std::max(0.0, seconds) * rate + 0.5), 0.0f);
}

void mixInto(Samples& out, const Samples& part, double at, int rate, double gain) {
  const auto start = static_cast<size_t>(std::max(0.0, at) * rate + 0.5);
  if (out.size() < start + part.size()) out.resize(start + part.size(), 0.0f);
  for (size_t i = 0; i < part.size(); ++i) out[start + i] += static_cast<float>(part[i] * gain);
}

double peakOf(const Samples& samples) {
  double peak = 0;
  for (const float s : samples) peak = std::max(peak, static_cast<double>(std::fabs(s)));
  return peak;
}

void fadeOut(Samples& samples, int rate, double seconds) {
  const size_t fade = std::min(samples.size(), static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < fade; ++i) {
    const double x = static_cast<double>(i) / static_cast<double>(fade);
    samples[samples.size() - 1 - i] *= static_cast<float>(x * x);
  }
}

double activeRms(const Samples& samples) {
  const double gate = peakOf(samples) / 20.0;
  double sum = 0;
  size_t count = 0;
  for (const float s : samples) {
    if (std::fabs(s) < gate) continue;
    sum += static_cast<double>(s) * s;
    ++count;
  }
  return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
}

void normalise(Samples& samples, double targetRms, double peakCeiling) {
  const double rms = activeRms(samples);
  const double peak = peakOf(samples);
  if (rms <= 0 || peak <= 0) return;
  const auto gain = static_cast<float>(std::min(targetRms / rms, peakCeiling / peak));
  for (float& s : samples) s *= gain;
}

}  // namespace soundmaker

namespace soundmaker {

namespace {
double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

double smoothWave(Wave wave, double phase, double increment, double duty, Rng& rng) {
  const double p = phase - std::floor(phase);
  const double dt = std::clamp(increment, 1e-6, 0.5);
  if (wave == Wave::Saw) return 2.0 * p - 1.0 - polyBlep(p, dt);
  if (wave == Wave::Square) {
    double value = p < duty ? 1.0 : -1.0;
    value += polyBlep(p, dt);
    const double shifted = p - duty + (p < duty ? 1.0 : 0.0);
    value -= polyBlep(shifted, dt);
    return value;
  }
  return waveAt(wave, phase, duty, rng);
}

Samples pluckedString(double frequency, double seconds, double brightness, double sustain,
                      int rate, Rng& rng) {
  Samples out = silence(seconds, rate);
  // The averaging filter delays half a sample: the line is shortened to keep the string in tune.
  const auto length = static_cast<size_t>(
      std::max(2.0, std::round(rate / std::max(20.0, frequency) - 0.5 * (1.0 - brightness))));
  std::vector<double> line(length);
  OnePole colour(rate, 800.0 + 9000.0 * brightness);
  for (double& s : line) s = colour.run(rng.signedUnit());
  // Loss per round trip so the string falls 60 dB in `sustain` seconds.
  const double loss = std::pow(10.0, -3.0 / (std::max(0.05, sustain) * frequency));
  const double keep = 0.5 + 0.5 * std::clamp(brightness, 0.0, 1.0);
  size_t at = 0;
  for (float& sample : out) {
    const size_t next = at + 1 == length ? 0 : at + 1;
    sample = static_cast<float>(line[at]);
    line[at] = loss * (keep * line[at] + (1.0 - keep) * line[next]);
    at = next;
  }
  return out;
}

}  // namespace soundmaker
