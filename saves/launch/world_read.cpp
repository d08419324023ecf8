#include "saves/launch/world_read.h"

#include <utility>

#include "platform/file_handle.h"
#include "saves/world/world_file.h"
#include "world/map/world_map.h"
#include "world/world.h"

WorldRead::WorldRead(std::string path, const DifficultyRow* difficulty, const WorldParams& params, int32_t width,
                     int32_t height, WorldSaveLinks& links)
    : path_(std::move(path)),
      links_(links),
      world_(std::make_unique<World>(difficulty, params, width, height, WorldContext{}, CellsMade::Later)) {}

WorldRead::~WorldRead() = default;

void WorldRead::run() {
  world_->map().makeCells();
  kel::FileHandle file(path_, kel::FileHandle::READ);
  read_ = file.isOpen() && readWorldFile(file, *world_, links_, &player_);
  if (!read_) {
    world_.reset();
    return;
  }
  // Its first save then copies only what changes from here, as every later save does.
  world_->map().prepareKeptCopy();
}

std::unique_ptr<World> WorldRead::takeWorld() { return read_ ? std::move(world_) : nullptr; }
