#pragma once
// The base classes of actions: something that changes a node over time, driven by the action
// manager once per frame. Actions never hold a reference to their node.

#include <cfloat>

#include "engine/base/ref.h"

namespace engine {

class Node;

// The actions the manager knows by kind: a large scene steps a tree of them per node per frame,
// by direct calls instead of virtual ones. Their classes are final (or the functions that matter
// are), so no subclass can make a direct call miss an override. Any other action is Other and is stepped through its virtual
// functions.
enum class ActionKind : unsigned char {
  Other,
  RepeatForever,
  Sequence,
  Spawn,
  MoveBy,
  MoveTo,
  RotateBy,
  ScaleTo,
  FadeTo,
  TintTo,
  Delay,
};

class Action : public Ref {
 public:
  // A new autoreleased action with the same parameters.
  virtual Action* clone() const = 0;
  // A new autoreleased action that undoes this one, or null where there is none.
  virtual Action* reverse() const = 0;
  virtual bool isDone() const { return true; }
  virtual void startWithTarget(Node* target);
  virtual void stop() { target_ = nullptr; }
  virtual void step(float dt) = 0;
  // Applies progress t, 0 to 1.
  virtual void update(float t) = 0;
  virtual bool isInstant() const { return false; }
  // Asks for the memory of the actions this one will step, depth levels down (1: its own
  // parts). A large scene's actions are scattered and leave the cache between frames; the manager
  // calls this a few targets ahead, one level deeper each time, so that the pointers read on the
  // way down were already asked for and only the last level's fetch is left in flight.
  virtual void prefetchParts(int /*depth*/) const {}

  Node* getTarget() const { return target_; }
  Node* getOriginalTarget() const { return originalTarget_; }
  int getTag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  ActionKind getKind() const { return kind_; }

 protected:
  Action() = default;
  explicit Action(ActionKind kind) : kind_(kind) {}

  Node* originalTarget_ = nullptr;  // the node it was started on
  Node* target_ = nullptr;          // the node it drives now
  int tag_ = -1;
  ActionKind kind_ = ActionKind::Other;
};

class FiniteTimeAction : public Action {
 public:
  using Action::Action;
  FiniteTimeAction* clone() const override = 0;
  FiniteTimeAction* reverse() const override = 0;
  float getDuration() const { return duration_; }

 protected:
  float duration_ = 0.0f;
};

class ActionInterval : public FiniteTimeAction {
 public:
  using FiniteTimeAction::FiniteTimeAction;
  ActionInterval* clone() const override = 0;
  ActionInterval* reverse() const override = 0;
  bool isDone() const override { return elapsed_ >= duration_; }
  void startWithTarget(Node* target) override;
  // The first step after a start drops its dt and applies t = 0; the last applies t = 1.
  void step(float dt) override;
  float getElapsed() const { return elapsed_; }
  // What step does before it updates: moves the clock and returns the progress to apply.
  float advance(float dt) {
    if (firstTick_) {
      firstTick_ = false;
      elapsed_ = 0.0f;
    } else {
      elapsed_ += dt;
    }
    return progress(elapsed_, duration_);
  }
  // elapsed / duration within [0, 1]; a duration under FLT_EPSILON counts as FLT_EPSILON.
  static float progress(float elapsed, float duration) {
    const float t = elapsed / (duration < FLT_EPSILON ? FLT_EPSILON : duration);
    return t < 0.0f ? 0.0f : (1.0f < t ? 1.0f : t);
  }

 protected:
  // A duration of exactly 0 becomes FLT_EPSILON so that progress never divides by zero.
  void initWithDuration(float duration);

  float elapsed_ = 0.0f;
  bool firstTick_ = true;
};

class ActionInstant : public FiniteTimeAction {
 public:
  bool isDone() const override { return true; }
  void step(float dt) override;
  bool isInstant() const override { return true; }
};

}  // namespace engine
