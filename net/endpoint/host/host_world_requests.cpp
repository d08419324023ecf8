// The host's handling of a client's requests about the world itself: the world clock stopped or
// started, a sign placed, the reel-in of its fishing line, and a circuit device's configurator.
// Each acts for the sender's own player, near where that player stands.

#include <bit>

#include "game/rules/local_logic.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/wire/wire_messages.h"
#include "world/circuits/circuit_system.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

// Seconds between the bite and the reel-in beyond which every catch is the same: too late.
constexpr float kLongestReaction = 60.0f;

}  // namespace

// The host's game stops or starts its clock for its own player; every client hears the mode.
void NetServer::setClockMode(uint8_t value) {
  if (value > 1) return;
  world()->edits().setTimeFrozen(value);
  for (size_t peer = 1; peer < players_.size(); ++peer) {
    if (PlayerServerDesktop* client = remoteActor(static_cast<uint8_t>(peer))) client->setClockMode(value);
  }
}

void NetServer::placeSign(wire::WireIn& in, PlayerServerDesktop& player) {
  const wire::Cell at = in.cell();
  const uint8_t variant = in.u8();
  LocalLogic* rules = localRules();
  if (MapBlock* cell = cellNear(player, at, host::kToolReach); cell != nullptr && rules != nullptr) {
    rules->placeSign(*cell, variant, &player);
  }
}

void NetServer::handleFishing(wire::WireIn& in, uint8_t peer) {
  PlayerBase* player = actor(peer);
  LocalLogic* rules = localRules();
  if (player == nullptr || rules == nullptr || !in.spec().is(wire::FishingMsg::FishCaught)) return;
  const float seconds = std::bit_cast<float>(in.u32());
  if (host::amountFits(seconds, kLongestReaction)) rules->resolveFishingCatch(*player, seconds);
}

// The device's setting goes to the client's configurator; the changed setting comes back as an
// edit ([4][60]), which the rules check like any other.
void NetServer::handleCircuits(wire::WireIn& in, uint8_t peer) {
  PlayerServerDesktop* player = remoteActor(peer);
  LocalLogic* rules = localRules();
  if (player == nullptr || rules == nullptr || !in.spec().is(wire::CircuitMsg::CircuitEdit)) return;
  // The rules open the configurator for her as for the host's own player.
  if (MapBlock* cell = cellNear(*player, in.cell(), host::kToolReach)) rules->editCircuitCell(*player, *cell);
}
