#pragma once
// Turns the target by a number of degrees over the duration, from wherever it stands at start.

#include "engine/scene/action.h"

namespace engine {

class RotateBy final : public ActionInterval {
 public:
  static RotateBy* create(float duration, float degrees);
  RotateBy* clone() const override { return create(duration_, angle_); }
  RotateBy* reverse() const override { return create(duration_, -angle_); }
  void startWithTarget(Node* target) override;
  void update(float t) override;
  float getAngle() const { return angle_; }

 private:
  RotateBy() : ActionInterval(ActionKind::RotateBy) {}
  float angle_ = 0.0f;
  float startAngle_ = 0.0f;
};

}  // namespace engine
