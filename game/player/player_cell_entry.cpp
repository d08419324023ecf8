// What the local player does on entering a cell, after the body and the rules have had their turn.

#include "game/player/player.h"
#include "game/player/player_events.h"
#include "world/map/world_map.h"
#include "world/world.h"

void Player::moveToCell(MapBlock* left) {
  PlayerBase::moveToCell(left);
  keepCraftingStationInReach();
  reachMapEdges();
}

// Reaching the bottom rows or the top row is an achievement of exploring; in a creative world
// the player flies anywhere, so it earns nothing there.
void Player::reachMapEdges() {
  if (world == nullptr || world->isCreative()) return;
  if (cellY < kBottomRows) events().achievementReached(kAchievementEndOfFile);
  const int32_t height = world->map().height();
  if (height > 0 && cellY == static_cast<uint32_t>(height - 1)) events().achievementReached(kAchievementHeadInTheClouds);
}
