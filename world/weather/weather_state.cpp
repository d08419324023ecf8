#include "world/weather/weather_state.h"

#include <cmath>

#include "engine/base/random.h"

WeatherState::WeatherState(uint32_t id) : table(weatherTableForPlanet(id)), planetId(id) {
  if (table != nullptr) rate = table->startRate();
}

bool WeatherState::tick() {
  if (table == nullptr || active == 0) return false;
  accumulator += poissonTerm(ticksSinceChange, rate);
  if (accumulator > static_cast<float>(engine::randomNext()) / 32768.0f) {
    if (kind != WeatherKind::None) {
      kind = WeatherKind::None;
      rate = table->startRate();
    } else if (const WeatherRow* row = table->pickRow()) {
      kind = row->kind;
      rate = row->rate;
    }
    accumulator = 0.0f;
    ticksSinceChange = 0;
    return true;
  }
  ++ticksSinceChange;
  return false;
}

void WeatherState::force(WeatherKind newKind) {
  if (active == 0) return;
  kind = newKind;
  rate = kForcedRate;
  ticksSinceChange = 0;
}

void WeatherState::restore(uint32_t newPlanetId, WeatherKind newKind, float newAccumulator, uint32_t newTicks) {
  kind = newKind;
  planetId = newPlanetId;
  table = weatherTableForPlanet(newPlanetId);
  if (table == nullptr) return;
  if (newKind == WeatherKind::None) {
    rate = table->startRate();
  } else if (const WeatherRow* row = table->firstRowOf(newKind)) {
    rate = row->rate;
  }
  ticksSinceChange = static_cast<uint8_t>(newTicks);
  accumulator = newAccumulator;
}

float factorialF(uint32_t k) {
  float product = 1.0f;
  for (uint32_t i = 2; i <= k && std::isfinite(product); ++i) product *= static_cast<float>(i);
  return product;
}

float poissonTerm(uint32_t k, float lambda) {
  if (!(lambda > 0.0f)) return k == 0 ? 1.0f : 0.0f;  // no events expected: certainly none
  const double n = static_cast<double>(k);
  return static_cast<float>(std::exp(n * std::log(static_cast<double>(lambda)) - lambda - std::lgamma(n + 1.0)));
}
