#include "game/session/game_sound_listener.h"

#include "content/planets/planet_def.h"
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
          running.world->visibleCells().columns};
}

kel::MusicPlace GameSoundListener::musicPlace() const {
  const RunningWorld& running = runningWorld();
  if (!running.world || !running.player) return {};
  const MapBlock* cell = running.player->currentMapBlock();
  if (cell == nullptr) return {};
  const WorldMap& map = running.world->map();
  // The ground line lies the planet's margin rows and the map's height-level rows below the top.
  return {true,
          static_cast<int32_t>(map.planet().id),
          static_cast<uint32_t>(running.world->dayClock().phase),
          cell->y,
          static_cast<uint32_t>(map.height()),
          static_cast<uint32_t>(map.heightLevel()),
          static_cast<int32_t>(map.planet().parameters.surfaceAmplitude)};
}

GameSoundListener& gameSoundListener() {
  static GameSoundListener listener;
  return listener;
}
