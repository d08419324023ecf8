#include "entities/core/entity_layer.h"

#include <algorithm>

RealEntity& EntityLayer::add(std::unique_ptr<RealEntity> entity) {
  entities_.push_back(std::move(entity));
  return *entities_.back();
}

void EntityLayer::step(RemovalLog& log) {
  const uint16_t before = log.count();
  const size_t count = entities_.size();
  for (size_t i = 0; i < count; ++i) {
    RealEntity* entity = entities_[i].get();
    if (!entity->data.removed) {
      entity->update();
      entity->holdToMaxSpeed();
    }
    if (entity->data.removed && !entity->collected && !log.full()) log.add(*entity);
  }
  if (log.count() == before) return;
  std::erase_if(entities_, [](const std::unique_ptr<RealEntity>& entity) { return entity->collected; });
}

void EntityLayer::clear() {
  // Destructors may look at the list (an item going back to the pool does not, but a kind's may):
  // take the entities out first, then let them go.
  std::vector<std::unique_ptr<RealEntity>> leaving;
  leaving.swap(entities_);
  leaving.clear();
}

RealEntity* EntityLayer::findById(EntityId id) const {
  if (id == kNoEntity) return nullptr;
  for (const auto& entity : entities_) {
    if (entity->id() == id && !entity->data.removed) return entity.get();
  }
  return nullptr;
}
