// The menu list: moving and wrapping, acting on the release of a key whose press it saw, rows
// found under the pointer through the scrolled window, and actions that replace the rows.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/layer/layer_color.h"
#include "engine/scene/director.h"
#include "ui/widgets/framed_panel.h"
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

// How many gold scroll-mark bands the list draws inside the shown row.
int marksIn(const MenuList& list, int row) {
  const engine::Rect band = list.rowRect(row);
  int marks = 0;
  for (engine::Node* child : list.node()->getChildren()) {
    const auto* layer = dynamic_cast<engine::LayerColor*>(child);
    if (layer == nullptr || layer->getColor() != engine::Color3B{235, 200, 110}) continue;
    if (band.containsPoint(layer->getPosition())) ++marks;
  }
  return marks;
}

TEST_F(MenuListTest, RowsBeyondTheFrameAreMarkedAtItsEdge) {
  MenuList list;
  list.setRows(rows(10));
  list.setFrame(engine::Vec2(100, 500), 200, 20, 4);
  EXPECT_EQ(marksIn(list, 0), 0) << "nothing lies above the first row";
  EXPECT_GT(marksIn(list, 3), 0) << "rows lie below the last one shown";
  list.select(5);
  EXPECT_GT(marksIn(list, list.firstShown()), 0);
  EXPECT_GT(marksIn(list, list.firstShown() + 3), 0);
  list.select(9);
  EXPECT_GT(marksIn(list, 6), 0);
  EXPECT_EQ(marksIn(list, 9), 0) << "nothing lies below the last row";
  MenuList whole;
  whole.setRows(rows(3));
  whole.setFrame(engine::Vec2(100, 500), 200, 20, 4);
  EXPECT_EQ(marksIn(whole, 0) + marksIn(whole, 2), 0) << "a list that fits has no marks";
}

TEST_F(MenuListTest, TheMarksOfALongRecipeListStandClearOfEveryPictureAndCount) {
  MenuList list;
  std::vector<MenuList::Row> recipes;
  for (int i = 0; i < 6; ++i) {
    recipes.push_back(MenuList::recipe("stick", MenuList::itemPicture(20, 4), {MenuList::itemPicture(7, 2)}, true, [] {}));
  }
  list.setRows(std::move(recipes));
  list.setFrame(engine::Vec2(100, 600), 420, MenuList::pictureRowHeight(), 3);
  list.select(4);
  ASSERT_GT(list.firstShown(), 0);
  ASSERT_LT(list.firstShown() + 3, 6) << "both marks show";
  int bands = 0;
  for (engine::Node* child : list.node()->getChildren()) {
    const auto* mark = dynamic_cast<engine::LayerColor*>(child);
    if (mark == nullptr || mark->getColor() != engine::Color3B{235, 200, 110}) continue;
    ++bands;
    const engine::Rect at(mark->getPosition().x, mark->getPosition().y, mark->getContentSize().width, mark->getContentSize().height);
    for (int row = list.firstShown(); row < list.firstShown() + 3; ++row) {
      // The ingredient's picture holds its count at its lower right.
      for (size_t picture = 0; picture <= 1; ++picture) {
        const engine::Rect pic = list.pictureRect(row, picture);
        const bool over = at.getMinX() < pic.getMaxX() && pic.getMinX() < at.getMaxX() && at.getMinY() < pic.getMaxY() &&
                          pic.getMinY() < at.getMaxY();
        EXPECT_FALSE(over) << "a mark over row " << row << "'s picture " << picture;
      }
    }
  }
  EXPECT_GT(bands, 0);
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

TEST_F(MenuListTest, ARecipesPicturesStandInsideTheirRowAtWholePixelsEachClearOfTheOther) {
  MenuList list;
  std::vector<MenuList::Row> rows;
  rows.push_back(MenuList::recipe("planks", MenuList::itemPicture(20, 4), {MenuList::itemPicture(7)}, true, [] {}));
  rows.push_back(MenuList::recipe("bench", MenuList::itemPicture(24),
                                  {MenuList::itemPicture(20, 4), MenuList::itemPicture(21, 2), MenuList::itemPicture(7)},
                                  false, [] {}));
  rows.push_back({"plain", nullptr});
  EXPECT_TRUE(MenuList::anyPictured(rows));
  list.setRows(std::move(rows));
  list.setFrame(engine::Vec2(100.5f, 600.25f), 420, MenuList::pictureRowHeight(), 3);
  EXPECT_FALSE(list.rows()[0].dimmed);
  EXPECT_TRUE(list.rows()[1].dimmed) << "a recipe that cannot be made is drawn faded";
  EXPECT_EQ(list.rows()[1].ingredients[0].count, 4u);

  const float side = MenuList::pictureSide();
  EXPECT_EQ(side / 16.0f, std::floor(side / 16.0f)) << "a picture of no whole number of pixels";
  for (int row = 0; row < 2; ++row) {
    const engine::Rect band = list.rowRect(row);
    engine::Rect before;
    for (size_t picture = 0; picture <= list.rows()[static_cast<size_t>(row)].ingredients.size(); ++picture) {
      const engine::Rect at = list.pictureRect(row, picture);
      EXPECT_EQ(at.size.width, side) << row << " " << picture;
      EXPECT_EQ(at.size.height, side);
      EXPECT_EQ(at.getMinX(), std::round(at.getMinX())) << "off the pixel grid";
      EXPECT_EQ(at.getMinY(), std::round(at.getMinY())) << "off the pixel grid";
      // Inside the frame's gold edge.
      const float edge = 3.0f * framePixelScale();
      EXPECT_GE(at.getMinX(), band.getMinX() + edge) << row << " " << picture;
      EXPECT_LE(at.getMaxX(), band.getMaxX() - edge) << row << " " << picture;
      EXPECT_GE(at.getMinY(), band.getMinY() + edge) << row << " " << picture;
      EXPECT_LE(at.getMaxY(), band.getMaxY() - edge) << row << " " << picture;
      if (picture > 0) {
        EXPECT_GT(at.getMinX(), before.getMaxX()) << "pictures overlap in row " << row;
      }
      before = at;
    }
  }
  EXPECT_EQ(list.pictureRect(2, 0).size.width, 0.0f) << "a row of text alone has no picture";
  EXPECT_EQ(list.pictureRect(0, 2).size.width, 0.0f) << "past the ingredients";
  EXPECT_EQ(list.pictureRect(5, 0).size.width, 0.0f) << "a row not shown";
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
