// The host's and the joining player's command lines, the script steps a joined player adds, and
// the frame-time figures the host reports.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/world_tool/frame_times.h"
#include "tools/world_tool/play_script.h"
#include "tools/world_tool/world_tool_args.h"

namespace {

using world_tool::Command;
using world_tool::parseArgs;

TEST(WorldToolNetworkArgs, TheHostTakesTheWorldThePortTheLimitTheTimeAndTheSaveFile) {
  std::string error;
  const auto host = parseArgs({"host", "--planet", "terra", "--size", "4", "--seed", "9", "--port", "30000", "--limit",
                               "9", "--seconds", "60", "--save", "w.dat", "--listen", "127.0.0.1"},
                              error);
  ASSERT_TRUE(host) << error;
  EXPECT_EQ(host->command, Command::Host);
  EXPECT_EQ(host->planet, "terra");
  EXPECT_EQ(host->sizeIndex, 4);
  EXPECT_EQ(host->seed, 9u);
  EXPECT_EQ(host->port, 30000);
  EXPECT_EQ(host->playerLimit, 9);
  EXPECT_DOUBLE_EQ(host->seconds, 60.0);
  EXPECT_EQ(host->savePath, "w.dat");
  EXPECT_EQ(host->hostAddress, "127.0.0.1");

  const auto plain = parseArgs({"host", "--planet", "terra", "--size", "0", "--seed", "1", "--port", "0"}, error);
  ASSERT_TRUE(plain) << error;
  EXPECT_EQ(plain->playerLimit, 4) << "the program's own default limit";
  EXPECT_DOUBLE_EQ(plain->seconds, 0.0) << "until interrupted";
  EXPECT_TRUE(plain->hostAddress.empty()) << "every address";
}

TEST(WorldToolNetworkArgs, AHostWithoutAPortOrWithValuesOutOfRangeIsRefused) {
  const std::vector<std::string> world{"host", "--planet", "terra", "--size", "0", "--seed", "1"};
  for (const std::vector<std::string>& extra : std::vector<std::vector<std::string>>{
           {},
           {"--port", "70000"},
           {"--port", "-1"},
           {"--port", "1", "--limit", "0"},
           {"--port", "1", "--limit", "256"},
           {"--port", "1", "--seconds", "0"},
           {"--port", "1", "--seconds", "nan"},
           {"--port", "1", "--seconds", "1e9"},
           {"--port", "1", "--script", "x"}}) {
    std::vector<std::string> args = world;
    args.insert(args.end(), extra.begin(), extra.end());
    std::string error;
    EXPECT_FALSE(parseArgs(args, error)) << args.back();
    EXPECT_FALSE(error.empty());
  }
}

TEST(WorldToolNetworkArgs, AJoinTakesHostAndPortANameAScriptAndACharacter) {
  std::string error;
  const auto join =
      parseArgs({"join", "127.0.0.1:30000", "--name", "Ann", "--script", "s.txt", "--character", "Ann.dat"}, error);
  ASSERT_TRUE(join) << error;
  EXPECT_EQ(join->command, Command::Join);
  EXPECT_EQ(join->hostAddress, "127.0.0.1");
  EXPECT_EQ(join->port, 30000);
  EXPECT_EQ(join->name, "Ann");
  EXPECT_EQ(join->scriptPath, "s.txt");
  EXPECT_EQ(join->characterPath, "Ann.dat");

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"join", "127.0.0.1", "--name", "Ann", "--script", "s.txt"},
           {"join", ":30000", "--name", "Ann", "--script", "s.txt"},
           {"join", "127.0.0.1:0", "--name", "Ann", "--script", "s.txt"},
           {"join", "127.0.0.1:x", "--name", "Ann", "--script", "s.txt"},
           {"join", "127.0.0.1:30000", "--script", "s.txt"},
           {"join", "127.0.0.1:30000", "--name", "Ann"},
           {"join", "--name", "Ann", "--script", "s.txt"}}) {
    EXPECT_FALSE(parseArgs(args, error)) << args[1];
  }
}

TEST(WorldToolNetworkArgs, TheScriptWalksToAColumnDropsPicksUpAndTrades) {
  std::string error;
  const auto steps =
      world_tool::parsePlayScript("drop 3\npickup\ntrade Bob\naccept\noffer 2\nready\nwalk to 300\n", error);
  ASSERT_TRUE(steps) << error;
  ASSERT_EQ(steps->size(), 7u);
  EXPECT_EQ((*steps)[6].verb, world_tool::PlayVerb::WalkTo);
  EXPECT_EQ((*steps)[6].a, 300);
  EXPECT_EQ((*steps)[0].verb, world_tool::PlayVerb::Drop);
  EXPECT_EQ((*steps)[0].a, 3);
  EXPECT_EQ((*steps)[1].verb, world_tool::PlayVerb::Pickup);
  EXPECT_EQ((*steps)[2].verb, world_tool::PlayVerb::Trade);
  EXPECT_EQ((*steps)[2].name, "Bob");
  EXPECT_EQ((*steps)[3].verb, world_tool::PlayVerb::Accept);
  EXPECT_EQ((*steps)[4].verb, world_tool::PlayVerb::Offer);
  EXPECT_EQ((*steps)[4].a, 2);
  EXPECT_EQ((*steps)[5].verb, world_tool::PlayVerb::Ready);

  const auto last = world_tool::parsePlayScript("place 1 2\nlast look\n", error);
  ASSERT_TRUE(last) << error;
  ASSERT_EQ(last->size(), 2u);
  EXPECT_EQ((*last)[1].verb, world_tool::PlayVerb::LastLook);
  EXPECT_EQ((*last)[1].line, 2);

  for (const char* bad : {"walk to\n", "walk to -1\n", "walk to 70000\n", "drop 10\n", "drop\n", "trade\n",
                          "trade a b\n", "offer 10\n", "pickup 1\n", "last\n", "last look now\n",
                          "trade ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n"}) {
    EXPECT_FALSE(world_tool::parsePlayScript(bad, error)) << bad;
    EXPECT_EQ(error.rfind("line 1:", 0), 0u) << error;
  }
}

TEST(WorldToolFrameTimes, TheMedianThe99thPercentileAndTheWorstOfTheFramesFromAPointOn) {
  world_tool::FrameTimes times;
  times.add(100.0);  // a join's frame, before the point
  for (int i = 1; i <= 100; ++i) times.add(static_cast<double>(i) / 10.0);
  EXPECT_DOUBLE_EQ(times.worst(), 100.0);
  EXPECT_DOUBLE_EQ(times.worst(1), 10.0);
  EXPECT_DOUBLE_EQ(times.percentile(0.5, 1), 5.0);
  EXPECT_DOUBLE_EQ(times.percentile(0.99, 1), 9.9);
  EXPECT_NEAR(times.mean(1), 5.05, 1e-9);
  EXPECT_DOUBLE_EQ(times.percentile(0.99, 101), 0.0) << "no frames from there";
}

}  // namespace
