#pragma once
// One read of a world file into a new world, split between the two threads a load runs on. The
// main thread makes the world without its grid of cells; `run`, on the thread that reads (the save
// worker, or the caller), makes the grid, reads the file into it, lights it and keeps the copy its
// first save starts from. On the main thread, the largest world's grid alone (48 MB made and
// faulted in), its reading and its lighting stopped a frame for well over a tenth of a second.
//
// `run` touches only the world it reads, the file and the links' restoring side (which leaves the
// mobs and stabled animals waiting in the world); the world is handed back whole, or, for a file
// that must not be played, thrown away on the reading thread.

#include <cstdint>
#include <memory>
#include <string>

#include "saves/world/world_info.h"

class World;
class WorldSaveLinks;
struct DifficultyRow;
struct WorldParams;

class WorldRead {
 public:
  // Main thread: the world the file at `path` is read into, of the entry's parameters and size, its
  // mobs and stabled animals restored through `links` (not owned).
  WorldRead(std::string path, const DifficultyRow* difficulty, const WorldParams& params, int32_t width,
            int32_t height, WorldSaveLinks& links);
  ~WorldRead();
  WorldRead(const WorldRead&) = delete;
  WorldRead& operator=(const WorldRead&) = delete;

  // The reading thread, once.
  void run();

  // Once `run` returned (to the thread that reads them next).
  const std::string& path() const { return path_; }
  // Null before `run`, and for a file that did not read whole.
  std::unique_ptr<World> takeWorld();
  const PlayerCells& player() const { return player_; }
  // Before `run`: the world, its grid of cells not made yet.
  const World* world() const { return world_.get(); }

 private:
  std::string path_;
  WorldSaveLinks& links_;
  std::unique_ptr<World> world_;
  PlayerCells player_;
  bool read_ = false;
};
