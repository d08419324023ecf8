#include "net/transfer/world_packing.h"

#include <optional>

#include "engine/io/byte_writer.h"
#include "net/transfer/raw_cell_column.h"
#include "net/transfer/world_pieces.h"
#include "saves/container/gzip_buffer.h"
#include "saves/world/map_packing.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

bool compressInto(std::vector<uint8_t>& out, std::span<const uint8_t> source) {
  std::optional<std::vector<uint8_t>> stream = gzipCompress(source);
  if (!stream) return false;
  out = std::move(*stream);
  return true;
}

bool packCompressed(WorldPacking& packing) {
  engine::ByteWriter packed;
  packMapBlocks(packed, {packing.cells.data(), packing.cells.size()});
  packing.cells = CellGrid();  // the copy is done with before the stream takes its room
  const std::vector<uint8_t> bytes = packed.release();
  if (!compressInto(packing.cellBytes, bytes)) return false;
  packing.chunkEnds = pieceEnds(packing.cellBytes.size());
  return true;
}

bool packColumns(WorldPacking& packing) {
  const auto height = static_cast<size_t>(packing.height);
  engine::ByteWriter column;
  for (int32_t x = 0; x < packing.width; ++x) {
    column.clear();
    writeRawCells(column, {packing.cells.data() + static_cast<size_t>(x) * height, height});
    std::optional<std::vector<uint8_t>> stream = gzipCompress(column.data());
    if (!stream) return false;
    packing.cellBytes.insert(packing.cellBytes.end(), stream->begin(), stream->end());
    packing.chunkEnds.push_back(packing.cellBytes.size());
  }
  packing.cells = CellGrid();
  return true;
}

}  // namespace

void takeWorldPacking(WorldPacking& packing, World& world, CellsForm form) {
  const WorldMap& map = world.map();
  packing.form = form;
  packing.width = map.width();
  packing.height = map.height();
  packing.cells.assign({map.cells(), map.cellCount()});
  packing.surface = map.surfaceLines();
  packing.explored.clear();
  if (const ExploredBitmap* explored = map.explored()) {
    packing.explored = explored->words();
    packing.explored.insert(packing.explored.end(), explored->secondWords().begin(),
                            explored->secondWords().end());
  }
}

bool packWorld(WorldPacking& packing) {
  const bool cells = packing.form == CellsForm::Compressed ? packCompressed(packing) : packColumns(packing);
  engine::ByteWriter surface;
  for (uint16_t line : packing.surface) surface.u16(line);
  engine::ByteWriter explored;
  for (uint32_t word : packing.explored) explored.u32(word);
  return cells && compressInto(packing.surfaceStream, surface.data()) &&
         compressInto(packing.exploredStream, explored.data());
}
