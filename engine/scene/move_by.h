#pragma once
// Moves the target by a delta (MoveBy) or to a position (MoveTo) over the duration. A move adds
// the drift between its last write and the node's current position to its start, so several
// moves and direct position changes on one node add up.

#include "engine/base/geometry.h"
#include "engine/scene/action.h"

namespace engine {

class MoveBy : public ActionInterval {
 public:
  static MoveBy* create(float duration, const Vec2& delta);
  MoveBy* clone() const override { return create(duration_, delta_); }
  MoveBy* reverse() const override;
  void startWithTarget(Node* target) override;
  // Final, with step and isDone: the manager steps moves by a direct call to these.
  void update(float t) final;
  void step(float dt) final { ActionInterval::step(dt); }
  bool isDone() const final { return ActionInterval::isDone(); }

 protected:
  MoveBy() : ActionInterval(ActionKind::MoveBy) {}
  Vec2 delta_;
  Vec2 startPosition_;
  Vec2 previousPosition_;
};

class MoveTo final : public MoveBy {
 public:
  static MoveTo* create(float duration, const Vec2& position);
  MoveTo* clone() const override { return create(duration_, endPosition_); }
  void startWithTarget(Node* target) override;

 private:
  MoveTo() = default;
  Vec2 endPosition_;
};

}  // namespace engine
