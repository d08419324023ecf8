#include "world/seams/cell_sounds.h"

#include "platform/audio/sound_effects.h"
#include "world/cells/map_block.h"

void PlatformCellSounds::playAt(const MapBlock& cell, uint16_t soundId, uint16_t value) {
  const kel::SoundCell where{cell.x, cell.y};
  kel::playSound(soundId, value, &where);
}

void PlatformCellSounds::playAnywhere(uint16_t soundId, uint16_t value) { kel::playSound(soundId, value, nullptr); }
