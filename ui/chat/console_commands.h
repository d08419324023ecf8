#pragma once
// The chat command interpreter: a line that starts with '/' is a command run for the player, any
// other line is the player's chat line. Replies go to the player's console.
//
//   /weather none|rain|snow|acidrain   forces the world's weather
//   /weather off                       stops the weather for good
//   /seed [count]                      seed items (1 to 99) into the inventory
//   /help                              the commands
//
// Main thread only.

#include <cstdint>
#include <string>

class ChatView;
class Player;

// What a line gave: the reply and its console kind (0 chat, 2 information, 3 refusal).
struct ConsoleReply {
  std::string text;
  uint8_t kind = 2;
};

// Runs the line for the player and returns the reply (empty text for an empty line).
ConsoleReply consoleCommandReply(Player& player, const std::string& line);
// `runConsoleCommand`: runs the line and shows the reply on the player's console.
void runConsoleCommand(ChatView* view, Player& player, const std::string& line);
