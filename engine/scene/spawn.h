#pragma once
// Runs two actions side by side; the shorter one is padded with a delay to the longer's length.

#include "engine/scene/action.h"

namespace engine {

class Spawn final : public ActionInterval {
 public:
  static Spawn* createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second);
  ~Spawn() override;

  Spawn* clone() const override;
  Spawn* reverse() const override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;
  void prefetchParts(int depth) const override;
  // Its two actions as run side by side, the shorter one already padded with a delay.
  FiniteTimeAction* getPart(int index) const { return index == 0 ? one_ : two_; }

 private:
  Spawn() : ActionInterval(ActionKind::Spawn) {}

  FiniteTimeAction* one_ = nullptr;
  FiniteTimeAction* two_ = nullptr;
};

}  // namespace engine
