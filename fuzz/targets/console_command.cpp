// Chat lines, which peers will send as well as the local player: whatever text arrives, the
// interpreter answers with a reply of a known kind, and a refusal changes neither the weather nor
// the inventory.
#include <string>

#include "fuzz/support/fuzz_one.h"
#include "game/chat/console_commands.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/weather/weather_state.h"
#include "world/world.h"

int fuzzOne(const uint8_t* data, size_t size) {
  const std::string line = fuzzText(data, size);
  World world(nullptr, WorldParams{}, 40, 20);
  NullGame game;
  PlayerDesktopLocal player(&game);
  player.setWorld(&world);
  const WeatherState weather = world.weather();
  const uint32_t freeSlots = player.inventory->countFreeSlots();

  PlayerConsole console(player);
  const ConsoleReply reply = consoleCommandReply(console, line);
  fuzzCheck(reply.kind == 0 || reply.kind == 2 || reply.kind == 3, "a reply is chat, information or a refusal");
  if (reply.kind == 3) {
    fuzzCheck(world.weather().kind == weather.kind && world.weather().active == weather.active,
              "a refused command leaves the weather");
    fuzzCheck(player.inventory->countFreeSlots() == freeSlots, "a refused command leaves the inventory");
  }
  if (line.empty() || line[0] != '/') fuzzCheck(reply.kind == 0, "a line that is no command is chat");
  return 0;
}
