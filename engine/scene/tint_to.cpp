#include "engine/scene/tint_to.h"

#include "engine/scene/node.h"

namespace engine {

namespace {
uint8_t blend(uint8_t from, uint8_t to, float t) {
  const float a = from;
  const float b = to;
  return static_cast<uint8_t>(a + (b - a) * t);
}
}  // namespace

TintTo* TintTo::create(float duration, uint8_t red, uint8_t green, uint8_t blue) {
  auto* action = new TintTo();
  action->initWithDuration(duration);
  action->to_ = Color3B{red, green, blue};
  action->autorelease();
  return action;
}

void TintTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  from_ = target->getColor();
}

void TintTo::update(float t) {
  if (target_ == nullptr) return;
  target_->setColor(colorAt(from_, to_, t));
}

Color3B TintTo::colorAt(const Color3B& from, const Color3B& to, float t) {
  return Color3B{blend(from.r, to.r, t), blend(from.g, to.g, t), blend(from.b, to.b, t)};
}

}  // namespace engine
