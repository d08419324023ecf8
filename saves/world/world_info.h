#pragma once
// The info record of a world or adventure file (section 1, 224 bytes, zero where no field is):
//    0 16 save id               16 u32 time (low 32 bits)     20 u32 build (written as 30000)
//   24 32 name, NUL-padded (a 32-byte name has no NUL)       56 16 "author", NUL-padded
//   72 u16 width   74 u16 height   76 u16, 78 u16 the local player's cell (0 in an adventure file)
//   80 u16, 82 u16 the local player's spawn cell              84 12 the world parameters
// A file without the record reads as the defaults below. Pure functions; any thread.

#include <cstddef>
#include <cstdint>
#include <string>

#include "saves/store/save_id.h"
#include "world/map/world_params.h"

class DataStreamReader;
struct WorldEntry;
namespace engine {
class ByteReader;
class ByteWriter;
}

inline constexpr size_t kWorldInfoBytes = 224;
inline constexpr size_t kWorldNameBytes = 32;

// The 12 bytes of world parameters, as the info record, the world entry and the world transfer's
// header keep them: u32 planet id, u8 flags, mode, size index, height index, u32 extra.
void writeWorldParams(engine::ByteWriter& out, const WorldParams& params);
WorldParams readWorldParams(engine::ByteReader& in);

// Where the local player stood and respawns.
struct PlayerCells {
  uint16_t x = 0;
  uint16_t y = 0;
  uint16_t spawnX = 0;
  uint16_t spawnY = 0;
  bool operator==(const PlayerCells&) const = default;
};

struct WorldInfo {
  SaveId saveId{};
  uint32_t time = 0;
  uint32_t build = 0;
  std::string name;  // at most 32 bytes are kept
  uint16_t width = 0;
  uint16_t height = 0;
  PlayerCells player;
  // Planet 1, flags 0x0F, mode 0, size 2, height 1: what a file without the record stands for.
  WorldParams params{1, 0x0F, 0x00, 0x02, 0x01, 0};
};

// The record of a world entry about to be saved.
WorldInfo worldInfoOf(const WorldEntry& entry, uint16_t width, uint16_t height,
                      const PlayerCells& player);
void writeWorldInfo(engine::ByteWriter& out, const WorldInfo& info);
// Section 1 of the reader over the defaults: a missing or short record leaves the defaults for
// what it lacks. False only when the section is there and could not be read.
bool readWorldInfo(DataStreamReader& in, WorldInfo& info);
