#pragma once
// The desktop text entry that reports every change (the book's search box): typed characters
// are appended, a released backspace removes the last one, and every key is kept from the
// controls while it listens.

#include <functional>
#include <string>

#include "platform/text_field_listener.h"

namespace engine {
class Event;
class EventDispatcher;
class EventListenerKeyboard;
class EventListenerKeyboardChar;
enum class KeyCode : int32_t;
}  // namespace engine

namespace kel {

class DesktopTextFieldListener : public TextFieldListener {
 public:
  explicit DesktopTextFieldListener(engine::EventDispatcher* dispatcher);
  ~DesktopTextFieldListener() override;
  DesktopTextFieldListener(const DesktopTextFieldListener&) = delete;
  DesktopTextFieldListener& operator=(const DesktopTextFieldListener&) = delete;

  void startListening(std::function<void(const std::string&)> onChange) override;
  void stopListening() override;
  void clear() override;

  void onCharacter(char16_t character, engine::Event* event);
  void onKey(engine::KeyCode keyCode, bool pressed, engine::Event* event);

  const std::string& getText() const { return text_; }
  bool isListening() const { return listening_; }

 private:
  void changed();

  engine::EventDispatcher* dispatcher_;
  engine::EventListenerKeyboard* keyListener_ = nullptr;
  engine::EventListenerKeyboardChar* charListener_ = nullptr;
  std::string text_;
  std::u16string wideText_;
  std::function<void(const std::string&)> onChange_;
  bool listening_ = false;
};

}  // namespace kel
