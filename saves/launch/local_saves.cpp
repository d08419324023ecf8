#include "saves/launch/local_saves.h"

#include "engine/base/path_utils.h"
#include "platform/file_system_bridge.h"
#include "platform/settings/settings.h"
#include "saves/character/character_record.h"

LocalSaves::LocalSaves(kel::FileSystemBridge& files)
    : characters_(files, engine::joinPath(files.writableRoot(), "players")),
      worlds_(files, engine::joinPath(files.writableRoot(), "worlds")) {}

void LocalSaves::saveCharacter() { saveCurrentCharacter(); }

bool LocalSaves::saveCurrentCharacter() {
  CharacterRecord record;
  if (!characterSource_ || !characterSource_(record)) return false;
  characters_.setKeepBackup(kel::options().keepBackupOfSaves);
  return characters_.save(std::move(record));
}
