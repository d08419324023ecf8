#include "menus/marked_world.h"

#include <string>

#include "engine/base/path_utils.h"
#include "platform/settings/settings.h"
#include "saves/store/world_store.h"

bool restoreMarkedWorld(WorldStore& worlds) {
  const std::string marked = kel::getMarkedWorld();
  if (marked.empty()) return false;
  kel::clearMarkedWorld();
  // The marker holds the world's file name; the store restores by the world's name.
  return worlds.restoreBackup(engine::stripExtension(marked));
}
