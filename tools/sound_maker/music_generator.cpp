#include "tools/sound_maker/music_generator.h"

#include <algorithm>
#include <cmath>

#include "tools/sound_maker/reverb.h"
#include "tools/sound_maker/track_form.h"
#include "tools/sound_maker/track_writer.h"

namespace soundmaker {

Samples makeTrack(const TrackPlan& plan, const MusicStyle& style) {
  const TrackStems stems = writeStems(plan, style, kMusicRate);
  Samples out(stems.pad.size());
  Reverb room(kMusicRate, plan.underground ? 1.4 : 1.0, plan.underground ? 0.84 : 0.8, 0.3);
  OnePole wind(kMusicRate, 400);
  Rng breath(nameSeed("wind:" + plan.name));
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kMusicRate;
    const double pad = stems.pad[i];
    double dry = pad + stems.bass[i] + stems.lead[i] + stems.drums[i];
    if (plan.soundscape) dry += 0.08 * wind.run(breath.signedUnit()) * (1.0 + std::sin(2 * kPi * t / 11.0));
    const double wet = room.run(pad * 0.5 + stems.lead[i] + 0.3 * stems.bass[i]);
    out[i] = static_cast<float>(dry * 0.8 + wet * 0.35);
  }
  // Fade in briefly, and out over the closing tonic.
  const size_t fadeIn = std::min(out.size(), static_cast<size_t>(0.5 * kMusicRate));
  for (size_t i = 0; i < fadeIn; ++i) out[i] *= static_cast<float>(static_cast<double>(i) / fadeIn);
  fadeOut(out, kMusicRate, TrackForm(plan, style).fadeSeconds());
  normalise(out, 0.12, 0.7);
  return out;
}

}  // namespace soundmaker
