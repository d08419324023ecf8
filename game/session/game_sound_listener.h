#pragma once
// Where the running game's sounds are heard from: the local player's cell in the running world,
// with the map width (for the wrap seam) and the visible columns (for the hearing limit). The
// platform's sound table sits below the game and asks through this source; the application
// registers it once. Without a running world or player it reports no listener, and sounds play
// full and centred, as the sound table says. Main thread only.

#include "platform/audio/sound_world_source.h"

class GameSoundListener final : public kel::SoundWorldSource {
 public:
  kel::SoundListener listener() const override;
  // The music choice is not started by the running game yet: no place is reported, so a track is
  // never chosen from a half-known place.
  kel::MusicPlace musicPlace() const override { return {}; }
};

// The process-wide instance the application registers.
GameSoundListener& gameSoundListener();
