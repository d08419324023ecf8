#include "engine/scene/tween_function.h"

#include <cmath>

namespace engine::tweenfunc {

namespace {
constexpr float PI = 3.1415927f;
}

float easeIn(float t, float rate) { return std::pow(t, rate); }

float easeOut(float t, float rate) { return std::pow(t, 1.0f / rate); }

float sineEaseInOut(float t) { return -0.5f * (std::cos(PI * t) - 1.0f); }

}  // namespace engine::tweenfunc
