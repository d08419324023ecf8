#pragma once
// The one checked downcast of the entity classes. Every entity carries its kind in its physics
// state, and each class that a caller may need names the kinds its objects are made with
// (`static bool holdsKind(EntityKind)`): the factories make every entity of those kinds as that
// class, and nothing else of them. So the kind byte answers what the type system would, and a
// wrong kind gives null instead of a misread object.
//
// Main thread only, like the entities.

#include <type_traits>

#include "entities/core/entity.h"

// `entity` as a `T`, or null when it is null or of a kind `T` is not made with.
template <typename T, typename From>
auto* entity_cast(From* entity) {
  static_assert(std::is_base_of_v<Entity, From> && std::is_base_of_v<From, T>, "a downcast in the entity tree");
  using Result = std::conditional_t<std::is_const_v<From>, const T, T>;
  return entity != nullptr && T::holdsKind(entity->kind()) ? static_cast<Result*>(entity) : nullptr;
}
