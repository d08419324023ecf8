#pragma once
// The terrain passes: the noise map that fills every cell with the planet's ground blocks, the
// bedrock floor, the horizontal runs of one decoration over the ground, the erosion of loose blocks
// after the caves, and the surface profile that cuts out the sky and floods low ground.
//
// Threads: the generating thread only (see world_generator.h).

#include <cstddef>
#include <cstdint>
#include <vector>

class WorldGenerator;
struct TerrainBlock;
struct WorldParams;

// Block laid under everything; nothing but worms breaks it.
constexpr uint16_t kBedrockBlock = 84;
// The decoration laid in horizontal runs and the filter of the cells a run may cover.
constexpr uint16_t kRunDecoration = 185;
constexpr uint64_t kRunCellFilter = 119;

// The ground table: cumulative shares of the planet's terrain blocks, in list order.
struct GroundTable {
  std::vector<uint16_t> blocks;
  std::vector<float> shares;
  static constexpr size_t kNone = static_cast<size_t>(-1);
};
GroundTable buildGroundTable(const std::vector<TerrainBlock>& terrain);
// For each of `count` densities, how many of the table's shares are at most it: the place of the
// first block whose share exceeds it (ground there when that block is not 0), the table's size
// when no share exceeds it.
void countSharesAtOrBelow(const GroundTable& table, const float* density, int32_t count, uint16_t* out);

// How far above or below plain density each band of the noise map is shaped: v^3, v^2, v, √v, ∛v
// from the top band down. `bandTop` holds the four band borders of a column (rows, as floats).
float shapeDensity(float v, float y, const float bandTop[4]);

void generateNoiseMap(WorldGenerator& generator);
void placeBedrock(WorldGenerator& generator);
void placeHorizontalRuns(WorldGenerator& generator, uint32_t runCount, uint32_t runMaxLength);
void erodeLooseBlocks(WorldGenerator& generator);
void generateSurface(WorldGenerator& generator, const WorldParams& params);
