// Loading "data.dat" into the definition tables, each time beside the least that any loader of
// the file must do: one sized read of the whole file and one checksum pass over its bytes. That
// baseline is a lower bound, not the same answer (it fills no table), and the output says so.
// The file is <build>/data/data.dat (run from the build folder) or the one named by
// RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/support/side_by_side.h"
#include "content/loader/content_database.h"
#include "engine/window/alert.h"

namespace {

std::string contentPath() {
  const char* path = std::getenv("RUBBLE_DATA_FILE");
  return path ? path : "data/data.dat";
}

// One read of the size the file has; empty when it cannot be read.
std::vector<uint8_t> sizedRead(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    std::rewind(file);
    if (size > 0) {
      bytes.resize(static_cast<size_t>(size));
      bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
  }
  std::fclose(file);
  return bytes;
}

// 32-bit FNV-1, written plainly: the pass every loader makes to check the content.
uint32_t checksumPass(const std::vector<uint8_t>& bytes) {
  uint32_t hash = 0x811C9DC5u;
  for (uint8_t byte : bytes) hash = (hash * 16777619u) ^ byte;
  return hash;
}

void BM_LoadContentVsSizedRead(benchmark::State& state) {
  const std::string path = contentPath();
  if (sizedRead(path).empty()) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  // A damaged file is this run's own answer, not an alert for anyone.
  static engine::SilentAlertBox silent;
  engine::setAlertBox(&silent);
  bench::SideBySide timing;
  bool intact = true;
  for (auto _ : state) {
    timing.engine([&] {
      const uint32_t checksum = loadContentDatabase(path);
      intact = intact && verifyContentChecksum(checksum);
    });
    timing.baseline([&] {
      const std::vector<uint8_t> bytes = sizedRead(path);
      benchmark::DoNotOptimize(checksumPass(bytes));
    });
  }
  if (!intact) state.SkipWithError(("data.dat does not load: " + contentLoadError()).c_str());
  timing.report(state);
  state.counters["file_kb"] = static_cast<double>(sizedRead(path).size()) / 1024.0;
  state.SetLabel("baseline: a lower bound (one sized read and one checksum pass), not the same answer");
  resetContentDatabase();
}
BENCHMARK(BM_LoadContentVsSizedRead)->Apply(bench::repeatForMedians);

}  // namespace
BENCHMARK_MAIN();
