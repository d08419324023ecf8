#pragma once
// An input event: built on the stack by its source, handed to the dispatcher and discarded.
// Listeners must not keep a pointer to one past their callback.

#include <cstdint>

#include "engine/base/ref.h"

namespace engine {

// One numbering shared by events and the listeners that receive them.
enum class EventType : int32_t {
  KEYBOARD = 0,
  KEYBOARD_CHAR = 1,
  MOUSE = 3,
};

class Event : public Ref {
 public:
  EventType getType() const { return type_; }
  bool isStopped() const { return stopped_; }
  // Listeners later in the order do not see a stopped event.
  void stopPropagation() { stopped_ = true; }

 protected:
  explicit Event(EventType type) : type_(type) {}

 private:
  EventType type_;
  bool stopped_ = false;
};

}  // namespace engine
