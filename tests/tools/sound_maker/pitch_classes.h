#pragma once
// Pitch-class measures of rendered sound for the music's checks: how strongly each of the twelve
// pitch classes sounds, frame by frame (Goertzel filters on the semitones of four octaves), and
// how alike two such courses over time are.
#include <array>
#include <cmath>
#include <vector>

#include "tools/sound_maker/dsp.h"

namespace soundtest {

using Chroma = std::array<double, 12>;

// One frame every `hop` seconds, each the energy of its first `window` seconds per pitch class.
inline std::vector<Chroma> chromaOf(const soundmaker::Samples& x, int rate, double hop, double window) {
  constexpr int kLowest = 24;  // C1 to B5: the bass and the pad
  constexpr int kHighest = 83;
  const auto step = static_cast<size_t>(hop * rate);
  const auto length = static_cast<size_t>(window * rate);
  std::vector<Chroma> frames;
  for (size_t at = 0; at + length <= x.size(); at += step) {
    Chroma energy{};
    for (int midi = kLowest; midi <= kHighest; ++midi) {
      const double f = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
      const double w = 2.0 * std::cos(2.0 * soundmaker::kPi * f / rate);
      double s1 = 0, s2 = 0;
      for (size_t i = at; i < at + length; ++i) {
        const double s = x[i] + w * s1 - s2;
        s2 = s1;
        s1 = s;
      }
      energy[static_cast<size_t>(midi % 12)] += s1 * s1 + s2 * s2 - w * s1 * s2;
    }
    frames.push_back(energy);
  }
  return frames;
}

inline Chroma sumOf(const std::vector<Chroma>& frames) {
  Chroma total{};
  for (const Chroma& frame : frames) {
    for (size_t pc = 0; pc < 12; ++pc) total[pc] += frame[pc];
  }
  return total;
}

inline size_t strongest(const Chroma& c) {
  size_t best = 0;
  for (size_t pc = 1; pc < 12; ++pc) best = c[pc] > c[best] ? pc : best;
  return best;
}

// How alike two courses of harmony are: over the frames both have, each frame first scaled to sum
// 1 (loudness does not count), each pitch class taken relative to its own mean (a key both share
// does not count either), the correlation of the two. One course of chords gives 1.
inline double correlation(const std::vector<Chroma>& a, const std::vector<Chroma>& b) {
  const size_t frames = std::min(a.size(), b.size());
  auto shares = [frames](const std::vector<Chroma>& course) {
    std::vector<Chroma> out(frames);
    Chroma mean{};
    for (size_t f = 0; f < frames; ++f) {
      double sum = 0;
      for (const double e : course[f]) sum += e;
      for (size_t pc = 0; pc < 12; ++pc) out[f][pc] = sum > 0 ? course[f][pc] / sum : 0.0;
      for (size_t pc = 0; pc < 12; ++pc) mean[pc] += out[f][pc] / static_cast<double>(frames);
    }
    for (Chroma& frame : out) {
      for (size_t pc = 0; pc < 12; ++pc) frame[pc] -= mean[pc];
    }
    return out;
  };
  const std::vector<Chroma> x = shares(a);
  const std::vector<Chroma> y = shares(b);
  double xy = 0, xx = 0, yy = 0;
  for (size_t f = 0; f < frames; ++f) {
    for (size_t pc = 0; pc < 12; ++pc) {
      xy += x[f][pc] * y[f][pc];
      xx += x[f][pc] * x[f][pc];
      yy += y[f][pc] * y[f][pc];
    }
  }
  return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0.0;
}

}  // namespace soundtest
