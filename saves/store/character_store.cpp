#include "saves/store/character_store.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "engine/base/path_utils.h"
#include "engine/base/string_utils.h"
#include "game/stats/stats_file.h"
#include "platform/file_handle.h"
#include "platform/file_system_bridge.h"
#include "saves/character/character_file.h"
#include "saves/character/starter_kit.h"
#include "saves/store/backup_restore.h"
#include "saves/store/entry_list.h"
#include "saves/store/host_tokens.h"
#include "saves/store/safe_write.h"
#include "saves/store/save_names.h"

namespace {

constexpr float kNewCharacterHealth = 5.0f;
// Every id of all 13 categories counted: far below this. Anything larger is not a stats file.
constexpr size_t kMaxStatsFileBytes = 16u << 20;
// A few dozen hosts' lines; anything larger is not a hosts file.
constexpr size_t kMaxHostsFileBytes = 64u << 10;

bool readWholeFile(kel::FileHandle& file, size_t limit, std::vector<uint8_t>& bytes) {
  if (!file.isOpen()) return false;
  uint8_t block[16384];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file.stream())) > 0) {
    if (bytes.size() + got > limit) return false;
    bytes.insert(bytes.end(), block, block + got);
  }
  return std::ferror(file.stream()) == 0;
}

// Writes the bytes whole into the open temporary file of a safe write.
SaveFileWriter writingBytes(std::span<const uint8_t> bytes) {
  return [bytes](kel::FileHandle& file) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) == bytes.size();
    return std::fflush(file.stream()) == 0 && written;
  };
}

bool isHidden(const PlayerEntry& entry) {
  return (entry.characterFlags & kCharacterHiddenFlag) != 0;
}

}  // namespace

CharacterStore::CharacterStore(kel::FileSystemBridge& files, std::string folder)
    : files_(files), folder_(std::move(folder)) {}

std::string CharacterStore::pathOf(const std::string& fileName) const {
  return engine::joinPath(folder_, fileName);
}

void CharacterStore::sortEntries() {
  std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
    return engine::lessIgnoreCase(a->displayName, b->displayName);
  });
}

void CharacterStore::scan(const std::string& lastPlayer) {
  files_.createFolder(folder_, true);
  current_ = nullptr;
  entries_.clear();
  damaged_.clear();
  for (const std::string& name : files_.listFiles(folder_)) {
    if (!engine::hasFileExtension(name, "dat")) continue;
    kel::FileHandle file(pathOf(name), kel::FileHandle::READ);
    std::unique_ptr<PlayerEntry> entry = readCharacterSummary(name, file);
    if (entry == nullptr) {
      damaged_.push_back(name);
      continue;
    }
    if (entry->displayName == lastPlayer && !isHidden(*entry)) current_ = entry.get();
    entries_.push_back(std::move(entry));
  }
  sortEntries();
  if (current_ == nullptr) {
    auto visible = std::find_if(entries_.begin(), entries_.end(),
                                [](const auto& entry) { return !isHidden(*entry); });
    if (visible != entries_.end()) current_ = visible->get();
  }
}

// Windows folders ignore letter case, so two names differing only in case are one file there.
// A name is free when no other character has it and none of its files exists on disk: a stray
// file there belongs to something the store does not list, and a character must never replace it.
bool CharacterStore::nameIsFree(const std::string& name, const PlayerEntry* self) const {
  if (!isSafeSaveName(name)) return false;
  for (const auto& entry : entries_) {
    if (entry.get() != self && engine::equalsIgnoreCase(entry->displayName, name)) return false;
  }
  const std::string file = engine::withExtension(name, "dat");
  if (self != nullptr && engine::equalsIgnoreCase(file, self->fileName)) return true;
  const std::string path = pathOf(file);
  return !files_.exists(path) && !files_.exists(backupPathOf(path)) &&
         !files_.exists(statPathOf(path)) && !files_.exists(hostsPathOf(path));
}

CharacterRecord newCharacterRecord(const PlayerEntry& entry) {
  CharacterRecord record;
  record.name = entry.displayName;
  record.saveId = entry.saveId;
  record.stateFlags = 1;
  record.equipment[1] = entry.appearance[1];
  record.equipment[2] = entry.appearance[2];
  record.health = kNewCharacterHealth;
  record.lookWord = entry.lookWord;
  record.characterFlags = entry.characterFlags;
  record.difficultyId = entry.difficultyId;
  giveStarterKit(record);
  return record;
}

bool CharacterStore::create(std::unique_ptr<PlayerEntry> entry,
                            const std::optional<std::array<uint8_t, 256>>& knowledge) {
  if (entry == nullptr || !nameIsFree(entry->displayName, nullptr)) return false;
  entry->fileName = engine::withExtension(entry->displayName, "dat");
  entry->entryId = 1;
  CharacterRecord record = newCharacterRecord(*entry);
  if (knowledge) record.knowledge = *knowledge;
  const SafeWriteResult result = safeWriteFile(
      files_, pathOf(entry->fileName),
      [&record](kel::FileHandle& file) { return writeCharacterFile(file, record); }, keepBackup_);
  if (result != SafeWriteResult::Saved) return false;
  entries_.push_back(std::move(entry));
  sortEntries();
  return true;
}

bool CharacterStore::rename(PlayerEntry& entry, const std::string& newName) {
  if (!nameIsFree(newName, &entry)) return false;
  const std::string oldPath = pathOf(entry.fileName);
  CharacterRecord record;
  CharacterParts parts;
  {
    kel::FileHandle file(oldPath, kel::FileHandle::READ);
    // An unreadable file is left alone: rewriting it would replace the character with a blank one.
    if (!file.isOpen() || !readCharacterFile(file, record, parts) || !parts.identity) return false;
  }
  record.lookWord = entry.lookWord;
  record.characterFlags = entry.characterFlags;
  record.difficultyId = entry.difficultyId;
  record.name = newName;
  // Rewritten in place first (its previous bytes become the backup), then moved: nothing is
  // ever deleted, and a case-only rename on a folder that ignores case stays one file.
  const SafeWriteResult result = safeWriteFile(
      files_, oldPath,
      [&record](kel::FileHandle& file) { return writeCharacterFile(file, record); }, keepBackup_);
  if (result != SafeWriteResult::Saved) return false;

  const std::string newFile = engine::withExtension(newName, "dat");
  const std::string newPath = pathOf(newFile);
  bool moved = true;
  if (newFile != entry.fileName) {
    moved = files_.movePath(oldPath, newPath);
    if (moved) entry.fileName = newFile;
    for (auto sibling : {&backupPathOf, &statPathOf, &hostsPathOf}) {
      if (moved && files_.exists(sibling(oldPath))) {
        moved = files_.movePath(sibling(oldPath), sibling(newPath));
      }
    }
  }
  entry.displayName = newName;
  entry.syncNameWithFile();
  sortEntries();
  return moved;
}

bool CharacterStore::remove(PlayerEntry& entry) {
  const std::string path = pathOf(entry.fileName);
  bool removed = files_.exists(path) && files_.deletePath(path);
  for (const std::string& sibling : {backupPathOf(path), statPathOf(path), hostsPathOf(path),
                                     statPathOf(path) + ".tmp", hostsPathOf(path) + ".tmp"}) {
    if (files_.exists(sibling)) files_.deletePath(sibling);
  }
  dropEntry(entries_, current_, entry);
  return removed;
}

void CharacterStore::removeAll() {
  for (PlayerEntry* entry : entryPointers(entries_)) remove(*entry);
}

bool CharacterStore::save(CharacterRecord record) {
  if (saving_) return true;
  const Write write = prepareSave(std::move(record));
  if (!write) return false;
  saving_ = true;
  const bool saved = write();
  saving_ = false;
  return saved;
}

CharacterStore::Write CharacterStore::prepareSave(CharacterRecord record) {
  if (current_ == nullptr) return {};
  const bool shared = std::any_of(entries_.begin(), entries_.end(), [this](const auto& entry) {
    return entry.get() != current_ && entry->saveId == current_->saveId;
  });
  if (shared) current_->saveId = makeRandomSaveId();
  record.saveId = current_->saveId;
  record.characterFlags = current_->characterFlags;
  record.difficultyId = current_->difficultyId;
  return [&files = files_, path = pathOf(current_->fileName), keepBackup = keepBackup_, record = std::move(record)] {
    const SafeWriteResult result = safeWriteFile(
        files, path, [&record](kel::FileHandle& file) { return writeCharacterFile(file, record); }, keepBackup);
    return result == SafeWriteResult::Saved;
  };
}

std::string CharacterStore::currentStatPath() const {
  return current_ != nullptr ? statPathOf(pathOf(current_->fileName)) : std::string();
}

bool CharacterStore::loadStats(StatsRecord& stats) const {
  stats = StatsRecord{};
  const std::string path = currentStatPath();
  if (path.empty() || !files_.exists(path)) return true;
  kel::FileHandle file(path, kel::FileHandle::READ);
  std::vector<uint8_t> bytes;
  return readWholeFile(file, kMaxStatsFileBytes, bytes) && readStatsBytes(bytes, stats);
}

bool CharacterStore::saveStatsBytes(std::span<const uint8_t> bytes) const {
  const std::string path = currentStatPath();
  if (path.empty()) return false;
  return safeWriteSideFile(files_, path, writingBytes(bytes)) == SafeWriteResult::Saved;
}

void CharacterStore::deleteStats() const {
  const std::string path = currentStatPath();
  if (!path.empty() && files_.exists(path)) files_.deletePath(path);
}

HostTokens CharacterStore::loadHostTokens() const {
  const std::string path = current_ != nullptr ? hostsPathOf(pathOf(current_->fileName)) : std::string();
  if (path.empty() || !files_.exists(path)) return {};
  kel::FileHandle file(path, kel::FileHandle::READ);
  std::vector<uint8_t> bytes;
  if (!readWholeFile(file, kMaxHostsFileBytes, bytes)) return {};
  return readHostTokens(std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> CharacterStore::hostToken(const std::string& hostKey) const {
  const HostTokens tokens = loadHostTokens();
  const auto found = tokens.find(hostKey);
  return found != tokens.end() ? found->second : std::vector<uint8_t>{};
}

// Through a temporary file of its own, as the statistics are: a kill mid-write leaves the tokens
// she had (and with them what she keeps at each host), never an empty file.
bool CharacterStore::keepHostToken(const std::string& hostKey, std::span<const uint8_t> token) {
  if (current_ == nullptr) return false;
  HostTokens tokens = loadHostTokens();
  tokens[hostKey].assign(token.begin(), token.end());
  const std::string text = writeHostTokens(tokens);
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  return safeWriteSideFile(files_, hostsPathOf(pathOf(current_->fileName)), writingBytes(bytes)) ==
         SafeWriteResult::Saved;
}

bool CharacterStore::restoreBackup(const std::string& fileName, std::string* keptAside) {
  if (!isSafeSaveName(fileName) || !engine::hasFileExtension(fileName, "dat")) return false;
  return restoreFromBackup(files_, pathOf(fileName), keptAside);
}
