#pragma once
// The saves' side of the launch: the local store of worlds and characters under the platform's
// writable root, and saving and loading through it. A character is saved from the record that the
// game's character source fills from the local player; the world from the current world, with
// the local player's cells from the game's player source. Everything goes through safe writing,
// and each kind of save refuses to start inside another of its kind.
//
// A world is saved in two steps: the main thread takes a snapshot of it (a copy of its cells and
// the bytes of its other sections), and the save worker compresses and writes the file while the
// game plays on. The worlds' store is handed out, and a world file read, only once no write is
// under way, so a list, rename, delete, restore or load never meets a half-written save.
//
// A world file is read, as it is written, on the save worker (`loadWorldFileLater`); the main thread
// only makes the empty world before and hands it on after.
//
// A world file that failed to load is never written over: until it loads again, saving that
// entry is refused, so a world that could not be read (and whatever the player did instead) never
// pushes the good file into the backup and the backup out. Game thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "saves/store/character_store.h"
#include "saves/store/save_writer.h"
#include "saves/store/world_store.h"
#include "saves/world/adventure_file.h"
#include "saves/world/world_file_snapshot.h"
#include "saves/world/world_info.h"

namespace kel {
class FileSystemBridge;
}
class World;
class WorldRead;
struct DifficultyRow;

// How a world load ended.
enum class WorldLoadStatus : int {
  Loaded = 0,
  PlanetMissing = 1,           // an adventure's planet file is not there, nor its backup
  PlanetMissingWithBackup = 2, // not there, but its backup is
  Unreadable = 3,              // the file is damaged or not a world file
};

struct WorldLoad {
  WorldLoadStatus status = WorldLoadStatus::Unreadable;
  std::unique_ptr<World> world;
  PlayerCells player;
};

class LocalSaves final {
 public:
  // Fills the record from the local player; false when there is no player to save.
  using CharacterSource = std::function<bool(CharacterRecord&)>;
  // The local player's cell and spawn cell for the world file.
  using PlayerCellsSource = std::function<PlayerCells()>;

  // The hand-over brings each world write's completion to the main thread (see SaveWriter).
  explicit LocalSaves(kel::FileSystemBridge& files, SaveWriter::HandOver handOver = {});

  // Waits for a character write under way first.
  CharacterStore& characters();
  // Waits for a world write under way first.
  WorldStore& worlds();
  void setCharacterSource(CharacterSource source) { characterSource_ = std::move(source); }
  void setPlayerCellsSource(PlayerCellsSource source) { playerCells_ = std::move(source); }

  // The terminate step: the current world and character, when there are any. The world's file is
  // on disk when it returns. Each refuses to run while another save of its kind is running.
  void saveWorld();
  void saveCharacter();
  // As saveCharacter, with the store's answer: false when there was nothing to save or the
  // write failed.
  bool saveCurrentCharacter();
  // The current character saved while the game plays on: the record is taken now and the file
  // written by a save worker of its own (after any character write still under way). `done` runs
  // once on the main thread: true when the file reached the disk, false at once when there is
  // nothing to save.
  void saveCharacterLater(SaveWriter::Done done);

  // ---- Worlds ----
  // Saves the world as the current entry's file (an adventure writes its planet links first): the
  // snapshot is taken now and the file written by the save worker, after any write still under
  // way. `done` runs once on the main thread: true when the file reached the disk, false at once
  // without a current entry or when the entry's file failed to load, and false when a write
  // failed (the previous file stays). False when nothing was started.
  bool saveWorld(World& world, SaveWriter::Done done = {});
  // Blocks until the character and world writes under way (if any) ended; their completions run
  // before it returns, so a game's save has answered once this returns.
  void waitForWrites() {
    characterWriter_.wait();
    worldWriter_.wait();
  }
  // The thread that made the world (generated it), before it hands it to the main thread: the world
  // keeps a copy of its cells for its first save to start from, which then copies only what changed
  // since, as every later save does. Touches nothing but the world.
  static void prepareWorldSave(World& world);
  // The world saved last has ended: the snapshot kept for its next save (a copy of its cells, the
  // bytes of its other sections) is freed once any write under way has ended. The next world's
  // first save then starts from that world's own copy alone.
  void releaseWorldSave();
  // Reads the current entry's file into a new world made with the difficulty, its save made ready
  // as above, on the calling thread.
  WorldLoad loadWorldFile(const DifficultyRow* difficulty);
  // The same read on the save worker, after any write under way (`WorldRead`): the world's grid of
  // cells is made, read and lit off the main thread. `done` runs once on the main thread with the
  // load, at once when there is no file to read.
  void loadWorldFileLater(const DifficultyRow* difficulty, std::function<void(WorldLoad)> done);
  // The path of the last world file that failed to load; empty once it loads or when none failed.
  const std::string& unreadableFile() const { return unreadableFile_; }
  // After the file was put back from its backup: it may load again.
  void forgetUnreadableFile() { unreadableFile_.clear(); }
  // Whether the current entry's world file (an adventure's: the planet's) is on disk, once no
  // write is under way.
  bool currentWorldFileExists();
  // The current adventure's planet links (emptied by every load).
  std::vector<PlanetLinkRecord>& planetLinks() { return planetLinks_; }

 private:
  friend struct LocalSavesProbe;  // tests look at the snapshot's grid

  // The current character's record from the source; false when there is nothing to save.
  bool takeCharacter(CharacterRecord& record);
  std::string worldFilePath(const WorldEntry& entry) const;
  bool writeAdventureLinks(const WorldEntry& entry, const World& world);
  void describeSavedWorld(WorldEntry& entry, const World& world);
  void startWorldWrite(const std::string& path, SaveWriter::Done done);
  // The read of the current entry's file, its world made; null, with `refused` telling why, when
  // there is no file to read.
  std::shared_ptr<WorldRead> startWorldRead(const DifficultyRow* difficulty, WorldLoad& refused);
  WorldLoad endWorldRead(WorldRead& read);

  kel::FileSystemBridge& files_;
  CharacterStore characters_;
  WorldStore worlds_;
  CharacterSource characterSource_;
  PlayerCellsSource playerCells_;
  std::vector<PlanetLinkRecord> planetLinks_;
  std::string unreadableFile_;  // the path of the last file that failed to load
  bool savingWorld_ = false;
  WorldFileSnapshot snapshot_;  // kept between saves; only the worker reads it while it writes
  SaveWriter characterWriter_;  // it and the world's last: each is waited for before anything it
  SaveWriter worldWriter_;      // writes from goes
};
