#pragma once
// One list of entities that step together (the treasures, the projectiles, the clothes), in the
// order they joined, and the removal log that the lists of one tick share.
//
// A step runs `update` on the entities that were in the list when it began, by index: an entity
// added while the list steps (a death effect's spawn, a firework's sub-rocket) steps first on the
// next tick, and a list that grows under the walk never invalidates it. An entity that is removed
// (by its own update or by another's) is never updated again. The first 512 removals of a tick are
// logged and deleted at the end of their list's step; past that, a removed entity waits, skipped,
// for a later tick's log. Nothing here allocates once the lists have reached their size.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "entities/core/real_entity.h"

class RemovalLog {
 public:
  static constexpr uint16_t kCapacity = 512;

  bool full() const { return count_ >= kCapacity; }
  uint16_t count() const { return count_; }
  const uint32_t* ids() const { return ids_.data(); }
  void clear() { count_ = 0; }
  void add(Entity& entity) {
    ids_[count_++] = entity.id();
    entity.collected = true;
  }

 private:
  std::array<uint32_t, kCapacity> ids_{};
  uint16_t count_ = 0;
};

class EntityLayer {
 public:
  // Keeps the entity; it steps from the next tick on (or this one, when added before the step).
  RealEntity& add(std::unique_ptr<RealEntity> entity);
  // Steps every entity present at the start; deletes what the log took from this list.
  void step(RemovalLog& log);
  // Deletes every entity at once (a world ends).
  void clear();

  size_t size() const { return entities_.size(); }
  RealEntity& at(size_t i) const { return *entities_[i]; }
  RealEntity* findById(EntityId id) const;
  void reserve(size_t count) { entities_.reserve(count); }

  template <class Visit>
  void forEach(const Visit& visit) const {
    for (const auto& entity : entities_) visit(*entity);
  }

 private:
  std::vector<std::unique_ptr<RealEntity>> entities_;
};
