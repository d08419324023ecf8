#pragma once
// The move's update on its state, inline for the walk that runs it on every moving node of a
// large scene each frame: a call out for it cost about as much as its own arithmetic.

#include "engine/scene/move_by.h"
#include "engine/scene/node.h"

namespace engine {

[[gnu::always_inline]] inline void MoveBy::moveTarget(Node* target, const Vec2& delta,
                                                      Vec2& start, Vec2& previous, float t) {
  const Vec2 current = target->getPosition();
  start = start + (current - previous);
  const Vec2 next = start + delta * t;
  target->setPosition(next);
  previous = next;
}

}  // namespace engine
