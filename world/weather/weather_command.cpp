#include "world/weather/weather_command.h"

#include <array>

namespace {

struct Choice {
  std::string_view argument;
  WeatherCommand command;
};

constexpr std::array<Choice, 5> kChoices{{
    {"none", {false, WeatherKind::None, "Weather set to none."}},
    {"rain", {false, WeatherKind::Rain, "Weather set to rain."}},
    {"snow", {false, WeatherKind::Snow, "Weather set to snow."}},
    {"acidrain", {false, WeatherKind::AcidRain, "Weather set to acid rain."}},
    {"off", {true, WeatherKind::None, "Weather disabled."}},
}};

}  // namespace

void WeatherCommand::applyTo(WeatherState& state) const {
  if (disable) {
    state.active = 0;
  } else {
    state.force(kind);
  }
}

std::optional<WeatherCommand> weatherCommandFor(std::string_view argument) {
  for (const Choice& choice : kChoices) {
    if (choice.argument == argument) return choice.command;
  }
  return std::nullopt;
}
