#pragma once
// The weather of one world: a random process over the planet's `WeatherTable` that the rules step
// every 20 s. Each step adds the Poisson probability of k events at the current kind's rate (k the
// steps since the last change) to an accumulator; once the accumulator beats a fresh draw the
// weather changes (to clear, or from clear to a row picked from the table). A planet without a
// table never changes weather. Clearing the active flag stops the process for good.

#include <cstdint>

#include "world/weather/weather_table.h"

class WeatherState {
 public:
  static constexpr float kForcedRate = 5.0f;

  explicit WeatherState(uint32_t planetId);

  // One step; true when the weather changed.
  bool tick();
  // While active: the kind at once, with a short rate, counted from now; the accumulator stays.
  void force(WeatherKind newKind);
  // A loaded world's weather: the kind and the planet's table; with a table also the rate of the
  // kind (the start rate for clear weather; unchanged for a kind the table lacks), the steps since
  // the last change (kept as a byte) and the accumulator.
  void restore(uint32_t newPlanetId, WeatherKind newKind, float newAccumulator, uint32_t newTicks);

  uint8_t active = 1;
  const WeatherTable* table = nullptr;  // borrowed from the process-wide tables
  uint32_t planetId = 0;
  WeatherKind kind = WeatherKind::None;
  float rate = 0.0f;
  float accumulator = 0.0f;
  uint32_t ticksSinceChange = 0;
};

// k! as a float, 1 for k below 2 (infinity once it no longer fits).
float factorialF(uint32_t k);
// lambda^k e^-lambda / k!, computed in log space so that large k gives a small number, not
// infinity over infinity.
float poissonTerm(uint32_t k, float lambda);
