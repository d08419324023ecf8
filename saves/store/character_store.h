#pragma once
// The saved characters in the players folder: the list the menus show, the current character,
// and creating, renaming, deleting and saving characters. Every file a character owns is
// <name>.dat, with <name>.bak (its previous save), <name>.tmp (a save under way), <name>.stat
// (its statistics) and <name>.hosts (the tokens hosts know her by, host_tokens.h) beside it. Character files are written only through safe writing, and the
// store never writes over or deletes a file that is not one of its listed characters'.
// Game thread only.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "saves/store/player_entry.h"

namespace kel {
class FileSystemBridge;
}
struct CharacterRecord;
struct StatsRecord;

class CharacterStore {
 public:
  CharacterStore(kel::FileSystemBridge& files, std::string folder);

  const std::string& folder() const { return folder_; }
  std::string pathOf(const std::string& fileName) const;
  const std::vector<std::unique_ptr<PlayerEntry>>& entries() const { return entries_; }
  PlayerEntry* current() const { return current_; }
  void setCurrent(PlayerEntry* entry) { current_ = entry; }
  // Whether saves keep the previous version as <name>.bak (the keepBackupOfSaves option).
  void setKeepBackup(bool keep) { keepBackup_ = keep; }

  // Rebuilds the list from the folder, sorted by name ignoring case. The current character is the
  // one named lastPlayer, else the first, skipping hidden characters (flags bit 3) either way.
  // A file that does not read as a character's is not listed but named in `damaged`.
  void scan(const std::string& lastPlayer);
  // The file names of the last scan that are not characters' files any more, in folder order.
  const std::vector<std::string>& damaged() const { return damaged_; }
  // Puts <name>.bak back as the character file <name>.dat, the file it replaces kept aside
  // (saves/store/backup_restore.h). False for a name that is not a character file's, without a
  // backup, or when a step fails.
  bool restoreBackup(const std::string& fileName, std::string* keptAside = nullptr);

  // A new character file from the entry's name, looks and flags, with the given recipe
  // knowledge. False, with nothing written, when the name cannot be a file name, another
  // character has it, a file of that name already exists, or the write fails.
  bool create(std::unique_ptr<PlayerEntry> entry,
              const std::optional<std::array<uint8_t, 256>>& knowledge);
  // Gives the character a new name: its file is read, rewritten with the new name, and moved
  // with its backup and statistics. False, with every file as it was, when the name is refused
  // (as for create) or the old file cannot be read or rewritten; false too when a later move
  // fails, which leaves the file behind under its old name.
  bool rename(PlayerEntry& entry, const std::string& newName);
  // Deletes the character's file, backup and statistics. False when its file was missing or
  // could not be deleted; the entry goes either way.
  bool remove(PlayerEntry& entry);
  void removeAll();

  // Writes the current character's file through safe writing. The record takes the entry's save
  // id, flags and difficulty. True at once while another character save is under way (it will
  // hold the latest state); false without a current character or when the write fails.
  bool save(CharacterRecord record);
  // The same save in two steps: the record takes the entry's save id, flags and difficulty now,
  // and the write returned (empty without a current character) makes the file through safe
  // writing later, on any thread: it holds the record, the path and the file system, and touches
  // no store or entry. One write of a character's file at a time.
  using Write = std::function<bool()>;
  Write prepareSave(CharacterRecord record);

  // The current character's statistics file, <name>.stat. Loading gives an empty record when the
  // file is missing and false when it is damaged (what it held is kept in the record). Saving
  // writes the file through safe writing's side-file form (safe_write.h): a kill mid-write leaves
  // the old file or the new one whole. False without a current character or when the write fails.
  bool loadStats(StatsRecord& stats) const;
  bool saveStatsBytes(std::span<const uint8_t> bytes) const;
  void deleteStats() const;

  // The token the host of `hostKey` handed the current character, from her <name>.hosts (empty:
  // none, no current character or no readable file); keeping one rewrites that file with it.
  std::vector<uint8_t> hostToken(const std::string& hostKey) const;
  bool keepHostToken(const std::string& hostKey, std::span<const uint8_t> token);

  // Whether a character could take the name: it can be a file name, no character but `self` has
  // it (ignoring case), and no file of the name lies in the folder.
  bool nameIsFree(const std::string& name, const PlayerEntry* self = nullptr) const;

 private:
  std::string currentStatPath() const;
  std::map<std::string, std::vector<uint8_t>> loadHostTokens() const;
  void sortEntries();

  kel::FileSystemBridge& files_;
  std::string folder_;
  std::vector<std::unique_ptr<PlayerEntry>> entries_;
  std::vector<std::string> damaged_;
  PlayerEntry* current_ = nullptr;
  bool keepBackup_ = true;
  bool saving_ = false;
};

// The record a character starts with: the entry's name, save id, look word, flags and difficulty,
// state flag 1, the entry's two shown clothes worn, 5 health and the starter kit in the quick row.
// Character creation writes it, and so does the world tool.
CharacterRecord newCharacterRecord(const PlayerEntry& entry);
