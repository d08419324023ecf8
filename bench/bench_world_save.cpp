// Saving and loading the largest world (4096x512) generated on the home planet, each held against
// the least work that gives the same answer (bench/support/least_work_world_file.h), timed in the
// same run:
//   save: the whole save (the snapshot the main thread takes and the file the save worker writes)
//     against the cells packed into a kept buffer, deflated at the format's level and written out;
//     before timing, that stream is checked to be byte for byte the cell section the save wrote
//     (the rest of the file is a few kilobytes).
//   autosave pause: what a world save costs the main thread (`LocalSaves::saveWorld` in a scratch
//     writable root: the snapshot and the worker's start), the first save (from the copy the world's
//     maker kept, as the game's generation keeps it) and the longest of the rest, each after a
//     player's worth of changes (64 edits' columns marked, spread over the world), in wall time
//     and the thread's own CPU time for a loaded machine, against a plain copy of the whole grid
//     into a kept buffer (checked equal to the world's) timed beside each save; and how long the
//     worker then takes to have the file on disk.
//   compression levels: each level's stream size and time for the packed cells, each stream
//     checked to inflate back to them (any level reads back; the format fixes only the reader).
//   load: reading the file into a fresh world against a complete independent load (the file read,
//     its surface line and cell sections found, the cells inflated and unpacked, shadows and light
//     computed from nothing); before timing, the two worlds' cells are checked equal, every field
//     of every cell.
// Also the file's size and the memory each adds at its peak (the process's peak resident size is
// reset before each, so generation does not hide it).
// The content file is <build>/data/data.dat (run from the build folder) or RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "bench/support/largest_world.h"
#include "bench/support/least_work_world_file.h"
#include "bench/support/thread_cpu_clock.h"
#include "engine/io/byte_writer.h"
#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/launch/local_saves.h"
#include "saves/store/world_entry.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_file.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_file_snapshot.h"
#include "saves/world/world_info.h"
#include "saves/world/world_save_links.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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
    std::unique_ptr<World> world = bench::generateLargestWorld();
    if (world == nullptr) return std::unique_ptr<LargestWorld>();
    auto largest = std::make_unique<LargestWorld>();
    largest->world = std::move(world);
    largest->entry.fileName = "World1.dat";
    largest->entry.displayName = "Bench";
    largest->entry.params = largest->world->map().params();
    largest->packed = packCells(largest->world->map());
    return largest;
  }();
  return made.get();
}

std::span<const MapBlock> cellsOf(const World& world) {
  return {world.map().cells(), world.map().cellCount()};
}

std::string benchPath(const char* name) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp ? tmp : "/tmp") + "/" + name;
}

// The format's level, as the save writes its sections.
constexpr int kLevel = 6;

void writeBytes(const std::string& path, std::span<const uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

bool inflatesTo(std::span<const uint8_t> stream, const std::vector<uint8_t>& expected) {
  std::vector<uint8_t> out(expected.size());
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  const libdeflate_result result =
      libdeflate_gzip_decompress(decompressor, stream.data(), stream.size(), out.data(), out.size(), nullptr);
  libdeflate_free_decompressor(decompressor);
  return result == LIBDEFLATE_SUCCESS && out == expected;
}

// The stored (compressed) body of the file's cell section, or nothing.
std::vector<uint8_t> storedCellSection(const std::string& path) {
  const std::vector<uint8_t> file = bench::readWholeFile(path);
  kel::FileHandle handle(path, kel::FileHandle::READ);
  DataStreamReader reader(handle);
  const SectionEntry* cells = reader.openSection(world_file::kCells);
  if (reader.failed() || cells == nullptr || uint64_t{cells->offset} + cells->size > file.size()) return {};
  return std::vector<uint8_t>(file.begin() + cells->offset, file.begin() + cells->offset + cells->size);
}

// Every field of every cell.
bool sameCells(std::span<const MapBlock> a, std::span<const MapBlock> b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const MapBlock& x, const MapBlock& y) {
           return packMapBlock(x) == packMapBlock(y) && x.x == y.x && x.y == y.y && x.skyShadow == y.skyShadow &&
                  x.reserved == y.reserved && x.blockLight == y.blockLight && x.flags == y.flags;
         });
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
  WorldFileSnapshot snapshot;
  bench::LeastWorkCellSave least(kLevel);
  {
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    takeWorldFileSnapshot(snapshot, largest->entry, *largest->world, {}, links);
    const std::span<const uint8_t> stream = least.deflate(cellsOf(*largest->world));
    if (!writeWorldFileSnapshot(file, snapshot) ||
        storedCellSection(path) != std::vector<uint8_t>(stream.begin(), stream.end())) {
      state.SkipWithError("the baseline's stream is not the cell section the save writes");
      return;
    }
  }
  double snapshotMs = 0, writeMs = 0, baseMs = 0, savePeak = 0, basePeak = 0;
  size_t streamBytes = 0;
  for (auto _ : state) {
    savePeak = bench::addedPeakMegabytes([&] {
      Clock::time_point start = Clock::now();
      takeWorldFileSnapshot(snapshot, largest->entry, *largest->world, {}, links);
      snapshotMs += msSince(start);
      start = Clock::now();
      kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
      benchmark::DoNotOptimize(writeWorldFileSnapshot(file, snapshot));
      writeMs += msSince(start);
    });
    basePeak = bench::addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      const std::span<const uint8_t> stream = least.deflate(cellsOf(*largest->world));
      writeBytes(gzPath, stream);
      baseMs += msSince(start);
      streamBytes = stream.size();
    });
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["save_ms"] = (snapshotMs + writeMs) / n;
  state.counters["snapshot_ms"] = snapshotMs / n;
  state.counters["write_ms"] = writeMs / n;
  state.counters["pack_deflate_ms"] = baseMs / n;
  state.counters["ratio"] = (snapshotMs + writeMs) / baseMs;
  state.counters["file_mb"] = static_cast<double>(bench::readWholeFile(path).size()) / (1024.0 * 1024.0);
  state.counters["stream_mb"] = static_cast<double>(streamBytes) / (1024.0 * 1024.0);
  state.counters["packed_mb"] = static_cast<double>(largest->packed.size()) / (1024.0 * 1024.0);
  state.counters["save_peak_mb"] = savePeak;
  state.counters["pack_deflate_peak_mb"] = basePeak;
}

// A scratch writable root for the store, gone with the benchmark.
class ScratchHome {
 public:
  ScratchHome() {
    char pattern[] = "/tmp/bench_saves_XXXXXX";
    const char* made = mkdtemp(pattern);
    path_ = made != nullptr ? made : "";
    setenv("XDG_DATA_HOME", path_.c_str(), 1);
  }
  ~ScratchHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchHome(const ScratchHome&) = delete;
  ScratchHome& operator=(const ScratchHome&) = delete;

 private:
  std::string path_;
};

void BM_AutosavePauseOfLargest(benchmark::State& state) {
  LargestWorld* largest = largestWorld();
  if (largest == nullptr) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  ScratchHome home;
  kel::DesktopFileSystem files;
  LocalSaves saves(files);
  saves.worlds().list();
  saves.worlds().createEntry(largest->entry.params, 0);
  const std::span<const MapBlock> cells = cellsOf(*largest->world);
  std::vector<MapBlock> copy(cells.begin(), cells.end());
  if (!sameCells(copy, cells)) {
    state.SkipWithError("the baseline's copy differs from the world's cells");
    return;
  }
  double firstPause = -1, firstPauseCpu = 0, firstCopy = 0, longestPause = 0, longestPauseCpu = 0, pauses = 0,
         writes = 0, copies = 0, longestCopy = 0, worstRatio = 0, firstCopyCpu = 0, pausesCpu = 0, copiesCpu = 0;
  long saved = 0, count = 0;
  WorldMap& map = largest->world->map();
  LocalSaves::prepareWorldSave(*largest->world);  // on the generating thread in the game
  uint32_t column = 7;
  for (auto _ : state) {
    // A player's edits between two saves: the cells stay as they were (later benchmarks compare
    // them), but their columns are marked changed, so the save copies them as it would.
    for (int edit = 0; edit < 64; ++edit) {
      column = (column * 1103515245u + 12345u) % static_cast<uint32_t>(map.width());
      map.markColumnsAround(static_cast<int32_t>(column));
    }
    const double cpuStart = bench::threadCpuSeconds();
    Clock::time_point start = Clock::now();
    saves.saveWorld(*largest->world, [&saved](bool written) { saved += written ? 1 : 0; });
    const double pause = msSince(start);
    const double pauseCpu = (bench::threadCpuSeconds() - cpuStart) * 1000.0;
    start = Clock::now();
    saves.waitForWrites();
    writes += msSince(start);
    const double copyCpuStart = bench::threadCpuSeconds();
    start = Clock::now();
    copy.assign(cells.begin(), cells.end());
    benchmark::DoNotOptimize(copy.data());
    const double copied = msSince(start);
    const double copiedCpu = (bench::threadCpuSeconds() - copyCpuStart) * 1000.0;
    if (firstPause < 0) {
      firstPause = pause;
      firstPauseCpu = pauseCpu;
      firstCopy = copied;
      firstCopyCpu = copiedCpu;
      continue;
    }
    pausesCpu += pauseCpu;
    copiesCpu += copiedCpu;
    worstRatio = std::max(worstRatio, pause / copied);
    longestPause = std::max(longestPause, pause);
    longestPauseCpu = std::max(longestPauseCpu, pauseCpu);
    longestCopy = std::max(longestCopy, copied);
    pauses += pause;
    copies += copied;
    ++count;
  }
  if (saved != state.iterations()) state.SkipWithError("a save did not reach the disk");
  state.counters["first_pause_ms"] = firstPause;
  state.counters["first_pause_cpu_ms"] = firstPauseCpu;
  state.counters["first_ratio"] = firstCopy > 0 ? firstPause / firstCopy : 0.0;
  // The same in the thread's own CPU time, which a busy machine's waits do not inflate.
  state.counters["first_cpu_ratio"] = firstCopyCpu > 0 ? firstPauseCpu / firstCopyCpu : 0.0;
  state.counters["cpu_ratio"] = copiesCpu > 0 ? pausesCpu / copiesCpu : 0.0;
  state.counters["copy_cpu_ms"] = count > 0 ? copiesCpu / static_cast<double>(count) : 0.0;
  state.counters["longest_pause_ms"] = longestPause;
  state.counters["longest_pause_cpu_ms"] = longestPauseCpu;
  state.counters["mean_pause_ms"] = count > 0 ? pauses / static_cast<double>(count) : 0.0;
  state.counters["copy_ms"] = count > 0 ? copies / static_cast<double>(count) : 0.0;
  state.counters["longest_copy_ms"] = longestCopy;
  state.counters["ratio"] = copies > 0 ? pauses / copies : 0.0;
  state.counters["worst_ratio"] = worstRatio;
  state.counters["worker_write_ms"] = writes / static_cast<double>(state.iterations());
}

void BM_CompressionLevel(benchmark::State& state) {
  LargestWorld* largest = largestWorld();
  if (largest == nullptr) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  const int level = static_cast<int>(state.range(0));
  bench::LeastWorkCellSave least(level);
  if (!inflatesTo(least.deflate(cellsOf(*largest->world)), largest->packed)) {
    state.SkipWithError("the stream does not inflate back to the packed cells");
    return;
  }
  double ms = 0;
  size_t bytes = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    bytes = least.deflate(cellsOf(*largest->world)).size();
    ms += msSince(start);
  }
  state.counters["deflate_ms"] = ms / static_cast<double>(state.iterations());
  state.counters["stream_mb"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
  state.counters["of_packed"] = static_cast<double>(bytes) / static_cast<double>(largest->packed.size());
}

void BM_LoadLargestVsCompleteLoad(benchmark::State& state) {
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
  {
    std::unique_ptr<World> loaded = World::create(nullptr, largest->entry.params);
    std::unique_ptr<World> least = World::create(nullptr, largest->entry.params);
    kel::FileHandle file(path, kel::FileHandle::READ);
    if (!readWorldFile(file, *loaded, links) || !bench::leastWorkLoadCells(path, least->map()) ||
        !sameCells(cellsOf(*loaded), cellsOf(*least)) || packCells(loaded->map()) != largest->packed) {
      state.SkipWithError("the load and the baseline do not give the same cells");
      return;
    }
  }
  double loadMs = 0, leastMs = 0, loadPeak = 0, leastPeak = 0;
  bool loaded = true;
  for (auto _ : state) {
    std::unique_ptr<World> world = World::create(nullptr, largest->entry.params);
    loadPeak = bench::addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      kel::FileHandle file(path, kel::FileHandle::READ);
      loaded = readWorldFile(file, *world, links) && loaded;
      loadMs += msSince(start);
    });
    std::unique_ptr<World> least = World::create(nullptr, largest->entry.params);
    leastPeak = bench::addedPeakMegabytes([&] {
      const Clock::time_point start = Clock::now();
      loaded = bench::leastWorkLoadCells(path, least->map()) && loaded;
      leastMs += msSince(start);
    });
  }
  if (!loaded) state.SkipWithError("the saved world did not read back");
  const double n = static_cast<double>(state.iterations());
  state.counters["load_ms"] = loadMs / n;
  state.counters["complete_load_ms"] = leastMs / n;
  state.counters["ratio"] = loadMs / leastMs;
  state.counters["load_peak_mb"] = loadPeak;
  state.counters["complete_load_peak_mb"] = leastPeak;
}

BENCHMARK(BM_SaveLargestVsPackAndDeflate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AutosavePauseOfLargest)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_CompressionLevel)->Unit(benchmark::kMillisecond)->DenseRange(1, 12)->Iterations(3);
BENCHMARK(BM_LoadLargestVsCompleteLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
