#include "game/rules/weather_change.h"

#include <cstdint>

#include "game/player/player_base.h"
#include "world/rules/logic.h"
#include "world/weather/weather_state.h"

// Each player reads the old kind from the world as it takes the new one, so the world shows the
// old kind until the last of them has compared.
void announceWeather(LogicPlayers& players, WeatherState& weather, WeatherKind before) {
  const WeatherKind after = weather.kind;
  players.forEachPlayer([&](PlayerBase* p) {
    weather.kind = before;
    p->setWeather(static_cast<uint8_t>(after), false);
  });
  weather.kind = after;
}
