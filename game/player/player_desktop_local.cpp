// The local player's landing rules: the landing sound, fall damage and harmful ground.

#include "game/player/player_desktop.h"

#include "world/cells/cell_sides.h"
#include "game/player/player_events.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {
constexpr int32_t kSafeFallRows = 5;
constexpr float kHardLanding = 2.0f;
}  // namespace

void PlayerDesktopLocal::setCell(uint16_t x, uint16_t y) {
  setSpawnCell(x, y);
  setCellCoordinates(x, y);
}

void PlayerDesktopLocal::landed(MapBlock* aboveLeft, MapBlock* aboveRight, MapBlock* left,
                                MapBlock* right, float speed) {
  if (world == nullptr) return;
  const BlockPropsTable& props = world->map().props();
  MapBlock* sounding = left != nullptr && left->frontId() != 0 ? left : right;
  if (sounding != nullptr) events().tileSound(*sounding);
  PlayerBody& b = body();
  if (b.fallStart != nullptr && b.currentCell != nullptr && game != nullptr) {
    const int32_t height = b.fallStart->y - b.currentCell->y;
    const bool soft = (left != nullptr && props[left->frontId()].has(block_flag::kSoftLanding)) ||
                      (right != nullptr && props[right->frontId()].has(block_flag::kSoftLanding));
    if (speed > kHardLanding && height > kSafeFallRows && !soft) {
      game->damageLocalPlayer((1 - stats.resist[4]) * ((height - kSafeFallRows) * 0.5f), damage_kind::kFall);
    }
  }
  if (!hasFlag(player_flag::kHarmImmune) && game != nullptr) {
    auto harmful = [&props](const MapBlock* c) { return c != nullptr && props[c->frontId()].has(block_flag::kHarmful); };
    if (harmful(aboveLeft) || harmful(aboveRight)) {
      game->damageLocalPlayer((1 - stats.armour[2]) * 3.0f, damage_kind::kHarm);
    }
  }
  b.fallStart = nullptr;
}

// Alone nobody else sees the player: the motion goes only to a networked game's other side.
void PlayerDesktopLocal::sendMotion(const MotionEvent& motion) {
  GamePeerReports* reports = game != nullptr ? game->peerReports() : nullptr;
  if (reports != nullptr) reports->sendPlayerState(motion);
}
