#pragma once
// Whether a player may travel through the portal of a cell, and who travels when. Alone, the
// player travels at once; on a host every present player must choose the same portal, and then
// the others travel before the host's own player. A cell without a portal of this planet, or a
// portal that leads back to this planet, is refused with a message of kind 3.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "game/session/travel_target.h"
#include "world/portals/portal_record.h"

class MapBlock;
class Player;
class PlayerBase;

namespace portal_text {
constexpr int16_t kLeadsHere = 138;
constexpr int16_t kNoPortal = 140;
}  // namespace portal_text

struct PortalChoice {
  const PortalRecord* portal = nullptr;  // null when refused
  int16_t refusalText = -1;
};

// The first record standing on the planet at the cell, unless it leads back to the planet.
PortalChoice choosePortal(std::span<const PortalRecord> portals, uint32_t planet, const MapBlock& cell);

using PortalTravel = std::function<void(PlayerBase&, const PortalRecord&)>;

// Where travelling through the portal leads: the world of its target planet (an adventure's world
// index is its planet), arriving at the partner's cell.
TravelTarget travelTargetOf(const PortalRecord& portal);
// The player's travel: its game goes to the portal's world.
void travelThroughPortal(Player& player, const PortalRecord& portal);

class PortalChoices;

// `usePortal`: refusals are shown to the player. The player chooses the portal among the present
// players (the rules' own first); when all have chosen it they travel, the rules' own last, else
// the player is shown the travel dialog and waits. True when anybody travelled.
bool usePortal(PlayerBase& player, std::span<const PortalRecord> portals, uint32_t planet, const MapBlock& cell,
               PortalChoices& choices, const std::vector<PlayerBase*>& present, const PortalTravel& travel);

// The portal each player of a host has chosen.
class PortalChoices {
 public:
  // The player chooses the portal. When every present player (the host's own first) has chosen it,
  // the choices are cleared and the travellers come back in order: the others, then the host's
  // own player; otherwise none, and the player waits for the others.
  std::vector<PlayerBase*> choose(PlayerBase& player, const PortalRecord& portal,
                                  const std::vector<PlayerBase*>& present);
  const PortalRecord* chosenBy(const PlayerBase& player) const;

 private:
  std::map<uint32_t, const PortalRecord*> chosen_;  // by player id
};
