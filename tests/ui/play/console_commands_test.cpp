// The chat command interpreter: the weather command's kinds, "off" and its refusals, seeds with
// their count checked, chat lines and unknown commands; the chat view's line runs here when the
// game is played alone and goes to a networked game otherwise.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/play/play_fixture.h"
#include "ui/chat/console_commands.h"
#include "ui/views/chat_view.h"
#include "world/rules/game.h"
#include "world/weather/weather_command.h"
#include "world/weather/weather_state.h"

namespace {

class ConsoleCommandsTest : public ui_test::PlayTest {};

TEST_F(ConsoleCommandsTest, TheWeatherCommandForcesEachKindAndStopsTheWeather) {
  WeatherState& weather = theWorld().weather();
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
    const ConsoleReply reply = consoleCommandReply(*local, c.line);
    EXPECT_EQ(reply.text, c.reply);
    EXPECT_EQ(reply.kind, 2);
    EXPECT_EQ(weather.kind, c.kind) << c.line;
  }
  EXPECT_EQ(consoleCommandReply(*local, "/weather off").text, "Weather disabled.");
  EXPECT_EQ(weather.active, 0);
  const ConsoleReply afterOff = consoleCommandReply(*local, "/weather rain");
  EXPECT_EQ(afterOff.text, kWeatherIsOff) << "no promise of rain that never comes";
  EXPECT_EQ(afterOff.kind, 3);
  EXPECT_EQ(weather.kind, WeatherKind::None);
  EXPECT_EQ(consoleCommandReply(*local, "/weather hail").kind, 3);
  EXPECT_EQ(consoleCommandReply(*local, "/weather").kind, 3);
}

TEST_F(ConsoleCommandsTest, LinesThatAreNotCommandsAreChatAndUnknownCommandsAreRefused) {
  local->name = "Ann";
  const struct {
    const char* line;
    const char* reply;
    uint8_t kind;
  } cases[] = {
      {"hello there", "Ann: hello there", 0},
      {"/dance", "Unknown command: /dance", 3},
      {"/seed 0", "Usage: /seed [1-99]", 3},
      {"/seed 100", "Usage: /seed [1-99]", 3},
      {"/seed 5x", "Usage: /seed [1-99]", 3},
      {"/seed -1", "Usage: /seed [1-99]", 3},
      {"   ", "", 0},
  };
  for (const auto& c : cases) {
    const ConsoleReply reply = consoleCommandReply(*local, c.line);
    EXPECT_EQ(reply.text, c.reply) << c.line;
    EXPECT_EQ(reply.kind, c.kind) << c.line;
  }
}

TEST_F(ConsoleCommandsTest, RunningALineShowsItsReplyOnTheConsole) {
  runConsoleCommand(nullptr, *local, "/weather rain");
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Weather set to rain.");
  runConsoleCommand(nullptr, *local, "");
  EXPECT_EQ(events.messages.size(), 1u) << "an empty line says nothing";
}

// A networked game: the chat lines it is handed.
class ChattingGame final : public NullGame {
 public:
  void submitChatLine(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

TEST_F(ConsoleCommandsTest, TheChatViewRunsALineItselfAloneAndHandsItToANetworkedGame) {
  auto& chat = static_cast<ChatView&>(views().view(ViewId::Chat));
  {
    const engine::Seam<GameInterface, NullGame>::Scoped alone(currentGameSeam(), game);
    chat.submit("/weather rain");
  }
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Weather set to rain.");

  ChattingGame networked;
  const engine::Seam<GameInterface, NullGame>::Scoped joined(currentGameSeam(), networked);
  chat.submit("/weather snow");
  EXPECT_EQ(networked.lines, std::vector<std::string>{"/weather snow"});
  EXPECT_EQ(events.messages.size(), 1u) << "the host answers a networked game's line";
}

}  // namespace
