// The dispatcher's order, stopping, switching and the changes callbacks make while it runs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/input/event_keyboard.h"
#include "engine/input/event_listener_keyboard.h"
#include "input_test_support.h"

namespace {

using engine::EventListenerKeyboard;
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
  Held<EventListenerKeyboard> late, first, tieA, tieB, newest;
  listen(late, "late", 7);
  listen(tieA, "tieA", 2);
  listen(first, "first", -3);
  listen(tieB, "tieB", 2);
  press();
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
  dispatcher_->setEnabled(false);
  EXPECT_EQ(press(), Names{});
}

TEST_F(EventDispatcherTest, ListenersChangedDuringDispatchWaitForTheNextEventAndAreReleased) {
  Held<EventListenerKeyboard> remover, removed, pending, added;
  const uint32_t unheld = pending->getReferenceCount();
  listen(removed, "removed", 5);
  listen(remover, "remover", 1, [&](engine::Event*) {
    dispatcher_->removeEventListener(removed.get());
    // One added and removed before it joins is dropped with its reference.
    listen(pending, "pending", 0);
    dispatcher_->removeEventListener(pending.get());
    if (!added->isRegistered()) listen(added, "added", 0);
  });
  const uint32_t heldByDispatcher = removed->getReferenceCount();
  EXPECT_EQ(press(), (Names{"remover"}));
  EXPECT_EQ(removed->getReferenceCount(), heldByDispatcher - 1);
  EXPECT_EQ(pending->getReferenceCount(), unheld);
  EXPECT_EQ(press(), (Names{"added", "remover"}));
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
  // Removed and added back within one dispatch, it stays listed once.
  listen(juggler, "juggler", 1, [&](engine::Event*) {
    dispatcher_->removeEventListener(other.get());
    dispatcher_->addEventListenerWithFixedPriority(other.get(), 5);
  });
  press();
  EXPECT_EQ(press(), (Names{"juggler", "other", "twice"}));
}

}  // namespace
