#pragma once
// A turn of a held item that passes through fixed angles only: whole multiples of 45 degrees, and
// the angles it starts and ends at. A small picture turned freely smears into a different
// outline every frame; turned in a few fixed steps it keeps a clear one at each.

#include "engine/scene/action.h"

class SteppedTurn final : public engine::ActionInterval {
 public:
  static constexpr float kStepDegrees = 45.0f;

  // Autoreleased: a turn by `degrees` over `duration` seconds.
  static SteppedTurn* create(float duration, float degrees);
  SteppedTurn* clone() const override { return create(duration_, angle_); }
  SteppedTurn* reverse() const override { return create(duration_, -angle_); }
  void startWithTarget(engine::Node* target) override;
  void update(float t) override;

  // The angle an item rests at: the fixed angle nearest to its own rest angle.
  static float restingAngle(float degrees);

  // The angle shown when a share t (0-1) of a turn by `degrees` from `start` has passed: the last
  // whole step of 45 degrees passed on the way (the start until one is), the turn's end at its end.
  static float shownAngle(float start, float degrees, float t);

 private:
  SteppedTurn() = default;
  float angle_ = 0.0f;
  float startAngle_ = 0.0f;
};
