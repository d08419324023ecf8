#pragma once
// Moves a progress timer's percentage from one value to another over a duration.

#include "engine/scene/action.h"

namespace engine {

class ProgressFromTo : public ActionInterval {
 public:
  // A duration of 0 becomes FLT_EPSILON.
  static ProgressFromTo* create(float duration, float fromPercentage, float toPercentage);
  ProgressFromTo* clone() const override;
  // From and to swapped.
  ProgressFromTo* reverse() const override;
  // Targets that are not progress timers are left alone.
  void update(float t) override;

  float getFrom() const { return from_; }
  float getTo() const { return to_; }

 private:
  ProgressFromTo() = default;
  float from_ = 0.0f;
  float to_ = 0.0f;
};

}  // namespace engine
