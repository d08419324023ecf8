#pragma once
// One generator of calm procedural tracks: a pad on a chord loop of the style's mode, a bass on
// the chord roots, an arpeggio or a sparse melody that walks by steps and lands on chord tones,
// soft percussion where the style wants energy, all in one small room. Night and underground
// variants sit lower, slower and with fewer voices; soundscapes keep to the pad and a few bells.
// The track lasts exactly its length and ends on the tonic with a fade. Any thread.

#include <string>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/music_style.h"

namespace soundmaker {

struct TrackPlan {
  std::string name;
  double seconds = 60;
  bool night = false;        // played only in the night phase
  bool underground = false;  // played only below the ground line
  bool soundscape = false;   // an ambience more than a tune
};

constexpr int kMusicRate = 22050;

Samples makeTrack(const TrackPlan& plan, const MusicStyle& style);

}  // namespace soundmaker
