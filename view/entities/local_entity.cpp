#include "view/entities/local_entity.h"

#include "content/tables/bullet_def.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/projectiles/bullet_entity.h"
#include "view/entities/entity_art.h"
#include "view/entities/entity_tint.h"
#include "world/world.h"

namespace {

void detach(engine::Node* node) {
  if (node != nullptr && node->getParent() != nullptr) node->getParent()->removeChild(node);
}

}  // namespace

template <class NodeType>
BaseLocalEntity<NodeType>::BaseLocalEntity(const Entity& entity, NodeType* node)
    : entity_(entity), node_(node) {}

template <class NodeType>
BaseLocalEntity<NodeType>::~BaseLocalEntity() {
  detach(node_);
}

template <class NodeType>
void BaseLocalEntity<NodeType>::updateLight(const MapBlock& cell) {
  setColor(entityTint(entity_.world().map(), cell, entity_.world().dayClock().darkness));
}

template class BaseLocalEntity<EntitySprite>;
template class BaseLocalEntity<EntityInnerNode>;

std::unique_ptr<LocalEntity> LocalEntity::create(const Entity& entity, engine::SpriteBatchNode& layer,
                                                 const engine::Rect& rect, const WrapFrame* wrap, int zOrder) {
  std::unique_ptr<LocalEntity> drawing(
      new LocalEntity(entity, EntitySprite::create(layer.getTexture(), rect, wrap)));
  drawing->place(layer, zOrder);
  return drawing;
}

void LocalEntity::place(engine::SpriteBatchNode& layer, int zOrder) {
  node_->setOwner(const_cast<Entity*>(&entity_));
  setPosition(entity_.data);
  node_->setScale(1.0f);
  if (entity_.data.cell != nullptr) updateLight(*entity_.data.cell);
  layer.addChild(node_, zOrder);
}

void LocalEntity::setPosition(const EntityData& data) { node_->setPosition(engine::Vec2(data.x, data.y)); }

void LocalEntity::setColor(const engine::Color3B& colour) { node_->setColor(colour); }

void LocalEntity::setRotation(float degrees) {
  if (node_->getRotation() != degrees) node_->setRotation(degrees);
}

std::unique_ptr<LocalBulletEntity> LocalBulletEntity::create(const BulletEntity& bullet,
                                                             engine::SpriteBatchNode& layer,
                                                             const WrapFrame* wrap) {
  std::unique_ptr<LocalBulletEntity> drawing(new LocalBulletEntity(
      bullet, EntitySprite::create(layer.getTexture(), entity_art::bulletRect(bullet.def()), wrap)));
  drawing->place(layer);
  // Turned as the projectile already is: one flying straight never turns again.
  drawing->setRotation(bullet.rotation());
  return drawing;
}

LocalBulletEntity::LocalBulletEntity(const BulletEntity& bullet, EntitySprite* sprite)
    : LocalEntity(bullet, sprite), bullet_(bullet) {}

void LocalBulletEntity::setPosition(const EntityData& data) {
  LocalEntity::setPosition(data);
  if (stuckShown_ || data.moving || bullet_.def().stick() == 0) return;
  node_->setTextureRect(entity_art::bulletStuckRect(bullet_.def()));
  stuckShown_ = true;
}

std::unique_ptr<LocalTreasureEntity> LocalTreasureEntity::create(
    const Entity& entity, engine::SpriteBatchNode& layer, engine::SpriteBatchNode* overlayLayer,
    const engine::Rect& rect, uint16_t count, const WrapFrame* wrap) {
  std::unique_ptr<LocalTreasureEntity> drawing(
      new LocalTreasureEntity(entity, EntitySprite::create(layer.getTexture(), rect, wrap)));
  if (count > 1 && overlayLayer != nullptr) {
    drawing->overlay_ = engine::Sprite::createWithTextureRect(overlayLayer->getTexture(), rect);
    if (drawing->overlay_ != nullptr) overlayLayer->addChild(drawing->overlay_);
  }
  drawing->place(layer);
  return drawing;
}

LocalTreasureEntity::~LocalTreasureEntity() { detach(overlay_); }

void LocalTreasureEntity::setPosition(const EntityData& data) {
  LocalEntity::setPosition(data);
  if (overlay_ != nullptr) overlay_->setPosition(node_->getPosition() + kOverlayOffset);
}

void LocalTreasureEntity::setColor(const engine::Color3B& colour) {
  if (overlay_ != nullptr) overlay_->setColor(colour);
  LocalEntity::setColor(colour);
}
