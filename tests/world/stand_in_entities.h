#pragma once
// Tests hand out stand-in entities: distinct small addresses that nothing reads through. Their id
// is the address's number, and an id marked gone no longer resolves, as a removed entity's would.

#include <cstdint>
#include <set>

#include "world/entities/entity_id.h"

namespace world_test {

class StandInEntityIds {
 public:
  EntityId idOf(const void* entity) const {
    return static_cast<EntityId>(reinterpret_cast<uintptr_t>(entity));
  }
  template <class T>
  T* resolve(EntityId id) const {
    return id == kNoEntity || gone.count(id) != 0 ? nullptr : reinterpret_cast<T*>(uintptr_t{id});
  }
  std::set<EntityId> gone;
};

}  // namespace world_test
