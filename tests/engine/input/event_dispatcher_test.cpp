// The dispatcher's order, stopping, switching and the changes callbacks make while it runs, and
// the callbacks each listener kind routes its events to.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/input/event_keyboard.h"
#include "engine/input/event_keyboard_char.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_keyboard_char.h"
#include "engine/input/event_listener_mouse.h"
#include "engine/input/event_mouse.h"
#include "input_test_support.h"

namespace {

using engine::EventListenerKeyboard;
using engine::EventMouse;
using engine::KeyCode;
using Names = std::vector<std::string>;
using inputtest::Held;

class EventDispatcherTest : public inputtest::DispatcherTest {
 protected:
  // Registers a listener that logs its name for every press; `then` runs after that.
  void listen(Held<EventListenerKeyboard>& listener, const std::string& name, int priority,
              std::function<void(engine::Event*)> then = nullptr) {
    listener->onKeyPressed = [this, name, then](KeyCode, engine::Event* event) {
      calls_.push_back(name);
      if (then) then(event);
    };
    dispatcher_->addEventListenerWithFixedPriority(listener.get(), priority);
  }

  Names press() {
    calls_.clear();
    engine::EventKeyboard event(KeyCode::A, true);
    dispatcher_->dispatchEvent(&event);
    return calls_;
  }

  Names calls_;
};

TEST_F(EventDispatcherTest, AscendingPriorityWithTiesInRegistrationOrder) {
  Held<EventListenerKeyboard> empty, late, first, tieA, tieB, newest;
  dispatcher_->addEventListenerWithFixedPriority(empty.get(), 1);  // no callbacks: never listed
  EXPECT_FALSE(empty->isRegistered());
  listen(late, "late", 7);
  listen(tieA, "tieA", 2);
  listen(first, "first", -3);
  listen(tieB, "tieB", 2);
  EXPECT_EQ(press(), (Names{"first", "tieA", "tieB", "late"}));
  listen(newest, "newest", 0);
  EXPECT_EQ(press(), (Names{"first", "newest", "tieA", "tieB", "late"}));
}

TEST_F(EventDispatcherTest, StoppingTextFieldHidesKeysFromControlsOnlyWhileEnabled) {
  Held<EventListenerKeyboard> controls, textField;
  listen(controls, "controls", 2);
  listen(textField, "textField", 1, [](engine::Event* e) { e->stopPropagation(); });
  EXPECT_EQ(press(), (Names{"textField"}));
  textField->setEnabled(false);
  EXPECT_EQ(press(), (Names{"controls"}));
  textField->setEnabled(true);  // back in front: disabling never lost its place
  EXPECT_EQ(press(), (Names{"textField"}));
}

TEST_F(EventDispatcherTest, DisabledDispatcherCallsNothingAndAddedListenersWaitForTheNextEvent) {
  Held<EventListenerKeyboard> present, added;
  listen(present, "present", 5, [&](engine::Event*) {
    if (!added->isRegistered()) listen(added, "added", 0);
  });
  dispatcher_->setEnabled(false);
  EXPECT_EQ(press(), Names{});
  EXPECT_FALSE(added->isRegistered());
  dispatcher_->setEnabled(true);
  EXPECT_EQ(press(), (Names{"present"}));  // added during the dispatch: not called yet
  EXPECT_EQ(press(), (Names{"added", "present"}));
}

TEST_F(EventDispatcherTest, ListenersRemovedDuringDispatchAreSkippedAndReleasedAfterwards) {
  Held<EventListenerKeyboard> remover, removed, pending;
  const uint32_t unheld = pending->getReferenceCount();
  listen(removed, "removed", 5);
  listen(remover, "remover", 1, [&](engine::Event*) {
    dispatcher_->removeEventListener(removed.get());
    // One added and removed before it joins is dropped with its reference.
    listen(pending, "pending", 0);
    dispatcher_->removeEventListener(pending.get());
  });
  const uint32_t heldByDispatcher = removed->getReferenceCount();
  EXPECT_EQ(press(), (Names{"remover"}));
  EXPECT_EQ(removed->getReferenceCount(), heldByDispatcher - 1);
  EXPECT_EQ(pending->getReferenceCount(), unheld);
  EXPECT_EQ(press(), (Names{"remover"}));
}

TEST_F(EventDispatcherTest, ListenerWhoseOwnerLetsGoInsideItsCallbackSurvivesTheCall) {
  // The dispatcher's reference keeps it alive to the end of the dispatch; the sanitizer sees
  // any use after free.
  auto* listener = EventListenerKeyboard::create();
  listener->retain();
  engine::PoolManager::getCurrentPool()->clear();
  int calls = 0;
  listener->onKeyPressed = [&, listener](KeyCode, engine::Event*) {
    ++calls;
    dispatcher_->removeEventListener(listener);
    listener->release();
  };
  dispatcher_->addEventListenerWithFixedPriority(listener, 1);
  press();
  press();
  EXPECT_EQ(calls, 1);
}

TEST_F(EventDispatcherTest, AListenerIsListedOnceHoweverOftenItIsAddedOrReadded) {
  Held<EventListenerKeyboard> twice, other, juggler;
  listen(other, "other", 5);
  listen(twice, "twice", 1);
  const uint32_t once = twice->getReferenceCount();
  dispatcher_->addEventListenerWithFixedPriority(twice.get(), 9);  // moves it behind "other"
  EXPECT_EQ(twice->getReferenceCount(), once);
  EXPECT_EQ(press(), (Names{"other", "twice"}));
  dispatcher_->removeEventListener(twice.get());
  EXPECT_EQ(twice->getReferenceCount(), once - 1);
  // Removed and added back within one dispatch, it stays listed once.
  listen(juggler, "juggler", 1, [&](engine::Event*) {
    dispatcher_->removeEventListener(other.get());
    dispatcher_->addEventListenerWithFixedPriority(other.get(), 5);
  });
  press();
  EXPECT_EQ(press(), (Names{"juggler", "other"}));
}

TEST_F(EventDispatcherTest, DestroyingTheDispatcherUnregistersAndReleasesItsListeners) {
  Held<EventListenerKeyboard> listed;
  listen(listed, "listed", 1);
  const uint32_t held = listed->getReferenceCount();
  engine::safeRelease(dispatcher_);
  EXPECT_FALSE(listed->isRegistered());
  EXPECT_EQ(listed->getReferenceCount(), held - 1);
}

// Each listener kind routes its events to the right callback with the right values.
TEST_F(EventDispatcherTest, MouseKindsReachTheirOwnCallbacks) {
  using enum EventMouse::MouseEventType;
  Held<engine::EventListenerMouse> mouse;
  std::vector<int> seen;
  mouse->onMouseDown = [&](EventMouse* e) { seen.push_back(10 + e->getMouseButton()); };
  mouse->onMouseUp = [&](EventMouse* e) { seen.push_back(20 + e->getMouseButton()); };
  mouse->onMouseMove = [&](EventMouse*) { seen.push_back(30); };
  mouse->onMouseScroll = [&](EventMouse* e) { seen.push_back(40 + int(e->getScrollY())); };
  dispatcher_->addEventListenerWithFixedPriority(mouse.get(), 2);

  EventMouse down(MOUSE_DOWN);
  down.setMouseButton(EventMouse::BUTTON_RIGHT);
  EventMouse up(MOUSE_UP);
  up.setMouseButton(EventMouse::BUTTON_MIDDLE);
  EventMouse move(MOUSE_MOVE);
  EventMouse scroll(MOUSE_SCROLL);
  scroll.setScrollData(0.0f, 3.0f);
  for (EventMouse* event : {&down, &up, &move, &scroll}) dispatcher_->dispatchEvent(event);
  EXPECT_EQ(seen, (std::vector<int>{11, 22, 30, 43}));
}

TEST_F(EventDispatcherTest, TypedCharactersKeepTheirWhole16BitUnit) {
  Held<engine::EventListenerKeyboardChar> chars;
  EXPECT_FALSE(chars->checkAvailable());
  std::u16string typed;
  chars->onChar = [&](char16_t unit, engine::Event*) { typed.push_back(unit); };
  dispatcher_->addEventListenerWithFixedPriority(chars.get(), 1);

  // Latin-1, Cyrillic, CJK, the replacement character; then what cannot be one unit.
  for (uint32_t codePoint : {0x41u, 0xE9u, 0x416u, 0x4E2Du, 0xFFFDu, 0x1F600u, 0xD83Du, 0xDC00u}) {
    engine::EventKeyboardChar event(codePoint);
    dispatcher_->dispatchEvent(&event);
  }
  EXPECT_EQ(typed, u"A\u00E9\u0416\u4E2D\uFFFD");
}

}  // namespace
