#include "entities/projectiles/bobber_entity.h"

#include <cmath>

#include "content/tables/bullet_def.h"
#include "engine/base/random.h"
#include "entities/core/entity_record.h"
#include "entities/projectiles/fishing_owners.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

float unit() { return static_cast<float>(engine::randomNext()) / 32767.0f; }
bool chance(float p) { return static_cast<float>(engine::randomNext()) / 32768.0f < p; }

// A source cell, or a cell full to both amounts.
bool goodWater(const MapBlock& cell) {
  return cell.hasFlag(cell_flag::kLiquidSource) || cell.isFullOfLiquid();
}

}  // namespace

BobberEntity::BobberEntity(World& world, uint16_t row, uint32_t ownerId, engine::Vec2 position, MapBlock* cell,
                           float speed, float angle, FishingOwners& owners)
    : BulletEntity(world, row, ownerId, position, cell, speed, angle, 0, false, true), owners_(&owners) {
  hitsMobs = false;
  hitsPlayers = false;
  data.halfWidth = def().width() / 2;
  data.halfHeight = def().height() / 2;
}

BobberEntity::BobberEntity(World& world, const EntityRecord& record, FishingOwners& owners)
    : BulletEntity(world, record), owners_(&owners) {
  state = static_cast<uint8_t>(record.extra);
  data.frozen = record.frozen != 0;
  data.halfWidth = def().width() / 2;
  data.halfHeight = def().height() / 2;
}

bool BobberEntity::ownerPresent() const { return ownerId() != 0 && owners_->present(ownerId()); }

void BobberEntity::askState(uint8_t next) { world().rules().setBobberState(this, next); }

void BobberEntity::update() {
  phase += 0.75f + 0.25f * unit();
  const MapBlock* before = data.cell;
  if (state == 0) {
    move();
    if (data.cell != before) drawLight();
  } else {
    floatOnLine();
    data.impulseY += kGravity;
    move();
  }
  if (hasRules() && !data.removed) fishingStep();
  drawPosition();
}

void BobberEntity::floatOnLine() {
  const float d = data.y - lineY;
  switch (state) {
    case 1:
      if (std::fabs(d) < 4) {
        data.y = std::sin(phase / 15) * 2 + lineY;
      } else {
        data.impulseY -= kGravity;
      }
      break;
    case 2:
      if (std::fabs(d) < 4 && chance(0.01f)) {
        if (chance(0.5f) && data.cell != nullptr && hasRules()) world().rules().playSound(*data.cell, kSoundBite, 0);
        data.impulseY -= 3 + 2 * unit();
        if (hasRules()) timer -= 0.1f;
      }
      if (std::fabs(d) <= 1.5f && std::fabs(data.impulseY) < 0.1f && std::fabs(data.vx) < 0.5f) {
        data.y = std::sin(phase / 15) * 1.5f + lineY;
      } else {
        data.impulseY -= d * 0.02f;
      }
      break;
    case 3: data.vy = 0.1f * unit() - 0.05f - 0.2f * d; break;
    case 4:
      if (std::fabs(d) > 2) {
        data.vy = (unit() * 0.1f - 0.05f) - 0.2f * d;
      } else if (chance(0.5f)) {
        data.y = lineY - 1 + 2 * unit();
      }
      reelTimer -= 1;
      break;
    case 5:
    case 6:
      timer -= 1;
      if (timer > 0) {
        opacity = timer / 30 * 255;
      } else {
        data.removed = true;
      }
      data.vy = state == 5 ? -0.15f : 0.15f;
      break;
    default: break;
  }
}

void BobberEntity::fishingStep() {
  if (splashed) {
    splashed = false;
    if (data.cell != nullptr && goodWater(*data.cell)) {
      askState(1);
    } else {
      if (ownerPresent()) {
        owners_->showText(ownerId(), kTextBadWater);
        owners_->castEnded(ownerId());
      }
      askState(6);
    }
    return;
  }
  switch (state) {
    case 3:
      if (std::fabs(data.y - lineY) < 2) askState(4);
      break;
    case 1:
      timer -= 1;
      if (timer < 0) askState(2);
      break;
    case 2:
      if (timer < 0) {
        if (data.cell != nullptr) world().rules().playSound(*data.cell, kSoundBite, 0);
        askState(3);
      }
      break;
    case 4:
      if (reelTimer <= 0) {
        if (ownerPresent()) owners_->fishGotAway(ownerId());
        askState(5);
      }
      break;
    default: break;
  }
}

void BobberEntity::setState(uint8_t next) {
  const bool ruled = hasRules();
  switch (next) {
    case 1:
      data.vx = data.vy = 0;
      lineY = data.cellY + 10;
      if (data.cell != nullptr && ruled) world().rules().playSound(*data.cell, kSoundBite, 0);
      if (!ruled) break;
      if (owners_->rodTier(ownerId()) >= 0 && ownerId() != 0) {
        timer = owners_->waitTicks(ownerId());
        if (ownerPresent()) {
          owners_->castLanded(ownerId());
        } else {
          data.removed = true;
        }
      } else {
        timer = 30;
        state = 6;
        return;
      }
      break;
    case 2:
      if (ruled) timer = owners_->biteWindow(ownerId());
      break;
    case 3: lineY = data.cellY - 7.5f; break;
    case 4:
      if (ruled && !ownerPresent()) {
        data.removed = true;
      } else if (ruled) {
        owners_->biteStarted(ownerId());
      }
      break;
    case 5:
    case 6: timer = 30; break;
    default: break;
  }
  state = next;
}

void BobberEntity::enterLowerCell() {
  const MapBlock* left = data.cell;
  data.cellY -= kCell;
  data.cell = data.cell->neighbourDown(world().map());
  if (!hasRules()) return;
  if (!ownerPresent()) {
    onRest();
    return;
  }
  if (left != nullptr && left->liquid == 0 && data.cell != nullptr && data.cell->liquidKind() != LiquidKind::None) {
    splashed = true;
  }
}

void BobberEntity::onRest() {
  if (hasRules() && ownerPresent()) {
    owners_->showText(ownerId(), kTextOnGround);
    owners_->castEnded(ownerId());
  }
  data.moving = false;
  data.vx = data.vy = data.impulseX = data.impulseY = 0;
  onStop();
}

void BobberEntity::toRecord(EntityRecord& record) const {
  BulletEntity::toRecord(record);
  record.extra = state;
  record.frozen = data.frozen ? 1 : 0;
}
