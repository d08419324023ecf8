#pragma once
// One generator of calm procedural tracks: the voices of the track's form (see track_writer.h)
// mixed in one small room. Night and underground variants sit lower, slower and with fewer
// voices; soundscapes keep to the pad and a few bells over a breath of wind. The track lasts
// exactly its length and fades out over its held closing tonic. Any thread.

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/track_plan.h"

namespace soundmaker {

constexpr int kMusicRate = 44100;

Samples makeTrack(const TrackPlan& plan, const MusicStyle& style);

}  // namespace soundmaker
