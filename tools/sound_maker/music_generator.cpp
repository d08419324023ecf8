#include "tools/sound_maker/music_generator.h"

#include <algorithm>
#include <cmath>

#include "tools/sound_maker/reverb.h"
#include "tools/sound_maker/track_form.h"
#include "tools/sound_maker/track_writer.h"

namespace soundmaker {

namespace {

// One side of the mix: its half of the pad, the lead at its share, its own room and wind.
class MixSide {
 public:
  MixSide(const TrackPlan& plan, double roomSize, uint64_t windSeed)
      : room_(kMusicRate, (plan.underground ? 1.4 : 1.0) * roomSize, plan.underground ? 0.84 : 0.8, 0.3),
        wind_(kMusicRate, 400),
        breath_(windSeed),
        soundscape_(plan.soundscape) {}

  double run(double t, double pad, double lead, const TrackStems& stems, size_t i) {
    double dry = pad + stems.bass[i] + lead + stems.drums[i];
    if (soundscape_) dry += 0.08 * wind_.run(breath_.signedUnit()) * (1.0 + std::sin(2 * kPi * t / 11.0));
    const double wet = room_.run(pad * 0.5 + lead + 0.3 * stems.bass[i]);
    return dry * 0.8 + wet * 0.35;
  }

 private:
  Reverb room_;
  OnePole wind_;
  Rng breath_;
  bool soundscape_;
};

// Fade in briefly, and out over the closing tonic.
void fade(Samples& side, double fadeOutSeconds) {
  const size_t fadeIn = std::min(side.size(), static_cast<size_t>(0.5 * kMusicRate));
  for (size_t i = 0; i < fadeIn; ++i) side[i] *= static_cast<float>(static_cast<double>(i) / fadeIn);
  fadeOut(side, kMusicRate, fadeOutSeconds);
}

}  // namespace

Samples makeTrack(const TrackPlan& plan, const MusicStyle& style) {
  const TrackStems stems = writeStems(plan, style, kMusicRate);
  // The lead's place across the field, the track's own; equal power on both sides.
  Rng place(nameSeed("pan:" + plan.name));
  const double angle = kPi / 4 * (1.0 + place.range(-0.35, 0.35));
  const double leadLeft = std::cos(angle) * std::sqrt(2.0);
  const double leadRight = std::sin(angle) * std::sqrt(2.0);
  MixSide left(plan, 1.0, nameSeed("wind left:" + plan.name));
  MixSide right(plan, 1.07, nameSeed("wind right:" + plan.name));
  Samples l(stems.bass.size());
  Samples r(stems.bass.size());
  for (size_t i = 0; i < l.size(); ++i) {
    const double t = static_cast<double>(i) / kMusicRate;
    l[i] = static_cast<float>(left.run(t, stems.padLeft[i], stems.lead[i] * leadLeft, stems, i));
    r[i] = static_cast<float>(right.run(t, stems.padRight[i], stems.lead[i] * leadRight, stems, i));
  }
  const double fadeSeconds = TrackForm(plan, style).fadeSeconds();
  fade(l, fadeSeconds);
  fade(r, fadeSeconds);
  Samples out(2 * l.size());
  for (size_t i = 0; i < l.size(); ++i) {
    out[2 * i] = l[i];
    out[2 * i + 1] = r[i];
  }
  normalise(out, 0.12, 0.7);
  return out;
}

}  // namespace soundmaker
