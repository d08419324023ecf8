#pragma once
// The sky with a colour grading that follows the weather (sky_grading.h): program 261 of the
// program cache multiplies, desaturates and lights the cross-faded picture, by a weight that
// moves one step per drawn frame. Everything else is the plain sky's; without program 261 it draws
// as the plain sky does.
//
// How the main layer uses this: as a `Sky` (createSky chooses it unless the lowerSky option is
// on); the weather change reaches it through `Sky::setWeather`.
//
// Main thread only.

#include "view/sky/sky.h"
#include "view/sky/sky_grading.h"

class AdvancedSky final : public Sky {
 public:
  static constexpr int64_t kProgramKey = 261;

  static AdvancedSky* create(World& world, const SkySource& source);

  // Same kind: nothing. Returns the kind before the call.
  uint8_t setWeather(uint8_t kind) override { return grading_.setWeather(kind); }
  const SkyGrading& grading() const { return grading_; }

 protected:
  bool loadProgram() override;
  void setUniforms() override;

 private:
  AdvancedSky(World& world, const SkySource& source) : Sky(world, source) {}

  SkyGrading grading_;
  int32_t desaturateLocation_ = -1;
  int32_t addLocation_ = -1;
  int32_t mulLocation_ = -1;
};
