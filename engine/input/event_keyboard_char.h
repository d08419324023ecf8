#pragma once
// A typed character. This is the only way typed text reaches listeners; key events carry none.

#include <cstdint>

#include "engine/input/event.h"

namespace engine {

class EventKeyboardChar : public Event {
 public:
  explicit EventKeyboardChar(uint32_t codePoint)
      : Event(EventType::KEYBOARD_CHAR), codePoint_(codePoint) {}

  uint32_t getCodePoint() const { return codePoint_; }

  // Text is edited as 16-bit units, one per character: a code point fits when it lies in the
  // basic plane and is not half of a surrogate pair.
  static constexpr bool fitsOneUnit(uint32_t codePoint) {
    return codePoint <= 0xFFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
  }

 private:
  uint32_t codePoint_;
};

}  // namespace engine
