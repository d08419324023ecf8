// Loading "data.dat" into the definition tables against a plain read of the same file.
// The file is <build>/data/data.dat (run from the build folder) or the one named by
// RUBBLE_DATA_FILE.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content/loader/content_database.h"

namespace {

std::string contentPath() {
  const char* path = std::getenv("RUBBLE_DATA_FILE");
  return path ? path : "data/data.dat";
}

std::vector<char> readWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void BM_PlainRead(benchmark::State& state) {
  const std::string path = contentPath();
  if (readWhole(path).empty()) {
    state.SkipWithError("no data.dat; run from the build folder or set RUBBLE_DATA_FILE");
    return;
  }
  for (auto _ : state) {
    auto bytes = readWhole(path);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_PlainRead);

void BM_LoadContentDatabase(benchmark::State& state) {
  const std::string path = contentPath();
  setContentAlertHandler([](const std::string&, const std::string&) {});
  for (auto _ : state) {
    const uint32_t checksum = loadContentDatabase(path);
    benchmark::DoNotOptimize(checksum);
    if (!verifyContentChecksum(checksum)) {
      state.SkipWithError(("data.dat does not load: " + contentLoadError()).c_str());
      break;
    }
  }
  resetContentDatabase();
}
BENCHMARK(BM_LoadContentDatabase);

}  // namespace
BENCHMARK_MAIN();
