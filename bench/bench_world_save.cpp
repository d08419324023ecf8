// Saving and loading the largest world (4096x512) generated on the home planet, against zlib's
// gzip at level 1 (and at its default level, the one the format's sections use) and its gunzip of
// the same packed cells in the same run: wall time per save and
// load, the file's size beside the level-1 stream's, and the memory each adds at its peak (the
// process's peak resident size is reset before each, so generation does not hide it). A load
// reads every section and then relights and shades the whole map; the unpacking of the cells and
// the relight are also timed on their own.
// The content file is <build>/data/data.dat (run from the build folder) or RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/store/world_entry.h"
#include "saves/world/map_packing.h"
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
    const WorldMap& map = largest->world->map();
    engine::ByteWriter packed;
    packMapBlocks(packed, {map.cells(), map.cellCount()});
    largest->packed = packed.release();
    return largest;
  }();
  return made.get();
}

std::string benchPath(const char* name) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp ? tmp : "/tmp") + "/" + name;
}

// The baseline: one gzip stream of the packed cells at the level, written out. Level 1 is the
// fastest gzip; the file format's sections use zlib's default level, measured beside it so that
// what the save adds to the compression itself shows.
std::vector<uint8_t> gzipAtLevel(const std::vector<uint8_t>& source, int level) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&stream, source.size()));
  stream.next_in = const_cast<Bytef*>(source.data());
  stream.avail_in = static_cast<uInt>(source.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

void gunzip(const std::vector<uint8_t>& source, std::vector<uint8_t>& out) {
  z_stream stream{};
  inflateInit2(&stream, 47);
  stream.next_in = const_cast<Bytef*>(source.data());
  stream.avail_in = static_cast<uInt>(source.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  inflate(&stream, Z_FINISH);
  inflateEnd(&stream);
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void BM_SaveLargestVsGzip1(benchmark::State& state) {
  LargestWorld* largest = largestWorld();
  if (largest == nullptr) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  const std::string path = benchPath("bench_world_save.dat");
  const std::string gzPath = benchPath("bench_world_save.gz");
  NullWorldSaveLinks links;
  double saveMs = 0, gzipMs = 0, defaultMs = 0, savePeak = 0, gzipPeak = 0;
  std::vector<uint8_t> stream;
  for (auto _ : state) {
    savePeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
      benchmark::DoNotOptimize(writeWorldFile(file, largest->entry, *largest->world, {}, links));
      saveMs += msSince(start);
    });
    gzipPeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      stream = gzipAtLevel(largest->packed, 1);
      writeBytes(gzPath, stream);
      gzipMs += msSince(start);
    });
    const Clock::time_point start = Clock::now();
    writeBytes(gzPath, gzipAtLevel(largest->packed, Z_DEFAULT_COMPRESSION));
    defaultMs += msSince(start);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["save_ms"] = saveMs / n;
  state.counters["gzip1_ms"] = gzipMs / n;
  state.counters["ratio"] = saveMs / gzipMs;
  state.counters["gzip_default_ms"] = defaultMs / n;
  state.counters["ratio_to_default_level"] = saveMs / defaultMs;
  state.counters["file_mb"] = static_cast<double>(readBytes(path).size()) / (1024.0 * 1024.0);
  state.counters["gzip1_mb"] = static_cast<double>(stream.size()) / (1024.0 * 1024.0);
  state.counters["packed_mb"] = static_cast<double>(largest->packed.size()) / (1024.0 * 1024.0);
  state.counters["save_peak_mb"] = savePeak;
  state.counters["gzip1_peak_mb"] = gzipPeak;
}

void BM_LoadLargestVsGunzip(benchmark::State& state) {
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
  writeBytes(gzPath, gzipAtLevel(largest->packed, 1));
  double loadMs = 0, gunzipMs = 0, unpackMs = 0, relightMs = 0, loadPeak = 0, gunzipPeak = 0;
  bool loaded = true;
  for (auto _ : state) {
    std::unique_ptr<World> world = World::create(nullptr, largest->entry.params);
    loadPeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      kel::FileHandle file(path, kel::FileHandle::READ);
      loaded = readWorldFile(file, *world, links) && loaded;
      loadMs += msSince(start);
    });
    gunzipPeak = addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      const std::vector<uint8_t> stream = readBytes(gzPath);
      std::vector<uint8_t> cells(largest->packed.size());
      gunzip(stream, cells);
      benchmark::DoNotOptimize(cells.data());
      gunzipMs += msSince(start);
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
  state.counters["gunzip_ms"] = gunzipMs / n;
  state.counters["ratio"] = loadMs / gunzipMs;
  state.counters["unpack_ms"] = unpackMs / n;
  state.counters["shadows_and_relight_ms"] = relightMs / n;
  state.counters["ratio_without_relight"] = (loadMs - relightMs) / gunzipMs;
  state.counters["load_peak_mb"] = loadPeak;
  state.counters["gunzip_peak_mb"] = gunzipPeak;
}

BENCHMARK(BM_SaveLargestVsGzip1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadLargestVsGunzip)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
