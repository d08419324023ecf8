#pragma once
// The desktop text field: listens to the keyboard itself while active (before the view's
// controls), edits its text as 16-bit characters and shows it on its label after every edit.

#include <string>

#include "platform/text_field.h"

namespace engine {
class Event;
class EventDispatcher;
class EventListenerKeyboard;
class EventListenerKeyboardChar;
class Scheduler;
enum class KeyCode : int32_t;
}  // namespace engine

namespace kel {

// Text fields see keys and typed characters before the desktop controls (priority 2).
constexpr int32_t TEXT_FIELD_LISTENER_PRIORITY = 1;
// How often a held backspace removes another character, seconds.
constexpr float BACKSPACE_REPEAT_INTERVAL = 0.1f;

class DesktopTextField : public TextField {
 public:
  // The dispatcher delivers the keys; the scheduler repeats a held backspace. Neither is owned.
  DesktopTextField(const TextFieldSetup& setup, engine::EventDispatcher* dispatcher,
                   engine::Scheduler* scheduler);
  ~DesktopTextField() override;

  void finish() override;
  void setText(const std::string& text) override;
  std::string getText() const override { return text_; }
  void startListening() override;
  void stopListening() override;

  void onKeyPressed(engine::KeyCode keyCode, engine::Event* event);
  void onKeyReleased(engine::KeyCode keyCode, engine::Event* event);
  // Appends one character when the limits allow it; false when it was refused.
  bool onCharacter(char16_t character, engine::Event* event);
  // The lines the text occupies with its wraps.
  uint32_t lineCount() const;

  bool isListening() const { return listening_; }
  const std::u16string& getWideText() const { return wideText_; }

 private:
  void removeLastCharacter();
  // Ends a whole selection: with `erase` the selected text goes (down to the minimum length).
  void endSelection(bool erase);
  // Control and V: the clipboard's first line is typed in, character by character, as far as the
  // field's limits take it.
  void pasteClipboard();
  // Ctrl+C: the field's text goes to the clipboard.
  void copyToClipboard();
  void dropListeners();
  // Shows the edited text; an edit the label cannot take is undone.
  bool commitEdit(const std::u16string& before);

  engine::EventDispatcher* dispatcher_;
  engine::Scheduler* scheduler_;
  engine::EventListenerKeyboard* keyListener_ = nullptr;
  engine::EventListenerKeyboardChar* charListener_ = nullptr;
  std::string text_;
  std::u16string wideText_;
  bool listening_ = false;
  bool controlHeld_ = false;
};

}  // namespace kel
