// A character's statistics file and her hosts file written while the process dies: at each step
// of the write that changes something on disk (a forked child that exits there), and half-way
// through writing the bytes (the child killed by the file-size limit). Each time the file holds
// the bytes it had or the new ones, whole, and the next write goes through.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/stats/stats_file.h"
#include "saves/store/character_store.h"
#include "saves/store/host_tokens.h"
#include "tests/saves/store/step_file_system.h"
#include "tests/support/temp_dir.h"

namespace {

using savetest::StepFileSystem;

// A write of the current character's side file, through a store on the given file system.
using SideWrite = std::function<bool(CharacterStore&)>;

class SideFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kel::DesktopFileSystem files;
    CharacterStore store(files, folder());
    store.scan("");
    auto entry = std::make_unique<PlayerEntry>("", "Ada", 0);
    entry->displayName = "Ada";
    ASSERT_TRUE(store.create(std::move(entry), std::nullopt));
  }

  std::string folder() const { return dir_.file("players"); }

  bool write(kel::FileSystemBridge& files, const SideWrite& side) const {
    CharacterStore store(files, folder());
    store.scan("Ada");
    return store.current() != nullptr && side(store);
  }

  // Kills a write of `next` over the file holding `old` at each step in turn, and once while its
  // bytes are being written; `file` must then read as `old` or as `fresh` (what `next` writes).
  void killEachStep(const std::string& file, const SideWrite& previous, const SideWrite& next,
                    const std::string& old, const std::string& fresh) {
    kel::DesktopFileSystem plain;
    ASSERT_TRUE(write(plain, previous));
    ASSERT_EQ(dir_.read("players/" + file), old);
    StepFileSystem counter;
    ASSERT_TRUE(write(counter, next));
    ASSERT_EQ(dir_.read("players/" + file), fresh);
    const int steps = counter.steps();
    ASSERT_GE(steps, 2);
    for (int kill = -1; kill <= steps; ++kill) {
      ASSERT_TRUE(write(plain, previous));
      const int status = savetest::runKilledAtStep(kill, [&](StepFileSystem& files) {
        if (kill == -1) {
          // Writing past half the new bytes ends the process, as a kill mid-write would.
          std::signal(SIGXFSZ, SIG_DFL);
          const rlim_t half = fresh.size() / 2;
          const rlimit limit{half, half};
          setrlimit(RLIMIT_FSIZE, &limit);
        }
        write(files, next);
      });
      ASSERT_NE(status, -1);
      if (kill == -1) {
        EXPECT_TRUE(WIFSIGNALED(status)) << "the write was not cut off";
      }
      const std::string now = dir_.read("players/" + file);
      EXPECT_TRUE(now == old || now == fresh) << file << " killed at step " << kill << ": " << now.size()
                                              << " bytes";
    }
    ASSERT_TRUE(write(plain, next)) << "a leftover of a killed write is no obstacle";
    EXPECT_EQ(dir_.read("players/" + file), fresh);
  }

  testsupport::TempDir dir_;
};

TEST_F(SideFilesTest, AKillWhileTheStatisticsAreWrittenLeavesTheOldFileOrTheNewOne) {
  StatsRecord before;
  before.counters[0] = 1;
  StatsRecord after = before;
  after.counters[0] = 2;
  for (uint16_t id = 1; id <= 40; ++id) after.categories[1][id] = id;
  const std::vector<uint8_t> oldBytes = writeStatsBytes(before);
  const std::vector<uint8_t> newBytes = writeStatsBytes(after);
  killEachStep(
      "Ada.stat", [&](CharacterStore& store) { return store.saveStatsBytes(oldBytes); },
      [&](CharacterStore& store) { return store.saveStatsBytes(newBytes); },
      std::string(oldBytes.begin(), oldBytes.end()), std::string(newBytes.begin(), newBytes.end()));
}

TEST_F(SideFilesTest, AKillWhileAHostsTokenIsKeptLeavesTheTokensSheHadOrTheNewOnes) {
  const std::vector<uint8_t> first{1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<uint8_t> second{9, 10, 11, 12, 13, 14, 15, 16};
  const HostTokens one{{"10.0.0.2:12345", first}};
  const HostTokens two{{"10.0.0.2:12345", first}, {"10.0.0.3:12345", second}};
  killEachStep(
      "Ada.hosts",
      [&](CharacterStore& store) {
        // Only the first host's token: a file written fresh.
        std::remove((folder() + "/Ada.hosts").c_str());
        return store.keepHostToken("10.0.0.2:12345", first);
      },
      [&](CharacterStore& store) { return store.keepHostToken("10.0.0.3:12345", second); },
      writeHostTokens(one), writeHostTokens(two));
}

}  // namespace
