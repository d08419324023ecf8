#pragma once
// Helpers the world file's section readers and writers share: whole plain sections read into
// memory (so a record can never be read past its section), checked record counts, cells named by
// column and row, and items. Any thread that owns the reader or writer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "saves/character/disk_item.h"
#include "saves/world/world_records.h"

class DataStreamReader;
class Item;
class MapBlock;
class WorldMap;
namespace engine {
class ByteReader;
class ByteWriter;
}  // namespace engine

// The whole body of a plain section; none when the file has no such section. A section stored
// compressed where a plain one belongs is damage: the reader fails.
std::optional<std::vector<uint8_t>> readPlainSection(DataStreamReader& in, uint16_t id);

// A record count that the rest of the section can hold at minRecordBytes each; otherwise the
// body reader fails and 0 comes back.
uint32_t readCount(engine::ByteReader& body, size_t minRecordBytes);

// The map's cell of a stored position: a column past the width wraps, a row outside the map is
// no cell.
MapBlock* cellOfRecord(WorldMap& map, uint32_t x, uint32_t y);
CellPos cellPosOf(const MapBlock& cell);
void writeCellPos(engine::ByteWriter& out, CellPos cell);
CellPos readCellPos(engine::ByteReader& in);

void writeItemSlot(engine::ByteWriter& out, const Item* item);
