#include "world/generator/terrain_passes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "content/items/block_filter.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "world/cells/block_props.h"
#include "world/cells/column_byte_walk.h"
#include "world/cells/map_block.h"
#include "world/generator/generator_random.h"
#include "world/generator/coarse_field.h"
#include "world/generator/field_scale.h"
#include "world/generator/fractal_grid.h"
#include "world/generator/gradient_noise.h"
#include "world/generator/share_thresholds.h"
#include "world/generator/small_modulo.h"
#include "world/generator/sea_basin.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"

namespace {

// Octave falloff and frequency of every noise sum: 0.2 in single precision, widened. The slight
// excess over 0.2 keeps the scaled sample positions off the lattice points, where noise is 0.
constexpr double kOctave = static_cast<double>(0.2f);
// Sample spacing of the noise: one cell is 3000 noise units before the octave scaling.
constexpr double kSampleStep = 3000.0;
constexpr int kBandCurves = 5;
constexpr float kBandWave = 15.0f;

void clearDecoIds(MapBlock& cell) {
  for (MapDeco& d : cell.decos) map_deco::clear(d);
}

// A ground block of the table with its variant count and that count's remainder.
struct GroundBlock {
  uint16_t block;
  uint8_t variants;
  SmallModulo modulo;
};

std::vector<GroundBlock> groundBlocksOf(const GroundTable& ground, const BlockPropsTable& props) {
  std::vector<GroundBlock> blocks;
  for (uint16_t block : ground.blocks) {
    const uint8_t variants = props[block].variantCount;
    blocks.push_back({block, variants, SmallModulo(variants >= 2 ? variants : 1)});
  }
  return blocks;
}

// A ground cell: the block in front and behind, each with a random variant, drawn as the two-layer
// setter always drew them: one draw thrown away, then the front's, then the back's (no draw at all
// for a block of one variant). `state` is the random sequence's.
void layGround(MapBlock& cell, const GroundBlock& ground, uint32_t& state) {
  uint8_t front = 0;
  uint8_t back = 0;
  if (ground.variants >= 2) {
    const engine::RandomThree draws = engine::randomStepThree(state);
    front = static_cast<uint8_t>(ground.modulo.of(static_cast<uint32_t>(draws.second)));
    back = static_cast<uint8_t>(ground.modulo.of(static_cast<uint32_t>(draws.third)));
  }
  // Every front word has the layer mark and no back word has it, so the words are written without
  // reading the cell: the pass then never waits for a cell to arrive from memory.
  cell.front = block_word::compose(block_word::kLayerMark, ground.block, front);
  cell.back = block_word::compose(0, ground.block, back);
}

bool runCellQualifies(const MapBlock& cell) {
  if (cell.frontId() == 0) return false;
  for (MapDeco d : cell.decos) {
    if (map_deco::side(d) == MapBlock::kFront && !map_deco::empty(d)) return false;
  }
  return itemMatchesFilter(cell.frontId(), kRunCellFilter);
}

}  // namespace

GroundTable buildGroundTable(const std::vector<TerrainBlock>& terrain) {
  GroundTable table;
  float total = 0.0f;
  for (const TerrainBlock& t : terrain) total += static_cast<float>(t.weight);
  if (total <= 0.0f) return table;
  float sum = 0.0f;
  for (const TerrainBlock& t : terrain) {
    sum += static_cast<float>(t.weight);
    table.blocks.push_back(t.block);
    table.shares.push_back(sum / total);
  }
  return table;
}

float shapeDensity(float v, float y, const float bandTop[4]) { return density_band::shape(v, density_band::of(y, bandTop)); }

namespace {

// The noise map's field keeps its heaviest octaves from this one on. The lighter ones it leaves
// out step just over a whole number of lattice cells from sample to sample, so their samples lie
// near lattice points, where the noise is near 0: together they move a value by a few units in a
// span of some hundred thousand, and few cells lie that near a share's threshold.
constexpr int kFirstCoarseOctave = 4;

// The band curves, each scaled to the band wave.
std::vector<float> bandCurves(const GradientNoise& noise, int32_t w) {
  std::vector<float> curves(static_cast<size_t>(kBandCurves) * static_cast<size_t>(w));
  for (int k = 0; k < kBandCurves; ++k) {
    float* curve = &curves[static_cast<size_t>(k) * static_cast<size_t>(w)];
    for (int32_t x = 0; x < w; ++x) {
      curve[x] = static_cast<float>(noise.noise1DSum(static_cast<double>((w * k) + x) * kSampleStep, kOctave, kOctave));
    }
    normalizeToRange(curve, kBandWave, w);
  }
  return curves;
}

// What the column pass works with: the field, its scaling and thresholds, the ground table, and
// one column's rows.
struct NoiseColumnPass {
  NoiseColumnPass(const FractalGrid& g, const CoarseField& f, const ShareThresholds& t, const GroundTable& table)
      : grid(g), field(f), thresholds(t), ground(table), scale(f.least(), f.greatest()),
        counts(static_cast<size_t>(g.rows())), whole(counts.size()), wholeSums(counts.size()),
        wholeValues(counts.size()) {}
  const FractalGrid& grid;
  const CoarseField& field;
  const ShareThresholds& thresholds;
  const GroundTable& ground;
  FieldScale scale;
  std::vector<int32_t> counts;
  std::vector<int32_t> whole;  // the rows whose count is not certain
  std::vector<double> wholeSums;
  std::vector<float> wholeValues;
};

// How many shares each row of column x reaches: from the coarse field band by band, and for the
// rows near a threshold from the whole value, scaled and shaped as the whole field would be.
void countColumn(NoiseColumnPass& pass, int32_t x, const float bandTop[4]) {
  const int32_t h = pass.grid.rows();
  int32_t first[density_band::kBands];
  density_band::firsts(bandTop, h, first);
  const float* values = pass.field.column(x);
  int32_t to = h;
  for (int band = 0; band < density_band::kBands; ++band) {
    pass.thresholds.countRun(band, values, first[band], to, pass.counts.data());
    to = std::min(to, first[band]);
  }
  // Few rows are uncertain: eight rows' counts are tested at once (a negative one among them makes
  // their union negative), and only a group holding one is looked through.
  const int32_t* counts = pass.counts.data();
  int32_t n = 0;
  for (int32_t from = 0; from < h; from += 8) {
    const int32_t end = std::min(from + 8, h);
    int32_t any = 0;
    for (int32_t y = from; y < end; ++y) any |= counts[y];
    if (any >= 0) continue;
    for (int32_t y = from; y < end; ++y) {
      pass.whole[static_cast<size_t>(n)] = y;
      n += counts[y] < 0 ? 1 : 0;
    }
  }
  pass.grid.sampleRows(x, pass.whole.data(), n, pass.wholeSums.data(), pass.wholeValues.data());
  for (int32_t i = 0; i < n; ++i) {
    const int32_t y = pass.whole[static_cast<size_t>(i)];
    const float density = shapeDensity(pass.scale(pass.wholeValues[static_cast<size_t>(i)]), static_cast<float>(y), bandTop);
    uint16_t count = 0;
    countSharesAtOrBelow(pass.ground, &density, 1, &count);
    pass.counts[static_cast<size_t>(y)] = count;
  }
}

}  // namespace

void countSharesAtOrBelow(const GroundTable& table, const float* density, int32_t count, uint16_t* out) {
  std::fill(out, out + count, uint16_t{0});
  for (float share : table.shares) {
    for (int32_t y = 0; y < count; ++y) out[y] = static_cast<uint16_t>(out[y] + (share <= density[y] ? 1 : 0));
  }
}

// Column by column: how many shares each row reaches (the table's place of the first share above
// the cell's density), and the ground laid in row order, the only part that draws. The density
// is the field scaled to 0..1 between its extremes and shaped by band.
void generateNoiseMap(WorldGenerator& g) {
  const int32_t w = g.width, h = g.height;
  auto noise = std::make_unique<GradientNoise>();
  const std::vector<float> curves = bandCurves(*noise, w);
  const FractalGrid grid(*noise, w, h, kSampleStep, kOctave, kOctave);
  noise.reset();
  const CoarseField field(grid, kFirstCoarseOctave, [&g] { g.checkStop(); });

  const GroundTable ground = buildGroundTable(g.planet.terrainBlocks);
  const ShareThresholds thresholds(ground, field.least(), field.greatest(), field.margin());
  const std::vector<GroundBlock> blocks = groundBlocksOf(ground, g.props);  // by place in the table
  // By the count of shares reached: the block to lay, or none past the last share or for block 0.
  std::vector<const GroundBlock*> byCount(ground.shares.size() + 1, nullptr);
  for (size_t row = 0; row < ground.shares.size(); ++row) {
    if (ground.blocks[row] != 0) byCount[row] = &blocks[row];
  }
  const int32_t rows = h - g.map.heightLevel();
  const int32_t band = rows / 5;
  MapBlock* cells = g.map.cells();
  NoiseColumnPass pass(grid, field, thresholds, ground);
  engine::RandomRun random;
  for (int32_t x = 0; x < w; ++x) {
    g.checkStop();
    float bandTop[4];
    for (int k = 0; k < 4; ++k) {
      bandTop[k] = static_cast<float>(rows - (k + 1) * band) + curves[static_cast<size_t>(k) * static_cast<size_t>(w) + static_cast<size_t>(x)] - 7.0f;
    }
    countColumn(pass, x, bandTop);
    MapBlock* column = cells + static_cast<size_t>(x) * static_cast<size_t>(h);
    uint32_t state = random.current();  // a local copy stays in a register
    for (int32_t y = 0; y < h; ++y) {
      const GroundBlock* block = byCount[pass.counts[static_cast<size_t>(y)]];
      if (block != nullptr) layGround(column[y], *block, state);
    }
    random.resume(state);
  }
}

void placeBedrock(WorldGenerator& g) {
  for (int32_t x = 0; x < g.width; ++x) {
    g.checkStop();
    const int32_t n = worldgen::pick(3) + 1;
    for (int32_t y = 0; y < n && y < g.height; ++y) {
      MapBlock& c = g.map.cell(x, y);
      clearDecoIds(c);
      c.setLayerRandomVariant(g.props, kBedrockBlock, MapBlock::kFront);
      c.setLayerRandomVariant(g.props, kBedrockBlock, MapBlock::kBack);
    }
  }
}

void placeHorizontalRuns(WorldGenerator& g, uint32_t runCount, uint32_t runMaxLength) {
  if (runCount == 0 || runMaxLength == 0) return;
  uint64_t budget = WorldGenerator::drawBudget(runCount);
  uint32_t runs = 0;
  while (runs < runCount) {
    if (budget-- == 0) {
      g.gaveUp(RetryKind::Run);
      return;
    }
    const int32_t x = worldgen::pick(g.width);
    const int32_t y = worldgen::pick(g.height);
    const int32_t length = worldgen::pick(static_cast<int>(runMaxLength));
    if (!runCellQualifies(g.map.cell(x, y))) continue;
    if (length == 0) {  // nothing to lay; the draw still counts as a run
      ++runs;
      continue;
    }
    bool whole = true;
    for (int32_t i = 1; i < length && whole; ++i) whole = runCellQualifies(g.map.cell(g.map.wrapX(x + i), y));
    if (!whole) continue;
    for (int32_t i = 0; i < length; ++i) {
      const uint8_t variant = length == 1 ? 3 : i == 0 ? 0 : i == length - 1 ? 2 : 1;
      g.map.addDecoAt(kRunDecoration, variant, x + i, y);
    }
    ++runs;
  }
}

namespace {

// One byte per row of a column: 1 where the cell holds a block in front, with an empty row below
// the first and above the last, so that rows outside the map count as empty without a test.
void markFilled(const MapBlock* column, int32_t h, uint8_t* filled) {
  filled[0] = 0;
  for (int32_t y = 0; y < h; ++y) filled[y + 1] = column[y].frontId() != 0 ? 1 : 0;
  filled[h + 1] = 0;
}

// The rows of the middle column whose block has fewer than four filled cells among the eight
// around it, from the three columns' marks; the counting and the test run over plain bytes, many
// rows at once, and the rows found are then picked out eight at a time (most words hold none).
void findLoose(const uint8_t* left, const uint8_t* mid, const uint8_t* right, int32_t x, int32_t h,
               uint8_t* looseRows, std::vector<GridPoint>& loose) {
  for (int32_t y = 0; y < h; ++y) {
    const auto around = static_cast<uint8_t>(left[y] + left[y + 1] + left[y + 2] + mid[y] + mid[y + 2] + right[y] +
                                             right[y + 1] + right[y + 2]);
    looseRows[y] = static_cast<uint8_t>(mid[y + 1] & (around < 4 ? 1 : 0));
  }
  int32_t y = 0;
  for (; y + 8 <= h; y += 8) {
    uint64_t word = 0;
    std::memcpy(&word, looseRows + y, sizeof word);
    if (word == 0) continue;
    for (int32_t i = 0; i < 8; ++i) {
      if (looseRows[y + i] != 0) loose.push_back({x, y + i});
    }
  }
  for (; y < h; ++y) {
    if (looseRows[y] != 0) loose.push_back({x, y});
  }
}

}  // namespace

// Every loose block is found before any is taken away, so the order of the clearing does not
// matter. The walk keeps one byte per row for three neighbouring columns, each column's marks made
// once from its cells as they lie in memory (see column_byte_walk.h).
void erodeLooseBlocks(WorldGenerator& g) {
  const int32_t w = g.width, h = g.height;
  const MapBlock* cells = g.map.cells();
  const auto column = [&](int32_t x) { return cells + static_cast<size_t>(x) * static_cast<size_t>(h); };
  std::vector<uint8_t> looseRows(static_cast<size_t>(h));
  std::vector<GridPoint> loose;
  walkColumnBytes(
      w, h, [&](int32_t x, uint8_t* filled) { markFilled(column(x), h, filled); },
      [&](int32_t x, const uint8_t* left, const uint8_t* mid, const uint8_t* right) {
        g.checkStop();
        findLoose(left, mid, right, x, h, looseRows.data(), loose);
      });
  for (const GridPoint& p : loose) g.map.setBlockAt(0, 0, p.x, p.y, 0);
}

void generateSurface(WorldGenerator& g, const WorldParams& params) {
  const int32_t w = g.width, h = g.height, sky = g.map.heightLevel();
  const PlanetParameters& planet = g.planet.parameters;
  std::vector<float> profile(static_cast<size_t>(w), 0.0f);
  if (params.mode != 2) {
    auto noise = std::make_unique<GradientNoise>();
    for (int32_t x = 0; x < w; ++x) {
      profile[static_cast<size_t>(x)] = static_cast<float>(noise->noise1DSum(static_cast<double>(x) * kSampleStep, kOctave, kOctave));
    }
    noise.reset();
    normalizeToRange(profile.data(), static_cast<float>(planet.surfaceAmplitude), w);
  }
  std::vector<uint16_t>& surface = g.map.surfaceLines();
  std::vector<GridPoint> sea;
  for (int32_t x = 0; x < w; ++x) {
    g.checkStop();
    const int32_t depth = static_cast<int32_t>(profile[static_cast<size_t>(x)]);
    for (int32_t r = 0; r < depth + sky; ++r) {
      const int32_t y = h - 1 - r;
      if (y < 0) break;
      MapBlock& c = g.map.cell(x, y);
      if (planet.liquidLevel == -1 || y > h - sky - planet.liquidLevel) {
        c.setLayer(0, 0, MapBlock::kFront);
        c.setLayer(0, 0, MapBlock::kBack);
        clearDecoIds(c);
        c.setBlockState(0);
      } else {
        c.setFront(0, 0, 0);
        g.addLiquidSource(c, planet.liquidKind);
        sea.push_back({x, y});
      }
    }
    surface[static_cast<size_t>(x)] = static_cast<uint16_t>(std::max(0, h - depth - sky));
  }
  closeSeaBasin(g, sea);
}
