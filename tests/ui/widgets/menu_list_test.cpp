// The menu list: moving and wrapping, acting on the release of a key whose press it saw, rows
// found under the pointer through the scrolled window, and actions that replace the rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "ui/widgets/key_names.h"
#include "ui/widgets/menu_list.h"

namespace {

using engine::KeyCode;

class MenuListTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
  std::vector<MenuList::Row> rows(int count) {
    std::vector<MenuList::Row> made;
    for (int i = 0; i < count; ++i) made.push_back({"row " + std::to_string(i), [this, i] { chosen.push_back(i); }});
    return made;
  }
  std::vector<int> chosen;
};

TEST_F(MenuListTest, ArrowsMoveAndWrapEnterActsOnlyOnTheReleaseOfItsOwnPress) {
  MenuList list;
  list.setRows(rows(3));
  EXPECT_EQ(list.selected(), 0);
  struct Case {
    KeyCode key;
    bool released;
    int selected;
    std::vector<int> chosen;
  };
  const Case cases[] = {
      {KeyCode::ENTER, true, 0, {}},  // a release left over from another page
      {KeyCode::UP_ARROW, false, 2, {}},
      {KeyCode::UP_ARROW, true, 2, {}},
      {KeyCode::DOWN_ARROW, false, 0, {}},
      {KeyCode::DOWN_ARROW, false, 1, {}},
      {KeyCode::ENTER, false, 1, {}},
      {KeyCode::ENTER, true, 1, {1}},
      {KeyCode::SPACE, false, 1, {1}},
      {KeyCode::SPACE, true, 1, {1, 1}},
      {KeyCode::SPACE, true, 1, {1, 1}},  // the press was used up
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(list.keyEvent(c.key, c.released));
    EXPECT_EQ(list.selected(), c.selected) << static_cast<int>(c.key);
    EXPECT_EQ(chosen, c.chosen) << static_cast<int>(c.key);
  }
  EXPECT_FALSE(list.keyEvent(KeyCode::A, false)) << "not the list's key";
  list.keyEvent(KeyCode::ENTER, false);
  list.disarm();
  list.keyEvent(KeyCode::ENTER, true);
  EXPECT_EQ(chosen.size(), 2u) << "disarmed: the release does nothing";
}

TEST_F(MenuListTest, ClicksFindTheRowThroughTheScrolledWindow) {
  MenuList list;
  list.setRows(rows(10));
  list.setFrame(engine::Vec2(100, 500), 200, 20, 4);
  EXPECT_EQ(list.rowAt(engine::Vec2(150, 495)), 0);
  EXPECT_EQ(list.rowAt(engine::Vec2(150, 421)), 3);
  EXPECT_EQ(list.rowAt(engine::Vec2(150, 419)), -1) << "below the four rows shown";
  EXPECT_EQ(list.rowAt(engine::Vec2(99, 495)), -1);
  EXPECT_EQ(list.rowAt(engine::Vec2(150, 501)), -1);
  list.select(8);
  EXPECT_EQ(list.firstShown(), 5) << "the selection is kept in sight";
  EXPECT_TRUE(list.click(engine::Vec2(150, 495)));
  EXPECT_EQ(list.selected(), 5);
  EXPECT_EQ(chosen, std::vector<int>{5});
  EXPECT_FALSE(list.click(engine::Vec2(10, 10)));
  list.hover(engine::Vec2(150, 475));
  EXPECT_EQ(list.selected(), 6);
}

TEST_F(MenuListTest, AnActionMayReplaceTheRowsAndAShorterListKeepsTheSelectionOnARow) {
  MenuList list;
  std::vector<MenuList::Row> first;
  first.push_back({"replace", [&] { list.setRows({{"only", nullptr}}); }});
  first.push_back({"other", nullptr});
  list.setRows(std::move(first));
  list.select(1);
  list.select(0);
  list.activate();
  ASSERT_EQ(list.rows().size(), 1u);
  EXPECT_EQ(list.selected(), 0);
  list.activate();  // a row without an action does nothing
  list.setRows({});
  EXPECT_EQ(list.selected(), -1);
  list.move(1);
  list.activate();
}

TEST(KeyNames, KeysAreNamedAsTheHelpShowsThem) {
  const std::pair<KeyCode, const char*> cases[] = {
      {KeyCode::W, "W"}, {KeyCode::A, "A"}, {KeyCode::Z, "Z"}, {KeyCode::DIGIT_0, "0"}, {KeyCode::DIGIT_9, "9"},
      {KeyCode::F1, "F1"}, {KeyCode::F12, "F12"}, {KeyCode::SPACE, "Space"}, {KeyCode::ESCAPE, "Escape"},
      {KeyCode::TAB, "Tab"}, {KeyCode::NONE, "none"}, {KeyCode::PAUSE, "key 1"},
  };
  for (const auto& [key, name] : cases) EXPECT_EQ(keyName(static_cast<uint32_t>(key)), name);
}

}  // namespace
