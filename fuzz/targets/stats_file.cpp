// The statistics file: whatever it holds, what is written from it reads back the same.
#include "fuzz/support/fuzz_one.h"
#include "game/stats/stats_file.h"

int fuzzOne(const uint8_t* data, size_t size) {
  StatsRecord stats;
  readStatsBytes({data, size}, stats);
  const std::vector<uint8_t> written = writeStatsBytes(stats);
  StatsRecord again;
  fuzzCheck(readStatsBytes(written, again), "a written statistics file reads");
  fuzzCheck(writeStatsBytes(again) == written, "a written statistics file reads back unchanged");
  return 0;
}
