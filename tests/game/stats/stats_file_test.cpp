// The statistics file's bytes: the empty store's 624 bytes and files that lie about their sizes or
// name categories the store does not have.
#include "game/stats/stats_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void putU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

TEST(StatsFileTest, EmptyStoreWritesMagicCountersAndThirteenEmptyCategories) {
  Bytes golden = {'R', 'B', 'S', 'W'};
  golden.resize(4 + 512, 0);
  putU32(golden, 13);
  for (uint32_t c = 0; c < 13; ++c) putU32(golden, c), putU32(golden, 0);
  EXPECT_EQ(golden.size(), 624u);
  EXPECT_EQ(writeStatsBytes(StatsRecord{}), golden);
}

TEST(StatsFileTest, DamagedFilesKeepWhatTheyCannotGive) {
  StatsRecord stats;
  stats.counters[3] = 11;
  const Bytes good = writeStatsBytes(stats);
  auto withCategories = [&](std::initializer_list<uint32_t> words) {
    Bytes bytes(good.begin(), good.begin() + 516);
    for (uint32_t w : words) putU32(bytes, w);
    return bytes;
  };
  struct Case {
    const char* what;
    Bytes bytes;
    bool ok;
  } cases[] = {
      {"cut inside the counters", Bytes(good.begin(), good.begin() + 100), false},
      {"a category the store does not have", withCategories({1, 13, 1, 4, 0x0700}), true},
      {"more records than bytes", withCategories({1, 2, 0x10000000, 4, 7}), false},
  };
  for (const Case& c : cases) {
    StatsRecord loaded;
    loaded.categories[2][1] = 5;
    EXPECT_EQ(readStatsBytes(c.bytes, loaded), c.ok) << c.what;
    EXPECT_EQ(loaded.categories[2].at(1), 5u) << c.what;
    for (uint32_t i = 0; i < kStatCategoryCount; ++i) {
      if (i != 2) {
        EXPECT_TRUE(loaded.categories[i].empty()) << c.what << " " << i;
      }
    }
  }
}

}  // namespace
