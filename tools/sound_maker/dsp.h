#pragma once
// The small signal toolkit every sound family and the music draw on: a seeded random source,
// oscillators, a state-variable filter, envelopes, fades and level (the trimming of short sounds
// is finishing.h).
// Everything is deterministic: the same seed and parameters give the same samples on any machine.
// No shared state; safe on any thread.

#include <cstdint>
#include <string>
#include <vector>

namespace soundmaker {

using Samples = std::vector<float>;
constexpr double kPi = 3.14159265358979323846;

// FNV-1a of a name: each sound's own seed, so one recipe's change leaves the others unchanged.
uint64_t nameSeed(const std::string& name);

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed ^ 0x9E3779B97F4A7C15ull) { next(); }
  uint64_t next();
  double uniform();                          // [0, 1)
  double signedUnit() { return uniform() * 2.0 - 1.0; }  // [-1, 1)
  double range(double low, double high) { return low + (high - low) * uniform(); }
  int below(int n) { return static_cast<int>(uniform() * n); }

 private:
  uint64_t state_;
};

enum class Wave { Sine, Square, Saw, Triangle, Noise };
// Parses "sine", "square", "saw", "triangle", "noise"; false for anything else.
bool parseWave(const std::string& word, Wave& wave);

// One oscillator sample at phase (cycles, any value); duty is the square's high share.
double waveAt(Wave wave, double phase, double duty, Rng& rng);

// A state-variable filter (trapezoidal): one input, low, band and high outputs at once.
class Filter {
 public:
  Filter(double rate, double cutoff, double q) : rate_(rate) { tune(cutoff, q); }
  void tune(double cutoff, double q);
  void run(double in);
  double low() const { return low_; }
  double band() const { return band_; }
  double high() const { return high_; }

 private:
  double rate_;
  double g_ = 0, k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0;
  double ic1_ = 0, ic2_ = 0, low_ = 0, band_ = 0, high_ = 0;
};

// A one-pole smoother: cheap low-pass for envelopes and noise colour.
class OnePole {
 public:
  OnePole(double rate, double cutoff);
  double run(double in) { return state_ += coefficient_ * (in - state_); }

 private:
  double coefficient_;
  double state_ = 0;
};

// Attack-decay level at time t: linear rise over `attack`, then exponential fall that reaches
// -60 dB after `decay` seconds.
double attackDecay(double t, double attack, double decay);

// The buffer long enough for `seconds` at `rate`, silent.
Samples silence(double seconds, int rate);
// Adds `part` into `out` from `at` seconds on (growing `out` when needed) with a gain.
void mixInto(Samples& out, const Samples& part, double at, int rate, double gain = 1.0);

// A fade to silence over the last `seconds`.
void fadeOut(Samples& samples, int rate, double seconds);
double peakOf(const Samples& samples);
// The loudness of the sounding part: RMS over the stretch above 1/20 of the peak.
double activeRms(const Samples& samples);
// Scales to the target RMS, but never past the peak ceiling.
void normalise(Samples& samples, double targetRms, double peakCeiling);

}  // namespace soundmaker

namespace soundmaker {

// A band-limited oscillator (polyBLEP edges) for saw and square; other waves as waveAt.
// `increment` is the phase step per sample (frequency / rate).
double smoothWave(Wave wave, double phase, double increment, double duty, Rng& rng);

// A plucked string (Karplus-Strong): `seconds` of a string at `frequency`; brightness 0..1 sets
// how fast the high partials die, `sustain` the seconds to fall 60 dB.
Samples pluckedString(double frequency, double seconds, double brightness, double sustain,
                      int rate, Rng& rng);

}  // namespace soundmaker
