#include "tools/sound_maker/track_writer.h"

#include <algorithm>
#include <cmath>

namespace soundmaker {

namespace {

class TrackWriter {
 public:
  TrackWriter(const TrackPlan& plan, const MusicStyle& style, int rate)
      : plan_(plan), style_(style), form_(plan, style), rate_(rate), rng_(nameSeed(plan.name)) {
    const size_t frames = static_cast<size_t>(std::lround(plan.seconds * rate));
    stems_.rate = rate;
    for (Samples* bus : {&stems_.padLeft, &stems_.padRight, &stems_.bass, &stems_.lead, &stems_.drums}) {
      bus->assign(frames, 0.0f);
    }
  }

  TrackStems write() {
    writePad();
    for (int bar = 0; bar < form_.closingBar(); ++bar) writeBar(bar, form_.voicesAt(bar));
    writeClose(form_.closingStart());
    filterPad(stems_.padLeft);
    filterPad(stems_.padRight);
    return std::move(stems_);
  }

 private:
  bool quiet() const { return plan_.night || plan_.underground; }

  double frequencyOf(int index, int octave) const {
    const int n = static_cast<int>(style_.scale.size());
    const int wrapped = ((index % n) + n) % n;
    const int octaves = (index - wrapped) / n + octave;
    const int midi = form_.root() + style_.scale[static_cast<size_t>(wrapped)] + 12 * octaves;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
  }

  // The track's chord colour on a degree, as loud in all as a triad; `homeOctave` doubles the root
  // an octave up, as a last chord does.
  void writeChord(double start, double length, int degree, bool homeOctave) {
    std::vector<int> tones = form_.chordTones();
    if (homeOctave) tones.push_back(static_cast<int>(style_.scale.size()));
    const double gain = 0.66 / static_cast<double>(tones.size());
    for (const int tone : tones) addPad(start, length, frequencyOf(degree + tone, 0), gain);
    if (plan_.soundscape) addPad(start, length, frequencyOf(degree, -1), 0.15);
  }

  // Each chord of the loop held over its beats, up to the close.
  void writePad() {
    const int closing = form_.closingBar() * TrackForm::kBeatsPerBar;
    const double beat = form_.beatSeconds();
    for (int from = 0; from < closing;) {
      const int degree = form_.degreeAt(from);
      int to = from + 1;
      while (to < closing && form_.degreeAt(to) == degree) ++to;
      writeChord(from * beat, (to - from) * beat, degree, false);
      from = to;
    }
  }

  void writeBar(int bar, const Voices& voices) {
    const int firstBeat = bar * TrackForm::kBeatsPerBar;
    const double start = bar * form_.barSeconds();
    if (voices.bass) {
      const int hits = quiet() ? 1 : 2;
      const int beatsPerHit = TrackForm::kBeatsPerBar / hits;
      for (int h = 0; h < hits; ++h) {
        const int beat = firstBeat + h * beatsPerHit;
        addBass(beat * form_.beatSeconds(), beatsPerHit * form_.beatSeconds() * 0.9,
                frequencyOf(form_.degreeAt(beat), -1));
      }
    }
    if (voices.arpeggio) writeArpeggio(firstBeat);
    if (voices.melody) writeMelody(firstBeat);
    if (voices.drums) writeDrums(start);
  }

  // The home chord from `start` to the end: pad and bass held, one lead note on the tonic.
  void writeClose(double start) {
    const double length = plan_.seconds - start;
    writeChord(start, length, 0, true);
    addBass(start, length, frequencyOf(0, -1));
    const Voices& voices = form_.voicesAt(form_.closingBar());
    if (voices.arpeggio || voices.melody) {
      addLead(start, form_.barSeconds(), frequencyOf(0, quiet() ? 0 : 1), 0.2);
    }
  }

  void writeArpeggio(int firstBeat) {
    static constexpr int kPattern[] = {0, 2, 4, 2, 0, 4, 2, 4};
    const double step = form_.beatSeconds() / 2;
    const int octave = quiet() ? 0 : 1;
    for (int i = 0; i < 8; ++i) {
      if (rng_.uniform() < 0.1) continue;
      const int degree = form_.degreeAt(firstBeat + i / 2);
      addLead(firstBeat * form_.beatSeconds() + i * step, step * 1.8,
              frequencyOf(degree + kPattern[i], octave), 0.16);
    }
  }

  void writeMelody(int firstBeat) {
    const double beat = form_.beatSeconds();
    const double rest = plan_.soundscape ? 0.75 : 0.45;
    for (int b = 0; b < TrackForm::kBeatsPerBar; ++b) {
      if (rng_.uniform() < rest) continue;
      const int degree = form_.degreeAt(firstBeat + b);
      // Mostly steps; strong beats land on a tone of the chord.
      melodyIndex_ += rng_.uniform() < 0.8 ? (rng_.uniform() < 0.5 ? -1 : 1) : rng_.below(5) - 2;
      if (b % 2 == 0) {
        const int offset = ((melodyIndex_ - degree) % 7 + 7) % 7;
        if (offset % 2 == 1) melodyIndex_ += 1;
      }
      melodyIndex_ = std::clamp(melodyIndex_, degree - 3, degree + 9);
      const double length = beat * (rng_.uniform() < 0.4 ? 2.0 : 1.0);
      addLead((firstBeat + b) * beat, length, frequencyOf(melodyIndex_, 1), 0.2);
    }
  }

  void writeDrums(double start) {
    const double beat = form_.beatSeconds();
    for (int b = 0; b < TrackForm::kBeatsPerBar; ++b) {
      if (b % 2 == 0) addKick(start + b * beat);
      if (style_.drums > 0.4 || b % 2 == 1) addHat(start + (b + 0.5) * beat, 0.5);
      if (style_.drums > 0.7) addHat(start + b * beat, 0.3);
    }
  }

  // Each voice is written into its own bus, from `start` for `length` plus its release.
  void addPad(double start, double length, double f, double gain) {
    const double attack = std::min(0.8, length * 0.4);
    const double release = 1.0;
    // Each voice leans to its own side: wide, and whole again when the sides are summed. Each note
    // starts its voices at their own phases, so that two tracks on one chord are two sounds.
    const double low = f * 0.997;
    const double high = f * 1.003;
    const double lowPhase = rng_.uniform();
    const double highPhase = rng_.uniform();
    forEachFrame(start, length + release, [&](size_t i, double t) {
      double env = std::min(1.0, t / attack);
      if (t > length) env *= std::max(0.0, 1.0 - (t - length) / release);
      const double a = smoothWave(style_.pad, low * t + lowPhase, low / rate_, 0.5, rng_);
      const double b = smoothWave(style_.pad, high * t + highPhase, high / rate_, 0.5, rng_);
      const double level = 0.5 * env * gain;
      stems_.padLeft[i] += static_cast<float>((1.4 * a + 0.6 * b) * level);
      stems_.padRight[i] += static_cast<float>((0.6 * a + 1.4 * b) * level);
    });
  }

  void addBass(double start, double length, double f) {
    const double offset = rng_.uniform();
    forEachFrame(start, length + 0.15, [&](size_t i, double t) {
      double env = std::min(1.0, t / 0.01) * (0.6 + 0.4 * std::exp(-t * 4.0));
      if (t > length) env *= std::max(0.0, 1.0 - (t - length) / 0.15);
      const double phase = f * t + offset;
      const double sample = 0.7 * std::sin(2 * kPi * phase) + 0.3 * waveAt(Wave::Triangle, phase, 0.5, rng_);
      stems_.bass[i] += static_cast<float>(sample * env * 0.3);
    });
  }

  void addLead(double start, double length, double f, double gain) {
    if (style_.lead == "pluck") {
      const Samples string = pluckedString(f, length + 0.6, 0.45 + 0.3 * style_.bright, 1.2, rate_, rng_);
      mixInto(stems_.lead, string, start, rate_, gain * 1.5);
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
        sample = smoothWave(wave, f * vibrato * t, f / rate_, 0.4, rng_);
        env = std::min(1.0, t / 0.03) * std::exp(-t * 1.2);
        if (t > length) env *= std::max(0.0, 1.0 - (t - length) / 0.4);
      }
      stems_.lead[i] += static_cast<float>(sample * env * gain);
    });
  }

  void addKick(double start) {
    forEachFrame(start, 0.3, [&](size_t i, double t) {
      const double phase = 45 * t + 110 * 0.03 * (1.0 - std::exp(-t / 0.03));
      stems_.drums[i] += static_cast<float>(std::sin(2 * kPi * phase) * attackDecay(t, 0.002, 0.25) * 0.5);
    });
  }

  void addHat(double start, double gain) {
    double last = 0;
    forEachFrame(start, 0.06, [&](size_t i, double t) {
      const double noise = rng_.signedUnit();
      const double high = noise - last;  // a first difference: only the hiss is left
      last = noise;
      stems_.drums[i] += static_cast<float>(high * attackDecay(t, 0.001, 0.05) * 0.12 * gain);
    });
  }

  template <typename Write>
  void forEachFrame(double start, double seconds, const Write& write) {
    const auto first = static_cast<size_t>(std::lround(start * rate_));
    const auto count = static_cast<size_t>(std::lround(seconds * rate_));
    const size_t end = std::min(stems_.bass.size(), first + count);
    for (size_t i = first; i < end; ++i) write(i, static_cast<double>(i - first) / rate_);
  }

  // The pad's slow low-pass opens and closes over 23 s; darker at night and below ground.
  void filterPad(Samples& pad) const {
    Filter tone(rate_, 800, 0.8);
    const double cutoff = 400 + 1600 * style_.bright * (quiet() ? 0.6 : 1.0);
    for (size_t i = 0; i < pad.size(); ++i) {
      const double t = static_cast<double>(i) / rate_;
      if (i % 64 == 0) {
        const double swept = cutoff * (1.0 + 0.35 * std::sin(2 * kPi * t / 23.0));
        tone.tune(std::min(swept, 0.45 * rate_), 0.8);
      }
      tone.run(pad[i]);
      pad[i] = static_cast<float>(tone.low());
    }
  }

  const TrackPlan& plan_;
  const MusicStyle& style_;
  const TrackForm form_;
  const int rate_;
  Rng rng_;
  int melodyIndex_ = 7;
  TrackStems stems_;
};

}  // namespace

TrackStems writeStems(const TrackPlan& plan, const MusicStyle& style, int rate) {
  return TrackWriter(plan, style, rate).write();
}

}  // namespace soundmaker
