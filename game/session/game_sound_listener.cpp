#include "game/session/game_sound_listener.h"

#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "world/cells/map_block.h"
#include "world/cells/visible_cell_counts.h"
#include "world/map/world_map.h"
#include "world/world.h"

kel::SoundListener GameSoundListener::listener() const {
  const RunningWorld& running = runningWorld();
  if (!running.world || !running.player) return {};
  const MapBlock* cell = running.player->currentMapBlock();
  if (cell == nullptr) return {};
  return {true, cell->x, cell->y, static_cast<uint32_t>(running.world->map().width()),
          visibleCellCounts().columns};
}

GameSoundListener& gameSoundListener() {
  static GameSoundListener listener;
  return listener;
}
