// Craft book knowledge: discovery lists by entry kind, the random pick's odds, removing a learned
// entry and the "Full Craftbook" and "Chemistry Book" options.
#include <gtest/gtest.h>

#include <vector>

#include "engine/base/random.h"
#include "game/crafting/recipe_knowledge.h"

namespace {

class RecipeKnowledgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Entries 0-9: kinds 0, 1, 2, 3, 4, 0, 1, 2, 3, 4.
    std::vector<CraftBookEntry> rows;
    for (uint32_t i = 0; i < 10; ++i) rows.push_back({"entry", i % 5, ""});
    installCraftBookEntries(std::move(rows));
  }
  void TearDown() override { installCraftBookEntries({}); }

  RecipeKnowledge knowledge;
};

TEST_F(RecipeKnowledgeTest, UnknownEntriesWaitInTheirKindsList) {
  knowledge.known[0] = 0b00000101;  // entries 0 and 2
  knowledge.countKnownRecipes();
  EXPECT_EQ(knowledge.knownCount, 2u);
  EXPECT_EQ(knowledge.countUnknownEntries(), 333u);
  EXPECT_EQ(knowledge.discoveryLists[0], std::vector<uint16_t>{5});
  EXPECT_EQ(knowledge.discoveryLists[1], (std::vector<uint16_t>{1, 6}));
  EXPECT_EQ(knowledge.discoveryLists[2], std::vector<uint16_t>{7});

  EXPECT_TRUE(knowledge.removeKnownFromKindList(1));
  EXPECT_FALSE(knowledge.removeKnownFromKindList(1));
  EXPECT_FALSE(knowledge.removeKnownFromKindList(200)) << "an entry without a row";
  EXPECT_EQ(knowledge.discoveryLists[1], std::vector<uint16_t>{6});
}

TEST_F(RecipeKnowledgeTest, FullCraftbookKnowsEverythingAndOffersNothing) {
  knowledge.setBookOptions(true, false);
  knowledge.countKnownRecipes();
  EXPECT_EQ(knowledge.knownCount, 335u);
  EXPECT_EQ(knowledge.countUnknownEntries(), 0u);
  EXPECT_TRUE(knowledge.isEntryKnown(300));
  EXPECT_FALSE(knowledge.isRecipeKnown(300));
  for (const auto& list : knowledge.discoveryLists) EXPECT_TRUE(list.empty());
  EXPECT_EQ(knowledge.pickRandomUnknownEntry(), RecipeKnowledge::kNoEntry);
}

TEST_F(RecipeKnowledgeTest, ChemistryIsKnownApart) {
  knowledge.chemistry[1] = 0b1;  // entry 8
  EXPECT_TRUE(knowledge.isRecipeKnown(8));
  EXPECT_FALSE(knowledge.isEntryKnown(8));
  knowledge.setBookOptions(false, true);
  EXPECT_TRUE(knowledge.isRecipeKnown(9));
}

TEST_F(RecipeKnowledgeTest, OneWaitingListIsTakenAboutTwoTimesInThree) {
  RecipeKnowledge::Bitset allButFour;
  allButFour.fill(0xFF);
  allButFour[0] = 0b11101111;  // only entry 4 (kind 4) unknown
  knowledge.rebuildUnknownLists(false, allButFour);
  engine::randomSeed(18);
  int taken = 0;
  constexpr int kTries = 4000;
  for (int i = 0; i < kTries; ++i) {
    const uint16_t entry = knowledge.pickRandomUnknownEntry();
    ASSERT_TRUE(entry == 4 || entry == RecipeKnowledge::kNoEntry);
    taken += entry == 4 ? 1 : 0;
  }
  EXPECT_NEAR(static_cast<double>(taken) / kTries, 0.65, 0.03);
  EXPECT_EQ(knowledge.discoveryLists[4], std::vector<uint16_t>{4}) << "the pick stays listed";
}

}  // namespace
