#pragma once
// The host's heavy part of sending a world, done on a worker (see world_sender.h): the main thread
// takes what the transfer sends (the cells as they stand, copied into a grid of the packing's own
// that the worker faulted in before; the surface line, the explored words) and hands the packing
// to the worker, which packs and compresses it into the bytes the messages carry. The packing
// touches nothing but itself.

#include <cstdint>
#include <vector>

#include "world/map/cell_grid.h"

class World;

enum class CellsForm : uint8_t {
  Compressed,  // one gzip stream of the packed 16-byte cells, in 256 pieces and a remainder
  Columns,     // one gzip stream of each column's raw 24-byte cells
};

struct WorldPacking {
  // ---- Taken on the main thread ----
  CellsForm form = CellsForm::Compressed;
  int32_t width = 0;
  int32_t height = 0;
  CellGrid cells;
  std::vector<uint16_t> surface;
  std::vector<uint32_t> explored;  // the first word array, then the second; empty without a bitmap

  // ---- Made on the worker ----
  std::vector<uint8_t> cellBytes;   // the compressed stream, or the column streams one after another
  std::vector<uint64_t> chunkEnds;  // where each message's share of cellBytes ends
  std::vector<uint8_t> surfaceStream;
  std::vector<uint8_t> exploredStream;
};

// Main thread: a packing of the world as it is now. The cells are copied into the packing's grid,
// in the memory it has when it is already of the map's size (a worker makes it ready first).
void takeWorldPacking(WorldPacking& packing, World& world, CellsForm form);
// Any thread: fills the made half and frees the copied cells; false when a compressor could not
// be made.
bool packWorld(WorldPacking& packing);
