#pragma once
// The colour grading of the advanced sky under weather: a multiply, a desaturation and an added
// light, each scaled by a weight t that moves 0.01 per drawn frame towards full (a weather kind
// starts) or none (the weather clears, keeping the old targets while it fades). At 60 frames a
// second a full fade takes 100 frames.
//
// Weather kinds: 0 clear, 1 rain, 2 snow, 3 acid rain.

#include <array>
#include <cstdint>

struct SkyGradingUniforms {
  float desaturate = 0.0f;
  std::array<float, 3> add{};
  std::array<float, 3> mul{1.0f, 1.0f, 1.0f};
};

class SkyGrading {
 public:
  static constexpr float kStep = 0.01f;

  // A new kind starts its fade; the same kind changes nothing. Returns the kind before the call.
  uint8_t setWeather(uint8_t newKind);
  // One drawn frame: the weight moves by the step and stops at 0 or 1.
  void step();
  // The shader's values at the current weight.
  SkyGradingUniforms uniforms() const;

  float weight() const { return weight_; }
  float stepSize() const { return step_; }
  bool fading() const { return fading_; }
  uint8_t kind() const { return kind_; }
  uint8_t previousKind() const { return previousKind_; }

 private:
  float weight_ = 0.0f;
  float step_ = 0.0f;
  bool fading_ = false;
  float desaturate_ = 0.0f;
  std::array<float, 3> add_{};
  std::array<float, 3> mul_{};
  uint8_t kind_ = 0;
  uint8_t previousKind_ = 0;
};
