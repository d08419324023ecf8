#pragma once
// Scales the target to a given factor per axis over the duration.

#include "engine/scene/action.h"

namespace engine {

class ScaleTo final : public ActionInterval {
 public:
  static ScaleTo* create(float duration, float scale);
  static ScaleTo* createXY(float duration, float scaleX, float scaleY);
  ScaleTo* clone() const override { return createXY(duration_, endScaleX_, endScaleY_); }
  // The start scale is only known once started, so there is nothing to reverse to.
  ScaleTo* reverse() const override { return nullptr; }
  void startWithTarget(Node* target) override;
  void update(float t) override;
  float getEndScaleX() const { return endScaleX_; }
  float getEndScaleY() const { return endScaleY_; }

 private:
  ScaleTo() : ActionInterval(ActionKind::ScaleTo) {}
  float startScaleX_ = 1.0f;
  float startScaleY_ = 1.0f;
  float endScaleX_ = 1.0f;
  float endScaleY_ = 1.0f;
  float deltaX_ = 0.0f;
  float deltaY_ = 0.0f;
};

}  // namespace engine
