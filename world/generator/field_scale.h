#pragma once
// The noise map's scaling of its density field to 0..1: (v - least) / (greatest - least), value by
// value, as the whole-field min-max normalisation makes it; a field of one value scales to 0.

#include <cstdint>

class FieldScale {
 public:
  FieldScale(float least, float greatest) : least_(least), range_(greatest - least) {}
  // The scale of 1 multiplies by 1, which changes no value, so it is left out.
  float operator()(float v) const { return range_ > 0.0f ? (v - least_) / range_ : 0.0f; }

 private:
  float least_ = 0.0f;
  float range_ = 0.0f;
};
