#pragma once
// The choice of music by planet, depth and day phase, the menu music, and the rain ambience.

#include <cstdint>
#include <vector>

#include "platform/audio/music_track.h"
#include "platform/audio/sound_world_source.h"

namespace kel {

// Every track for the place, in table order: same planet bit, day phase in its mask, and a place
// that fits the player's row against the ground line (map height - planet depth - scaled height).
std::vector<const MusicTrack*> musicCandidates(const MusicPlace& place);

// Starts a track when none plays, then checks again 40 to 80 s (plus the track's length) later
// through the next-music scheduler. False, changing nothing, while a track still plays.
bool playNextMusic();
bool stopMusic();
bool playMenuMusic();

constexpr const char* kMenuTrack = "alba-night-arps";

}  // namespace kel
