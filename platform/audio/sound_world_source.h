#pragma once
// What the sound code reads from the running world, the local player and the world view, which
// all live in libraries above this one. The application registers the real source at launch
// (AudioEngine::setWorldSource); until then the null source reports no world and no player.

#include <cstdint>

namespace kel {

// Where the sounds are heard from, for attenuation and pan.
struct SoundListener {
  bool present = false;  // a local player in a running world
  int32_t column = 0;    // the player's cell
  int32_t row = 0;
  uint32_t mapWidth = 0;        // columns, for the wrap seam
  int32_t visibleColumns = 0;   // map columns on screen
};

// What decides the music: planet, day phase and how deep the player stands.
struct MusicPlace {
  bool present = false;   // a running world
  int32_t planetBit = 0;  // the planet definition's id, a single bit
  uint32_t dayPhase = 0;  // one of the bits 1, 2, 4 and 8
  int32_t playerRow = 0;
  uint32_t mapHeight = 0;
  uint32_t scaledHeight = 0;  // height times the world size's fraction
  int32_t planetDepth = 0;    // the planet definition's depth value
};

class SoundWorldSource {
 public:
  virtual ~SoundWorldSource() = default;
  virtual SoundListener listener() const = 0;
  virtual MusicPlace musicPlace() const = 0;
};

class NullSoundWorldSource final : public SoundWorldSource {
 public:
  SoundListener listener() const override { return {}; }
  MusicPlace musicPlace() const override { return {}; }
};

}  // namespace kel
