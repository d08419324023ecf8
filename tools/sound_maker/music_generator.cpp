#include "tools/sound_maker/music_generator.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/sound_maker/reverb.h"

namespace soundmaker {

namespace {

constexpr int kRate = kMusicRate;
constexpr int kBeatsPerBar = 4;

// Chord loops as scale degrees; the tonic opens each one.
const std::array<std::vector<int>, 7> kLoops = {{
    {0, 5, 3, 4}, {0, 3, 4, 3}, {0, 4, 5, 3}, {0, 2, 3, 4},
    {0, 5, 1, 4}, {0, 3, 0, 4}, {0, 5, 3, 4, 0, 5, 2, 4},
}};

struct Voices {
  bool bass, arpeggio, melody, drums;
};

class TrackWriter {
 public:
  TrackWriter(const TrackPlan& plan, const MusicStyle& style)
      : plan_(plan), style_(style), rng_(nameSeed(plan.name)) {
    const size_t frames = static_cast<size_t>(std::lround(plan.seconds * kRate));
    pad_.assign(frames, 0.0f);
    bass_.assign(frames, 0.0f);
    lead_.assign(frames, 0.0f);
    drums_.assign(frames, 0.0f);
    tempo_ = style.tempo * (plan.night ? 0.85 : 1.0) * (plan.underground ? 0.9 : 1.0) *
             rng_.range(0.95, 1.05);
    if (plan.soundscape) tempo_ *= 0.7;
    root_ = style.root - (plan.night ? 5 : 0) - (plan.underground ? 7 : 0);
    loop_ = kLoops[static_cast<size_t>(rng_.below(static_cast<int>(kLoops.size())))];
  }

  Samples write() {
    const double bar = barSeconds();
    const int bars = static_cast<int>(std::ceil(plan_.seconds / bar));
    Voices voices{};
    for (int b = 0; b < bars; ++b) {
      if (b % 8 == 0) voices = chooseVoices(b / 8, bars / 8);
      // The last bar (and the fade over it) rests on the tonic.
      const int degree = b == bars - 1 ? 0 : loop_[static_cast<size_t>(b) % loop_.size()];
      writeBar(b * bar, degree, voices, b == bars - 1);
    }
    return mix();
  }

 private:
  double beatSeconds() const { return 60.0 / tempo_; }
  double barSeconds() const { return beatSeconds() * kBeatsPerBar; }

  double frequencyOf(int index, int octave) const {
    const int n = static_cast<int>(style_.scale.size());
    const int wrapped = ((index % n) + n) % n;
    const int octaves = (index - wrapped) / n + octave;
    const int midi = root_ + style_.scale[static_cast<size_t>(wrapped)] + 12 * octaves;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
  }

  Voices chooseVoices(int section, int sections) {
    const bool quiet = plan_.night || plan_.underground;
    if (plan_.soundscape) return {false, false, rng_.uniform() < 0.6, false};
    const bool opening = section == 0;
    const bool closing = section >= sections;
    Voices v{};
    v.bass = !opening || rng_.uniform() < 0.3;
    v.arpeggio = rng_.uniform() < (quiet ? 0.35 : 0.6);
    v.melody = !v.arpeggio || rng_.uniform() < (quiet ? 0.2 : 0.4);
    v.drums = style_.drums > 0 && !quiet && !opening && !closing && rng_.uniform() < style_.drums + 0.3;
    return v;
  }

  void writeBar(double start, int degree, const Voices& voices, bool last) {
    const double bar = barSeconds();
    for (int tone = 0; tone < 3; ++tone) {
      addPad(start, bar, frequencyOf(degree + 2 * tone, 0), 0.22);
    }
    if (plan_.soundscape) addPad(start, bar, frequencyOf(degree, -1), 0.15);
    if (voices.bass) {
      const int hits = plan_.night || plan_.underground ? 1 : 2;
      for (int h = 0; h < hits; ++h) {
        addBass(start + h * bar / hits, bar / hits * 0.9, frequencyOf(degree, -1));
      }
    }
    if (last) return;
    if (voices.arpeggio) writeArpeggio(start, degree);
    if (voices.melody) writeMelody(start, degree);
    if (voices.drums) writeDrums(start);
  }

  void writeArpeggio(double start, int degree) {
    static constexpr int kPattern[] = {0, 2, 4, 2, 0, 4, 2, 4};
    const double step = beatSeconds() / 2;
    const int octave = plan_.night || plan_.underground ? 0 : 1;
    for (int i = 0; i < 8; ++i) {
      if (rng_.uniform() < 0.1) continue;
      addLead(start + i * step, step * 1.8, frequencyOf(degree + kPattern[i], octave), 0.16);
    }
  }

  void writeMelody(double start, int degree) {
    const int beats = kBeatsPerBar;
    const double rest = plan_.soundscape ? 0.75 : 0.45;
    for (int beat = 0; beat < beats; ++beat) {
      if (rng_.uniform() < rest) continue;
      // Mostly steps; strong beats land on a tone of the chord.
      melodyIndex_ += rng_.uniform() < 0.8 ? (rng_.uniform() < 0.5 ? -1 : 1) : rng_.below(5) - 2;
      if (beat % 2 == 0) {
        const int offset = ((melodyIndex_ - degree) % 7 + 7) % 7;
        if (offset % 2 == 1) melodyIndex_ += 1;
      }
      melodyIndex_ = std::clamp(melodyIndex_, degree - 3, degree + 9);
      const double length = beatSeconds() * (rng_.uniform() < 0.4 ? 2.0 : 1.0);
      addLead(start + beat * beatSeconds(), length, frequencyOf(melodyIndex_, 1), 0.2);
    }
  }

  void writeDrums(double start) {
    const double beat = beatSeconds();
    for (int b = 0; b < kBeatsPerBar; ++b) {
      if (b % 2 == 0) addKick(start + b * beat);
      if (style_.drums > 0.4 || b % 2 == 1) addHat(start + (b + 0.5) * beat, 0.5);
      if (style_.drums > 0.7) addHat(start + b * beat, 0.3);
    }
  }

  // Each voice is written into its own bus, from `start` for `length` plus its release.
  void addPad(double start, double length, double f, double gain) {
    const double attack = std::min(0.8, length * 0.4);
    const double release = 1.0;
    const double detune[] = {0.997, 1.003};
    forEachFrame(start, length + release, [&](size_t i, double t) {
      double env = std::min(1.0, t / attack);
      if (t > length) env *= std::max(0.0, 1.0 - (t - length) / release);
      double sample = 0;
      for (const double d : detune) {
        const double phase = f * d * (start + t);
        sample += smoothWave(style_.pad, phase, f * d / kRate, 0.5, rng_);
      }
      pad_[i] += static_cast<float>(sample * 0.5 * env * gain);
    });
  }

  void addBass(double start, double length, double f) {
    forEachFrame(start, length + 0.15, [&](size_t i, double t) {
      double env = std::min(1.0, t / 0.01) * (0.6 + 0.4 * std::exp(-t * 4.0));
      if (t > length) env *= std::max(0.0, 1.0 - (t - length) / 0.15);
      const double phase = f * t;
      const double sample = 0.7 * std::sin(2 * kPi * phase) + 0.3 * waveAt(Wave::Triangle, phase, 0.5, rng_);
      bass_[i] += static_cast<float>(sample * env * 0.3);
    });
  }

  void addLead(double start, double length, double f, double gain) {
    if (style_.lead == "pluck") {
      const Samples string = pluckedString(f, length + 0.6, 0.45 + 0.3 * style_.bright, 1.2, kRate, rng_);
      mixInto(lead_, string, start, kRate, gain * 1.5);
      return;
    }
    const bool bell = style_.lead == "bell";
    Wave wave = Wave::Sine;
    parseWave(style_.lead, wave);
    forEachFrame(start, length + 0.4, [&](size_t i, double t) {
      double sample = 0;
      double env = 0;
      if (bell) {
        sample = std::sin(2 * kPi * f * t) + 0.3 * std::sin(2 * kPi * f * 2.76 * t) * std::exp(-t * 6.0);
        env = attackDecay(t, 0.003, length + 0.4);
      } else {
        const double vibrato = 1.0 + 0.004 * std::sin(2 * kPi * 5.0 * t) * std::min(1.0, t / 0.3);
        sample = smoothWave(wave, f * vibrato * t, f / kRate, 0.4, rng_);
        env = std::min(1.0, t / 0.03) * std::exp(-t * 1.2);
        if (t > length) env *= std::max(0.0, 1.0 - (t - length) / 0.4);
      }
      lead_[i] += static_cast<float>(sample * env * gain);
    });
  }

  void addKick(double start) {
    forEachFrame(start, 0.3, [&](size_t i, double t) {
      const double phase = 45 * t + 110 * 0.03 * (1.0 - std::exp(-t / 0.03));
      drums_[i] += static_cast<float>(std::sin(2 * kPi * phase) * attackDecay(t, 0.002, 0.25) * 0.5);
    });
  }

  void addHat(double start, double gain) {
    double last = 0;
    forEachFrame(start, 0.06, [&](size_t i, double t) {
      const double noise = rng_.signedUnit();
      const double high = noise - last;  // a first difference: only the hiss is left
      last = noise;
      drums_[i] += static_cast<float>(high * attackDecay(t, 0.001, 0.05) * 0.12 * gain);
    });
  }

  template <typename Write>
  void forEachFrame(double start, double seconds, const Write& write) {
    const auto first = static_cast<size_t>(std::lround(start * kRate));
    const auto count = static_cast<size_t>(std::lround(seconds * kRate));
    const size_t end = std::min(pad_.size(), first + count);
    for (size_t i = first; i < end; ++i) write(i, static_cast<double>(i - first) / kRate);
  }

  Samples mix() {
    Samples out(pad_.size());
    Filter padTone(kRate, 800, 0.8);
    Reverb room(kRate, plan_.underground ? 1.4 : 1.0, plan_.underground ? 0.84 : 0.8, 0.3);
    OnePole wind(kRate, 400);
    const double cutoff = 400 + 1600 * style_.bright * (plan_.night || plan_.underground ? 0.6 : 1.0);
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      if (i % 64 == 0) padTone.tune(cutoff * (1.0 + 0.35 * std::sin(2 * kPi * t / 23.0)), 0.8);
      padTone.run(pad_[i]);
      double dry = padTone.low() + bass_[i] + lead_[i] + drums_[i];
      if (plan_.soundscape) dry += 0.08 * wind.run(rng_.signedUnit()) * (1.0 + std::sin(2 * kPi * t / 11.0));
      const double wet = room.run(padTone.low() * 0.5 + lead_[i] + 0.3 * bass_[i]);
      out[i] = static_cast<float>(dry * 0.8 + wet * 0.35);
    }
    // Fade in briefly, and out over the closing tonic.
    const size_t fadeIn = std::min(out.size(), static_cast<size_t>(0.5 * kRate));
    for (size_t i = 0; i < fadeIn; ++i) out[i] *= static_cast<float>(static_cast<double>(i) / fadeIn);
    fadeOut(out, kRate, std::min(6.0, plan_.seconds / 4));
    normalise(out, 0.12, 0.7);
    return out;
  }

  const TrackPlan& plan_;
  const MusicStyle& style_;
  Rng rng_;
  double tempo_ = 84;
  int root_ = 57;
  int melodyIndex_ = 7;
  std::vector<int> loop_;
  Samples pad_, bass_, lead_, drums_;
};

}  // namespace

Samples makeTrack(const TrackPlan& plan, const MusicStyle& style) {
  return TrackWriter(plan, style).write();
}

}  // namespace soundmaker
