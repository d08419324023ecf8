#pragma once
// Easing wraps an interval action and hands it eased progress instead of linear progress; the
// wrapper lasts exactly as long as the action it wraps.

#include "engine/scene/action.h"
#include "engine/scene/tween_function.h"

namespace engine {

class ActionEase : public ActionInterval {
 public:
  ~ActionEase() override;
  void startWithTarget(Node* target) override;
  void stop() override;
  virtual ActionInterval* getInnerAction() const { return inner_; }

 protected:
  ActionEase() = default;
  // Holds the inner action and takes over its duration.
  void initWithAction(ActionInterval* inner);

  ActionInterval* inner_ = nullptr;
};

class EaseRateAction : public ActionEase {
 public:
  float getRate() const { return rate_; }

 protected:
  float rate_ = 1.0f;
};

using RateCurve = float (*)(float, float);
using Curve = float (*)(float);

template <RateCurve F>
class EaseRateTemplate : public EaseRateAction {
 public:
  static EaseRateTemplate* create(ActionInterval* inner, float rate) {
    if (inner == nullptr) return nullptr;
    auto* action = new EaseRateTemplate();
    action->initWithAction(inner);
    action->rate_ = rate;
    action->autorelease();
    return action;
  }
  EaseRateTemplate* clone() const override { return create(inner_->clone(), rate_); }
  EaseRateTemplate* reverse() const override { return create(inner_->reverse(), 1.0f / rate_); }
  void update(float t) override { inner_->update(F(t, rate_)); }

 private:
  EaseRateTemplate() = default;
};

template <Curve F>
class EaseTemplate : public ActionEase {
 public:
  static EaseTemplate* create(ActionInterval* inner) {
    if (inner == nullptr) return nullptr;
    auto* action = new EaseTemplate();
    action->initWithAction(inner);
    action->autorelease();
    return action;
  }
  EaseTemplate* clone() const override { return create(inner_->clone()); }
  EaseTemplate* reverse() const override { return create(inner_->reverse()); }
  void update(float t) override { inner_->update(F(t)); }

 private:
  EaseTemplate() = default;
};

}  // namespace engine
