#pragma once
// The weather kinds a planet can have and how likely each one is. Planets 1, 4, 8, 32, 64 and 512
// have a table (built once, read-only afterwards); every other planet has no weather.

#include <cstdint>
#include <vector>

enum class WeatherKind : uint8_t { None = 0, Rain = 1, Snow = 2, AcidRain = 3 };

struct WeatherRow {
  WeatherKind kind = WeatherKind::None;
  float probability = 0.0f;
  float rate = 0.0f;  // Poisson mean of the kind's duration in weather steps
};

class WeatherTable {
 public:
  // The start rate (the rate of clear weather) is three times the value the table is built with.
  WeatherTable(std::vector<WeatherRow> rows, float builtWith);

  const std::vector<WeatherRow>& rows() const { return rows_; }
  float startRate() const { return startRate_; }
  // One draw r = rand() / 32767: the first row whose probability exceeds r less the probabilities
  // of the rows before it; none when the rows run out.
  const WeatherRow* pickRow() const;
  const WeatherRow* firstRowOf(WeatherKind kind) const;

 private:
  std::vector<WeatherRow> rows_;
  float startRate_ = 0.0f;
};

// The planet's table, or null for a planet without weather.
const WeatherTable* weatherTableForPlanet(uint32_t planetId);
