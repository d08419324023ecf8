#include "engine/scene/flat_action_stepping.h"

#include "engine/scene/composite_steps.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/flat_action.h"
#include "engine/scene/move_by.h"
#include "engine/scene/node.h"
#include "engine/scene/tint_to.h"

namespace engine {

namespace {

// One tree's records and the node they drive; records are named by their place.
struct Program {
  FlatAction* records;
  Node* target;

  void start(int i);
  void step(int i, float dt);
  // Inline for the leaves (the kinds from MoveBy to TintTo), which most updates reach: they
  // change their node; a composite passes its progress on to its parts.
  void update(int i, float t) {
    FlatAction& a = records[i];
    if (a.kind >= ActionKind::MoveBy && a.kind <= ActionKind::TintTo) {
      if (a.bound) updateLeaf(a, t);
      return;
    }
    updateComposite(a, t);
  }
  void updateComposite(FlatAction& a, float t);
  void stop(int i);
  bool isDone(int i) const {
    const FlatAction& a = records[i];
    return a.kind != ActionKind::RepeatForever && a.elapsed >= a.duration;
  }
  void updateLeaf(FlatAction& a, float t);
};

// A composite's parts as the shared composite steps reach them.
struct Parts {
  Program& program;
  const FlatAction& composite;
  void start(int i) { program.start(composite.parts[i]); }
  void update(int i, float t) { program.update(composite.parts[i], t); }
  void stop(int i) { program.stop(composite.parts[i]); }
  bool isDone(int i) const { return program.isDone(composite.parts[i]); }
};

struct Inner {
  Program& program;
  int place;
  void step(float dt) { program.step(place, dt); }
  bool isDone() const { return program.isDone(place); }
  float elapsed() const { return program.records[place].elapsed; }
  float duration() const { return program.records[place].duration; }
  void start() { program.start(place); }
};

void Program::start(int i) {
  FlatAction& a = records[i];
  a.elapsed = 0.0f;
  a.firstTick = true;
  a.bound = true;
  switch (a.kind) {
    case ActionKind::MoveBy:
      a.p.move.start = a.p.move.previous = target->getPosition();
      return;
    case ActionKind::MoveTo:
      a.p.move.start = a.p.move.previous = target->getPosition();
      a.p.move.delta = a.p.move.end - target->getPosition();
      return;
    case ActionKind::RotateBy:
      a.p.turn.start = target->getRotation();
      return;
    case ActionKind::ScaleTo: {
      FlatAction::Scale& s = a.p.scale;
      s.startX = target->getScaleX();
      s.startY = target->getScaleY();
      s.deltaX = s.endX - s.startX;
      s.deltaY = s.endY - s.startY;
      return;
    }
    case ActionKind::FadeTo:
      a.p.fade.action->startWithTarget(target);
      a.p.fade.from = a.p.fade.action->getStartOpacity();
      a.p.fade.to = a.p.fade.action->getEndOpacity();
      return;
    case ActionKind::TintTo:
      a.p.tint.from = target->getColor();
      return;
    case ActionKind::Sequence:
      a.p.split = records[a.parts[0]].duration / a.duration;
      a.last = -1;
      return;
    case ActionKind::Spawn:
      start(a.parts[0]);
      start(a.parts[1]);
      return;
    case ActionKind::RepeatForever:
      start(a.parts[0]);
      return;
    case ActionKind::Delay:
    case ActionKind::Other:
      return;
  }
}

void Program::step(int i, float dt) {
  FlatAction& a = records[i];
  if (a.kind == ActionKind::RepeatForever) {
    Inner inner{*this, a.parts[0]};
    stepRepeatForever(inner, dt);
    return;
  }
  if (a.firstTick) {
    a.firstTick = false;
    a.elapsed = 0.0f;
  } else {
    a.elapsed += dt;
  }
  update(i, ActionInterval::progress(a.elapsed, a.duration));
}

void Program::updateComposite(FlatAction& a, float t) {
  switch (a.kind) {
    case ActionKind::Sequence: {
      Parts parts{*this, a};
      a.last = static_cast<int8_t>(updateSequence(parts, a.p.split, a.last, t));
      return;
    }
    case ActionKind::Spawn:
      update(a.parts[0], t);
      update(a.parts[1], t);
      return;
    default:
      return;  // an endless repeat, a delay: none changes anything on update
  }
}

void Program::updateLeaf(FlatAction& a, float t) {
  switch (a.kind) {
    case ActionKind::MoveBy:
    case ActionKind::MoveTo:
      MoveBy::moveTarget(target, a.p.move.delta, a.p.move.start, a.p.move.previous, t);
      return;
    case ActionKind::RotateBy:
      target->setRotation(a.p.turn.start + a.p.turn.angle * t);
      return;
    case ActionKind::ScaleTo:
      target->setScaleX(a.p.scale.startX + a.p.scale.deltaX * t);
      target->setScaleY(a.p.scale.startY + a.p.scale.deltaY * t);
      return;
    case ActionKind::FadeTo:
      target->setOpacity(FadeTo::opacityAt(a.p.fade.from, a.p.fade.to, t));
      return;
    case ActionKind::TintTo:
      target->setColor(TintTo::colorAt(a.p.tint.from, a.p.tint.to, t));
      return;
    default:
      return;
  }
}

void Program::stop(int i) {
  FlatAction& a = records[i];
  // As the objects stop: a sequence its running part, a spawn both; an endless repeat only
  // itself.
  if (a.kind == ActionKind::Sequence && a.last != -1) stop(a.parts[a.last]);
  if (a.kind == ActionKind::Spawn) {
    stop(a.parts[0]);
    stop(a.parts[1]);
  }
  a.bound = false;
}

}  // namespace

void startFlatAction(FlatAction* program, Node* target) { Program{program, target}.start(0); }

void stepFlatAction(FlatAction* program, Node* target, float dt) {
  Program{program, target}.step(0, dt);
}

bool isFlatActionDone(const FlatAction* program) {
  return Program{const_cast<FlatAction*>(program), nullptr}.isDone(0);
}

void stopFlatAction(FlatAction* program) { Program{program, nullptr}.stop(0); }

}  // namespace engine
