#include "menus/damaged_save.h"

#include "engine/base/path_utils.h"
#include "saves/launch/local_saves.h"
#include "saves/store/save_damage.h"
#include "saves/store/save_names.h"

namespace {

std::string damageOf(DamagedSave::Kind kind, const std::string& path) {
  return kind == DamagedSave::Kind::World ? worldFileDamage(path) : characterFileDamage(path);
}

}  // namespace

DamagedSave examineSave(LocalSaves& saves, DamagedSave::Kind kind, const std::string& fileName) {
  DamagedSave save;
  save.kind = kind;
  save.fileName = fileName;
  save.path = kind == DamagedSave::Kind::World ? saves.worlds().pathOf(fileName) : saves.characters().pathOf(fileName);
  save.reason = damageOf(kind, save.path);
  const std::string backup = backupPathOf(save.path);
  save.backupWhole = damageOf(kind, backup).empty();
  return save;
}

std::string restoreDamagedSave(LocalSaves& saves, const DamagedSave& save) {
  const std::string name = engine::stripExtension(save.fileName);
  std::string aside;
  bool restored = false;
  if (save.kind == DamagedSave::Kind::World) {
    restored = saves.worlds().restoreBackup(name, &aside);
    if (restored && saves.unreadableFile() == save.path) saves.forgetUnreadableFile();
  } else {
    restored = saves.characters().restoreBackup(save.fileName, &aside);
  }
  if (!restored) return "The backup of " + save.fileName + " could not be put back.";
  return "Restored " + name + " from its backup; the damaged file is kept as " + aside + ".";
}
