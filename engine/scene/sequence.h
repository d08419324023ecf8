#pragma once
// Runs two actions one after the other, mapping one elapsed time onto both: time past the end of
// the first already counts for the second.

#include "engine/scene/action.h"

namespace engine {

class Sequence final : public ActionInterval {
 public:
  static Sequence* createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second);
  ~Sequence() override;

  Sequence* clone() const override;
  Sequence* reverse() const override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;
  void prefetchParts(int depth) const override;
  // Its first (0) or second (1) action.
  FiniteTimeAction* getPart(int index) const { return actions_[index]; }

 private:
  Sequence() : ActionInterval(ActionKind::Sequence) {}

  FiniteTimeAction* actions_[2] = {nullptr, nullptr};
  float split_ = 0.0f;  // the first action's share of the whole duration
  int last_ = -1;       // the action updated last; -1 before any
};

}  // namespace engine
