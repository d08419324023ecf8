// The host's copy of a player's items: where she holds stacks of one id with different words, the
// one she names is the one held and spent.
#include "net/players/player_item_copy.h"

#include <gtest/gtest.h>

#include "content/items/item.h"
#include "tests/net/transfer/transfer_fixture.h"

namespace {

constexpr uint16_t kFirework = 1042;

class PlayerItemCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    transfertest::loadContent();
    copy.add(Item(kFirework, 0, 3, 0, 0));
    copy.add(Item(kFirework, 0, 1, 0, 0xA6));
  }
  PlayerItemCopy copy;
};

TEST_F(PlayerItemCopyTest, TheStackOfTheNamedWordIsHeldAndSpentFirst) {
  EXPECT_EQ(copy.peekLike(Item(kFirework, 0, 1, 0, 0xA6), 1)->word, 0xA6u);
  EXPECT_EQ(copy.peek(kFirework, 1)->word, 0u) << "without a word: the first stack";
  EXPECT_EQ(copy.takeLike(Item(kFirework, 0, 1, 0, 0xA6), 1)->word, 0xA6u);
  EXPECT_EQ(copy.countWithWord(kFirework, 0xA6), 0u);
  EXPECT_EQ(copy.countWithWord(kFirework, 0), 3u) << "the empty ones are all there";
}

TEST_F(PlayerItemCopyTest, MoreThanTheWordsStacksHoldComesFromTheOthers) {
  const ItemPtr taken = copy.takeLike(Item(kFirework, 0, 2, 0, 0xA6), 2);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->count, 2u);
  EXPECT_EQ(copy.countOf(kFirework), 2u);
  EXPECT_EQ(copy.countWithWord(kFirework, 0xA6), 0u);
  EXPECT_EQ(copy.takeLike(Item(kFirework, 0, 3, 0, 0), 3), nullptr) << "she holds two";
  EXPECT_EQ(copy.countOf(kFirework), 2u);
}

TEST_F(PlayerItemCopyTest, ANamedStackComesFromItsWordAloneAsWornAsNamedFirst) {
  EXPECT_EQ(copy.takeNamed(Item(kFirework, 0, 2, 0, 0xA6), 2), nullptr) << "one of that word, not two";
  EXPECT_EQ(copy.countOf(kFirework), 4u) << "nothing taken";
  EXPECT_EQ(copy.peekNamed(Item(kFirework, 0, 1, 0, 0x5A), 1), nullptr) << "a word she never held";

  constexpr uint16_t kTool = 1;
  Item fresh(kTool, 0, 1, 0, 0);
  fresh.durability = 50;
  Item worn = fresh;
  worn.durability = 3;
  copy.add(fresh);
  copy.add(worn);
  const ItemPtr taken = copy.takeNamed(worn, 1);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->durability, 3u) << "the one as worn as she named";
  EXPECT_EQ(copy.peek(kTool, 1)->durability, 50u) << "the other stays";
}

}  // namespace
