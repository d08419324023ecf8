#pragma once
// The least work that gives the world file's answers, for the save and load benchmarks to be held
// against. Saving: the cells packed straight into a buffer kept between saves and deflated into
// room kept likewise, at a chosen level. Loading: the whole file read, the cell section found in
// the container's directory, inflated, unpacked into a world's cells, then the shadows, the light
// and the surface heights computed from nothing (with the world's own passes: a load cannot do less
// than them).
// Written apart from the save code on purpose: a baseline that called it would measure it twice.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class MapBlock;
class WorldMap;
struct libdeflate_compressor;

namespace bench {

class LeastWorkCellSave {
 public:
  explicit LeastWorkCellSave(int level);
  ~LeastWorkCellSave();
  LeastWorkCellSave(const LeastWorkCellSave&) = delete;
  LeastWorkCellSave& operator=(const LeastWorkCellSave&) = delete;

  // The cells as one gzip stream, valid until the next call.
  std::span<const uint8_t> deflate(std::span<const MapBlock> cells);
  const std::vector<uint8_t>& packed() const { return packed_; }

 private:
  libdeflate_compressor* compressor_;
  std::vector<uint8_t> packed_;
  std::vector<uint8_t> room_;
};

// The world file at `path` into the map (of the file's size): false when the file has no whole
// cell section.
bool leastWorkLoadCells(const std::string& path, WorldMap& map);

// The whole file's bytes.
std::vector<uint8_t> readWholeFile(const std::string& path);

}  // namespace bench
