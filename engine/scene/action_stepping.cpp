#include "engine/scene/action_stepping.h"

#include "engine/scene/delay_time.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"

namespace engine {

void updateAction(Action* action, float t) {
  switch (action->getKind()) {
    case ActionKind::Sequence:
      static_cast<Sequence*>(action)->Sequence::update(t);
      return;
    case ActionKind::Spawn:
      static_cast<Spawn*>(action)->Spawn::update(t);
      return;
    case ActionKind::MoveBy:
    case ActionKind::MoveTo:
      static_cast<MoveBy*>(action)->MoveBy::update(t);
      return;
    case ActionKind::RotateBy:
      static_cast<RotateBy*>(action)->RotateBy::update(t);
      return;
    case ActionKind::Delay:
    case ActionKind::RepeatForever:
      return;  // neither changes anything on update
    case ActionKind::ScaleTo:
    case ActionKind::FadeTo:
    case ActionKind::TintTo:
    case ActionKind::Other:
      break;
  }
  action->update(t);
}

void stepAction(Action* action, float dt) {
  switch (action->getKind()) {
    case ActionKind::RepeatForever:
      static_cast<RepeatForever*>(action)->RepeatForever::step(dt);
      return;
    case ActionKind::Sequence:
    case ActionKind::Spawn:
    case ActionKind::MoveBy:
    case ActionKind::MoveTo:
    case ActionKind::RotateBy:
    case ActionKind::Delay: {
      auto* interval = static_cast<ActionInterval*>(action);
      updateAction(interval, interval->advance(dt));
      return;
    }
    case ActionKind::ScaleTo:
    case ActionKind::FadeTo:
    case ActionKind::TintTo:
    case ActionKind::Other:
      break;
  }
  action->step(dt);
}

bool isActionDone(const Action* action) {
  switch (action->getKind()) {
    case ActionKind::RepeatForever:
      return false;
    case ActionKind::Sequence:
    case ActionKind::Spawn:
    case ActionKind::MoveBy:
    case ActionKind::MoveTo:
    case ActionKind::RotateBy:
    case ActionKind::Delay: {
      const auto* interval = static_cast<const ActionInterval*>(action);
      return interval->getElapsed() >= interval->getDuration();
    }
    case ActionKind::ScaleTo:
    case ActionKind::FadeTo:
    case ActionKind::TintTo:
    case ActionKind::Other:
      break;
  }
  return action->isDone();
}

}  // namespace engine
