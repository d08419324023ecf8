#pragma once
// A gamepad event. The window has no gamepad source yet, so nothing dispatches one; the type
// exists so that the controls can listen for it and a source can be added without touching them.

#include <cstdint>

#include "engine/input/event.h"

namespace kel {

// The event type number gamepad events and their listeners share.
constexpr engine::EventType EVENT_TYPE_GAMEPAD = static_cast<engine::EventType>(5);

class EventGamepad : public engine::Event {
 public:
  // kind 0 goes to the listener's first callback, 1 to its second.
  EventGamepad(int32_t kind, float value)
      : engine::Event(EVENT_TYPE_GAMEPAD), kind_(kind), value_(value) {}

  int32_t getKind() const { return kind_; }
  float getValue() const { return value_; }

 private:
  int32_t kind_;
  float value_;
};

}  // namespace kel
