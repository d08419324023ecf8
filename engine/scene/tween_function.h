#pragma once
// Easing curves: each maps progress t in [0, 1] to eased progress, 0 at 0 and 1 at 1.

namespace engine::tweenfunc {

float easeIn(float t, float rate);
float easeOut(float t, float rate);

}  // namespace engine::tweenfunc
