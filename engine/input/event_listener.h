#pragma once
// The base of every listener: its event type, whether the dispatcher holds it, its fixed
// priority (lower runs first) and the switch its owner turns it on and off with.

#include <cstdint>

#include "engine/base/ref.h"
#include "engine/input/event.h"

namespace engine {

class EventDispatcher;

class EventListener : public Ref {
 public:
  EventType getType() const { return type_; }
  bool isRegistered() const { return registered_; }
  int32_t getFixedPriority() const { return fixedPriority_; }
  // A disabled listener keeps its place in the order and is skipped.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  // Called only with events of this listener's type; other events are ignored.
  virtual void onEvent(Event* event) = 0;
  // A listener that could never react is not worth registering.
  virtual bool checkAvailable() const = 0;

 protected:
  explicit EventListener(EventType type) : type_(type) {}

 private:
  friend class EventDispatcher;

  EventType type_;
  bool registered_ = false;
  int32_t fixedPriority_ = 0;
  bool enabled_ = true;
};

}  // namespace engine
