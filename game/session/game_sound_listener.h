#pragma once
// Where the running game's sounds are heard from and what decides its music: the local player's
// cell in the running world, with the map width (for the wrap seam) and the visible columns (for
// the hearing limit); the planet, the day phase and how deep the player stands. The platform's
// sound code sits below the game and asks through this source; the application registers it
// once. Without a running world or player it reports neither, and sounds play full and centred,
// as the sound table says. Main thread only.

#include "platform/audio/sound_world_source.h"

class GameSoundListener final : public kel::SoundWorldSource {
 public:
  kel::SoundListener listener() const override;
  kel::MusicPlace musicPlace() const override;
};

// The process-wide instance the application registers.
GameSoundListener& gameSoundListener();
