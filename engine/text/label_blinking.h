#pragma once
// A colour-markup label with a text cursor: an underscore after the text that blinks half a
// second on, half a second off while its owner runs the blink. Text fields show their text in it.

#include <string>

#include "engine/base/geometry.h"
#include "engine/text/label_colored.h"

namespace engine {
class Action;
}

class LabelBlinking : public LabelColored {
 public:
  // Null when the font does not load. Autoreleased.
  static LabelBlinking* create(const std::string& fontFile, const std::string& text);
  ~LabelBlinking() override;

  using LabelColored::setPosition;
  // The position the label returns to when the cursor hides.
  void setPosition(const engine::Vec2& position) override;
  // Hides the cursor; the next blink shows it after the new text.
  void setString(const std::string& text) override;
  // The text without the cursor.
  const std::string& getString() const override { return text_; }

  void setCursorVisible(bool show);
  bool isCursorVisible() const { return cursorShown_; }
  // Blinks until stopCursorBlink; the cursor shows on the first frame.
  void startCursorBlink();
  void stopCursorBlink();
  // The text's size without the cursor.
  engine::Size getTextSize() const;

 protected:
  LabelBlinking() : LabelColored(engine::TextHAlignment::LEFT) {}

 private:
  int32_t advanceOf(char16_t letter) const;

  engine::Vec2 basePosition_;
  std::string text_;
  engine::Action* blinkAction_ = nullptr;  // retained while blinking
  bool cursorShown_ = false;
};
