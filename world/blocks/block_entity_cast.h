#pragma once
// The one checked downcast of the block entities. Every block entity carries the kind it was made
// as, and each class that a caller may need names the kinds its objects are made with
// (`static bool holdsKind(BlockEntityKind)`): every entity of those kinds is made as that class,
// and nothing else of them.
//
// Main thread only, like the block entities.

#include <type_traits>

#include "engine/base/kind_cast.h"
#include "world/blocks/logic_block.h"

// `entity` as a `T`, or null when it is null or of a kind `T` is not made with.
template <typename T, typename From>
auto* block_entity_cast(From* entity) {
  static_assert(std::is_base_of_v<LogicBlock, From>, "a downcast among block entities");
  return engine::kind_cast<T>(entity);
}
