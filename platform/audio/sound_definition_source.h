#pragma once
// The sound indexes that block, mob and bullet definitions hold (rows of the sound record table,
// -1 for none). The definitions belong to the content library above this one, which registers
// the real source at launch (AudioEngine::setDefinitionSource). The null source knows none.

#include <cstdint>

namespace kel {

class SoundDefinitionSource {
 public:
  virtual ~SoundDefinitionSource() = default;
  // slot 0..3 of a block, 0..2 of a mob, 0..1 of a bullet; -1 for an unknown id or slot.
  virtual int16_t blockSound(uint32_t blockId, int slot) const = 0;
  virtual int16_t mobSound(uint32_t mobIndex, int slot) const = 0;
  virtual int16_t bulletSound(uint32_t bulletIndex, int slot) const = 0;
};

class NullSoundDefinitionSource final : public SoundDefinitionSource {
 public:
  int16_t blockSound(uint32_t, int) const override { return -1; }
  int16_t mobSound(uint32_t, int) const override { return -1; }
  int16_t bulletSound(uint32_t, int) const override { return -1; }
};

}  // namespace kel
