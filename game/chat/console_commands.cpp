#include "game/chat/console_commands.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "game/rules/weather_change.h"
#include "world/plants/plant_genes.h"
#include "world/weather/weather_command.h"
#include "world/weather/weather_state.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint16_t kMostSeeds = 99;

std::vector<std::string> wordsOf(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

ConsoleReply refuse(std::string text) { return {std::move(text), 3}; }

ConsoleReply weather(ConsoleSubject& player, const std::vector<std::string>& words) {
  if (player.world() == nullptr) return refuse("There is no world.");
  WeatherState& state = player.world()->weather();
  if (words.size() != 2) return refuse("Usage: /weather none|rain|snow|acidrain|off");
  const std::string& kind = words[1];
  const std::optional<WeatherCommand> command = weatherCommandFor(kind);
  if (!command) return refuse("Unknown weather: " + kind);
  // Once off, the weather stays as it is: the player is told so rather than promised a change.
  if (!command->disable && state.active == 0) return refuse(kWeatherIsOff);
  const WeatherKind before = state.kind;
  command->applyTo(state);
  if (state.kind != before) announceWeather(player.world()->rules(), state, before);
  return {std::string(command->reply), 2};
}

ConsoleReply seed(ConsoleSubject& player, const std::vector<std::string>& words) {
  uint16_t count = 1;
  if (words.size() >= 2) {
    const std::string& text = words[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count == 0 || count > kMostSeeds) {
      return refuse("Usage: /seed [1-99]");
    }
  }
  // The player is given a copy: the made stack goes back to the pool either way.
  const ItemPtr seeds = makeSeedItem(count, 0xFFFF, 0);
  if (seeds == nullptr) return refuse("No seeds could be made.");
  if (!player.receive(*seeds)) return refuse("No room for the seeds.");
  return {"Seeds added.", 2};
}

}  // namespace

const std::string& PlayerConsole::name() const { return player_.name; }

World* PlayerConsole::world() const { return player_.world; }

bool PlayerConsole::receive(const Item& item) {
  if (player_.inventory == nullptr) return false;
  bool newSlot = false;
  return !player_.inventory->findSlotFor(&item, newSlot).isNone();
}

void PlayerConsole::reply(uint8_t kind, const std::string& text) { player_.showMessage(kind, text); }

std::string chatLineOf(std::string_view author, std::string_view text) {
  std::string line;
  line.reserve(author.size() + text.size() + 3);
  line.append("[").append(author).append("] ").append(text);
  return line;
}

ConsoleReply consoleCommandReply(ConsoleSubject& player, const std::string& line) {
  const std::vector<std::string> words = wordsOf(line);
  if (words.empty()) return {"", 0};
  // A line that is no command is said, as every chat line shows: the speaker in brackets.
  if (line[0] != '/') return {chatLineOf(player.name(), line), 0};
  const std::string& command = words[0];
  if (command == "/weather") return weather(player, words);
  if (command == "/seed") return seed(player, words);
  if (command == "/help") return {"Commands: /weather none|rain|snow|acidrain|off, /seed [count], /help", 2};
  return refuse("Unknown command: " + command);
}

void runConsoleCommand(ConsoleSubject& player, const std::string& line) {
  const ConsoleReply reply = consoleCommandReply(player, line);
  if (!reply.text.empty()) player.reply(reply.kind, reply.text);
}
