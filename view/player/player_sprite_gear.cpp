// The held item of a player's sprite: its picture and place, its light, and the swing.

#include <functional>

#include "content/art/character_atlas_layout.h"
#include "content/art/item_atlas_layout.h"
#include "content/art/item_icon_of.h"
#include "content/items/item.h"
#include "content/stats/player_stats_block.h"
#include "content/tables/item_def.h"
#include "engine/scene/action.h"
#include "engine/scene/action_manager.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_graphical.h"
#include "view/atlas/game_textures.h"
#include "view/player/held_item_sprite.h"
#include "view/player/player_sprite.h"
#include "view/player/player_sprite_swing.h"
#include "view/player/stepped_turn.h"
#include "world/cells/map_block.h"
#include "world/light/light_map.h"
#include "world/light/light_refresh_batching.h"
#include "world/map/world_map.h"
#include "world/seams/cell_sounds.h"
#include "world/world.h"

namespace {

constexpr int kFrontHand = 3;
// A swing item's grip sits this far ahead of the front hand's middle (x grows towards the back of the
// body in the animator, which is drawn mirrored) and at its lower edge, so the blade held up in front
// stays clear of the face.
const engine::Vec2 kGripAhead{-4.0f, -2.0f};
constexpr uint16_t kColourMask = 0x0FFF;

const Item* shownItem(const Item* item) { return item != nullptr && !item->isNone() ? item : nullptr; }

// The anchor of a swung item: the size of its hold box over the size of its picture.
engine::Vec2 rectSizeRatio(const engine::Rect& picture, const engine::Rect& hold) {
  const float x = picture.size.width != 0 ? hold.size.width / picture.size.width : 0.5f;
  const float y = picture.size.height != 0 ? hold.size.height / picture.size.height : 0.5f;
  return engine::Vec2(x, y);
}

engine::Rect specRect(const SwingSpec& spec, size_t first) {
  const auto at = [&spec, first](size_t i) { return first == 0 ? spec.spriteRect(i) : spec.box(i); };
  return engine::Rect(at(0), at(1), at(2), at(3));
}

}  // namespace

engine::Vec2 PlayerSprite::equipOffset(int32_t bodyState, const Item* item) {
  item = shownItem(item);
  if (item != nullptr && item->swingSpec() != nullptr) return art::characterPartOffset(kFrontHand) + kGripAhead;
  const ItemDef* def = item != nullptr ? item->definition() : nullptr;
  const float x = def != nullptr ? def->record.heldOffsetX() : 0.0f;
  const float y = def != nullptr ? def->record.heldOffsetY() : 0.0f;
  if (bodyState == 5) return engine::Vec2(x - 12, y);
  if (bodyState == 9) return engine::Vec2(x - 12, y - 4);
  return engine::Vec2(x - 13, y - 4);
}

void PlayerSprite::updateGear() {
  const bool wasVisible = heldSprite_->isVisible();
  const Item* item = shownItem(player_->heldItem());
  const GameTextures& textures = gameTextures();
  heldLit_ = false;
  if (item == nullptr) {
    heldSprite_->showPicture(engine::Rect(), engine::Vec2(0.5f, 0.5f));
  } else if (const SwingSpec* spec = item->swingSpec()) {
    const engine::Rect picture = specRect(*spec, 0);
    heldSprite_->setTexture(textures.textures[atlas::kTools]);
    heldSprite_->showSwingPicture(picture, rectSizeRatio(picture, specRect(*spec, 1)));
    if (!spec->aiming()) heldSprite_->setRotation(heldRestAngle(spec->restAngle()));
    heldSprite_->setScaleX(spec->mirror() ? -1.0f : 1.0f);
  } else {
    heldSprite_->setTexture(textures.textures[atlas::kTreasures]);
    heldSprite_->showPicture(art::itemIconRectOf(*item), engine::Vec2(0.5f, 0.5f));
    heldSprite_->setRotation(0.0f);
    heldSprite_->setScaleX(-1.0f);
  }
  shown_ = heldNow();
  heldSprite_->setPosition(equipOffset(motion_, item));
  if (item != nullptr) heldLit_ = isBrighterLight(player_->heldTint, player_->carriedLight);
  heldSprite_->setVisible(true);
  if (!wasVisible && heldLit_) raiseLight(player_->heldTint);
}

void PlayerSprite::hideHeldItem() {
  const bool wasVisible = heldSprite_->isVisible();
  heldSprite_->setVisible(false);
  if (heldLit_ && wasVisible) lowerLight();
}

void PlayerSprite::refreshGear() {
  const Item* item = shownItem(player_->heldItem());
  if (animator_->arm().running() && item != nullptr) {
    animator_->stopArm();
    animator_->getActionManager()->removeActionByTag(kSwingTag, heldSprite_);
  }
  hideHeldItem();
  player_->heldTint = item != nullptr ? item->tintColor() : 0;
  updateGear();
  const SwingSpec* spec = item != nullptr ? item->swingSpec() : nullptr;
  if (spec != nullptr && spec->aiming()) heldSprite_->setRotation(spec->restAngle());
}

void PlayerSprite::stopSwing() {
  if (!animator_->arm().running() && !heldHasActions()) return;
  animator_->stopArm();
  animator_->getActionManager()->removeActionByTag(kSwingTag, heldSprite_);
  if (!animating_) poseForState();
  updateGear();
}

void PlayerSprite::playSwing() {
  engine::ActionManager* actions = animator_->getActionManager();
  actions->removeActionByTag(kSwingTag, heldSprite_);
  updateGear();
  const Item* item = shownItem(player_->heldItem());
  const SwingSpec* spec = item != nullptr ? item->swingSpec() : nullptr;
  // The item rests held ahead, clear of the face; the swing itself starts where the record says.
  if (spec != nullptr && !spec->aiming()) heldSprite_->setRotation(SteppedTurn::restingAngle(spec->restAngle()));
  const PlayerStatsBlock speeds;
  float duration = item != nullptr ? item->useInterval(&speeds) : 0.25f;
  if (!(duration > 0.0f)) duration = 0.25f;
  const uint32_t record = motion_ == 8 || motion_ == 9 ? 12 : (motion_ == 4 || motion_ == 5 ? 11 : 10);
  animator_->playArm(record, duration, spec != nullptr);

  SwingMotion motion;
  motion.halfTime = duration / 2;
  if (spec != nullptr) {
    motion.kind = spec->swingKind();
    motion.angle = spec->swingAngle();
    motion.offset = engine::Vec2(spec->originOffset(0), spec->originOffset(1));
    motion.rotation = heldSprite_->getRotation();
  }
  engine::Sprite* held = heldSprite_;
  const auto mirror = [held] { held->setScaleX(-held->getScaleX()); };
  const auto end = [this] {
    if (animator_->body().running()) {
      hideHeldItem();
    } else {
      updateGear();
    }
  };
  std::function<void()> restore;
  if (!keepsAim() && spec != nullptr && spec->aiming()) {
    const float rest = spec->restAngle();
    restore = [held, rest] { held->setRotation(rest); };
  }
  engine::FiniteTimeAction* swing = makeSwingAction(spec != nullptr, motion, mirror, end, restore);
  swing->setTag(kSwingTag);
  if (spec != nullptr && spec->flip()) heldSprite_->setScaleX(-heldSprite_->getScaleX());
  actions->addAction(swing, heldSprite_);
  if (MapBlock* cell = player_->currentMapBlock(); cell != nullptr && player_->world != nullptr) {
    player_->world->sounds().playAt(*cell, kSwingSound, 0);
  }
}

void PlayerSprite::followCell() {
  if (heldLit_ && heldSprite_->isVisible() && animator_->isVisible()) raiseLight(player_->heldTint);
  updateColors();
}

engine::Vec2 PlayerSprite::heldItemPosition() const { return heldSprite_->getPosition(); }

bool PlayerSprite::heldHasActions() const {
  return animator_->getActionManager()->getNumberOfRunningActionsInTarget(heldSprite_) > 0;
}

PlayerSprite::ShownItem PlayerSprite::heldNow() const {
  const Item* item = shownItem(player_->heldItem());
  return item != nullptr ? ShownItem{item->id, item->variant} : ShownItem{};
}

uint16_t PlayerSprite::carriedLight() const {
  if (!animator_->isVisible()) return 0;
  const uint16_t worn = carriesLight_ ? player_->carriedLight & kColourMask : 0;
  const uint16_t held = heldLit_ && heldSprite_->isVisible() ? player_->heldTint & kColourMask : 0;
  return isBrighterLight(held, worn) ? held : worn;
}

void PlayerSprite::raiseLight(uint16_t colour) {
  MapBlock* cell = player_->currentMapBlock();
  if (cell == nullptr || player_->world == nullptr) return;
  player_->world->map().lightMap().raiseCellLight(*cell, colour & kColourMask);
  player_->world->lightBatching().refreshWorldLighting();
}

void PlayerSprite::lowerLight() {
  MapBlock* cell = player_->currentMapBlock();
  if (cell == nullptr || player_->world == nullptr) return;
  player_->world->map().lightMap().updateAround(*cell, true);
  player_->world->lightBatching().refreshWorldLighting();
}

engine::Sprite* PlayerSprite::heldSprite() const { return heldSprite_; }
