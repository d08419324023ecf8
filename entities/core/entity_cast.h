#pragma once
// The one checked downcast of the entity classes. Every entity carries its kind in its physics
// state, and each class that a caller may need names the kinds its objects are made with
// (`static bool holdsKind(EntityKind)`): the factories make every entity of those kinds as that
// class, and nothing else of them.
//
// Main thread only, like the entities.

#include <type_traits>

#include "engine/base/kind_cast.h"
#include "entities/core/entity.h"

// `entity` as a `T`, or null when it is null or of a kind `T` is not made with.
template <typename T, typename From>
auto* entity_cast(From* entity) {
  static_assert(std::is_base_of_v<Entity, From>, "a downcast in the entity tree");
  return engine::kind_cast<T>(entity);
}
