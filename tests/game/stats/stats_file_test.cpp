// The statistics file's bytes: the empty store's 624 bytes, round trips, and files that lie about
// their sizes or name categories the store does not have.
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

TEST(StatsFileTest, RecordsAreWrittenInIdOrderAndReadBack) {
  StatsRecord stats;
  stats.counters[0] = 7;
  stats.counters[127] = 0xFFFFFFFF;
  stats.categories[12][300] = 2;
  stats.categories[12][5] = 9;
  const Bytes bytes = writeStatsBytes(stats);
  // Category 12 is last: index, n = 2, then (9, id 5) before (2, id 300).
  const Bytes tail(bytes.end() - 20, bytes.end());
  EXPECT_EQ(tail, (Bytes{12, 0, 0, 0, 2, 0, 0, 0, 9, 0, 0, 0, 5, 0, 2, 0, 0, 0, 0x2C, 0x01}));

  StatsRecord loaded;
  ASSERT_TRUE(readStatsBytes(bytes, loaded));
  EXPECT_EQ(loaded.counters, stats.counters);
  EXPECT_EQ(loaded.categories, stats.categories);
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
      {"a category count far beyond the file", withCategories({0xFFFFFFFF, 0, 0}), false},
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
