#include "view/sky/sky_grading.h"

#include <cmath>
#include <cstddef>

namespace {

struct GradingTarget {
  float desaturate;
  std::array<float, 3> add;
  std::array<float, 3> mul;  // taken off the multiplier at full weight
};

// Kinds 1 to 3.
constexpr GradingTarget kTargets[3] = {
    {0.6f, {0.1f, 0.1f, 0.1f}, {0.56f, 0.54f, 0.57f}},
    {0.5f, {0.6f, 0.6f, 0.6f}, {0.3f, 0.3f, 0.2f}},
    {0.2f, {0.1f, 0.6f, 0.1f}, {0.56f, 0.74f, 0.57f}},
};

}  // namespace

uint8_t SkyGrading::setWeather(uint8_t newKind) {
  const uint8_t old = kind_;
  if (newKind == kind_) return old;
  previousKind_ = kind_;
  kind_ = newKind;
  fading_ = true;
  if (newKind >= 1 && newKind <= 3) {
    const GradingTarget& target = kTargets[newKind - 1];
    desaturate_ = target.desaturate;
    add_ = target.add;
    mul_ = target.mul;
    step_ = kStep;
  } else if (newKind == 0) {
    step_ = -kStep;
  }
  return old;
}

void SkyGrading::step() {
  if (!fading_) return;
  weight_ += step_;
  // A hundred float steps of 0.01 fall just short of 1: the end counts within a tenth of a step,
  // so a full fade takes exactly 100 frames.
  const float slack = std::fabs(step_) * 0.1f;
  if (step_ < 0.0f && weight_ <= slack) {
    weight_ = 0.0f;
    fading_ = false;
  } else if (step_ > 0.0f && weight_ >= 1.0f - slack) {
    weight_ = 1.0f;
    fading_ = false;
  }
}

SkyGradingUniforms SkyGrading::uniforms() const {
  SkyGradingUniforms out;
  out.desaturate = desaturate_ * weight_;
  for (size_t i = 0; i < 3; ++i) {
    out.add[i] = add_[i] * weight_;
    out.mul[i] = 1.0f - mul_[i] * weight_;
  }
  return out;
}
