// Each listener kind routes its events to the right callback with the right values.
#include <gtest/gtest.h>

#include <vector>

#include "engine/input/event_keyboard_char.h"
#include "engine/input/event_listener_keyboard_char.h"
#include "engine/input/event_listener_mouse.h"
#include "engine/input/event_mouse.h"
#include "input_test_support.h"

namespace {

using engine::EventMouse;
using inputtest::Held;

class EventListenerTest : public inputtest::DispatcherTest {};

TEST_F(EventListenerTest, MouseKindsReachTheirOwnCallbacks) {
  Held<engine::EventListenerMouse> mouse;
  std::vector<int> seen;
  mouse->onMouseDown = [&](EventMouse* e) { seen.push_back(10 + e->getMouseButton()); };
  mouse->onMouseUp = [&](EventMouse* e) { seen.push_back(20 + e->getMouseButton()); };
  mouse->onMouseMove = [&](EventMouse*) { seen.push_back(30); };
  mouse->onMouseScroll = [&](EventMouse* e) { seen.push_back(40 + int(e->getScrollY())); };
  dispatcher_->addEventListenerWithFixedPriority(mouse.get(), 2);

  EventMouse down(EventMouse::MouseEventType::MOUSE_DOWN);
  down.setMouseButton(EventMouse::BUTTON_RIGHT);
  EventMouse up(EventMouse::MouseEventType::MOUSE_UP);
  up.setMouseButton(EventMouse::BUTTON_MIDDLE);
  EventMouse move(EventMouse::MouseEventType::MOUSE_MOVE);
  EventMouse scroll(EventMouse::MouseEventType::MOUSE_SCROLL);
  scroll.setScrollData(0.0f, 3.0f);
  for (EventMouse* event : {&down, &up, &move, &scroll}) dispatcher_->dispatchEvent(event);
  EXPECT_EQ(seen, (std::vector<int>{11, 22, 30, 43}));
}

TEST_F(EventListenerTest, TypedCharactersKeepTheirWhole16BitUnit) {
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
