#include "engine/scene/tween_function.h"

#include <cmath>

namespace engine::tweenfunc {

float easeIn(float t, float rate) { return std::pow(t, rate); }

float easeOut(float t, float rate) { return std::pow(t, 1.0f / rate); }

}  // namespace engine::tweenfunc
