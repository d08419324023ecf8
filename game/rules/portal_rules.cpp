#include "game/rules/portal_rules.h"

#include <algorithm>

#include "game/player/player.h"
#include "world/cells/map_block.h"
#include "world/rules/console_kind.h"
#include "world/rules/game.h"

PortalChoice choosePortal(std::span<const PortalRecord> portals, uint32_t planet, const MapBlock& cell) {
  const auto found = std::find_if(portals.begin(), portals.end(), [&](const PortalRecord& r) {
    return r.planet == planet && r.x == cell.x && r.y == cell.y;
  });
  if (found == portals.end()) return {nullptr, portal_text::kNoPortal};
  if (found->target == planet) return {nullptr, portal_text::kLeadsHere};
  return {&*found, -1};
}

bool usePortal(PlayerBase& player, std::span<const PortalRecord> portals, uint32_t planet, const MapBlock& cell,
               PortalChoices& choices, const std::vector<PlayerBase*>& present, const PortalTravel& travel) {
  const PortalChoice choice = choosePortal(portals, planet, cell);
  if (choice.portal == nullptr) {
    player.showTextById(console_kind::kRefusal, choice.refusalText);
    return false;
  }
  const std::vector<PlayerBase*> travellers = choices.choose(player, *choice.portal, present);
  if (travellers.empty()) {
    player.showPortalTravelDialog(choice.portal->target);
    return false;
  }
  for (PlayerBase* traveller : travellers) travel(*traveller, *choice.portal);
  return true;
}

TravelTarget travelTargetOf(const PortalRecord& portal) {
  return {portal.target, static_cast<uint16_t>(portal.link & 0xFFFFu), static_cast<uint16_t>(portal.link >> 16)};
}

void travelThroughPortal(Player& player, const PortalRecord& portal) {
  if (player.game != nullptr) player.game->travelToWorld(travelTargetOf(portal));
}

std::vector<PlayerBase*> PortalChoices::choose(PlayerBase& player, const PortalRecord& portal,
                                               const std::vector<PlayerBase*>& present) {
  chosen_[player.playerId()] = &portal;
  const bool all = std::all_of(present.begin(), present.end(), [&](const PlayerBase* p) { return chosenBy(*p) == &portal; });
  if (!all || present.empty()) return {};
  std::vector<PlayerBase*> travellers(present.begin() + 1, present.end());
  travellers.push_back(present.front());
  for (PlayerBase* p : present) chosen_.erase(p->playerId());
  return travellers;
}

const PortalRecord* PortalChoices::chosenBy(const PlayerBase& player) const {
  auto found = chosen_.find(player.playerId());
  return found == chosen_.end() ? nullptr : found->second;
}
