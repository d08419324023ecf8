#include "engine/scene/fade_to.h"

#include "engine/scene/node.h"

namespace engine {

FadeTo* FadeTo::create(float duration, uint8_t opacity) {
  auto* action = new FadeTo();
  action->initWithDuration(duration);
  action->toOpacity_ = opacity;
  action->autorelease();
  return action;
}

void FadeTo::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  if (target != nullptr) fromOpacity_ = target->getOpacity();
}

void FadeTo::update(float t) {
  if (target_ == nullptr) return;
  target_->setOpacity(opacityAt(fromOpacity_, toOpacity_, t));
}

ReversibleFade::~ReversibleFade() {
  if (reverseSource_ != nullptr) const_cast<FadeTo*>(reverseSource_)->release();
}

void ReversibleFade::setReverseSource(const FadeTo* source) {
  // Counts are bookkeeping, not the source's value: retaining a const source is sound.
  if (source != nullptr) const_cast<FadeTo*>(source)->retain();
  if (reverseSource_ != nullptr) const_cast<FadeTo*>(reverseSource_)->release();
  reverseSource_ = source;
}

void ReversibleFade::startWithTarget(Node* target) {
  toOpacity_ = reverseSource_ != nullptr ? reverseSource_->getStartOpacity() : fixedEnd_;
  FadeTo::startWithTarget(target);
}

FadeIn* FadeIn::create(float duration) {
  auto* action = new FadeIn();
  action->initWithDuration(duration);
  action->autorelease();
  return action;
}

ReversibleFade* FadeIn::reverse() const {
  FadeOut* action = FadeOut::create(duration_);
  action->setReverseSource(this);
  return action;
}

FadeOut* FadeOut::create(float duration) {
  auto* action = new FadeOut();
  action->initWithDuration(duration);
  action->autorelease();
  return action;
}

ReversibleFade* FadeOut::reverse() const {
  FadeIn* action = FadeIn::create(duration_);
  action->setReverseSource(this);
  return action;
}

}  // namespace engine
