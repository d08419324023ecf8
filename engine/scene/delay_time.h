#pragma once
// Waits for its duration and changes nothing; the usual first half of a delayed callback.

#include "engine/scene/action.h"

namespace engine {

class DelayTime final : public ActionInterval {
 public:
  static DelayTime* create(float duration);
  DelayTime* clone() const override { return create(duration_); }
  DelayTime* reverse() const override { return create(duration_); }
  void update(float) override {}

 private:
  DelayTime() : ActionInterval(ActionKind::Delay) {}
};

}  // namespace engine
