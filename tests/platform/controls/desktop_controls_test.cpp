#include "platform/controls/desktop_controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/input/event_listener_keyboard.h"
#include "platform/controls/desktop_controls_factory.h"
#include "platform/text_field/desktop_text_field.h"
#include "tests/platform/controls/controls_test_support.h"

namespace {

using controlstest::Lines;
using engine::KeyCode;

class DesktopControlsTest : public testing::Test, public controlstest::DispatcherFixture {
 protected:
  DesktopControlsTest() : handler(factory.create(controls, 1.0f)) { handler->enable(); }
  engine::EventListener* listenAt(int32_t priority, bool stops, int& seen) {
    auto* listener = engine::EventListenerKeyboard::create();
    listener->onKeyPressed = [&seen, stops](KeyCode, engine::Event* event) {
      ++seen;
      if (stops) event->stopPropagation();
    };
    dispatcher->addEventListenerWithFixedPriority(listener, priority);
    return listener;
  }

  controlstest::RecordingControls controls;
  kel::DesktopControlsFactory factory{dispatcher};
  std::unique_ptr<kel::AbstractControlsHandler> handler;
};

TEST_F(DesktopControlsTest, AnActiveTextFieldTakesKeysFirstTheControlsTheRest) {
  int field = 0, behind = 0;
  // Registered after the controls, yet called before them.
  engine::EventListener* textField = listenAt(kel::TEXT_FIELD_LISTENER_PRIORITY, true, field);
  listenAt(5, false, behind);
  key(KeyCode::E);
  down(0, 1, 1);  // the mouse is not the field's
  EXPECT_EQ(controls.take(), (Lines{"button 0 down 1,1"}));
  textField->setEnabled(false);
  EXPECT_TRUE(key(KeyCode::E));
  EXPECT_TRUE(key(KeyCode::E, false));
  EXPECT_EQ(controls.take(), (Lines{"key 125 down", "key 125 up"}));
  EXPECT_EQ(field, 1);
  EXPECT_EQ(behind, 0);
}

TEST_F(DesktopControlsTest, ADragBeginsBeyondNinePointsAndEndsWithItsOwnButton) {
  down(0, 10, 10);
  moveTo(19, 10);  // exactly 9 points: still a move
  moveTo(19.01f, 10);
  down(1, 19, 10);  // another button during the drag is a plain click
  up(1, 41, 50);
  up(0, 42, 51);
  moveTo(60, 60);
  EXPECT_EQ(controls.take(), (Lines{"button 0 down 10,10", "move 19,10", "drag 0 begin 19.01,10",
                                    "button 1 down 19,10", "button 1 up 41,50", "drag 0 end 42,51",
                                    "move 60,60"}));
}

TEST_F(DesktopControlsTest, SwallowedInputAndSwitchedOffControlsForgetHeldButtons) {
  EXPECT_TRUE(down(3, 1, 1));  // side buttons
  wheel(3, 4, -1);
  handler->setWheelEnabled(false);
  EXPECT_TRUE(wheel(3, 4, 2));
  down(0, 5, 5);
  moveTo(30, 5);  // a drag runs
  handler->disable();
  EXPECT_FALSE(key(KeyCode::Q));
  handler->enable();
  moveTo(50, 50);  // no drag and no held button any more,
  up(0, 50, 50);   // so no release either
  EXPECT_EQ(controls.take(), (Lines{"wheel 3,4 -1", "button 0 down 5,5", "drag 0 begin 30,5",
                                    "move 50,50"}));
}

TEST_F(DesktopControlsTest, ControlsKeepTheirDispatcherUntilTheyGo) {
  auto* own = new engine::EventDispatcher();
  own->setEnabled(true);
  auto late = std::make_unique<kel::DesktopControls>(controls, own);
  own->release();  // as the director's purge does at exit
  late->enable();
  engine::EventKeyboard event(KeyCode::Z, true);
  own->dispatchEvent(&event);
  late.reset();
  EXPECT_EQ(controls.take(), (Lines{"key 146 down"}));
}

// A view that frees its controls, and so their handler, when a given call reaches it.
struct SelfClosingControls : controlstest::RecordingControls {
  std::string trigger;
  std::unique_ptr<kel::DesktopControls> handler;
  void mouseButton(const engine::Vec2& p, int b, bool up) override {
    RecordingControls::mouseButton(p, b, up), check();
  }
  void mouseDrag(const engine::Vec2& p, int b, kel::DragPhase phase) override {
    RecordingControls::mouseDrag(p, b, phase), check();
  }
  void check() {
    if (calls.back().rfind(trigger, 0) == 0) handler.reset();
  }
};

TEST_F(DesktopControlsTest, ControlsMayBeFreedFromTheirOwnCallbacks) {
  for (const char* trigger : {"button 0 down", "button 0 up", "drag 0 begin", "drag 0 end"}) {
    SelfClosingControls closing;
    closing.trigger = trigger;
    closing.handler = std::make_unique<kel::DesktopControls>(closing, dispatcher);
    handler->disable(), closing.handler->enable();
    const bool drags = closing.trigger[0] == 'd';
    if (closing.handler) down(0, 0, 0);
    if (closing.handler && drags) moveTo(20, 0);
    if (closing.handler && drags) moveTo(30, 0);
    if (closing.handler) up(0, 30, 0);
    EXPECT_EQ(closing.calls.back().rfind(trigger, 0), 0u) << trigger;
    EXPECT_FALSE(key(KeyCode::Y)) << trigger;  // its listeners are gone
  }
}

}  // namespace
