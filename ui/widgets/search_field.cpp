#include "ui/widgets/search_field.h"

#include <algorithm>
#include <cctype>

#include "engine/input/event.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/key_code.h"
#include "engine/scene/director.h"
#include "platform/platform.h"
#include "platform/text_field_listener.h"

namespace {

// Before the text-field listener, which takes every key it sees.
constexpr int32_t kEndKeysPriority = 0;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

SearchField::SearchField() {
  endKeys_ = engine::EventListenerKeyboard::create();
  endKeys_->retain();
  endKeys_->onKeyPressed = [this](engine::KeyCode key, engine::Event* event) {
    if (key != engine::KeyCode::ENTER && key != engine::KeyCode::ESCAPE) return;
    if (event != nullptr) event->stopPropagation();
    finish();
  };
}

SearchField::~SearchField() {
  stop();
  endKeys_->onKeyPressed = nullptr;
  engine::safeRelease(endKeys_);
}

void SearchField::start(std::function<void()> onChange) {
  stop();
  text_.clear();
  onChange_ = std::move(onChange);
  listening_ = true;
  if (kel::Platform* platform = kel::Platform::instance(); platform != nullptr && listener_ == nullptr) {
    listener_ = platform->createTextFieldListener();
  }
  if (listener_ == nullptr) return;
  dispatcher_ = engine::RefPtr<engine::EventDispatcher>(engine::Director::getInstance()->getEventDispatcher());
  listener_->clear();
  listener_->startListening([this](const std::string& typed) { setText(typed); });
  dispatcher_->addEventListenerWithFixedPriority(endKeys_, kEndKeysPriority);
}

void SearchField::stop() {
  if (!listening_) return;
  listening_ = false;
  if (listener_ != nullptr && dispatcher_ != nullptr) {
    listener_->stopListening();
    dispatcher_->removeEventListener(endKeys_);
  }
  dispatcher_ = nullptr;
}

void SearchField::clear() {
  stop();
  text_.clear();
}

void SearchField::finish() {
  stop();
  if (onChange_) onChange_();
}

void SearchField::setText(const std::string& text) {
  text_ = text;
  if (onChange_) onChange_();
}

bool SearchField::matches(std::string_view name) const {
  if (text_.empty()) return true;
  const auto found = std::search(name.begin(), name.end(), text_.begin(), text_.end(),
                                 [](char a, char b) { return lower(a) == lower(b); });
  return found != name.end();
}
