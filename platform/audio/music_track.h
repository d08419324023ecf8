#pragma once
// The music tracks the game chooses from by planet, depth and day phase. A track listed several
// times for one planet is picked more often.

#include <array>
#include <cstdint>

namespace kel {

enum MusicPlaceKind : int32_t { kSurface = 0, kUnderground = 1, kAnywhere = 2 };

struct MusicTrack {
  int16_t planetBit;
  const char* fileName;
  int32_t place;
  uint16_t dayPhaseMask;
  uint16_t lengthSeconds;
};

constexpr int kMusicTrackCount = 239;
extern const std::array<MusicTrack, kMusicTrackCount> musicTracks;

}  // namespace kel
