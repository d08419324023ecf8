#include "menus/damaged_save.h"

#include "engine/base/path_utils.h"
#include "saves/launch/local_saves.h"
#include "saves/store/save_damage.h"
#include "saves/store/save_names.h"

namespace {

std::string damageOf(DamagedSave::Kind kind, const std::string& path) {
  return kind == DamagedSave::Kind::World ? worldFileDamage(path) : characterFileDamage(path);
}

// The file's own name without its folders: a status line has room for that, not for a whole path.
std::string fileNameIn(const std::string& path) {
  const size_t slash = engine::findLastSlash(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name the worlds page lists the restored world by, read from the file put back.
std::string restoredWorldName(LocalSaves& saves, const std::string& fileName, const std::string& fallback) {
  saves.worlds().list();
  for (const auto& entry : saves.worlds().entries()) {
    if (entry->fileName == fileName && !entry->displayName.empty()) return entry->displayName;
  }
  return fallback;
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
  const std::string shown =
      save.kind == DamagedSave::Kind::World ? restoredWorldName(saves, save.fileName, name) : name;
  return "Restored " + shown + " from its backup; the damaged file is kept beside it as " + fileNameIn(aside) + ".";
}
