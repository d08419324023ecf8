#include "platform/text_field/desktop_text_field_listener.h"

#include "engine/base/utf.h"
#include "engine/input/event.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_keyboard_char.h"
#include "engine/input/key_code.h"
#include "platform/text_field/desktop_text_field.h"

namespace kel {

namespace {

void consume(engine::Event* event) {
  if (event != nullptr) event->stopPropagation();
}

}  // namespace

DesktopTextFieldListener::DesktopTextFieldListener(engine::EventDispatcher* dispatcher)
    : dispatcher_(dispatcher) {
  keyListener_ = engine::EventListenerKeyboard::create();
  keyListener_->retain();
  keyListener_->onKeyPressed = [this](engine::KeyCode key, engine::Event* event) {
    onKey(key, true, event);
  };
  keyListener_->onKeyReleased = [this](engine::KeyCode key, engine::Event* event) {
    onKey(key, false, event);
  };
  charListener_ = engine::EventListenerKeyboardChar::create();
  charListener_->retain();
  charListener_->onChar = [this](char16_t character, engine::Event* event) {
    onCharacter(character, event);
  };
}

DesktopTextFieldListener::~DesktopTextFieldListener() {
  stopListening();
  keyListener_->onKeyPressed = nullptr;
  keyListener_->onKeyReleased = nullptr;
  charListener_->onChar = nullptr;
  engine::safeRelease(keyListener_);
  engine::safeRelease(charListener_);
}

void DesktopTextFieldListener::startListening(
    std::function<void(const std::string&)> onChange) {
  onChange_ = std::move(onChange);
  if (listening_ || dispatcher_ == nullptr) return;
  keyListener_->setEnabled(true);
  charListener_->setEnabled(true);
  dispatcher_->addEventListenerWithFixedPriority(keyListener_, TEXT_FIELD_LISTENER_PRIORITY);
  dispatcher_->addEventListenerWithFixedPriority(charListener_, TEXT_FIELD_LISTENER_PRIORITY);
  listening_ = true;
}

void DesktopTextFieldListener::stopListening() {
  if (!listening_) return;
  dispatcher_->removeEventListener(keyListener_);
  dispatcher_->removeEventListener(charListener_);
  listening_ = false;
}

void DesktopTextFieldListener::clear() {
  text_.clear();
  wideText_.clear();
}

void DesktopTextFieldListener::onCharacter(char16_t character, engine::Event* event) {
  consume(event);
  // The whole 16-bit unit is kept (a search for "Ж" must find it); halves of pairs are not text.
  if (character >= 0xD800 && character <= 0xDFFF) return;
  wideText_ += character;
  changed();
}

void DesktopTextFieldListener::onKey(engine::KeyCode keyCode, bool pressed,
                                     engine::Event* event) {
  consume(event);
  if (pressed || keyCode != engine::KeyCode::BACKSPACE || wideText_.empty()) return;
  wideText_.pop_back();
  changed();
}

void DesktopTextFieldListener::changed() {
  text_.clear();
  engine::utf16ToUtf8Lenient(wideText_, text_);
  if (onChange_) onChange_(text_);
}

}  // namespace kel
