#include "saves/store/backup_restore.h"

#include "engine/base/path_utils.h"
#include "platform/file_system_bridge.h"
#include "saves/store/save_names.h"

bool restoreFromBackup(kel::FileSystemBridge& files, const std::string& path, std::string* keptAside) {
  if (keptAside != nullptr) keptAside->clear();
  const std::string backup = backupPathOf(path);
  if (!files.exists(backup)) return false;
  const std::string copy = tempPathOf(path);
  if (!files.copyPath(backup, copy) || !files.flushToDisk(copy)) return false;
  if (files.exists(path)) {
    const std::string aside = engine::damagedPathOf(path, [&files](const std::string& name) { return files.exists(name); });
    if (!files.movePath(path, aside)) return false;
    if (keptAside != nullptr) *keptAside = aside;
  }
  return files.movePath(copy, path);
}
