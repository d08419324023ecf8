#pragma once
// A view that is a titled panel with a few lines of text and a list of choices: the pause, death,
// dialog, book, achievements and help views, and the start view's pages. Its controls hand the
// arrow keys, Enter, clicks, pointer moves and the wheel to the list; Escape goes back (by default
// the view leaves the stack); the keys a view handles itself come first.
//
// Main thread only.

#include <string>
#include <vector>

#include "platform/controls/abstract_controls.h"
#include "ui/views/game_view.h"
#include "ui/widgets/menu_list.h"

namespace engine {
class InnerNode;
class Label;
class LayerColor;
}  // namespace engine

class ListView : public GameView {
 public:
  ~ListView() override;

  // Builds the panel on first entry and fills it.
  void enter() override;
  // Fills the title, the lines and the rows again from the view's state.
  void refresh();
  // Once built, the shade covers the new window; the texts and the list are placed again at once
  // while the view is on the layer, else by its next entry.
  void layOut() override;

  const std::string& title() const { return title_; }
  const std::vector<std::string>& lines() const { return lines_; }
  // The lines as drawn: each wrapped to the list's width, as many as leave room for the list.
  const std::vector<std::string>& shownLines() const { return shownLines_; }
  // Where the list's lowest row may end: above the HUD's quick bar, which stays in sight under
  // the views stacked on the main view.
  static float listBottom();
  // Where the title and the lines end, above the list: what a view draws below its texts starts here.
  float textsFoot() const { return textsFoot_; }
  // The scale the panel's texts and rows draw at: the menus' scale, which follows the interface
  // scale option. The inventory keeps 1: its grid is laid out at fixed points under its texts.
  float scale() const;
  MenuList& list() { return list_; }

  // ---- Input, from the controls ----
  void keyEvent(engine::KeyCode key, bool released);
  void click(const engine::Vec2& point);
  virtual void hover(const engine::Vec2& point) { list_.hover(point); }
  // Any button; the list takes a released left button as a click. True when taken.
  virtual bool mouseButton(const engine::Vec2& point, int button, bool released);
  // The pointer moving with a button held: by default it moves as the pointer does and its
  // release is the button's, so a click that slid a little still chooses.
  virtual void drag(const engine::Vec2& point, int button, kel::DragPhase phase);
  // The wheel turned towards the player (a positive amount) moves down the list.
  void wheel(float amount) { list_.move(amount > 0 ? 1 : -1); }
  // The wheel turned with the pointer at the point: by default the list's, wherever the pointer is.
  virtual void wheelAt(const engine::Vec2& /*point*/, float amount) { wheel(amount); }
  // Runs the first row whose text is the text; false when none is.
  bool choose(const std::string& rowText);

  // Escape: by default the view leaves the stack.
  virtual void back();

 protected:
  // `listControls` false: the view sets controls of its own.
  explicit ListView(ViewId id, bool listControls = true);
  // What the view shows now; called by refresh.
  virtual void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) = 0;
  // A key of the view's own, seen before the list's; true when taken.
  virtual bool ownKey(engine::KeyCode, bool /*released*/) { return false; }
  // How many list rows fit between the top and the list's bottom.
  int visibleRows(float top) const;
  // The list's left edge and width; by default centred in the window.
  virtual void listColumn(float& left, float& width) const;
  // Where the lines under the title are centred across: by default the window's middle, as the
  // title. They are wrapped to the list's width, so centred over the list they keep to its column.
  virtual float linesCentre() const;
  // The colour laid over the whole window under the panel: by default a deep shade that the
  // texts read over whatever lies beneath.
  void setShade(engine::Color4B colour);
  // How far the texts stand lower than the margin puts them, to leave an achievement's banner room.
  float bannerRoom() const;
  // The height of the title band's lower edge: what stands under the title keeps below it.
  float titleFoot() const;

 private:
  void redrawTexts();
  // The framed panel behind the title, the lines and the shown rows.
  void framePanel();
  // Above the title: room for an achievement's banner.
  float topMargin() const;
  // Wraps the lines to the width, keeping at most as many as leave room for a few rows.
  void wrapLines(float width, size_t rowCount);

  std::string title_;
  std::vector<std::string> lines_;
  std::vector<std::string> shownLines_;
  MenuList list_;
  engine::RefPtr<engine::InnerNode> texts_;  // a child of the root: the title and the lines
  engine::LayerColor* shade_ = nullptr;  // a child of the root, under everything else
  engine::Color4B shadeColour_{0, 0, 0, 215};  // dark enough to read over the brightest world
  float textsFoot_ = 0.0f;
  float rowHeight_ = 32.0f;  // the list's, as the last refresh laid it out
  bool escapeArmed_ = false;            // Escape went down while the view listened
  bool built_ = false;
  bool refreshing_ = false;     // a fill is running: a refresh it sets off waits for it to end
  bool refreshAgain_ = false;
};
