#include "view/player/player_sprite_swing.h"

#include <cmath>

#include "engine/base/vec2_rotation.h"
#include "engine/scene/action_ease.h"
#include "engine/scene/call_func.h"
#include "engine/scene/move_by.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/scene/tween_function.h"
#include "view/player/stepped_turn.h"

namespace {

using engine::FiniteTimeAction;
using EaseIn = engine::EaseRateTemplate<engine::tweenfunc::easeIn>;
using EaseOut = engine::EaseRateTemplate<engine::tweenfunc::easeOut>;

constexpr float kEaseRate = 2.0f;
constexpr float kWindUp = -20.0f;
constexpr float kPi = 3.14159265f;

FiniteTimeAction* then(FiniteTimeAction* a, FiniteTimeAction* b) { return engine::Sequence::createWithTwoActions(a, b); }
FiniteTimeAction* together(FiniteTimeAction* a, FiniteTimeAction* b) { return engine::Spawn::createWithTwoActions(a, b); }
// The item turns through fixed angles (stepped_turn.h), eased so the steps come faster at the end.
FiniteTimeAction* turn(float time, float degrees) { return EaseIn::create(SteppedTurn::create(time, degrees), kEaseRate); }
FiniteTimeAction* move(float time, engine::Vec2 by) { return engine::MoveBy::create(time, by); }
FiniteTimeAction* call(const std::function<void()>& f) { return engine::CallFunc::create(f); }

FiniteTimeAction* recordMotion(const SwingMotion& m) {
  const float h = m.halfTime;
  switch (m.kind) {
    case 1: return then(turn(h / 2, m.angle), move(h / 2, m.offset));
    case 2: return then(turn(h * 0.2f, kWindUp), together(turn(h / 2, m.angle - kWindUp), move(h / 2, m.offset)));
    case 3: return then(turn(h * 0.2f, kWindUp), then(turn(h / 2, m.angle - kWindUp), move(h / 2, m.offset)));
    case 4:
    case 5: {
      const float radians = (90.0f - m.rotation) * kPi / 180.0f;
      return move(h / 2, engine::rotateVec2(m.offset, engine::Vec2(0, 0), radians));
    }
    default: return together(turn(h, m.angle), move(h, m.offset));
  }
}

FiniteTimeAction* jab(const std::function<void()>& mirror) {
  FiniteTimeAction* out = EaseIn::create(engine::MoveBy::create(0.06f, engine::Vec2(10, 5)), kEaseRate);
  FiniteTimeAction* back = EaseOut::create(engine::MoveBy::create(0.05f, engine::Vec2(10, -3)), kEaseRate);
  return then(then(out, call(mirror)), then(back, call(mirror)));
}

}  // namespace

FiniteTimeAction* makeSwingAction(bool hasRecord, const SwingMotion& motion, const std::function<void()>& mirror,
                                  const std::function<void()>& end, const std::function<void()>& restore) {
  FiniteTimeAction* forth = hasRecord ? recordMotion(motion) : jab(mirror);
  FiniteTimeAction* swing = then(then(forth, forth->reverse()), call(end));
  return restore ? then(swing, call(restore)) : swing;
}
