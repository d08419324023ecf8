#include "view/effects/screen_shake.h"

#include "engine/base/random.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/move_by.h"
#include "engine/scene/node.h"
#include "engine/scene/sequence.h"

namespace {

bool& allowed() {
  static bool flag = true;
  return flag;
}

float offset(int spread, int shift) { return float(engine::randomNext() % spread - shift); }

engine::FiniteTimeAction* then(engine::FiniteTimeAction* first, engine::FiniteTimeAction* second) {
  return engine::Sequence::createWithTwoActions(first, second);
}

}  // namespace

engine::FiniteTimeAction* makeScreenShakeAction(bool small) {
  if (!allowed()) return nullptr;
  allowed() = false;
  const auto kick = [small] { return small ? offset(3, 1) : offset(6, 3); };
  const float kickX = kick();
  engine::FiniteTimeAction* shake = engine::MoveBy::create(0.003f, {kickX, kick()});
  for (int i = 0; i < 8; ++i) {
    shake = then(shake, engine::MoveBy::create(small ? 0.005f : 0.01f, {offset(4, 2), offset(4, 2)}));
  }
  shake = then(shake, engine::MoveBy::create(0.01f, {0, 0}));
  return then(shake, engine::CallFunc::create([] { allowed() = true; }));
}

void shakeScreen(engine::Node& camera, engine::Vec2 centre, bool small) {
  engine::FiniteTimeAction* shake = makeScreenShakeAction(small);
  if (shake == nullptr) return;
  camera.getActionManager()->addAction(then(shake, engine::MoveTo::create(0.02f, centre)), &camera);
}

void resetScreenShake() { allowed() = true; }
