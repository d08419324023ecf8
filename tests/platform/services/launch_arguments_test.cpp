// The command line as (key, value) pairs, and what the launch reads from them.

#include "platform/launch_arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using kel::ArgumentPairs;
using kel::parseArguments;

ArgumentPairs parse(std::vector<const char*> words) {
  words.insert(words.begin(), "/games/out/bin/rubblemoor");
  return parseArguments(static_cast<int>(words.size()), words.data());
}

TEST(LaunchArguments, NoArgumentsGiveNoPairsAndTheProgramPathIsNeverAKey) {
  EXPECT_TRUE(parse({}).empty());
  const char* onlyPath[] = {"-looks-like-a-key"};
  EXPECT_TRUE(parseArguments(1, onlyPath).empty());
  EXPECT_TRUE(parseArguments(0, nullptr).empty());
}

TEST(LaunchArguments, SwitchesWithoutValuesGiveEmptyValues) {
  EXPECT_EQ(parse({"-safe", "-windowed"}), (ArgumentPairs{{"safe", ""}, {"windowed", ""}}));
}

TEST(LaunchArguments, TheWordsAfterAKeyAreJoinedBySingleBlanks) {
  EXPECT_EQ(parse({"-connectsteam", "76561198000000042"}),
            (ArgumentPairs{{"connectsteam", "76561198000000042"}}));
  EXPECT_EQ(parse({"-name", "Old", "", "Miner"}), (ArgumentPairs{{"name", "Old  Miner"}}));
}

TEST(LaunchArguments, WordsBeforeTheFirstKeyStartItsValue) {
  EXPECT_EQ(parse({"a", "b", "-k", "c", "d", "-m"}), (ArgumentPairs{{"k", "a b c d"}, {"m", ""}}));
  // Without any key they are dropped.
  EXPECT_TRUE(parse({"stray", "words"}).empty());
}

TEST(LaunchArguments, KeysKeepTheirCaseAndRepeatsAreKeptInOrder) {
  const ArgumentPairs pairs = parse({"-Safe", "-safe", "1", "-safe", "2"});
  EXPECT_EQ(pairs, (ArgumentPairs{{"Safe", ""}, {"safe", "1"}, {"safe", "2"}}));
  ASSERT_NE(kel::findArgument(pairs, "safe"), nullptr);
  EXPECT_EQ(kel::findArgument(pairs, "safe")->second, "1");  // the first one wins
  EXPECT_EQ(kel::findArgument(pairs, "SAFE"), nullptr);
  EXPECT_EQ(kel::findArgument(pairs, "saf"), nullptr);
}

TEST(LaunchArguments, ALoneDashEndsThePreviousPairWithoutStartingAKey) {
  EXPECT_EQ(parse({"-k", "v", "-", "orphan"}), (ArgumentPairs{{"k", "v"}}));
}

TEST(LaunchArguments, NullWordsAreSkippedAndUtf8PassesUnchanged) {
  std::vector<const char*> words = {"prog", "-name", nullptr, "Grüße", "日本"};
  EXPECT_EQ(parseArguments(static_cast<int>(words.size()), words.data()),
            (ArgumentPairs{{"name", "Grüße 日本"}}));
}

}  // namespace
