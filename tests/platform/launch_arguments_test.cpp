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

TEST(LaunchArguments, WordsBecomeKeysWithTheFollowingWordsJoinedAsTheirValue) {
  const struct {
    std::vector<const char*> words;
    ArgumentPairs pairs;
  } rows[] = {
      // Words before the first key start its value; without any key they are dropped.
      {{"a", "b", "-k", "c", "", "d", "-m"}, {{"k", "a b c  d"}, {"m", ""}}},
      {{"stray", "words"}, {}},
      // A lone dash ends the pair, starts no key and feeds no later one.
      {{"-k", "v", "-", "orphan", "-m", "w"}, {{"k", "v"}, {"m", "w"}}},
      {{"-name", nullptr, "Grüße"}, {{"name", "Grüße"}}},
  };
  for (const auto& row : rows) EXPECT_EQ(parse(row.words), row.pairs) << row.words.size();
  EXPECT_TRUE(parseArguments(0, nullptr).empty());
}

TEST(LaunchArguments, AStoreFrontHostIsANonZeroDecimalUserIdWithin64Bits) {
  EXPECT_EQ(kel::parseStoreFrontId("76561198000000042"), 76561198000000042ull);
  EXPECT_EQ(kel::parseStoreFrontId("18446744073709551615"), UINT64_MAX);
  for (const char* text : {"", "0", "18446744073709551616", "99999999999999999999", "-5", "12 34", "0x10", "host"}) {
    EXPECT_EQ(kel::parseStoreFrontId(text), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
