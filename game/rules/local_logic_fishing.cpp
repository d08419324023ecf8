// The local rules' fishing: the reel-in and the end of a bobber's fishing.
#include <cmath>
#include <cstdlib>

#include "content/items/item.h"
#include "engine/base/random.h"
#include "entities/projectiles/bobber_entity.h"
#include "game/fishing/fishing_catch.h"
#include "game/player/player.h"
#include "game/rules/local_logic.h"
#include "game/rules/rule_entities.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/world.h"

namespace {

constexpr uint8_t kActionReel = 0;
constexpr uint8_t kActionLowerRod = 9;
constexpr uint8_t kBobberRises = 6;
constexpr uint8_t kHooked = 4;
constexpr uint8_t kNibbling = 2;
constexpr uint16_t kTextNothingCaught = 155;
constexpr uint16_t kTextTooSlow = 156;
constexpr uint16_t kStatFishCaught = 6;
constexpr float kSureReaction = 0.45f;   // seconds: quicker always lands the fish
constexpr float kLuckSpan = 2.55f;       // slower loses the chance over this many seconds
constexpr float kCatchLift = 22.5f;      // the catch leaves this far above the bobber's cell
constexpr float kCatchSpeed = 3.0f;
constexpr float kDegrees = 0.017453292f;

// The player is quick enough, or lucky.
bool landsTheFish(float seconds) {
  if (seconds < kSureReaction) return true;
  const float chance = 1.0f - (seconds - kSureReaction) / kLuckSpan;
  return static_cast<float>(engine::randomNext()) / 32768.0f < chance;
}

}  // namespace

void LocalLogic::resolveFishingCatch(PlayerBase& player, float seconds) {
  BobberEntity* bobber = entities_->bobberOf(playerIdOf(&player));
  if (bobber == nullptr || world_ == nullptr || bobber->data.cell == nullptr) return;
  const MapBlock& cell = *bobber->data.cell;
  const WorldMap& map = world_->map();
  const float dx = map.shortDeltaX(player.position.x - bobber->data.x);
  const int32_t columns = static_cast<int32_t>(std::lround(map.shortDeltaX(
      static_cast<float>(static_cast<int32_t>(player.cellX) - static_cast<int32_t>(cell.x)) * 30.0f) / 30.0f));
  playPlayerAction(&player, kActionReel, static_cast<uint8_t>(columns & 0xFF), EffectAudience::Everyone);
  if (bobber->state >= kNibbling && bobber->state < kHooked) player.forgetBobber();
  if (bobber->state == kHooked) {
    if (landsTheFish(seconds)) {
      const Item* rod = player.heldItem();
      const uint16_t caught = pickFishingCatch(*world_, static_cast<uint8_t>(cell.liquidKind()), cell.y,
                                               rod != nullptr && !rod->isNone() ? rod->id : 0);
      if (caught == kNothingCaught) {
        showTextById(&player, kTextNothingCaught, console_kind::kInformation);
      } else if (ItemPtr fish = newItem(caught, -1, 1, -1, 0)) {
        const float angle = (dx <= 0 ? 120.0f : 60.0f) * kDegrees;
        spawnItemEntity(std::move(fish), {bobber->data.x, bobber->data.cellY + kCatchLift},
                        static_cast<float>(std::abs(columns)) + kCatchSpeed, angle, 0);
        player.recordLocalStat(kStatFishCaught, caught);
      }
    } else {
      showTextById(&player, kTextTooSlow, console_kind::kRefusal);
    }
    player.forgetBobber();
  }
  endFishing(*bobber, kBobberRises);
}

void LocalLogic::endFishing(BobberEntity& bobber, uint8_t state) {
  PlayerBase* caster = bobber.ownerId() != 0 ? playerById(bobber.ownerId()) : nullptr;
  if (caster != nullptr && isPlayerPresent(caster)) {
    playPlayerAction(caster, kActionLowerRod, 0, EffectAudience::Everyone);
    caster->forgetBobber();
  }
  setBobberState(&bobber, state);
}
