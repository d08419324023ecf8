#include "view/entities/local_mob_entity.h"

#include <cmath>

#include "engine/render/texture2d.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/sequence.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/mobs/mob_entity.h"
#include "view/entities/entity_art.h"

namespace {

// The frame set slot of an animation state, -1 for a state without one.
int frameSlot(int32_t state) {
  switch (state) {
    case 0: return 0;
    case 1: return 1;
    case 2: case 5: return 2;
    case 3: case 6: return 3;
    case 4: return 4;
    case 7: return 5;
    default: return -1;
  }
}

constexpr int kFlashTag = 0x4854;  // the hurt flash's action on the mob's node
constexpr float kFlashSeconds = 0.15f;

uint8_t toByte(float unit) {
  const float clamped = unit < 0.0f ? 0.0f : unit > 1.0f ? 1.0f : unit;
  return static_cast<uint8_t>(clamped * 255.0f);
}

}  // namespace

LocalMobEntity::HealthBar* LocalMobEntity::HealthBar::create(engine::Texture2D* texture,
                                                             const engine::Rect& rect) {
  auto* bar = new HealthBar();
  if (!bar->initWithTexture(texture, rect)) {
    delete bar;
    return nullptr;
  }
  bar->autorelease();
  return bar;
}

std::unique_ptr<LocalMobEntity> LocalMobEntity::create(const MobEntity& mob, const MobPartPick& pick,
                                                       const MobLayers& layers, const WrapFrame* wrap) {
  std::unique_ptr<LocalMobEntity> drawing(new LocalMobEntity(mob, EntityInnerNode::create(wrap), layers));
  drawing->frameSets_ = pick.roles;
  const MobAnimation* idle = pick.roles[0];
  for (const uint8_t part : pick.parts) {
    if (idle == nullptr || part >= idle->frames.size()) continue;
    const MobPartFrame& frame = idle->frames[part];
    drawing->partSelection_.push_back(part);
    drawing->addPart(entity_art::mobPartRect(frame), entity_art::mobPartPosition(frame),
                     entity_art::mobPartRotation(frame));
  }
  drawing->node_->setUserData(const_cast<MobEntity*>(&mob));
  drawing->setPosition(mob.data);
  if (layers.mobNode != nullptr) layers.mobNode->addChild(drawing->node_);
  return drawing;
}

LocalMobEntity::LocalMobEntity(const MobEntity& mob, EntityInnerNode* node, const MobLayers& layers)
    : BaseLocalEntity(mob, node),
      mob_(mob),
      layers_(layers),
      size_(static_cast<float>(mob.row().width()), static_cast<float>(mob.row().height())) {}

LocalMobEntity::~LocalMobEntity() {
  // The flash's end calls back into this drawing.
  if (engine::ActionManager* actions = node_->getActionManager()) actions->removeActionByTag(kFlashTag, node_);
  if (healthBar_ != nullptr && healthBar_->getParent() != nullptr) healthBar_->getParent()->removeChild(healthBar_);
  node_->removeAllChildrenWithCleanup();
}

const MobAnimation* LocalMobEntity::frameSet(int32_t state) const {
  const int slot = frameSlot(state);
  return slot < 0 ? nullptr : frameSets_[static_cast<size_t>(slot)];
}

void LocalMobEntity::addPart(const engine::Rect& rect, engine::Vec2 position, float rotation) {
  engine::Sprite* part = engine::Sprite::createWithTextureRect(layers_.partsTexture, rect);
  if (part == nullptr) return;
  part->setPosition(position);
  part->setRotation(rotation);
  node_->addChild(part);
  if (mob_.data.cell != nullptr) updateLight(*mob_.data.cell);
}

void LocalMobEntity::playAnimation(int32_t state) {
  const MobAnimation* set = frameSet(state);
  if (frameSlot(state) < 0) return;
  shownState_ = state;
  if (set == nullptr) return;
  const auto& parts = node_->getChildren();
  for (size_t i = 0; i < partSelection_.size() && i < parts.size(); ++i) {
    const uint8_t entry = partSelection_[i];
    if (entry >= set->frames.size()) continue;
    auto* part = static_cast<engine::Sprite*>(parts[i]);
    const MobPartFrame& frame = set->frames[entry];
    part->setTextureRect(entity_art::mobPartRect(frame));
    part->setPosition(entity_art::mobPartPosition(frame));
    part->setRotation(entity_art::mobPartRotation(frame));
  }
}

void LocalMobEntity::setFacing(bool flipped) {
  const float scale = std::fabs(node_->getScaleX());
  const float wanted = flipped ? -scale : scale;
  if (node_->getScaleX() != wanted) node_->setScaleX(wanted);
}

void LocalMobEntity::showHealth(float ratio) {
  if (ratio < shownHealth_) flashHurt();
  shownHealth_ = ratio;
  if (healthBar_ == nullptr) {
    if (layers_.healthBars == nullptr) return;
    engine::Texture2D* texture = layers_.healthBars->getTexture();
    healthBar_ = HealthBar::create(texture, engine::Rect(0, 0, size_.width, kBarHeight));
    if (healthBar_ == nullptr) return;
    if (layers_.healthBarProgram != nullptr) healthBar_->setGLProgramState(layers_.healthBarProgram);
    layers_.healthBars->addChild(healthBar_);
    placeBar();
  }
  // The bar's texture coordinates run from 0 to its width over the texture's.
  const engine::Texture2D* texture = healthBar_->getTexture();
  const float wide = texture != nullptr ? texture->getContentSize().width : 0.0f;
  healthBar_->setColor({toByte(ratio), 0, toByte(wide > 0.0f ? size_.width / wide : 1.0f)});
}

void LocalMobEntity::placeBar() {
  healthBar_->setPosition(node_->getPosition() + engine::Vec2(0.0f, size_.height * 0.5f + kBarGap));
}

void LocalMobEntity::setPosition(const EntityData& data) {
  const engine::Vec2 at(data.x, data.y);
  node_->setPosition(at);
  if (healthBar_ != nullptr) placeBar();
  followMob();
}

void LocalMobEntity::followMob() {
  // The mobs' pictures look left: a mob facing right is mirrored.
  setFacing(mob_.facingRight());
  if (mob_.animation != shownState_) playAnimation(mob_.animation);
  const float health = mob_.healthFraction();
  if (mob_.alive && health < 1.0f && health != shownHealth_) showHealth(health);
}

void LocalMobEntity::setColor(const engine::Color3B& colour) {
  lightColour_ = colour;
  if (!flashing_) applyColour(colour);
}

void LocalMobEntity::applyColour(const engine::Color3B& colour) {
  for (engine::Node* part : node_->getChildren()) part->setColor(colour);
}

void LocalMobEntity::flashHurt() {
  engine::ActionManager* actions = node_->getActionManager();
  if (actions == nullptr) return;
  flashing_ = true;
  // Red in the light the mob stands in, so a hit in a dark cave does not glow.
  applyColour({lightColour_.r, static_cast<uint8_t>(lightColour_.g * 3 / 10), static_cast<uint8_t>(lightColour_.b * 3 / 10)});
  actions->removeActionByTag(kFlashTag, node_);
  engine::FiniteTimeAction* flash = engine::Sequence::createWithTwoActions(
      engine::DelayTime::create(kFlashSeconds), engine::CallFunc::create([this] {
        flashing_ = false;
        applyColour(lightColour_);
      }));
  flash->setTag(kFlashTag);
  actions->addAction(flash, node_);
}
