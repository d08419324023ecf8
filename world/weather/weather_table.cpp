#include "world/weather/weather_table.h"

#include <utility>

#include "engine/base/random.h"

WeatherTable::WeatherTable(std::vector<WeatherRow> rows, float builtWith)
    : rows_(std::move(rows)), startRate_(builtWith * 3.0f) {}

const WeatherRow* WeatherTable::pickRow() const {
  const float r = static_cast<float>(engine::randomNext()) / 32767.0f;
  float before = 0.0f;
  for (const WeatherRow& row : rows_) {
    if (row.probability > r - before) return &row;
    before += row.probability;
  }
  return nullptr;
}

const WeatherRow* WeatherTable::firstRowOf(WeatherKind kind) const {
  for (const WeatherRow& row : rows_) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

const WeatherTable* weatherTableForPlanet(uint32_t planetId) {
  using K = WeatherKind;
  static const WeatherTable kPlanet1({{K::Snow, 0.1f, 18.0f}, {K::Rain, 0.9f, 12.0f}}, 15.0f);
  static const WeatherTable kPlanets4And512({{K::Rain, 1.0f, 18.0f}}, 10.0f);
  static const WeatherTable kPlanet32({{K::Snow, 1.0f, 30.0f}}, 6.0f);
  static const WeatherTable kPlanet8({{K::AcidRain, 1.0f, 18.0f}}, 15.0f);
  static const WeatherTable kPlanet64({{K::Rain, 1.0f, 18.0f}}, 10.0f);
  switch (planetId) {
    case 1: return &kPlanet1;
    case 4:
    case 512: return &kPlanets4And512;
    case 32: return &kPlanet32;
    case 8: return &kPlanet8;
    case 64: return &kPlanet64;
    default: return nullptr;
  }
}
