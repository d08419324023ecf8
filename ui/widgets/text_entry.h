#pragma once
// A line of text the player types: a label on a panel with a caret after the text, and the
// platform's text field behind it.
// Enter hands the text to `onEnter`, Escape calls `onEscape`. While it listens the text field
// takes the keys before the view's controls. The text is kept here too, so a view works the same
// where no text field or label can be made (a test without a window).
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/base/geometry.h"

namespace engine {
class InnerNode;
class Label;
class LayerColor;
}  // namespace engine
namespace kel {
class TextField;
}

class TextEntry {
 public:
  TextEntry();
  ~TextEntry();
  TextEntry(const TextEntry&) = delete;
  TextEntry& operator=(const TextEntry&) = delete;

  // Builds the panel and label into the parent at the position (lower left), `width` wide.
  void build(engine::InnerNode* parent, engine::Vec2 position, float width);
  // Moves the built panel and label to the position, `width` wide (a new window size), drawn at
  // the scale (the menus' scale).
  void place(engine::Vec2 position, float width, float scale = 1.0f);
  // Starts a fresh field with the text; Enter and Escape call back with the typed text.
  void start(const std::string& text, uint32_t lengthLimit, std::function<void(const std::string&)> onEnter,
             std::function<void()> onEscape);
  // Whether a started field's text is selected whole, so typing replaces it (a menu's field, entered
  // again); a chat line or a sign goes on where its text ends.
  void setSelectsWhole(bool selects) { selectsWhole_ = selects; }
  bool isWholeSelected() const;
  // Stops listening and drops the field; the text stays.
  void stop();
  bool isListening() const { return field_ != nullptr; }
  const std::string& text() const { return text_; }
  // The text as typed so far: the field's while it listens.
  std::string shownText() const;
  // The panel's lower left corner, and the caret's left edge: right after the shown text.
  engine::Vec2 position() const { return position_; }
  float caretX() const;
  // As if typed and Enter pressed.
  void submit(const std::string& text);
  void escape();

 private:
  // Puts the caret after the shown text and widens the backing to hold it.
  void placeCaret();

  std::unique_ptr<kel::TextField> field_;
  // A stopped field lives on until the next start: it may be stopped from inside its own key
  // handler, which must not return into a freed field.
  std::unique_ptr<kel::TextField> retired_;
  engine::InnerNode* panel_ = nullptr;  // a child of the parent, shown while the field listens
  engine::LayerColor* back_ = nullptr;  // a child of the panel
  engine::Label* label_ = nullptr;      // a child of the panel
  engine::LayerColor* caret_ = nullptr; // a child of the panel
  engine::LayerColor* selection_ = nullptr;  // a child of the panel, behind the selected text
  engine::Vec2 position_;
  float width_ = 0.0f;  // the panel's width as placed; it widens to a longer text
  float scale_ = 1.0f;
  std::string text_;
  uint32_t lengthLimit_ = 0;
  bool selectsWhole_ = false;
  std::function<void(const std::string&)> onEnter_;
  std::function<void()> onEscape_;
};
