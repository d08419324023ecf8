#pragma once
// A world's weather changed (its random step, or a command): every present player compares the
// new kind with the one it replaces and shows the change, a client's player on a host through its
// client, whose copy of the world follows. Main thread only.

#include "world/weather/weather_table.h"

class LogicPlayers;
class WeatherState;

void announceWeather(LogicPlayers& players, WeatherState& weather, WeatherKind before);
