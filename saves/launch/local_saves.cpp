#include "saves/launch/local_saves.h"

#include <ctime>
#include <memory>
#include <utility>

#include "engine/base/path_utils.h"
#include "platform/file_handle.h"
#include "platform/file_system_bridge.h"
#include "platform/settings/settings.h"
#include "saves/character/character_record.h"
#include "saves/launch/world_read.h"
#include "saves/store/planet_files.h"
#include "saves/store/save_names.h"
#include "saves/store/safe_write.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_snapshot.h"
#include "saves/world/world_save_links.h"
#include "world/current_world.h"
#include "world/map/world_map.h"
#include "world/world.h"

LocalSaves::LocalSaves(kel::FileSystemBridge& files, SaveWriter::HandOver handOver)
    : files_(files),
      characters_(files, engine::joinPath(files.writableRoot(), "players")),
      worlds_(files, engine::joinPath(files.writableRoot(), "worlds")),
      characterWriter_(handOver),
      worldWriter_(std::move(handOver)) {}

CharacterStore& LocalSaves::characters() {
  characterWriter_.wait();
  return characters_;
}

WorldStore& LocalSaves::worlds() {
  worldWriter_.wait();
  return worlds_;
}

void LocalSaves::saveWorld() {
  if (World* world = currentWorld()) saveWorld(*world);
  worldWriter_.wait();
}

void LocalSaves::saveCharacter() { saveCurrentCharacter(); }

bool LocalSaves::saveCurrentCharacter() {
  characterWriter_.wait();
  CharacterRecord record;
  return takeCharacter(record) && characters_.save(std::move(record));
}

// A safe write flushes the file and its folder to the disk, which takes tens of milliseconds on a
// busy one: a frame would stall that long.
void LocalSaves::saveCharacterLater(SaveWriter::Done done) {
  CharacterRecord record;
  CharacterStore::Write write;
  if (takeCharacter(record)) write = characters_.prepareSave(std::move(record));
  if (!write) {
    if (done) done(false);
    return;
  }
  characterWriter_.start(std::move(write), std::move(done));
}

bool LocalSaves::takeCharacter(CharacterRecord& record) {
  if (!characterSource_ || !characterSource_(record)) return false;
  characters_.setKeepBackup(kel::options().keepBackupOfSaves);
  return true;
}

std::string LocalSaves::worldFilePath(const WorldEntry& entry) const {
  if (entry.params.mode != kAdventureMode) return worlds_.pathOf(entry.fileName);
  return worlds_.pathOf(planetFilePath(entry.fileName, entry.params.planetId));
}

bool LocalSaves::currentWorldFileExists() {
  worldWriter_.wait();
  const WorldEntry* entry = worlds_.current();
  return entry != nullptr && files_.exists(worldFilePath(*entry));
}

bool LocalSaves::writeAdventureLinks(const WorldEntry& entry, const World& world) {
  files_.createFolder(worlds_.pathOf(engine::stripExtension(entry.fileName)), true);
  const auto width = static_cast<uint16_t>(world.map().width());
  const auto height = static_cast<uint16_t>(world.map().height());
  const SafeWriteResult written = safeWriteFile(
      files_, worlds_.pathOf(entry.fileName),
      [&](kel::FileHandle& file) { return writeWorldFileV2(file, entry, width, height, planetLinks_); },
      kel::options().keepBackupOfSaves);
  return written == SafeWriteResult::Saved;
}

void LocalSaves::describeSavedWorld(WorldEntry& entry, const World& world) {
  entry.time = std::time(nullptr);
  // The entry describes the file it names: a new world's entry learns its size here, so that it
  // loads again without the list being read anew.
  entry.width = static_cast<uint16_t>(world.map().width());
  entry.height = static_cast<uint16_t>(world.map().height());
  // Two worlds with one id would be taken for copies of each other.
  for (const auto& other : worlds_.entries()) {
    if (other.get() != &entry && other->saveId == entry.saveId) entry.saveId = makeRandomSaveId();
  }
}

bool LocalSaves::saveWorld(World& world, SaveWriter::Done done) {
  if (savingWorld_) {
    if (done) done(true);
    return true;
  }
  WorldEntry* entry = worlds_.current();
  const std::string path = entry != nullptr ? worldFilePath(*entry) : std::string{};
  if (entry == nullptr || path == unreadableFile_) {
    if (done) done(false);
    return false;
  }
  savingWorld_ = true;
  // The snapshot is the worker's until its write ended. The write's completion waits until the
  // new one is under way: it may end the game, and with it the world being saved here.
  worldWriter_.waitForWorker();
  describeSavedWorld(*entry, world);
  const bool linked = entry->params.mode != kAdventureMode || writeAdventureLinks(*entry, world);
  if (linked) {
    const PlayerCells player = playerCells_ ? playerCells_() : PlayerCells{};
    takeWorldFileSnapshot(snapshot_, *entry, world, player, worldSaveLinks());
  }
  // The world is taken: the completions that run from here on may save again.
  savingWorld_ = false;
  if (linked) {
    startWorldWrite(path, std::move(done));
  } else if (done) {
    done(false);
  }
  return linked;
}

void LocalSaves::startWorldWrite(const std::string& path, SaveWriter::Done done) {
  const bool keepBackup = kel::options().keepBackupOfSaves;
  worldWriter_.start(
      [&files = files_, &snapshot = snapshot_, path, keepBackup] {
        const SafeWriteResult written = safeWriteFile(
            files, path, [&](kel::FileHandle& file) { return writeWorldFileSnapshot(file, snapshot); },
            keepBackup);
        return written == SafeWriteResult::Saved;
      },
      std::move(done));
}

void LocalSaves::releaseWorldSave() {
  worldWriter_.waitForWorker();  // the snapshot is the worker's until its write ended
  // Freed here rather than on the worker: a job started as the game ends would hand its completion
  // to a scheduler that may be gone by then, and letting go of the pages costs little.
  snapshot_ = WorldFileSnapshot{};
}

// A copy of every cell, made in the save's frame, took the largest world's first save tens of
// milliseconds (the copy's memory faulted in on top).
void LocalSaves::prepareWorldSave(World& world) { world.map().prepareKeptCopy(); }

std::shared_ptr<WorldRead> LocalSaves::startWorldRead(const DifficultyRow* difficulty, WorldLoad& refused) {
  worldWriter_.wait();
  planetLinks_.clear();
  const WorldEntry* entry = worlds_.current();
  if (entry == nullptr) return nullptr;
  std::string path = worldFilePath(*entry);
  if (entry->params.mode == kAdventureMode) {
    kel::FileHandle links(worlds_.pathOf(entry->fileName), kel::FileHandle::READ);
    readWorldFileV2(links, planetLinks_);
    if (!files_.exists(path)) {
      refused.status = files_.exists(backupPathOf(path)) ? WorldLoadStatus::PlanetMissingWithBackup
                                                         : WorldLoadStatus::PlanetMissing;
      return nullptr;
    }
  }
  // The size came from the file's own record: a map is made only for a size a world can have.
  if (!isLegalWorldSize(entry->width, entry->height)) {
    unreadableFile_ = path;
    return nullptr;
  }
  return std::make_shared<WorldRead>(std::move(path), difficulty, entry->params, entry->width, entry->height,
                                     worldSaveLinks());
}

WorldLoad LocalSaves::endWorldRead(WorldRead& read) {
  WorldLoad load;
  load.world = read.takeWorld();
  if (load.world == nullptr) {
    unreadableFile_ = read.path();
    return load;
  }
  load.status = WorldLoadStatus::Loaded;
  load.player = read.player();
  if (unreadableFile_ == read.path()) unreadableFile_.clear();
  return load;
}

WorldLoad LocalSaves::loadWorldFile(const DifficultyRow* difficulty) {
  WorldLoad refused;
  const std::shared_ptr<WorldRead> read = startWorldRead(difficulty, refused);
  if (read == nullptr) return refused;
  read->run();
  return endWorldRead(*read);
}

void LocalSaves::loadWorldFileLater(const DifficultyRow* difficulty, std::function<void(WorldLoad)> done) {
  WorldLoad refused;
  std::shared_ptr<WorldRead> read = startWorldRead(difficulty, refused);
  if (read == nullptr) {
    done(std::move(refused));
    return;
  }
  worldWriter_.start(
      [read] {
        read->run();
        return true;
      },
      [this, read, done = std::move(done)](bool) { done(endWorldRead(*read)); });
}
