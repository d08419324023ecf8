// Asking the world tool for help prints its usage on the standard output and succeeds, alone or
// after a command.

#include <gtest/gtest.h>

#include "tests/tools/world_tool/run_tool.h"

namespace {

using world_tool_test::runTool;

TEST(WorldToolHelp, HelpAloneOrAfterACommandPrintsTheUsageAndSucceeds) {
  const std::vector<std::vector<std::string>> asks = {
      {"--help"}, {"-h"}, {"play", "--help"}, {"play", "--planet", "terra", "-h"}, {"generate", "--help"}};
  for (const auto& ask : asks) {
    const world_tool_test::Outcome outcome = runTool(ask);
    EXPECT_EQ(outcome.code, 0) << ask.back();
    EXPECT_EQ(outcome.out.rfind("usage: world_tool generate", 0), 0u) << outcome.out;
    EXPECT_NE(outcome.out.find("world_tool play"), std::string::npos);
    EXPECT_TRUE(outcome.err.empty()) << outcome.err;
  }
  EXPECT_EQ(runTool({"fly"}).code, 2) << "a wrong command is still refused";
}

}  // namespace
