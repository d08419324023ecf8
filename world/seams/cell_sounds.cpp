#include "world/seams/cell_sounds.h"

#include "platform/audio/sound_effects.h"
#include "world/cells/map_block.h"

namespace {
CellSounds*& slot() {
  static CellSounds* sounds = nullptr;
  return sounds;
}
}  // namespace

void PlatformCellSounds::playAt(const MapBlock& cell, uint16_t soundId, uint16_t value) {
  const kel::SoundCell where{cell.x, cell.y};
  kel::playSound(soundId, value, &where);
}

CellSounds& cellSounds() {
  static PlatformCellSounds platform;
  CellSounds* sounds = slot();
  return sounds != nullptr ? *sounds : platform;
}

void setCellSounds(CellSounds* sounds) { slot() = sounds; }
