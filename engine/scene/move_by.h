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
  const Vec2& getDelta() const { return delta_; }
  // The update on a move's state: the drift since `previous` joins
  // `start`, and the target goes to start + delta * t. Defined in move_steps.h.
  static inline void moveTarget(Node* target, const Vec2& delta, Vec2& start, Vec2& previous, float t);

 protected:
  explicit MoveBy(ActionKind kind = ActionKind::MoveBy) : ActionInterval(kind) {}
  Vec2 delta_;
  Vec2 startPosition_;
  Vec2 previousPosition_;
};

class MoveTo final : public MoveBy {
 public:
  static MoveTo* create(float duration, const Vec2& position);
  MoveTo* clone() const override { return create(duration_, endPosition_); }
  void startWithTarget(Node* target) override;
  const Vec2& getEndPosition() const { return endPosition_; }

 private:
  MoveTo() : MoveBy(ActionKind::MoveTo) {}
  Vec2 endPosition_;
};

}  // namespace engine
