#pragma once
// What the game's music table says about one track file: its name (the seed of everything drawn
// for it), its length and the variant it plays as. Plain data, any thread.

#include <string>

#include "platform/audio/music_track.h"

namespace soundmaker {

struct TrackPlan {
  std::string name;
  double seconds = 60;
  bool night = false;        // played only in the night phase
  bool underground = false;  // played only below the ground line
  bool soundscape = false;   // an ambience more than a tune
};

// The plan of a music table row: a row of the night phase alone is a night variant, an
// underground row an underground one, and "ss-" or "-ambient-" in the name makes a soundscape.
TrackPlan trackPlanOf(const kel::MusicTrack& track);

}  // namespace soundmaker
