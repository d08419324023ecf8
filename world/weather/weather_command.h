#pragma once
// What the chat command "weather" does with its argument, kept beside the weather so the chat
// interpreter (in the rules, above this library) only calls it and shows the reply:
// "none", "rain", "snow" and "acidrain" force that kind, "off" stops the weather for good.

#include <optional>
#include <string_view>

#include "world/weather/weather_state.h"

// The answer to a kind asked for after "off": nothing changes any more.
constexpr const char* kWeatherIsOff = "The weather is off in this world and no longer changes.";

struct WeatherCommand {
  bool disable = false;  // "off": clear the active flag
  WeatherKind kind = WeatherKind::None;
  std::string_view reply;

  void applyTo(WeatherState& state) const;
};

// None for an argument the command does not know.
std::optional<WeatherCommand> weatherCommandFor(std::string_view argument);
