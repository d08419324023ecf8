#include "net/endpoint/host/client_console.h"

#include "net/endpoint/net_player_server.h"
#include "net/players/player_server.h"

const std::string& ClientConsole::name() const { return entry_.name(); }

World* ClientConsole::world() const { return player_.world; }

bool ClientConsole::receive(const Item& item) {
  player_.giveItem(item);
  return true;
}

void ClientConsole::reply(uint8_t kind, const std::string& text) { player_.showMessage(kind, text); }
