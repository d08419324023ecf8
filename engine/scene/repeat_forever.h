#pragma once
// Repeats an interval action until removed, carrying each cycle's overshoot into the next.

#include "engine/scene/action.h"

namespace engine {

class RepeatForever final : public ActionInterval {
 public:
  static RepeatForever* create(ActionInterval* inner);
  ~RepeatForever() override;

  RepeatForever* clone() const override { return create(inner_->clone()); }
  RepeatForever* reverse() const override;
  bool isDone() const override { return false; }
  void startWithTarget(Node* target) override;
  void step(float dt) override;
  void update(float) override {}
  void prefetchParts(int depth) const override;
  ActionInterval* getInnerAction() const { return inner_; }

 private:
  RepeatForever() : ActionInterval(ActionKind::RepeatForever) {}
  ActionInterval* inner_ = nullptr;
};

}  // namespace engine
