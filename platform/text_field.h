#pragma once
// An editable text shown by a label, with line and length limits (the chat line, the sign
// editor). The platform creates the desktop form; the caller owns it.

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace engine {
class Label;
}

namespace kel {

// A line length of this value means unlimited.
constexpr uint32_t TEXT_FIELD_UNLIMITED = std::numeric_limits<uint32_t>::max();

// What a text field is created with.
struct TextFieldSetup {
  std::string initialText;
  uint8_t flag = 0;
  uint32_t lineLimit = 1;
  uint32_t minimumLength = 0;  // backspace never shortens the text below this
  uint32_t lineLength = TEXT_FIELD_UNLIMITED;  // characters per line
  // The text given is selected whole: the first character typed (or a backspace) replaces it, so
  // a field entered again is not typed onto the end of what it held.
  bool selectWhole = false;
  engine::Label* label = nullptr;  // not owned
  std::function<void(const std::string&)> onText;
  std::function<void(const std::string&)> onFinish;
};

class TextField {
 public:
  explicit TextField(const TextFieldSetup& setup);
  virtual ~TextField() = default;
  TextField(const TextField&) = delete;
  TextField& operator=(const TextField&) = delete;

  // Stops listening for good and reports the text through on-finish.
  virtual void finish() = 0;
  // Replaces the text without showing it: the label changes on the next edit or applyText.
  virtual void setText(const std::string& text) = 0;
  virtual std::string getText() const = 0;
  virtual void startListening() = 0;
  virtual void stopListening() = 0;
  // Shows the text on the label. A multi-line field wraps its lines at the line length and
  // refuses (false, nothing changed) a text that then needs more lines than the limit; it
  // reports the wrapped text through on-text.
  virtual bool applyText(const std::string& text);

  // Called after every change the label shows; does nothing unless replaced.
  void setOnChange(std::function<void()> onChange);
  engine::Label* getLabel() const { return label_; }
  uint32_t getLineLimit() const { return lineLimit_; }
  uint32_t getLineLength() const { return lineLength_; }
  uint32_t getMinimumLength() const { return minimumLength_; }
  uint8_t getFlag() const { return flag_; }
  // Whether the text (past the minimum length) is still selected whole.
  bool isWholeSelected() const { return wholeSelected_; }

 protected:
  void reportText(const std::string& text) const;
  void reportFinish(const std::string& text) const;

  engine::Label* label_;
  std::function<void(const std::string&)> onText_;
  std::function<void(const std::string&)> onFinish_;
  std::function<void()> onChange_;
  uint32_t lineLimit_;
  uint32_t lineLength_;
  uint32_t minimumLength_;
  uint8_t flag_;  // kept for the creator; the field's own behaviour does not read it
  bool spareFlag_ = false;
  bool wholeSelected_ = false;
};

}  // namespace kel
