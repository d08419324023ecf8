// A menu list's cycling rows: Left and Right step the selected row's choice on their press, other
// rows leave the keys alone, and where each shown row is drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "ui/widgets/menu_list.h"

namespace {

using engine::KeyCode;

class MenuListStepTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
};

TEST_F(MenuListStepTest, LeftAndRightStepTheSelectedCyclingRowOnTheirPress) {
  std::vector<int> steps;
  MenuList list;
  list.setRows({{"plain", [] {}}, {"cycling", [] {}, [&steps](int by) { steps.push_back(by); }}});
  EXPECT_FALSE(list.keyEvent(KeyCode::RIGHT_ARROW, false)) << "a plain row does not take the key";
  list.select(1);
  EXPECT_TRUE(list.keyEvent(KeyCode::LEFT_ARROW, false));
  EXPECT_TRUE(list.keyEvent(KeyCode::LEFT_ARROW, true));
  EXPECT_TRUE(list.keyEvent(KeyCode::RIGHT_ARROW, false));
  EXPECT_EQ(steps, (std::vector<int>{-1, 1})) << "one step per press, none on the release";
}

TEST_F(MenuListStepTest, SteppingWrapsAtBothEnds) {
  EXPECT_EQ(MenuList::stepped(0, -1, 5), 4u);
  EXPECT_EQ(MenuList::stepped(4, 1, 5), 0u);
  EXPECT_EQ(MenuList::stepped(2, -7, 5), 0u);
  EXPECT_EQ(MenuList::stepped(9, 0, 5), 4u) << "an index past the count is taken round";
  EXPECT_EQ(MenuList::stepped(3, 1, 0), 0u) << "nothing to choose from";
}

TEST_F(MenuListStepTest, AShownRowHasItsRectangleAndAHiddenOneNone) {
  MenuList list;
  std::vector<MenuList::Row> rows;
  for (int i = 0; i < 6; ++i) rows.push_back({"row " + std::to_string(i)});
  list.setRows(std::move(rows));
  list.setFrame(engine::Vec2(100, 500), 300, 30, 3);
  const engine::Rect second = list.rowRect(1);
  EXPECT_FLOAT_EQ(second.getMinX(), 100);
  EXPECT_FLOAT_EQ(second.getMinY(), 440);
  EXPECT_FLOAT_EQ(second.size.width, 300);
  EXPECT_EQ(list.rowAt(engine::Vec2(150, 455)), 1) << "the rectangle is where the pointer finds the row";
  EXPECT_EQ(list.rowRect(4).size.width, 0.0f);
  list.select(5);
  EXPECT_GT(list.rowRect(5).size.width, 0.0f);
  EXPECT_EQ(list.rowRect(0).size.width, 0.0f);
}

}  // namespace
