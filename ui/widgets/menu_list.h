#pragma once
// A vertical list of rows the player picks from with the arrow keys and Enter, the wheel, or a
// click: the pages of the start view, the pause and death choices, the inventory's and the
// book's lists. The rows are the model; the node is a picture of them, rebuilt when they change,
// and shows at most `visibleRows` of them around the selection.
//
// Main thread only.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"
#include "engine/input/key_code.h"

namespace engine {
class InnerNode;
class Label;
}

class MenuList {
 public:
  struct Row {
    Row(std::string shown, std::function<void()> onChoose = nullptr, std::function<void(int)> onStep = nullptr)
        : text(std::move(shown)), action(std::move(onChoose)), step(std::move(onStep)) {}

    std::string text;
    std::function<void()> action;  // none: the row only shows its text
    // A row that cycles a choice: Left and Right step it by -1 and +1.
    std::function<void(int)> step;
    // A picture left of the text: an item's icon, or a sprite of the interface atlas (a craft book
    // entry's icon); none when the atlas kind is None.
    struct Icon {
      enum Atlas : uint8_t { None, Item, Interface };
      Atlas atlas = None;
      uint16_t id = 0;
      uint32_t variant = 0;
      uint32_t count = 1;  // told at the picture's lower right when more than one, as a cell tells a stack
    };
    Icon icon;
    // A recipe's ingredients, drawn at the row's right end: with its result as the icon, the
    // pictures are the recipe and the text only names the result.
    std::vector<Icon> ingredients;
    // A choice that cannot be taken now (a recipe short of its ingredients): drawn faded.
    bool dimmed = false;
    // A heading names the rows below it: drawn without a frame, never selected.
    bool heading = false;
  };
  // A row with an item's icon beside its text.
  static Row withItemIcon(std::string text, uint16_t itemId, std::function<void()> onChoose = nullptr);
  // An item's picture, telling the count when more than one.
  static Row::Icon itemPicture(uint16_t itemId, uint32_t count = 1);
  // A recipe: its result's picture and name, then its ingredients' pictures; faded when it cannot
  // be made now.
  static Row recipe(std::string resultName, Row::Icon result, std::vector<Row::Icon> ingredients, bool makeable,
                    std::function<void()> onChoose);
  // Whether any of the rows draws a picture.
  static bool anyPictured(const std::vector<Row>& rows);
  // The side of a picture: the atlas's 16 pixels at the frames' whole pixel scale, as the world's.
  static float pictureSide();
  // The height of a row whose pictures sit inside its frame's edge at that scale, a pixel clear of it.
  static float pictureRowHeight();

  // A row that cycles a choice: Left and Right step it both ways, Enter and a click forward.
  static Row cycling(std::string text, std::function<void(int)> step);
  static Row heading(std::string text);

  // The index `steps` away from the index among `count`, wrapping at both ends.
  static size_t stepped(size_t index, int steps, size_t count);

  MenuList();
  ~MenuList();
  MenuList(const MenuList&) = delete;
  MenuList& operator=(const MenuList&) = delete;

  // The selection stays on its index, moved onto the last row when the list shrank.
  void setRows(std::vector<Row> rows);
  const std::vector<Row>& rows() const { return rows_; }
  // -1 while the list is empty.
  int selected() const { return selected_; }
  // A heading passes the selection on to the next row that is not one.
  void select(int index);
  // Moves the selection by `steps` rows, wrapping at both ends and passing over headings.
  void move(int steps);
  // Runs the selected row's action (a copy: the action may replace the rows).
  void activate();
  // Forgets a press of Enter or space, as when the list's view is entered anew.
  void disarm() { armed_ = false; }

  // Up and down move, Enter and space activate on their release, so the press cannot reach the
  // page the action opens; a release whose press the list did not see (it went to a text field
  // or another view) does nothing. Left and right step a cycling row's choice on their press.
  // True when the key was the list's.
  bool keyEvent(engine::KeyCode key, bool released);
  // The row under the point, or -1.
  int rowAt(const engine::Vec2& point) const;
  // Where a shown row is drawn (lower left corner and size); an empty rectangle for a row not shown.
  engine::Rect rowRect(int index) const;
  // Where a shown row draws a picture: 0 its icon, 1 on its ingredients in order; an empty
  // rectangle for a picture the row has not. Pictures keep whole pixels and stay inside the frame.
  engine::Rect pictureRect(int index, size_t picture) const;
  // Selects and activates the row under the point; false when there is none.
  bool click(const engine::Vec2& point);
  void hover(const engine::Vec2& point);

  // The upper left corner of the first row, the rows' width and height, how many show, and the
  // scale the rows' texts draw at.
  void setFrame(engine::Vec2 topLeft, float width, float rowHeight, int visibleRows, float textScale = 1.0f);
  // The first row shown.
  int firstShown() const { return first_; }
  // Retained; the owner adds it to its view.
  engine::InnerNode* node() const { return node_; }

 private:
  void scrollToSelection();
  void drawScrollMark(bool up);
  // A scroll mark's pixel, the x of its centre, and the left edge of the column the marks stand in
  // (the rows' right edge when the list has no more rows than its frame shows).
  float scrollMarkPixel() const;
  float scrollMarkCentre() const;
  float scrollMarkLeft() const;
  void redraw();
  // The row's pictures, their counts, and where its text may run (left edge and width).
  void drawPictures(int index, float& textLeft, float& textRoom);
  void drawPicture(const Row::Icon& icon, const engine::Rect& where, bool dimmed);
  // The whole pixel scale a row's pictures draw at: the frames' own, or less in a band too low for it.
  float picturePixels() const;
  void drawHeading(const Row& row, float bottom);
  // The index, or the first row from it in the direction that is not a heading.
  int passHeadings(int index, int direction) const;

  std::vector<Row> rows_;
  int selected_ = -1;
  int first_ = 0;
  engine::Vec2 topLeft_{40.0f, 400.0f};
  float width_ = 400.0f;
  float rowHeight_ = 30.0f;
  int visibleRows_ = 12;
  float textScale_ = 1.0f;
  bool armed_ = false;  // Enter or space went down while the list listened
  engine::RefPtr<engine::InnerNode> node_;
};
