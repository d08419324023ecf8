#pragma once
// Another player, as a client sees it: a drawable player without rules, moved and changed only by
// the host's messages (the client handlers, net/endpoint/client/). It is kept wrapped in
// `PlayerDesktop<PlayerClient>`, whose body replays the other player's motion records, in the
// client's table entry of that player's peer id (`NetPlayerClient`).
//
// Main thread only.

#include "game/player/player_base.h"
#include "game/player/player_desktop.h"
#include "net/players/player_remote_base.h"

class PlayerEvents;
class World;

class PlayerClient : public PlayerRemoteBase<PlayerBase> {
 public:
  // `events`: where its sprite events go (not owned; null: nowhere).
  explicit PlayerClient(World* playerWorld, PlayerEvents* events = nullptr)
      : PlayerRemoteBase<PlayerBase>(playerWorld, false, events) {}
};

using PlayerClientDesktop = PlayerDesktop<PlayerClient>;
