#include "platform/text_field/desktop_text_field.h"

#include <algorithm>

#include "engine/base/utf.h"
#include "engine/input/key_code.h"
#include "engine/input/event.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_keyboard_char.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/timer.h"
#include "platform/platform.h"
#include "platform/text_field/text_field_lines.h"

namespace kel {

namespace {

// The scheduler key of the backspace repeat.
constexpr int BACKSPACE_REPEAT_KEY = 0;

bool isEnterKey(engine::KeyCode keyCode) {
  const int32_t code = static_cast<int32_t>(keyCode);
  return code == 10 || code == 32 || code == 161;
}

void consume(engine::Event* event) {
  if (event != nullptr) event->stopPropagation();
}

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

DesktopTextField::DesktopTextField(const TextFieldSetup& setup,
                                   engine::EventDispatcher* dispatcher,
                                   engine::Scheduler* scheduler)
    : TextField(setup), dispatcher_(dispatcher), scheduler_(scheduler) {
  setText(setup.initialText);
  if (wideText_.size() <= minimumLength_) wholeSelected_ = false;  // nothing to select
  keyListener_ = engine::EventListenerKeyboard::create();
  keyListener_->retain();
  keyListener_->onKeyPressed = [this](engine::KeyCode key, engine::Event* event) {
    onKeyPressed(key, event);
  };
  keyListener_->onKeyReleased = [this](engine::KeyCode key, engine::Event* event) {
    onKeyReleased(key, event);
  };
  charListener_ = engine::EventListenerKeyboardChar::create();
  charListener_->retain();
  charListener_->onChar = [this](char16_t character, engine::Event* event) {
    onCharacter(character, event);
    consume(event);
  };
}

DesktopTextField::~DesktopTextField() {
  if (scheduler_ != nullptr) scheduler_->unscheduleAllForTarget(this);
  dropListeners();
}

void DesktopTextField::setText(const std::string& text) {
  // Text from a sign or a peer may be malformed: it is shown with replacement characters.
  wideText_.clear();
  engine::utf8ToUtf16Lenient(text, wideText_);
  text_.clear();
  engine::utf16ToUtf8Lenient(wideText_, text_);
}

void DesktopTextField::startListening() {
  if (keyListener_ == nullptr || listening_ || dispatcher_ == nullptr) return;
  for (engine::EventListener* listener :
       {static_cast<engine::EventListener*>(keyListener_),
        static_cast<engine::EventListener*>(charListener_)}) {
    if (!listener->checkAvailable()) continue;
    listener->setEnabled(true);
    dispatcher_->addEventListenerWithFixedPriority(listener, TEXT_FIELD_LISTENER_PRIORITY);
  }
  listening_ = true;
}

void DesktopTextField::stopListening() {
  if (!listening_) return;
  if (dispatcher_ != nullptr) {
    dispatcher_->removeEventListener(keyListener_);
    dispatcher_->removeEventListener(charListener_);
  }
  listening_ = false;
}

void DesktopTextField::dropListeners() {
  stopListening();
  // The dispatcher may still hold them for the rest of an event: they must not call back.
  if (keyListener_ != nullptr) {
    keyListener_->onKeyPressed = nullptr;
    keyListener_->onKeyReleased = nullptr;
  }
  if (charListener_ != nullptr) charListener_->onChar = nullptr;
  engine::safeRelease(keyListener_);
  engine::safeRelease(charListener_);
}

void DesktopTextField::finish() {
  if (scheduler_ != nullptr) scheduler_->unschedule(BACKSPACE_REPEAT_KEY, this);
  dropListeners();
  reportFinish(std::string(text_));
}

void DesktopTextField::onKeyPressed(engine::KeyCode keyCode, engine::Event* event) {
  consume(event);
  if (keyCode == engine::KeyCode::CTRL) {
    controlHeld_ = true;
  } else if (keyCode == engine::KeyCode::V && controlHeld_) {
    pasteClipboard();
  } else if (keyCode == engine::KeyCode::C && controlHeld_) {
    copyToClipboard();
  } else if (keyCode == engine::KeyCode::ESCAPE) {
    reportFinish(std::string(text_));
  } else if (keyCode == engine::KeyCode::BACKSPACE) {
    if (scheduler_ != nullptr) {
      scheduler_->schedule([this](float) { removeLastCharacter(); }, this,
                           BACKSPACE_REPEAT_INTERVAL, engine::REPEAT_FOREVER, 0.0f,
                           BACKSPACE_REPEAT_KEY);
    }
    removeLastCharacter();
  } else if (keyCode == engine::KeyCode::LEFT_ARROW || keyCode == engine::KeyCode::RIGHT_ARROW ||
             keyCode == engine::KeyCode::HOME || keyCode == engine::KeyCode::END) {
    // The caret stays after the text: the player means to add to it.
    endSelection(false);
  } else if (isEnterKey(keyCode)) {
    if (lineLimit_ != 1) {
      if (lineCount() < lineLimit_) onCharacter(u'\n', nullptr);
    } else {
      reportText(std::string(text_));
    }
  }
}

void DesktopTextField::onKeyReleased(engine::KeyCode keyCode, engine::Event* event) {
  if (keyCode == engine::KeyCode::CTRL) controlHeld_ = false;
  if (scheduler_ != nullptr) scheduler_->unschedule(BACKSPACE_REPEAT_KEY, this);
  consume(event);
}

void DesktopTextField::endSelection(bool erase) {
  if (!wholeSelected_) return;
  wholeSelected_ = false;
  if (!erase) {
    onChange_();
    return;
  }
  const std::u16string before = wideText_;
  wideText_.resize(std::min<size_t>(wideText_.size(), minimumLength_));
  commitEdit(before);
}

void DesktopTextField::removeLastCharacter() {
  if (wholeSelected_) {
    endSelection(true);
    return;
  }
  if (wideText_.size() <= minimumLength_) return;
  const std::u16string before = wideText_;
  // A pair of surrogates (from text set by the game) is one character.
  size_t cut = 1;
  if (wideText_.size() >= 2 && isSurrogate(wideText_.back()) &&
      isSurrogate(wideText_[wideText_.size() - 2])) {
    cut = 2;
  }
  wideText_.resize(wideText_.size() - cut);
  commitEdit(before);
}

void DesktopTextField::pasteClipboard() {
  Platform* platform = Platform::instance();
  if (platform == nullptr) return;
  std::u16string pasted;
  engine::utf8ToUtf16Lenient(platform->clipboardText(), pasted);
  for (const char16_t character : pasted) {
    if (character == u'\r' || character == u'\n') break;
    if (!onCharacter(character, nullptr)) break;
  }
}

void DesktopTextField::copyToClipboard() {
  // The whole field: a seed or a line is copied to be pasted elsewhere as it stands.
  if (Platform* platform = Platform::instance()) platform->setClipboardText(text_);
}

bool DesktopTextField::onCharacter(char16_t character, engine::Event* event) {
  consume(event);
  // One unit is one character: halves of a pair cannot be edited on their own.
  if (isSurrogate(character)) return false;
  endSelection(true);
  // Only a full last line (wraps counted, so a sign typed without breaks holds all its lines)
  // makes the character open a new one, which the limit may refuse.
  if (isLimitedLineLength(lineLength_) && lastLineColumn(wideText_, lineLength_) >= lineLength_ &&
      lineCount() >= lineLimit_) {
    return false;
  }
  const std::u16string before = wideText_;
  wideText_ += character;
  return commitEdit(before);
}

bool DesktopTextField::commitEdit(const std::u16string& before) {
  const std::string previous = text_;
  text_.clear();
  engine::utf16ToUtf8Lenient(wideText_, text_);
  if (!applyText(text_)) {
    wideText_ = before;
    text_ = previous;
    return false;
  }
  return true;
}

uint32_t DesktopTextField::lineCount() const {
  return countTextFieldLines(wideText_, lineLength_);
}

}  // namespace kel
