// The chat command interpreter: the weather command's kinds, "off" and its refusals, seeds with
// their count checked and given to the player, chat lines and unknown commands.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/chat/console_commands.h"
#include "game/inventory/inventory.h"
#include "tests/game/game_fixture.h"
#include "world/weather/weather_command.h"
#include "world/weather/weather_state.h"

namespace game_test {
namespace {

class ConsoleCommandsTest : public GameTest {
 protected:
  ConsoleReply run(const std::string& line) {
    PlayerConsole console(*player);
    return consoleCommandReply(console, line);
  }
};

TEST_F(ConsoleCommandsTest, TheWeatherCommandForcesEachKindAndStopsTheWeather) {
  WeatherState& weather = world->weather();
  const struct {
    const char* line;
    const char* reply;
    WeatherKind kind;
  } cases[] = {
      {"/weather rain", "Weather set to rain.", WeatherKind::Rain},
      {"/weather snow", "Weather set to snow.", WeatherKind::Snow},
      {"/weather acidrain", "Weather set to acid rain.", WeatherKind::AcidRain},
      {"/weather none", "Weather set to none.", WeatherKind::None},
  };
  for (const auto& c : cases) {
    const ConsoleReply reply = run(c.line);
    EXPECT_EQ(reply.text, c.reply);
    EXPECT_EQ(reply.kind, 2);
    EXPECT_EQ(weather.kind, c.kind) << c.line;
  }
  EXPECT_EQ(run("/weather off").text, "Weather disabled.");
  EXPECT_EQ(weather.active, 0);
  const ConsoleReply afterOff = run("/weather rain");
  EXPECT_EQ(afterOff.text, kWeatherIsOff) << "no promise of rain that never comes";
  EXPECT_EQ(afterOff.kind, 3);
  EXPECT_EQ(weather.kind, WeatherKind::None);
  EXPECT_EQ(run("/weather hail").kind, 3);
  EXPECT_EQ(run("/weather").kind, 3);
}

TEST_F(ConsoleCommandsTest, LinesThatAreNotCommandsAreChatAndUnknownCommandsAreRefused) {
  player->name = "Ann";
  const struct {
    const char* line;
    const char* reply;
    uint8_t kind;
  } cases[] = {
      {"hello there", "[Ann] hello there", 0},
      {"/dance", "Unknown command: /dance", 3},
      {"/seed 0", "Usage: /seed [1-99]", 3},
      {"/seed 100", "Usage: /seed [1-99]", 3},
      {"/seed 5x", "Usage: /seed [1-99]", 3},
      {"/seed -1", "Usage: /seed [1-99]", 3},
      {"   ", "", 0},
  };
  for (const auto& c : cases) {
    const ConsoleReply reply = run(c.line);
    EXPECT_EQ(reply.text, c.reply) << c.line;
    EXPECT_EQ(reply.kind, c.kind) << c.line;
  }
}

TEST_F(ConsoleCommandsTest, SeedsGoIntoThePlayersInventory) {
  const uint32_t free = player->inventory->countFreeSlots();
  const ConsoleReply added = run("/seed 7");
  EXPECT_EQ(added.text, "Seeds added.");
  EXPECT_EQ(player->inventory->countFreeSlots(), free - 1) << "the seeds took one slot";
}

TEST_F(ConsoleCommandsTest, RunningALineShowsItsReplyOnThePlayersConsole) {
  PlayerConsole console(*player);
  runConsoleCommand(console, "/weather rain");
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Weather set to rain.");
  runConsoleCommand(console, "");
  EXPECT_EQ(events.messages.size(), 1u) << "an empty line says nothing";
}

}  // namespace
}  // namespace game_test
