#pragma once
// One generator of calm procedural tracks: the voices of the track's form (see track_writer.h)
// mixed in stereo in one small room: the pad's two detuned voices spread left and right, the
// lead placed a little to one side, the bass and the drums in the middle, the room's echoes
// different on each side. Night and underground variants sit lower, slower and with fewer voices;
// soundscapes keep to the pad and a few notes over a breath of wind. The track lasts exactly its
// length and fades out over its held closing tonic. Any thread.

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/track_plan.h"

namespace soundmaker {

constexpr int kMusicRate = 44100;
constexpr int kMusicChannels = 2;

// Interleaved frames: left, right, left, ...
Samples makeTrack(const TrackPlan& plan, const MusicStyle& style);

}  // namespace soundmaker
