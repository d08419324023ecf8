#pragma once
// The chat command interpreter: a line that starts with '/' is a command run for a player, any
// other line is the player's chat line. Alone the line runs for the local player; on a host, a
// joined player's command runs for the host's copy of that player, so that a client can never
// act as the host.
//
//   /weather none|rain|snow|acidrain   forces the world's weather
//   /weather off                       stops the weather for good
//   /seed [count]                      seed items (1 to 99) into the inventory
//   /help                              the commands
//
// Main thread only.

#include <cstdint>
#include <string>
#include <string_view>

class Item;
class Player;
class World;

// What a line gave: the reply and its console kind (0 chat, 2 information, 3 refusal).
struct ConsoleReply {
  std::string text;
  uint8_t kind = 2;
};

// The player a line runs for, as the interpreter needs it.
class ConsoleSubject {
 public:
  virtual const std::string& name() const = 0;
  // The world the commands act on; null when the player is in none.
  virtual World* world() const = 0;
  // The player is given a copy of the stack; false when it has no room for it.
  virtual bool receive(const Item& item) = 0;
  // The reply on the player's console.
  virtual void reply(uint8_t kind, const std::string& text) = 0;

 protected:
  ~ConsoleSubject() = default;
};

// The player at this machine.
class PlayerConsole final : public ConsoleSubject {
 public:
  explicit PlayerConsole(Player& player) : player_(player) {}
  const std::string& name() const override;
  World* world() const override;
  bool receive(const Item& item) override;
  void reply(uint8_t kind, const std::string& text) override;

 private:
  Player& player_;
};

// A player's chat line as every console shows it, on this machine and the others: "[name] text".
std::string chatLineOf(std::string_view author, std::string_view text);
// Runs the line for the player and returns the reply (empty text for an empty line).
ConsoleReply consoleCommandReply(ConsoleSubject& player, const std::string& line);
// `runConsoleCommand`: runs the line and shows the reply on the player's console.
void runConsoleCommand(ConsoleSubject& player, const std::string& line);
