// Saving and loading the largest world (4096x512) generated on the home planet, each against the
// least work that gives the same answer, timed in the same run:
//   save: packing the cells, one whole-buffer gzip stream of them at the format's level and
//     writing it out; before timing, that stream is checked to be byte for byte the cell section
//     the save wrote (the rest of the file is a few kilobytes).
//   load: reading that stream back, inflating it, then shading and relighting the whole map as a
//     load must; before timing, the inflated bytes are checked to be the packed cells and the
//     loaded world's cells to pack to them again.
// Also the file's size, the memory each adds at its peak (the process's peak resident size is
// reset before each, so generation does not hide it), and the unpacking and relight alone.
// The content file is <build>/data/data.dat (run from the build folder) or RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>
#include <libdeflate.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/store/world_entry.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_file.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "world/light/light_map.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's resident and peak resident sizes in MB; the peak can be reset to the present.
double statusMegabytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::string(field).size()) / 1024.0;
  }
  return 0.0;
}
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }
// What the call adds to the resident size at its peak.
template <typename Call>
double addedPeakMegabytes(Call&& call) {
  resetPeak();
  const double before = statusMegabytes("VmRSS:");
  call();
  return statusMegabytes("VmHWM:") - before;
}

std::vector<uint8_t> packCells(const WorldMap& map) {
  engine::ByteWriter packed;
  packMapBlocks(packed, {map.cells(), map.cellCount()});
  return packed.release();
}

struct LargestWorld {
  std::unique_ptr<World> world;
  WorldEntry entry;
  std::vector<uint8_t> packed;
};

LargestWorld* largestWorld() {
  static std::unique_ptr<LargestWorld> made = [] {
    const char* path = std::getenv("RUBBLE_DATA_FILE");
    setContentAlertHandler([](const std::string&, const std::string&) {});
    loadContentDatabase(path ? path : "data/data.dat");
    if (!contentLoadError().empty() || planetDefs().empty()) return std::unique_ptr<LargestWorld>();
    auto largest = std::make_unique<LargestWorld>();
    WorldParams params;
    params.planetId = planetDefs().front()->id;
    params.sizeIndex = 4;
    engine::randomSeed(1);
    largest->world = World::create(nullptr, params);
    largest->world->generate(nullptr);
    largest->entry.fileName = "World1.dat";
    largest->entry.displayName = "Bench";
    largest->entry.params = params;
    largest->packed = packCells(largest->world->map());
    return largest;
  }();
  return made.get();
}

std::string benchPath(const char* name) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp ? tmp : "/tmp") + "/" + name;
}

// The format's level, as the save writes its sections.
constexpr int kLevel = 6;

// One gzip stream into room that is never initialised (pages it does not reach stay untouched).
struct Stream {
  std::unique_ptr<uint8_t[]> room;
  size_t size = 0;
  std::vector<uint8_t> bytes() const { return {room.get(), room.get() + size}; }
};

Stream gzipWhole(const std::vector<uint8_t>& source) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(kLevel);
  const size_t bound = libdeflate_gzip_compress_bound(compressor, source.size());
  Stream stream{std::make_unique_for_overwrite<uint8_t[]>(bound), 0};
  stream.size = libdeflate_gzip_compress(compressor, source.data(), source.size(), stream.room.get(), bound);
  libdeflate_free_compressor(compressor);
  return stream;
}

bool gunzipWhole(const std::vector<uint8_t>& source, std::vector<uint8_t>& out) {
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  const libdeflate_result result =
      libdeflate_gzip_decompress(decompressor, source.data(), source.size(), out.data(), out.size(), nullptr);
  libdeflate_free_decompressor(decompressor);
  return result == LIBDEFLATE_SUCCESS;
}

void writeBytes(const std::string& path, std::span<const uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The stored (compressed) body of the file's cell section, or nothing.
std::vector<uint8_t> storedCellSection(const std::string& path) {
  const std::vector<uint8_t> file = readBytes(path);
  kel::FileHandle handle(path, kel::FileHandle::READ);
  DataStreamReader reader(handle);
  const SectionEntry* cells = reader.openSection(world_file::kCells);
  if (reader.failed() || cells == nullptr || uint64_t{cells->offset} + cells->size > file.size()) return {};
  return std::vector<uint8_t>(file.begin() + cells->offset, file.begin() + cells->offset + cells->size);
}

void BM_SaveLargestVsPackAndDeflate(benchmark::State& state) {
  LargestWorld* largest = largestWorld();
  if (largest == nullptr) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  const std::string path = benchPath("bench_world_save.dat");
  const std::string gzPath = benchPath("bench_world_save.gz");
  NullWorldSaveLinks links;
  {
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    if (!writeWorldFile(file, largest->entry, *largest->world, {}, links) ||
        storedCellSection(path) != gzipWhole(packCells(largest->world->map())).bytes()) {
      state.SkipWithError("the baseline's stream is not the cell section the save writes");
      return;
    }
  }
  double saveMs = 0, baseMs = 0, savePeak = 0, basePeak = 0;
  size_t streamBytes = 0;
  for (auto _ : state) {
    savePeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
      benchmark::DoNotOptimize(writeWorldFile(file, largest->entry, *largest->world, {}, links));
      saveMs += msSince(start);
    });
    basePeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      const Stream stream = gzipWhole(packCells(largest->world->map()));
      writeBytes(gzPath, {stream.room.get(), stream.size});
      baseMs += msSince(start);
      streamBytes = stream.size;
    });
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["save_ms"] = saveMs / n;
  state.counters["pack_deflate_ms"] = baseMs / n;
  state.counters["ratio"] = saveMs / baseMs;
  state.counters["file_mb"] = static_cast<double>(readBytes(path).size()) / (1024.0 * 1024.0);
  state.counters["stream_mb"] = static_cast<double>(streamBytes) / (1024.0 * 1024.0);
  state.counters["packed_mb"] = static_cast<double>(largest->packed.size()) / (1024.0 * 1024.0);
  state.counters["save_peak_mb"] = savePeak;
  state.counters["pack_deflate_peak_mb"] = basePeak;
}

void BM_LoadLargestVsInflateAndRelight(benchmark::State& state) {
  LargestWorld* largest = largestWorld();
  if (largest == nullptr) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  const std::string path = benchPath("bench_world_load.dat");
  NullWorldSaveLinks links;
  {
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    writeWorldFile(file, largest->entry, *largest->world, {}, links);
  }
  const std::string gzPath = benchPath("bench_world_load.gz");
  writeBytes(gzPath, gzipWhole(largest->packed).bytes());
  {
    std::vector<uint8_t> cells(largest->packed.size());
    std::unique_ptr<World> world = World::create(nullptr, largest->entry.params);
    kel::FileHandle file(path, kel::FileHandle::READ);
    if (!gunzipWhole(readBytes(gzPath), cells) || cells != largest->packed ||
        !readWorldFile(file, *world, links) || packCells(world->map()) != largest->packed) {
      state.SkipWithError("the load and the baseline do not both give back the packed cells");
      return;
    }
  }
  double loadMs = 0, inflateMs = 0, unpackMs = 0, relightMs = 0, loadPeak = 0, inflatePeak = 0;
  bool loaded = true;
  for (auto _ : state) {
    std::unique_ptr<World> world = World::create(nullptr, largest->entry.params);
    loadPeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      kel::FileHandle file(path, kel::FileHandle::READ);
      loaded = readWorldFile(file, *world, links) && loaded;
      loadMs += msSince(start);
    });
    inflatePeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      const std::vector<uint8_t> stream = readBytes(gzPath);
      std::vector<uint8_t> cells(largest->packed.size());
      benchmark::DoNotOptimize(gunzipWhole(stream, cells));
      benchmark::DoNotOptimize(cells.data());
      inflateMs += msSince(start);
    });
    Clock::time_point start = Clock::now();
    WorldMap& map = world->map();
    unpackMapBlocks(largest->packed, {map.cells(), map.cellCount()}, map.width(), map.height());
    unpackMs += msSince(start);
    start = Clock::now();
    map.precomputeShadows();
    map.lightMap().relightAll();
    relightMs += msSince(start);
  }
  if (!loaded) state.SkipWithError("the saved world did not read back");
  const double n = static_cast<double>(state.iterations());
  state.counters["load_ms"] = loadMs / n;
  state.counters["inflate_ms"] = inflateMs / n;
  state.counters["shadows_and_relight_ms"] = relightMs / n;
  state.counters["inflate_relight_ms"] = (inflateMs + relightMs) / n;
  state.counters["ratio"] = loadMs / (inflateMs + relightMs);
  state.counters["unpack_ms"] = unpackMs / n;
  state.counters["load_peak_mb"] = loadPeak;
  state.counters["inflate_peak_mb"] = inflatePeak;
}

BENCHMARK(BM_SaveLargestVsPackAndDeflate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadLargestVsInflateAndRelight)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
