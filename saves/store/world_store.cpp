#include "saves/store/world_store.h"

#include <algorithm>
#include <utility>

#include "engine/base/path_utils.h"
#include "engine/base/string_utils.h"
#include "platform/file_handle.h"
#include "platform/file_system_bridge.h"
#include "saves/store/backup_restore.h"
#include "saves/store/entry_list.h"
#include "saves/store/save_names.h"
#include "saves/world/world_summary.h"

WorldStore::WorldStore(kel::FileSystemBridge& files, std::string folder)
    : files_(files), folder_(std::move(folder)) {}

std::string WorldStore::pathOf(const std::string& fileName) const {
  return engine::joinPath(folder_, fileName);
}

void WorldStore::list() {
  files_.createFolder(folder_, true);
  current_ = nullptr;
  entries_.clear();
  damaged_.clear();
  for (const std::string& name : files_.listFiles(folder_)) {
    if (!engine::hasFileExtension(name, "dat")) continue;
    kel::FileHandle file(pathOf(name), kel::FileHandle::READ);
    if (std::unique_ptr<WorldEntry> entry = readWorldSummary(name, file)) {
      entries_.push_back(std::move(entry));
    } else {
      damaged_.push_back(name);
    }
  }
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const auto& a, const auto& b) { return a->time > b->time; });
  if (!entries_.empty()) current_ = entries_.front().get();
}

WorldEntry& WorldStore::createEntry(const WorldParams& params, int64_t now) {
  const bool adventure = params.mode == kAdventureMode;
  int number = 1;
  while (files_.exists(pathOf(worldFileName(adventure, number)))) ++number;
  auto entry = std::make_unique<WorldEntry>();
  entry->fileName = worldFileName(adventure, number);
  entry->displayName = engine::stripExtension(entry->fileName);
  entry->time = now;
  entry->params = params;
  entry->saveId = makeRandomSaveId();
  current_ = entry.get();
  entries_.insert(entries_.begin(), std::move(entry));
  return *current_;
}

bool WorldStore::rename(WorldEntry& entry, const std::string& newName) {
  if (!isSafeSaveName(newName)) return false;
  for (const auto& other : entries_) {
    if (other.get() != &entry && engine::equalsIgnoreCase(other->displayName, newName))
      return false;
  }
  if (newName == entry.displayName) return true;
  const std::string oldPath = pathOf(entry.fileName);
  const std::string oldStem = engine::stripExtension(oldPath);
  const std::string newFile = engine::withExtension(newName, "dat");
  const std::string newPath = pathOf(newFile);
  const bool sameFile = engine::equalsIgnoreCase(newFile, entry.fileName);
  const bool adventure = entry.params.mode == kAdventureMode;
  // Whatever already carries the new name is not this world's, so it is refused, never replaced.
  if (!sameFile && (files_.exists(newPath) || files_.exists(backupPathOf(newPath)) ||
                    (adventure && files_.exists(pathOf(newName))))) {
    return false;
  }
  bool ok = false;
  {
    kel::FileHandle file(oldPath, kel::FileHandle::READ_WRITE_EXISTING);
    ok = rewriteWorldName(file, newName) || !file.isOpen();
  }
  if (newFile != entry.fileName) {
    ok = files_.movePath(oldPath, newPath) && ok;
    if (files_.exists(backupPathOf(oldPath))) {
      ok = files_.movePath(backupPathOf(oldPath), backupPathOf(newPath)) && ok;
    }
    if (adventure && files_.exists(oldStem)) ok = files_.movePath(oldStem, pathOf(newName)) && ok;
  }
  entry.displayName = newName;
  if (ok) entry.fileName = newFile;
  return ok;
}

bool WorldStore::remove(WorldEntry& entry) {
  const std::string path = pathOf(entry.fileName);
  bool removed = files_.deletePath(path);
  if (entry.params.mode == kAdventureMode) {
    removed = files_.deletePath(engine::stripExtension(path)) && removed;
  }
  dropEntry(entries_, current_, entry);
  return removed;
}

void WorldStore::removeAll() {
  for (WorldEntry* entry : entryPointers(entries_)) remove(*entry);
}

bool WorldStore::restoreBackup(const std::string& worldName, std::string* keptAside) {
  if (!isSafeSaveName(worldName)) return false;
  const std::string file = pathOf(engine::withExtension(worldName, "dat"));
  const std::string backup = backupPathOf(file);
  if (!files_.exists(backup) || !restoreFromBackup(files_, file, keptAside)) return false;
  const std::string planets = pathOf(worldName);
  for (const std::string& name : files_.listFiles(planets)) {
    if (!engine::hasFileExtension(name, "bak")) continue;
    const std::string planetBackup = engine::joinPath(planets, name);
    if (!restoreFromBackup(files_, engine::withExtension(engine::stripExtension(planetBackup), "dat"))) {
      return false;
    }
  }
  return true;
}
