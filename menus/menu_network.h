#pragma once
// What the multiplayer pages ask of the program: hosting a world, joining a host, and the store
// front's friends whose games can be joined. The application registers the program's form
// (`ProgramNetwork`); the null form hosts and joins nothing and knows no friends.
//
// Main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/seam.h"
#include "platform/net_connection_info.h"

// A friend's game the join page offers: the friend's name and the store-front id of the host.
struct FriendGame {
  std::string name;
  uint64_t hostId = 0;
};

// What the host pages chose.
struct HostChoice {
  bool throughFriends = false;  // the store front's peer-to-peer network, else a direct address
  uint8_t playerLimit = 4;      // the host included
  uint16_t port = 0;            // where a direct host listens
  uint8_t mode = 0;             // how the world begins (the game's begin modes)
  std::string characterName;
};

class MenuNetwork {
 public:
  virtual ~MenuNetwork() = default;
  // Hosting begins with the chosen world; false (the game played alone current as before) when
  // the transport could not start.
  virtual bool host(const HostChoice& choice) = 0;
  // The current character joins the host; false when the connection cannot start.
  virtual bool join(const kel::base::DesktopConnectionInfo& at, const std::string& characterName) = 0;
  // The friends who host or play in a game now.
  virtual std::vector<FriendGame> friendGames() = 0;
};

class NullMenuNetwork : public MenuNetwork {
 public:
  bool host(const HostChoice&) override { return false; }
  bool join(const kel::base::DesktopConnectionInfo&, const std::string&) override { return false; }
  std::vector<FriendGame> friendGames() override { return {}; }
};

engine::Seam<MenuNetwork, NullMenuNetwork>& menuNetworkSeam();
MenuNetwork& menuNetwork();
