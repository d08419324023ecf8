#pragma once
// The world file's sections of running state: the plant registry and its two cell sets, the
// protected areas, the liquid queues, the circuit structures and the saved mobs. Each writer
// appends one section body; each reader takes one whole body and fails its reader when a count
// cannot fit. Records read back are checked before they reach the world: cells inside the map,
// process rows and mob ids inside their tables, only the kinds and groups the file can hold.

#include <cstdint>
#include <vector>

#include "saves/world/world_model_state.h"
#include "saves/world/world_records.h"

class WorldMap;
class ProtectedAreas;
namespace engine {
class ByteReader;
class ByteWriter;
}  // namespace engine

// The mob population groups that a world keeps (the others come back through their stables or
// not at all).
bool isSavedMobGroup(uint8_t group);

void writePlants(engine::ByteWriter& out, const std::vector<PlantRecord>& plants);
std::vector<PlantRecord> readPlants(engine::ByteReader& in, WorldMap& map);
void writeCellList(engine::ByteWriter& out, const std::vector<CellPos>& cells);
std::vector<CellPos> readCellList(engine::ByteReader& in, WorldMap& map);
// Section 12 keeps only cells whose front block is a plant.
std::vector<CellPos> onlyPlantCells(WorldMap& map, std::vector<CellPos> cells);

void writeAreas(engine::ByteWriter& out, const ProtectedAreas& areas);
void readAreas(engine::ByteReader& in, WorldMap& map, ProtectedAreas& areas);

// The liquid simulator's queued cells, both lists as one.
void writeLiquids(engine::ByteWriter& out, WorldMap& map);
void readLiquids(engine::ByteReader& in, WorldMap& map);

void writeCircuits(engine::ByteWriter& out, const CircuitState& state);
CircuitState readCircuits(engine::ByteReader& in, WorldMap& map);

void writeMobs(engine::ByteWriter& out, const std::vector<SavedMob>& mobs);
std::vector<SavedMob> readMobs(engine::ByteReader& in, WorldMap& map);
