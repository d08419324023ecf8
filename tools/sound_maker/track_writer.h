#pragma once
// Writes every voice of one track into its own dry bus, following the track's form: a pad on the
// chords (through its slow low-pass), a bass on the chord roots, an arpeggio or a sparse melody
// that walks by steps and lands on chord tones, soft percussion where the style wants energy.
// The closing tonic is held by the pad and the bass, and the lead sounds the tonic once over it.
// Any thread.

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/track_form.h"
#include "tools/sound_maker/track_plan.h"

namespace soundmaker {

struct TrackStems {
  int rate = 0;
  // Each the track's length. Each of the pad's two detuned voices leans to one side.
  Samples padLeft, padRight, bass, lead, drums;
};

TrackStems writeStems(const TrackPlan& plan, const MusicStyle& style, int rate);

}  // namespace soundmaker
